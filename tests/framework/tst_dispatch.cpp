#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include "dockwidgetlistbase.h"
#include "dockwidgetoptionbase.h"
#include "fakehost.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "testfolder.h"
#include "testplugin.h"
#include "testworkers.h"

Q_DECLARE_METATYPE(QList<QStringList>)

namespace {

} // namespace

// The start handler over the three ranges and the multi-file routines,
// driven through a fake host.
class TestDispatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void noListStartsNothing();
    void startsWithoutJobs_data();
    void startsWithoutJobs();
    void allListsAnnounceAndRunEveryFile();
    void fileInSeveralListsRunsOnce();
    void currentListAndDocument_data();
    void currentListAndDocument();
    void removedFileFailsAloneAndHostEndsEnabled();
    void undecodableFileLeftUntouched();
    void formatKeptOnRewrite();
    void unchangedFileNotRewritten();
    void batchSyncedOnceAfterLastWrite_data();
    void batchSyncedOnceAfterLastWrite();
    void refusedOptionsCancel();
    void multiFileOneJobPerList_data();
    void multiFileOneJobPerList();
    void secondStartWaitsForFirst();
    void distinctFiles_data();
    void distinctFiles();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    // Starts and waits until the start is over.
    void startAndWait();

    TestFolder m_folder;
    FakeHost *m_host = nullptr;
    TestPlugin *m_plugin = nullptr;
};

void TestDispatch::initTestCase()
{
    TestFolder::prepareProcess();
}

void TestDispatch::cleanupTestCase()
{
    joinPoolThreads();
}

void TestDispatch::init()
{
    QVERIFY(m_folder.enter());
    m_host = new FakeHost;
    m_plugin = new TestPlugin;
    m_plugin->setHost(m_host);
    QVERIFY(m_plugin->openPlugin(20, 80));
    m_host->tips.clear();
    m_host->uiEnabledCalls.clear();
}

void TestDispatch::cleanup()
{
    delete m_plugin;
    m_plugin = nullptr;
    delete m_host;
    m_host = nullptr;
    m_folder.leave();
    // Every worker and option record of the finished starts is gone.
    QCOMPARE(UpperWorker::alive.loadAcquire(), 0);
    QCOMPARE(TestOptions::alive.loadAcquire(), 0);
}

void TestDispatch::startAndWait()
{
    QSignalSpy finished(m_plugin, &PluginBase::jobsFinishedSignal);
    m_plugin->startSlot();
    if (finished.isEmpty())
        QVERIFY(finished.wait(10000));
    // Deliver the queued release of the batch.
    QCoreApplication::processEvents();
}

void TestDispatch::noListStartsNothing()
{
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_host->currentDocument = path("a.txt");
    m_plugin->startSlot();
    QVERIFY(m_host->tips.isEmpty());
    QVERIFY(m_host->uiEnabledCalls.isEmpty());
    QVERIFY(m_host->taskCounts.isEmpty());
    QVERIFY(m_plugin->workerFiles.isEmpty());
}

void TestDispatch::startsWithoutJobs_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("noOperationTip");
    QTest::newRow("nothing chosen") << 0 << 2 << true;
    QTest::newRow("operation without worker") << int(TestPlugin::None) << 2 << true;
    QTest::newRow("unknown index") << 40 << 2 << true;
    QTest::newRow("multi-file without worker") << int(TestPlugin::Split) << 1 << true;
    QTest::newRow("operation that does nothing") << int(TestPlugin::Idle) << 2 << false;
    QTest::newRow("empty range") << int(TestPlugin::Upper) << 1 << false;
}

void TestDispatch::startsWithoutJobs()
{
    QFETCH(int, index);
    QFETCH(int, range);
    QFETCH(bool, noOperationTip);
    m_host->setLists({QStringList()});
    m_plugin->state().currentIndex = index;
    m_plugin->state().currentRange = range;
    m_plugin->state().currentMultiRange = 1;
    startAndWait();
    QCOMPARE(m_host->tipsWith(-9, 9).size(), noOperationTip ? 1 : 0);
    QVERIFY(m_plugin->workerFiles.isEmpty());
    // Disabled for the start, enabled again at its end.
    QVERIFY(!m_host->uiEnabledCalls.isEmpty());
    QCOMPARE(m_host->uiEnabledCalls.first(), false);
    QCOMPARE(m_host->uiEnabledCalls.last(), true);
    QVERIFY(m_host->enabled());
    QVERIFY(m_plugin->listDock()->isEnabled());
    QVERIFY(m_plugin->optionDock()->isEnabled());
}

