#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtConcurrent>
#include <QtTest>

#include <unistd.h>

#include "batchbackup.h"
#include "fakehost.h"
#include "ini.h"
#include "pipewatchdog.h"
#include "smallmount.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "testfolder.h"
#include "testplugin.h"
#include "testworkers.h"
#include "tipcodes.h"

namespace {

// One batch as the workers run it: keep, then replace, for each file.
void rewrite(const QString &root, const QStringList &files, const QString &suffix, int keepBatches = 10)
{
    BatchBackup backup(root);
    for (const QString &file : files) {
        QString text;
        QCOMPARE(ReadWriteTxt::readFile(file, text), int(ReadWriteTxt::ReadOk));
        text += suffix;
        bool kept = false;
        QCOMPARE(ReadWriteTxt::writeFile(file, text, nullptr, ReadWriteTxt::SyncLater,
                                         [&] { return kept = backup.keep(file, text); }),
                 int(ReadWriteTxt::Saved));
        QVERIFY(kept);
    }
    backup.close(keepBatches);
}

} // namespace

// Progress, cancel and undo of the batches that rewrite files in place.
class TestBatchSafety : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }
    void cleanupTestCase() { joinPoolThreads(); }
    void init();
    void cleanup();

    void progressCountsEveryEndedJob();
    void cancelLeavesQueuedAndRunningFilesUntouched();
    void batchThroughPluginIsUndone();
    void specialFileMetAtReadTime_data();
    void specialFileMetAtReadTime();
    void storeThatCannotKeep_data();
    void storeThatCannotKeep();
    void undo_data();
    void undo();
    void undoTakesBatchesNewestFirst();
    void workersKeepSideBySide();
    void onlyNewestBatchesKept();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    QString root() const { return m_folder.path(QStringLiteral("data/undo")); }
    void start(int index);

    TestFolder m_folder;
    FakeHost *m_host = nullptr;
    TestPlugin *m_plugin = nullptr;
};

void TestBatchSafety::init()
{
    QVERIFY(m_folder.enter());
    m_host = new FakeHost;
    m_plugin = new TestPlugin;
    m_plugin->setHost(m_host);
    QVERIFY(m_plugin->openPlugin(20, 80));
    m_host->tips.clear();
}

void TestBatchSafety::cleanup()
{
    delete m_plugin;
    m_plugin = nullptr;
    delete m_host;
    m_host = nullptr;
    m_folder.leave();
    QCOMPARE(UpperWorker::alive.loadAcquire(), 0);
}

void TestBatchSafety::start(int index)
{
    m_plugin->state().currentIndex = index;
    m_plugin->state().currentRange = allLists;
    QSignalSpy finished(m_plugin, &PluginBase::jobsFinishedSignal);
    m_plugin->startSlot();
    if (finished.isEmpty())
        QVERIFY(finished.wait(10000));
    QCoreApplication::processEvents();
}

void TestBatchSafety::progressCountsEveryEndedJob()
{
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), "b"));
    m_host->setLists({ { path("a.txt"), path("missing.txt"), path("b.txt") } });
    start(TestPlugin::Upper);
    // Three announced, three ended (the failed one too), so the bar fills.
    QCOMPARE(m_host->taskCounts, QList<int>{ 3 });
    QCOMPARE(m_host->progress.size(), 3);
    QVERIFY(m_host->progress.last().startsWith(QStringLiteral("3/3 ")));
    QStringList names;
    for (const QString &line : m_host->progress)
        names << line.section(QLatin1Char(' '), 1);
    QCOMPARE(QSet<QString>(names.begin(), names.end()),
             (QSet<QString>{ path("a.txt"), path("missing.txt"), path("b.txt") }));
}

