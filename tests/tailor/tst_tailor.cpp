#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QtTest>

#include "batchbackup.h"
#include "filetype.h"
#include "hostdriver.h"
#include "mainwindow.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Customized V0.0.0.1");
const QString listDock = QStringLiteral("Customized");
const QByteArray utf8Bom("\xEF\xBB\xBF");

} // namespace

// The real host loading the real customized-jobs plug-in, run over real
// lists of real files.
class TestTailor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }
    void init() { QVERIFY(m_folder.enter()); }
    void cleanup();

    void loadsAndShowsItsPages();
    void abOverTwoLists();
    void abFailureLeavesFilesAndEnds_data();
    void abFailureLeavesFilesAndEnds();
    void articleArrangements_data();
    void articleArrangements();
    void articleRefused_data();
    void articleRefused();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    void startWithPlugin();
    // A new list named name holding files, each created with its bytes.
    void addList(const QString &name, const QList<QPair<QString, QByteArray>> &files);
    void choose(const char *label) { QVERIFY(m_host.click(listDock, QLatin1String(label))); }
    void start() { QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_start"))); }
    template <class T>
    T *option(const char *name) const
    {
        return m_host.dock(listDock) ? m_host.window()->findChild<T *>(QLatin1String(name)) : nullptr;
    }
    void waitUntilUsable();
    bool said(const QString &text) const { return m_host.messages().contains(text); }

    TestFolder m_folder;
    HostDriver m_host;
};

void TestTailor::cleanup()
{
    // The plug-in object outlives each test's main window; closing its
    // list dock puts it back to no operation chosen.
    if (m_host.window() && m_host.dock(listDock))
        m_host.dock(listDock)->close();
    m_host.stop();
    m_folder.leave();
}