void TestDispatch::allListsAnnounceAndRunEveryFile()
{
    QList<QStringList> lists{{}, {}, {}};
    const int sizes[] = {2, 0, 5};
    for (int l = 0; l < 3; ++l) {
        for (int f = 0; f < sizes[l]; ++f) {
            const QString file = path(QStringLiteral("l%1f%2.txt").arg(l).arg(f));
            QVERIFY(TestFolder::put(file, "text"));
            lists[l] << file;
        }
    }
    m_host->setLists(lists);
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 0;
    startAndWait();

    QCOMPARE(m_host->taskCounts, QList<int>{7});
    QCOMPARE(m_plugin->workerFiles.size(), 7);
    QCOMPARE(m_plugin->workerPositions, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(m_host->tipsWith(-4, 0).size(), 7);
    QCOMPARE(m_host->tipsWith(0, 4).size(), 7);
    for (const QStringList &list : lists) {
        for (const QString &file : list)
            QCOMPARE(TestFolder::bytesOf(file), QByteArray("TEXT"));
    }
    for (const Tip &tip : m_host->tips)
        QVERIFY2(tip.guiThread, qPrintable(tip.fileName));
    QVERIFY(m_host->enabled());
    QVERIFY(m_plugin->listDock()->isEnabled());
}

void TestDispatch::fileInSeveralListsRunsOnce()
{
    const QString a = path("a.txt"), b = path("b.txt"), c = path("c.txt");
    for (const QString &file : {a, b, c})
        QVERIFY(TestFolder::put(file, "x"));
    // The same file also under another spelling of its path.
    const QString bAgain = m_folder.path() + QStringLiteral("/./sub/../b.txt");
    QDir().mkpath(path("sub"));
    m_host->setLists({{a, b}, {bAgain, c}, {a}});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 0;
    m_plugin->suffix = QStringLiteral("+");
    startAndWait();

    QCOMPARE(m_host->taskCounts, QList<int>{3});
    QCOMPARE(m_plugin->workerFiles, (QStringList{a, b, c}));
    QCOMPARE(TestFolder::bytesOf(b), QByteArray("X+"));
    QCOMPARE(TestFolder::bytesOf(a), QByteArray("X+"));
    QCOMPARE(m_host->tipsWith(-4, 0).size(), 3);
}

void TestDispatch::currentListAndDocument_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("document");
    QTest::addColumn<int>("announced");
    QTest::addColumn<QStringList>("failures"); // names with the tip (0, 0)
    QTest::newRow("current list") << 1 << true << 2 << QStringList();
    QTest::newRow("current document") << 2 << true << 1 << QStringList();
    QTest::newRow("current document, no editor") << 2 << false << 1 << QStringList{QString()};
}

void TestDispatch::currentListAndDocument()
{
    QFETCH(int, range);
    QFETCH(bool, document);
    QFETCH(int, announced);
    QFETCH(QStringList, failures);
    const QString a = path("a.txt"), b = path("b.txt"), c = path("c.txt");
    for (const QString &file : {a, b, c})
        QVERIFY(TestFolder::put(file, "x"));
    m_host->setLists({{c}, {a, b}}, 1);
    m_host->currentDocument = document ? c : QString();
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = range;
    startAndWait();

    QCOMPARE(m_host->taskCounts, QList<int>{announced});
    QCOMPARE(m_plugin->workerFiles.size(), announced);
    QStringList failed;
    for (const Tip &tip : m_host->tipsWith(0, 0))
        failed << tip.fileName;
    QCOMPARE(failed, failures);
    QCOMPARE(m_host->tipsWith(-4, 0).size(), announced - failures.size());
    QCOMPARE(TestFolder::bytesOf(c), QByteArray(range == 2 && document ? "X" : "x"));
    QVERIFY(m_host->enabled());
}

void TestDispatch::removedFileFailsAloneAndHostEndsEnabled()
{
    const QString a = path("a.txt"), b = path("b.txt"), c = path("c.txt");
    for (const QString &file : {a, b, c})
        QVERIFY(TestFolder::put(file, "x"));
    m_host->setLists({{a, b, c}});
    QVERIFY(QFile::remove(b));
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 1;
    QSignalSpy finished(m_plugin, &PluginBase::jobsFinishedSignal);
    startAndWait();

    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toInt(), 2);
    QCOMPARE(finished.first().at(1).toInt(), 1);
    QCOMPARE(m_host->tipsWith(0, 0), (QList<Tip>{{0, 0, b, true}}));
    QList<Tip> done = m_host->tipsWith(-4, 0);
    QCOMPARE(done.size(), 2);
    for (const Tip &tip : done)
        QVERIFY(tip.fileName != b);
    QVERIFY(!QFile::exists(b));
    QCOMPARE(QSet<QString>(m_plugin->ended.begin(), m_plugin->ended.end()),
             (QSet<QString>{a + ":1", b + ":0", c + ":1"}));
    QCOMPARE(TestFolder::bytesOf(a), QByteArray("X"));
    QCOMPARE(TestFolder::bytesOf(c), QByteArray("X"));
    // The host counted two of three completions; the start's end enables
    // it all the same.
    QCOMPARE(m_host->uiEnabledCalls.last(), true);
    QVERIFY(m_host->enabled());
    QVERIFY(m_plugin->listDock()->isEnabled());
    QVERIFY(!m_plugin->isRunning());
}