void TestBatchSafety::cancelLeavesQueuedAndRunningFilesUntouched()
{
    QStringList files;
    for (int i = 0; i < 6; ++i) {
        files << path(QStringLiteral("f%1.txt").arg(i));
        QVERIFY(TestFolder::put(files.last(), "old"));
    }
    m_host->setLists({ files });
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    m_plugin->state().currentIndex = TestPlugin::Block;
    m_plugin->state().currentRange = allLists;
    QSignalSpy finished(m_plugin, &PluginBase::jobsFinishedSignal);
    m_plugin->startSlot();
    QVERIFY(finished.isEmpty());

    // The first job is held in its run; cancel must not wait for it.
    m_plugin->cancelJobs();
    QCOMPARE(finished.size(), 1);
    QVERIFY(m_host->uiEnabledCalls.last());
    QVERIFY(!m_plugin->isRunning());

    BlockingWorker::gate.release(6);
    QVERIFY(QThreadPool::globalInstance()->waitForDone(10000));
    QThreadPool::globalInstance()->setMaxThreadCount(threads);
    QTRY_COMPARE(UpperWorker::alive.loadAcquire(), 0);
    for (const QString &file : files)
        QCOMPARE(TestFolder::bytesOf(file), QByteArray("old"));
    QVERIFY(m_host->tipsWith(Tips::Saved.var1, Tips::Saved.var2).isEmpty());
    QCOMPARE(m_host->tipsWith(Tips::JobCancelled.var1, Tips::JobCancelled.var2).size(), 1);
    QCOMPARE(finished.size(), 1);
    // Nothing was replaced, so nothing is kept for undo.
    QVERIFY(BatchBackup::batches(root()).isEmpty());
    BlockingWorker::gate.acquire(BlockingWorker::gate.available());
}

void TestBatchSafety::batchThroughPluginIsUndone()
{
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), "b"));
    // a.txt stands in both lists: one job, one backup.
    m_host->setLists({ { path("a.txt"), path("b.txt") }, { path("a.txt") } });
    start(TestPlugin::Upper);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("A"));
    const QStringList batches = BatchBackup::batches(root());
    QCOMPARE(batches.size(), 1);
    QCOMPARE(TestFolder::bytesOf(batches.first() + "/journal.txt").count('\n'), 2);

    const BatchBackup::UndoResult result = BatchBackup::undoLast(root());
    QCOMPARE(result.restored.size(), 2);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a"));
    QCOMPARE(TestFolder::bytesOf(path("b.txt")), QByteArray("b"));
    QVERIFY(BatchBackup::batches(root()).isEmpty());
}

void TestBatchSafety::specialFileMetAtReadTime_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("index");
    QTest::newRow("named pipe, file job") << "pipe" << int(TestPlugin::Upper);
    QTest::newRow("named pipe, list job") << "pipe" << int(TestPlugin::Merge);
    QTest::newRow("socket, file job") << "socket" << int(TestPlugin::Upper);
    QTest::newRow("device, file job") << "device" << int(TestPlugin::Upper);
    QTest::newRow("folder, file job") << "folder" << int(TestPlugin::Upper);
}

// A listed file replaced by a special one before its job reads it: the job
// refuses it at once, the other files are done and the batch ends.
void TestBatchSafety::specialFileMetAtReadTime()
{
    QFETCH(QString, kind);
    QFETCH(int, index);
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), "b"));
    m_host->setLists({ { path("a.txt"), path("b.txt") } });
    QVERIFY(TestFolder::putSpecial(path("b.txt"), kind));
    m_plugin->outFolder = m_folder.path();
    PipeWatchdog watchdog({ path("b.txt") }, 8000);
    start(index);
    QVERIFY(!watchdog.fired());
    QVERIFY(!m_plugin->isRunning());
    if (index == TestPlugin::Merge) {
        QCOMPARE(TestFolder::bytesOf(path(QStringLiteral("merge%1.txt").arg(m_host->listId(0)))), QByteArray("a"));
        return;
    }
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("A"));
    QCOMPARE(m_host->tipsWith(Tips::NotRegular.var1, Tips::NotRegular.var2),
             (QList<Tip>{ { Tips::NotRegular.var1, Tips::NotRegular.var2, path("b.txt"), true } }));
    QVERIFY(m_plugin->ended.contains(path("b.txt") + ":0"));
}