void TestTailor::startWithPlugin()
{
    QVERIFY(HostDriver::put("plus.ini", (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
}

void TestTailor::addList(const QString &name, const QList<QPair<QString, QByteArray>> &files)
{
    MainWindow *window = m_host.window();
    window->newList(name);
    for (const auto &file : files) {
        QVERIFY(QDir().mkpath(QFileInfo(path(file.first)).absolutePath()));
        QVERIFY(HostDriver::put(path(file.first), file.second));
        window->addFileToList(path(file.first), name);
    }
}

void TestTailor::waitUntilUsable()
{
    QTRY_VERIFY2(m_host.window()->isUiEnabled(), qPrintable(m_host.messages()));
    QTRY_VERIFY(m_host.dock(listDock)->isEnabled());
}

void TestTailor::loadsAndShowsItsPages()
{
    startWithPlugin();
    QVERIFY(m_host.pluginAction(key));
    addList("A", { { "a.txt", "a\n" } });
    addList("B", { { "b.txt", "b\n" } });
    QDockWidget *options = m_host.dock(QStringLiteral("处理选项"));
    QVERIFY(options);
    auto *pages = options->findChild<QStackedWidget *>();
    QCOMPARE(pages->currentIndex(), 2);
    const QString explain = options->findChild<QLabel *>("label_explain")->text();
    QVERIFY(explain.contains("dlcnd----weasr") && explain.contains(QString::fromUtf8("枚举出所有中间部分的组合")));

    // Nothing chosen yet.
    start();
    waitUntilUsable();
    QVERIFY(said(QString::fromUtf8("未选择")));

    choose("Label_customizedAB");
    QCOMPARE(options->windowTitle(), QStringLiteral("Customized - AB"));
    QCOMPARE(pages->currentIndex(), 0);
    auto *b = option<QComboBox>("comboBox_ABB");
    QCOMPARE(b->count(), 2);
    QCOMPARE(b->itemText(1), m_host.window()->listTitle(1));

    choose("Label_customizedArticle");
    QCOMPARE(options->windowTitle(), QStringLiteral("Customized - Article"));
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(option<QComboBox>("comboBox_article")->count(), 2);
}

// The A files keep their line ends and byte-order mark; the output goes
// into a new list "New".
void TestTailor::abOverTwoLists()
{
    startWithPlugin();
    addList("A", { { "a/a1.txt", "dlcnd\r\nfdgrr\r\n\r\nk\r\n" }, { "a/a2.txt", utf8Bom + "zz\nk" },
                   { "a/a3.txt", "k\n" } });
    addList("B", { { "b1.txt", "dlcnd----weasr\ntocl----t46gf5\ndetb----56t\nk-1\n" }, { "b2.txt", "k-2" } });
    choose("Label_customizedAB");
    option<QComboBox>("comboBox_ABA")->setCurrentIndex(0);
    option<QComboBox>("comboBox_ABB")->setCurrentIndex(1);
    start();
    waitUntilUsable();

    QCOMPARE(HostDriver::bytesOf(path("a/new.txt")), QByteArray("dlcnd----weasr\nk-1\nk-2\nk-1\nk-2\nk-1\nk-2\n"));
    QCOMPARE(HostDriver::bytesOf(path("a/a1.txt")), QByteArray("dlcnd\r\nfdgrr not find!\r\nk\r\n"));
    QCOMPARE(HostDriver::bytesOf(path("a/a2.txt")), utf8Bom + "zz not find!\nk\n");
    // One closing line for the start: three A files done, one of them unchanged.
    QCOMPARE(m_host.messages().count(QString::fromUtf8("所有线程处理")), 1);
    QVERIFY2(said(QString::fromUtf8("完成 3 个文件(其中无变化 1 个)")), qPrintable(m_host.messages()));
    MainWindow *window = m_host.window();
    QCOMPARE(window->listCount(), 3);
    QVERIFY(window->listTitle(2).startsWith("New"));
    QCOMPARE(window->listFiles(2).size(), 1);
    QCOMPARE(window->listFiles(2).first()->fileName, path("a/new.txt"));

    // The marked A files come back with undo.
    const BatchBackup::UndoResult undone = BatchBackup::undoLast(BatchBackup::defaultRoot());
    QCOMPARE(undone.restored.size(), 2);
    QCOMPARE(HostDriver::bytesOf(path("a/a1.txt")), QByteArray("dlcnd\r\nfdgrr\r\n\r\nk\r\n"));
    QCOMPARE(HostDriver::bytesOf(path("a/a2.txt")), utf8Bom + "zz\nk");
}

void TestTailor::abFailureLeavesFilesAndEnds_data()
{
    QTest::addColumn<QString>("broken"); // B file removed, or A file made undecodable
    QTest::addColumn<bool>("outputWritten");
    QTest::newRow("missing B file") << "b2.txt" << false;
    QTest::newRow("undecodable A file") << "a2.txt" << true;
}

// A failure on the way leaves what it concerns untouched, names it, and
// the job still ends with both sides usable.
void TestTailor::abFailureLeavesFilesAndEnds()
{
    QFETCH(QString, broken);
    QFETCH(bool, outputWritten);
    startWithPlugin();
    addList("A", { { "a1.txt", "k\n\n" }, { "a2.txt", "m\n" } });
    addList("B", { { "b1.txt", "k-1\n" }, { "b2.txt", "m-1\n" } });
    if (broken.startsWith('b'))
        QVERIFY(QFile::remove(path(broken)));
    else
        QVERIFY(HostDriver::put(path(broken), "m\x80\n"));
    choose("Label_customizedAB");
    option<QComboBox>("comboBox_ABB")->setCurrentIndex(1);
    start();
    waitUntilUsable();

    QVERIFY2(said(path(broken)) && !said(path(broken) + QString::fromUtf8(" 文件保存")), qPrintable(m_host.messages()));
    QVERIFY(said(QString::fromUtf8("所有线程处理")));
    QCOMPARE(QFile::exists(path("new.txt")), outputWritten);
    QCOMPARE(HostDriver::bytesOf(path("a1.txt")), QByteArray(outputWritten ? "k\n" : "k\n\n"));
    if (broken == "a2.txt")
        QCOMPARE(HostDriver::bytesOf(path("a2.txt")), QByteArray("m\x80\n"));
    QCOMPARE(m_host.window()->listCount(), outputWritten ? 3 : 2);

    // The next start is taken as usual.
    start();
    waitUntilUsable();
}

void TestTailor::articleArrangements_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("count 2") << "2" << QStringList{ "HXYT", "HXZT", "HYXT", "HYZT", "HZXT", "HZYT" };
    QTest::newRow("count 0") << "0" << QStringList{ "HT" };
}

void TestTailor::articleArrangements()
{
    QFETCH(QString, count);
    QFETCH(QStringList, files);
    startWithPlugin();
    addList("Docs", { { "docs/x.txt", "X" }, { "docs/y.txt", "Y" }, { "docs/z.txt", "Z" } });
    choose("Label_customizedArticle");
    option<QLineEdit>("lineEdit_articleCount")->setText(count);
    option<QPlainTextEdit>("plainTextEdit_articleFirst")->setPlainText("H");
    option<QPlainTextEdit>("plainTextEdit_articleLast")->setPlainText("T");
    start();
    waitUntilUsable();

    QVERIFY2(said(QString::fromUtf8("所有线程处理")), qPrintable(m_host.messages()));
    for (int i = 0; i < files.size(); ++i) {
        const QString name = path(QString("docs/%1.txt").arg(i + 1));
        QCOMPARE(HostDriver::bytesOf(name), files.at(i).toUtf8());
        QVERIFY(said(name + QString::fromUtf8(" 文件保存")));
    }
    QVERIFY(!QFile::exists(path(QString("docs/%1.txt").arg(files.size() + 1))));
}

void TestTailor::articleRefused_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("documents");
    QTest::newRow("count below 0") << "-1" << 3;
    QTest::newRow("count above the list size") << "4" << 3;
    QTest::newRow("no number") << "two" << 3;
    QTest::newRow("29 documents") << "1" << 29;
}

void TestTailor::articleRefused()
{
    QFETCH(QString, count);
    QFETCH(int, documents);
    startWithPlugin();
    QList<QPair<QString, QByteArray>> files;
    for (int i = 0; i < documents; ++i)
        files << qMakePair(QString("d%1.txt").arg(i), QByteArray("D"));
    addList("Docs", files);
    choose("Label_customizedArticle");
    option<QLineEdit>("lineEdit_articleCount")->setText(count);
    start();
    waitUntilUsable();
    QVERIFY(said(QString::fromUtf8("参数设置有误")));
    QVERIFY(!QFile::exists(path("1.txt")));
}

QTEST_MAIN(TestTailor)
#include "tst_tailor.moc"