void TestDispatch::undecodableFileLeftUntouched()
{
    const QString bad = path("bad.txt");
    const QByteArray bytes("ok \xC3\x28 broken");
    QVERIFY(TestFolder::put(bad, bytes));
    m_host->setLists({{bad}});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 1;
    startAndWait();
    QCOMPARE(m_host->tipsWith(0, 6), (QList<Tip>{{0, 6, bad, true}}));
    QVERIFY(m_host->tipsWith(-4, 0).isEmpty());
    QCOMPARE(TestFolder::bytesOf(bad), bytes);
    QVERIFY(m_host->enabled());
}

void TestDispatch::formatKeptOnRewrite()
{
    const QString file = path("crlf.txt");
    QVERIFY(TestFolder::put(file, "\xEF\xBB\xBF" "ab\r\ncd\r\n"));
    m_host->setLists({{file}});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 1;
    m_plugin->suffix = QStringLiteral("e\n");
    startAndWait();
    QCOMPARE(TestFolder::bytesOf(file), QByteArray("\xEF\xBB\xBF" "AB\r\nCD\r\ne\r\n"));
}

void TestDispatch::unchangedFileNotRewritten()
{
    const QString same = path("same.txt");
    const QString other = path("other.txt");
    QVERIFY(TestFolder::put(same, "ALREADY UPPER\n"));
    QVERIFY(TestFolder::put(other, "lower\n"));
    QFile file(same);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
    file.close();
    struct stat before;
    QCOMPARE(::stat(QFile::encodeName(same).constData(), &before), 0);

    m_host->setLists({{same, other}});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 1;
    startAndWait();
    struct stat after;
    QCOMPARE(::stat(QFile::encodeName(same).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    QCOMPARE(m_host->tipsWith(0, 5), (QList<Tip>{{0, 5, same, true}}));
    QCOMPARE(m_host->tipsWith(0, 4), (QList<Tip>{{0, 4, other, true}}));
    // Both count as done.
    QCOMPARE(m_host->tipsWith(-4, 0).size(), 2);
    QCOMPARE(m_plugin->ended.size(), 2);
}

void TestDispatch::batchSyncedOnceAfterLastWrite_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("syncs");
    QTest::newRow("files rewritten") << QByteArray("lower") << 1;
    QTest::newRow("nothing to write") << QByteArray("UPPER") << 0;
}

// The batch's writes become durable with one sync per file system, after
// the last file is written and before the job's closing tip.
void TestDispatch::batchSyncedOnceAfterLastWrite()
{
    QFETCH(QByteArray, content);
    QFETCH(int, syncs);
    QStringList files;
    for (int i = 0; i < 20; ++i) {
        files << path(QStringLiteral("s%1.txt").arg(i));
        QVERIFY(TestFolder::put(files.last(), content));
    }
    QDir().mkpath(path("sub"));
    files << path("sub/t.txt");
    QVERIFY(TestFolder::put(files.last(), content));

    struct Call { QString folder; int tipsBefore; int newFiles; };
    QList<Call> calls;
    JobBatch::setSyncFunction([&](const QString &folder) {
        // The GUI thread is idle meanwhile: every tip of the jobs has been
        // delivered, and the closing tip waits for this call to return.
        int newFiles = 0;
        for (const QString &file : files)
            newFiles += TestFolder::bytesOf(file) == content.toUpper();
        calls << Call{folder, m_host->tips.size(), newFiles};
    });
    m_host->setLists({files});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 1;
    startAndWait();
    JobBatch::setSyncFunction(JobBatch::SyncFunction());

    QCOMPARE(calls.size(), syncs);
    QCOMPARE(m_host->tipsWith(-4, 2).size(), 1);
    QCOMPARE(m_host->tips.last().var1, -4);
    QCOMPARE(m_host->tips.last().var2, 2);
    if (syncs) {
        QCOMPARE(calls.first().newFiles, files.size());
        // Every tip but the closing one came before the sync.
        QCOMPARE(calls.first().tipsBefore, m_host->tips.size() - 1);
    }
}

void TestDispatch::refusedOptionsCancel()
{
    const QString a = path("a.txt");
    QVERIFY(TestFolder::put(a, "x"));
    m_host->setLists({{a}});
    m_plugin->state().currentIndex = TestPlugin::Upper;
    m_plugin->state().currentRange = 0;
    m_plugin->refuseOptions = true;
    startAndWait();
    QCOMPARE(m_host->tips, (QList<Tip>{{-6, 0, QString(), true}}));
    QCOMPARE(m_plugin->optionFiles, QStringList{a});
    QVERIFY(m_host->taskCounts.isEmpty());
    QVERIFY(m_plugin->workerFiles.isEmpty());
    QCOMPARE(TestFolder::bytesOf(a), QByteArray("x"));
    QVERIFY(m_host->enabled());
    QVERIFY(m_plugin->optionDock()->isEnabled());
}

void TestDispatch::multiFileOneJobPerList_data()
{
    QTest::addColumn<int>("multiRange");
    QTest::addColumn<QStringList>("outputs");
    // The empty second list gets no job.
    QTest::newRow("all lists") << 0 << QStringList{"merge100.txt", "merge102.txt"};
    QTest::newRow("current list") << 1 << QStringList{"merge102.txt"};
}

void TestDispatch::multiFileOneJobPerList()
{
    QFETCH(int, multiRange);
    QFETCH(QStringList, outputs);
    const QString a = path("a.txt"), b = path("b.txt"), c = path("c.txt");
    QVERIFY(TestFolder::put(a, "1"));
    QVERIFY(TestFolder::put(b, "2"));
    QVERIFY(TestFolder::put(c, "3"));
    QDir().mkpath(path("out"));
    m_host->setLists({{a, b}, {}, {c, a}}, 2);
    m_plugin->outFolder = path("out");
    m_plugin->state().currentIndex = TestPlugin::Merge;
    m_plugin->state().currentRange = 2;
    m_plugin->state().currentMultiRange = multiRange;
    startAndWait();

    QCOMPARE(m_host->taskCounts, QList<int>{outputs.size()});
    QCOMPARE(QDir(path("out")).entryList(QDir::Files), outputs);
    QCOMPARE(TestFolder::bytesOf(path("out/merge102.txt")), QByteArray("3\n1"));
    // One new list before the jobs; each produced file goes back to the
    // host, in the order of the lists whatever order the jobs ended in.
    QStringList added{ "newList Merge" };
    for (const QString &output : outputs)
        added << "Merge:" + path("out/" + output);
    QCOMPARE(m_host->added, added);
    QCOMPARE(m_host->tipsWith(-4, 0).size(), outputs.size());
    // Inputs are only read.
    QCOMPARE(TestFolder::bytesOf(a), QByteArray("1"));
    QVERIFY(m_host->enabled());
}

void TestDispatch::secondStartWaitsForFirst()
{
    const QString a = path("a.txt");
    QVERIFY(TestFolder::put(a, "x"));
    m_host->setLists({{a}});
    m_plugin->state().currentIndex = TestPlugin::Block;
    m_plugin->state().currentRange = 1;
    QSignalSpy finished(m_plugin, &PluginBase::jobsFinishedSignal);
    m_plugin->startSlot();
    QVERIFY(m_plugin->isRunning());
    QVERIFY(!m_host->enabled());
    QVERIFY(!m_plugin->listDock()->isEnabled());
    // Pressing start again while the job runs starts nothing more.
    m_plugin->startSlot();
    QCOMPARE(m_host->taskCounts, QList<int>{1});
    QCOMPARE(m_plugin->workerFiles.size(), 1);

    BlockingWorker::gate.release();
    QVERIFY(finished.wait(10000));
    QCoreApplication::processEvents();
    QCOMPARE(TestFolder::bytesOf(a), QByteArray("X"));
    QVERIFY(m_host->enabled());
    QVERIFY(m_plugin->listDock()->isEnabled());
}

void TestDispatch::distinctFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("order kept") << QStringList{"c", "a", "b"} << QStringList{"c", "a", "b"};
    QTest::newRow("repeat dropped") << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
    QTest::newRow("relative spellings") << QStringList{"a", "./a", "sub/../a"} << QStringList{"a"};
    QTest::newRow("missing files too") << QStringList{"gone", "./gone"} << QStringList{"gone"};
    QTest::newRow("link to a file") << QStringList{"a", "link"} << QStringList{"a"};
    QTest::newRow("empty name once") << QStringList{"", "a", ""} << QStringList{"", "a"};
    QTest::newRow("case differs") << QStringList{"a", "A"} << QStringList{"a", "A"};
}

void TestDispatch::distinctFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, expected);
    QVERIFY(TestFolder::put(path("a"), "a"));
    QVERIFY(TestFolder::put(path("A"), "A"));
    QDir().mkpath(path("sub"));
    QFile::link(path("a"), path("link"));
    QCOMPARE(JobBatch::distinctFiles(files), expected);
}

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