void TestBatchSafety::storeThatCannotKeep_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<bool>("undoOn");
    QTest::addColumn<int>("reason"); // var2 of the (12, n) line that says why
    QTest::newRow("store folder is a file") << "file" << true << Tips::StoreFailed.var2;
    QTest::newRow("full disk") << "full" << true << Tips::StoreFull.var2;
    QTest::newRow("no inodes left") << "no inodes" << true << Tips::StoreNoInodes.var2;
    QTest::newRow("read-only file system") << "read-only" << true << Tips::StoreReadOnly.var2;
    QTest::newRow("undo off: nothing changes") << "file" << false << 0;
}

// With undo on, a file whose previous content cannot be kept is left as
// it is and counted as failed; the first failure also says why, once.
void TestBatchSafety::storeThatCannotKeep()
{
    QFETCH(QString, store);
    QFETCH(bool, undoOn);
    QFETCH(int, reason);
    const QStringList files = { path("a.txt"), path("b.txt"), path("c.txt") };
    for (const QString &file : files)
        QVERIFY(TestFolder::put(file, QFileInfo(file).baseName().toLatin1()));
    if (!undoOn)
        QVERIFY(writeIni(configureIni(), QStringLiteral("undo"), QStringLiteral("batches"), QStringLiteral("0")));
    std::unique_ptr<SmallMount> mount;
    if (store == "file") {
        QVERIFY(TestFolder::put(root(), "not a folder"));
    } else {
        mount.reset(new SmallMount(store == "no inodes" ? "nr_inodes=2" : "size=64k", root()));
        if (!mount->isMounted())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        if (store == "full")
            mount->fill();
        if (store == "read-only")
            QVERIFY(mount->makeReadOnly());
    }
    m_host->setLists({ files });
    start(TestPlugin::Upper);

    QStringList ended;
    for (const QString &file : files)
        ended << file + (undoOn ? ":0" : ":1");
    std::sort(m_plugin->ended.begin(), m_plugin->ended.end());
    QCOMPARE(m_plugin->ended, ended);
    QList<Tip> notKept, reasons;
    for (const Tip &tip : m_host->tips) {
        if (tip.var1 == Tips::NotKept.var1 && tip.var2 == Tips::NotKept.var2)
            notKept << tip;
        if (tip.var1 == Tips::StoreFull.var1 && tip.var2 >= Tips::StoreFull.var2)
            reasons << tip;
    }
    if (!undoOn) {
        QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("A"));
        QVERIFY(notKept.isEmpty() && reasons.isEmpty());
        return;
    }
    for (const QString &file : files)
        QCOMPARE(TestFolder::bytesOf(file), QFileInfo(file).baseName().toLatin1());
    QCOMPARE(notKept.size(), files.size());
    QCOMPARE(reasons, (QList<Tip>{ { Tips::StoreFull.var1, reason, BatchBackup::defaultRoot(), true } }));
    QVERIFY(BatchBackup::batches(root()).isEmpty());
}

void TestBatchSafety::undo_data()
{
    QTest::addColumn<QString>("after");     // what happens to b.txt after the batch
    QTest::addColumn<QByteArray>("bAfterUndo");
    QTest::addColumn<int>("restored");
    QTest::newRow("untouched since") << "" << QByteArray("b") << 2;
    QTest::newRow("edited since: left alone") << "edit" << QByteArray("edited") << 1;
    QTest::newRow("second name, rewritten in place") << "link" << QByteArray("b") << 2;
    QTest::newRow("journal of an earlier version (SHA-1)") << "sha1" << QByteArray("b") << 2;
}

void TestBatchSafety::undo()
{
    QFETCH(QString, after);
    QFETCH(QByteArray, bAfterUndo);
    QFETCH(int, restored);
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), "b"));
    if (after == "link")
        QCOMPARE(::link(QFile::encodeName(path("b.txt")).constData(), QFile::encodeName(path("b2.txt")).constData()), 0);
    rewrite(root(), { path("a.txt"), path("b.txt") }, QStringLiteral("+1"));
    QCOMPARE(TestFolder::bytesOf(path("b.txt")), QByteArray("b+1"));
    if (after == "edit")
        QVERIFY(TestFolder::put(path("b.txt"), "edited"));
    if (after == "sha1") {
        const QString journal = BatchBackup::batches(root()).value(0) + "/journal.txt";
        QList<QByteArray> lines = TestFolder::bytesOf(journal).split('\n');
        for (QByteArray &line : lines) {
            QList<QByteArray> fields = line.split('\t');
            if (fields.size() != 3)
                continue;
            const QString text = QString::fromUtf8(TestFolder::bytesOf(QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(2)))));
            fields[1] = QCryptographicHash::hash(QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2),
                                                 QCryptographicHash::Sha1).toHex();
            line = fields.join('\t');
        }
        QVERIFY(TestFolder::put(journal, lines.join('\n')));
    }

    const BatchBackup::UndoResult result = BatchBackup::undoLast(root());
    QVERIFY(result.found);
    QCOMPARE(result.restored.size(), restored);
    QCOMPARE(result.changed.size(), 2 - restored);
    QVERIFY(result.failed.isEmpty());
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a"));
    QCOMPARE(TestFolder::bytesOf(path("b.txt")), bAfterUndo);
    if (after == "link")
        QCOMPARE(TestFolder::bytesOf(path("b2.txt")), QByteArray("b"));
}

void TestBatchSafety::undoTakesBatchesNewestFirst()
{
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    rewrite(root(), { path("a.txt") }, QStringLiteral("1"));
    rewrite(root(), { path("a.txt") }, QStringLiteral("2"));
    // Killed between keeping a file and replacing it: undo finds it as it was.
    {
        BatchBackup killed(root());
        QVERIFY(killed.keep(path("a.txt"), QStringLiteral("a123")));
    }
    QCOMPARE(BatchBackup::undoLast(root()).restored.size(), 1);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a12"));
    QVERIFY(BatchBackup::undoLast(root()).found);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a1"));
    QVERIFY(BatchBackup::undoLast(root()).found);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a"));
    QVERIFY(!BatchBackup::undoLast(root()).found);
}

// Workers keeping their files at the same time: each backup its own
// name and journal line, and undo brings every file back.
void TestBatchSafety::workersKeepSideBySide()
{
    QStringList files;
    for (int i = 0; i < 200; ++i) {
        files << path(QStringLiteral("f%1.txt").arg(i));
        QVERIFY(TestFolder::put(files.last(), QByteArray::number(i)));
    }
    BatchBackup backup(root());
    QtConcurrent::blockingMap(files, [&backup](const QString &file) {
        const QString text = QString::fromLatin1(TestFolder::bytesOf(file)) + QLatin1Char('x');
        ReadWriteTxt::writeFile(file, text, nullptr, ReadWriteTxt::SyncLater, [&] { return backup.keep(file, text); });
    });
    QCOMPARE(backup.keptCount(), files.size());
    backup.close(10);
    const BatchBackup::UndoResult result = BatchBackup::undoLast(root());
    QCOMPARE(result.restored.size(), files.size());
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(TestFolder::bytesOf(files.at(i)), QByteArray::number(i));
}

void TestBatchSafety::onlyNewestBatchesKept()
{
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    for (int i = 0; i < 12; ++i)
        rewrite(root(), { path("a.txt") }, QString::number(i % 10));
    const QStringList batches = BatchBackup::batches(root());
    QCOMPARE(batches.size(), 10);
    QVERIFY(std::is_sorted(batches.begin(), batches.end()));
    // The two oldest left the list at once; their files go when the
    // pruned batches are removed (on a pool thread after a real batch).
    QCOMPARE(QDir(root()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 12);
    BatchBackup::removePruned(root());
    QCOMPARE(QDir(root()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 10);
    // A batch that replaced nothing leaves no folder.
    BatchBackup empty(root());
    empty.close(10);
    QCOMPARE(BatchBackup::batches(root()), batches);
}

QTEST_MAIN(TestBatchSafety)
#include "tst_batchsafety.moc"
