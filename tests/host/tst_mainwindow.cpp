#include <QAction>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextBrowser>
#include <QtTest>

#include "codeeditorex.h"
#include "dockwidgettips.h"
#include "emptyguide.h"
#include "batchbackup.h"
#include "mainwindow.h"
#include "mytablemodel.h"
#include "readwritetxt.h"
#include "tableviewwidget.h"
#include "testfolder.h"
#include "windowlayout.h"

namespace {

void setIni(const QString &group, const QString &key, const QString &value)
{
    QSettings settings(QStringLiteral("./configure.ini"), QSettings::IniFormat);
    settings.setValue(group + '/' + key, value);
}

void append(QPlainTextEdit *editor, const QString &text)
{
    editor->moveCursor(QTextCursor::End);
    editor->insertPlainText(text);
}

QStringList titlesOf(const QList<TableViewWidget *> &lists)
{
    QStringList titles;
    for (const TableViewWidget *list : lists)
        titles << list->windowTitle();
    return titles;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menus();
    void emptyGuideShownAndHidden_data();
    void emptyGuideShownAndHidden();
    void emptyGuideLinks();
    void startLists_data();
    void startLists();
    void listPlacement();
    void activationShowsListCount();
    void closingListsByWindow();
    void newDocumentsConsumeListNumbers();
    void openAllStopsAtFirstEmptyList_data();
    void openAllStopsAtFirstEmptyList();
    void openingTwiceActivates();
    void doubleClickOpens();
    void commandLineFiles_data();
    void commandLineFiles();
    void manyEditorsAsked_data();
    void manyEditorsAsked();
    void closeOther_data();
    void closeOther();
    void closeCurrentClosesList();
    void delAllListKeepsEditors();
    void delAllClearsCurrentEditor();
    void delSelectedClosesTheirEditors();
    void listCloseSavesChanges();
    void firstSave_data();
    void firstSave();
    void closeCommands();
    void closeKeepsEditorWhoseSaveFails();
    void closeDropsUnreadableEditorWithoutWriting();
    void saveSignalSavesListEditors();
    void zoomCommandsActOnAll();
    void addTargetsList();

    void faceOutOfRange_data();
    void faceOutOfRange();
    void faceWithoutLists();
    void faceAddFileToList();
    void faceTips();
    void progressWhileJobRuns();
    void undoRemovesLeftoversOfKilledBatch();
    void faceQueriesAndCast();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A list created by the list command, holding count new files.
    TableViewWidget *listWithFiles(int count);
    void trigger(const char *action);

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
    int m_fileNumber = 0;
};

void TestMainWindow::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestMainWindow::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_fileNumber = 0;
    m_window = new MainWindow;
}

void TestMainWindow::cleanup()
{
    CodeEditorEx::setSaveDialog(nullptr);
    MainWindow::setManyEditorsQuestion(nullptr);
    delete m_window;
    m_window = nullptr;
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestMainWindow::trigger(const char *action)
{
    QAction *found = m_window->findChild<QAction *>(QLatin1String(action));
    QVERIFY2(found, action);
    found->trigger();
}

TableViewWidget *TestMainWindow::listWithFiles(int count)
{
    trigger("action_newList");
    TableViewWidget *list = m_window->currentList();
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString name = path(QString("f%1.txt").arg(++m_fileNumber));
        if (!TestFolder::put(name, "file " + QByteArray::number(m_fileNumber)))
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        paths << name;
    }
    list->addFiles(paths);
    return list;
}

void TestMainWindow::menus()
{
    // Every command of the menus is reachable: it has a name, words, a
    // handler (checked last, by taking the handlers away) and a shortcut no
    // other command has.
    QList<QAction *> commands;
    for (QAction *menuAction : m_window->menuBar()->actions()) {
        QMenu *menu = menuAction->menu();
        QVERIFY(menu);
        QVERIFY2(!menu->objectName().isEmpty() && !menu->title().isEmpty(), qPrintable(menu->title()));
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                commands << action;
        }
    }
    QVERIFY(commands.size() > 20);
    QSet<QString> names;
    QHash<QKeySequence, QString> shortcuts;
    for (QAction *action : qAsConst(commands)) {
        const QString name = action->objectName();
        QVERIFY2(!name.isEmpty() && !action->text().isEmpty(), qPrintable(action->text()));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
        for (const QKeySequence &key : action->shortcuts()) {
            QVERIFY2(!shortcuts.contains(key), qPrintable(name + ' ' + key.toString() + ' ' + shortcuts.value(key)));
            shortcuts.insert(key, name);
        }
    }

    // The guide is the built-in one, every part of it there; About names
    // the program as the title bar does.
    trigger("action_guide");
    QTextBrowser *guide = m_window->guideWindow();
    QVERIFY(guide && guide->isVisible());
    QCOMPARE(guide->windowTitle(), QStringLiteral("使用说明"));
    const QString text = guide->toPlainText();
    for (const char *part : {"三步开始", "文件列表", "范围", "插件", "预览与撤销", "编码", "命令行", "--run", "--undo"})
        QVERIFY2(text.contains(QString::fromUtf8(part)), part);
    const QString about = MainWindow::aboutText();
    for (const QString &part : {m_window->windowTitle(), QStringLiteral("Apache License 2.0"), QStringLiteral("OpenCC"),
                                QStringLiteral("jieba")})
        QVERIFY2(about.contains(part), qPrintable(part));

    QMdiArea *area = m_window->mdiArea();
    QCOMPARE(area->background().color(), QColor(200, 200, 200));
    QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);
    QCOMPARE(area->activationOrder(), QMdiArea::CreationOrder);
    trigger("action_tab");
    QCOMPARE(area->viewMode(), QMdiArea::TabbedView);
    trigger("action_4");
    QCOMPARE(area->viewMode(), QMdiArea::SubWindowView);

    // disconnect() says whether anything was connected to the signal.
    for (QAction *action : qAsConst(commands)) {
        const bool handled = QObject::disconnect(action, SIGNAL(triggered(bool)), nullptr, nullptr)
            || QObject::disconnect(action, SIGNAL(triggered()), nullptr, nullptr);
        QVERIFY2(handled, qPrintable(action->objectName()));
    }
}

// The guide of the empty work area: there while nothing is open, gone as
// soon as a list or an editor is, back when the last one closes.
void TestMainWindow::emptyGuideShownAndHidden_data()
{
    QTest::addColumn<QString>("opened"); // what is opened, then closed again
    QTest::newRow("a list") << "list";
    QTest::newRow("a list at start") << "start list";
    QTest::newRow("a new document") << "document";
    QTest::newRow("an editor of a list's file") << "editor";
    QTest::newRow("lists closed all at once") << "all lists";
}

void TestMainWindow::emptyGuideShownAndHidden()
{
    QFETCH(QString, opened);
    if (opened == "start list") {
        delete m_window;
        setIni("start", "listNumber", "1");
        m_window = new MainWindow;
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    EmptyGuide *guide = m_window->emptyGuide();
    QVERIFY(guide);
    if (opened != "start list") {
        QTRY_VERIFY(guide->isVisible());
        QVERIFY(m_window->mdiArea()->rect().contains(guide->geometry()));
        QVERIFY(guide->label()->text().contains(EmptyGuide::href(EmptyGuide::OpenPlugin)));
    }
    if (opened == "list" || opened == "all lists")
        trigger("action_newList");
    else if (opened == "document")
        trigger("action_new");
    else if (opened == "editor") {
        TableViewWidget *list = listWithFiles(1);
        m_window->openFiles(list->tableID(), list->entries());
    }
    QTRY_VERIFY(!guide->isVisible());

    if (opened == "list" || opened == "start list")
        m_window->lists().first()->close();
    else if (opened == "all lists")
        trigger("action_delAllList");
    else if (opened == "document")
        delete m_window->mdiArea()->subWindowList().first();
    else if (opened == "editor")
        trigger("action_closeCurrent"); // the list and its editor
    QTRY_VERIFY(guide->isVisible());
}

// Each step's link does what it says.
void TestMainWindow::emptyGuideLinks()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    EmptyGuide *guide = m_window->emptyGuide();
    emit guide->label()->linkActivated(EmptyGuide::href(EmptyGuide::ReadGuide));
    QVERIFY(m_window->guideWindow() && m_window->guideWindow()->isVisible());
    m_window->guideWindow()->close();
    emit guide->label()->linkActivated(EmptyGuide::href(EmptyGuide::OpenPlugin));
    QMenu *plugins = m_window->findChild<QMenu *>(QStringLiteral("menu_p"));
    QTRY_COMPARE(m_window->menuBar()->activeAction(), plugins->menuAction());
}

void TestMainWindow::startLists_data()
{
    QTest::addColumn<QString>("listNumber");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("next");
    QTest::newRow("no setting") << QString() << QStringList() << "List1";
    QTest::newRow("three") << "3" << QStringList({ "List1", "List2", "List3" }) << "List4";
    QTest::newRow("negative") << "-2" << QStringList() << "List1";
    QTest::newRow("not a number") << "abc" << QStringList() << "List1";
}

void TestMainWindow::startLists()
{
    QFETCH(QString, listNumber);
    QFETCH(QStringList, titles);
    QFETCH(QString, next);
    delete m_window;
    if (!listNumber.isNull())
        setIni("start", "listNumber", listNumber);
    m_window = new MainWindow;
    QCOMPARE(titlesOf(m_window->lists()), titles);
    for (const TableViewWidget *list : m_window->lists())
        QVERIFY(list->isVisible());
    trigger("action_newList");
    QCOMPARE(m_window->lists().last()->windowTitle(), next);
    QCOMPARE(m_window->currentList(), m_window->lists().last());
}

void TestMainWindow::listPlacement()
{
    trigger("action_newList");
    trigger("action_newList");
    const QList<TableViewWidget *> lists = m_window->lists();
    // The list column at the right of the work area, one below the other.
    const QRect column = WindowLayout::listColumn(m_window->workArea());
    QCOMPARE(lists.at(0)->pos(), column.topLeft());
    QCOMPARE(lists.at(1)->x(), column.x());
    QVERIFY(lists.at(1)->y() > lists.at(0)->frameGeometry().bottom());
    QVERIFY(column.contains(lists.at(1)->frameGeometry()));
    QVERIFY(lists.at(0)->isWindow());
    QCOMPARE(lists.at(0)->parentWidget(), m_window);
}

void TestMainWindow::activationShowsListCount()
{
    listWithFiles(1);
    TableViewWidget *second = listWithFiles(5);
    TableViewWidget *first = m_window->lists().first();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(first, &activate);
    QCOMPARE(m_window->currentList(), first);
    QCOMPARE(m_window->listLabel()->text(), QStringLiteral("List1(1)"));
    QCoreApplication::sendEvent(second, &activate);
    QCOMPARE(m_window->currentList(), second);
    QCOMPARE(m_window->listLabel()->text(), QStringLiteral("List2(5)"));
}

void TestMainWindow::closingListsByWindow()
{
    TableViewWidget *first = listWithFiles(1);
    TableViewWidget *second = listWithFiles(1);
    m_window->openFiles(first->tableID(), first->entries());
    m_window->openFiles(second->tableID(), second->entries());
    QCOMPARE(m_window->editors().size(), 2);

    QVERIFY(first->close());
    QCOMPARE(m_window->lists(), QList<TableViewWidget *>({ second }));
    QCOMPARE(m_window->currentList(), second);
    // The closed list's editor went with it.
    QCOMPARE(m_window->editors().size(), 1);
    QCOMPARE(m_window->editors().first()->tableID(), second->tableID());
    QCOMPARE(m_window->currentEditor(), m_window->editors().first());

    m_window->listLabel()->setText("List2(1)");
    QVERIFY(second->close());
    QVERIFY(m_window->lists().isEmpty());
    QVERIFY(!m_window->currentList());
    QVERIFY(m_window->listLabel()->text().isEmpty());
    QVERIFY(!m_window->currentEditor());
}

void TestMainWindow::newDocumentsConsumeListNumbers()
{
    trigger("action_new");
    trigger("action_new");
    QCOMPARE(m_window->editors().size(), 2);
    const int a = m_window->editors().at(0)->tableID();
    const int b = m_window->editors().at(1)->tableID();
    QCOMPARE(b - a, 1);
    QVERIFY(m_window->editors().at(0)->codeID() != m_window->editors().at(1)->codeID());
    QCOMPARE(m_window->currentEditor(), m_window->editors().at(1));
    QVERIFY(m_window->editors().at(1)->fileName().isEmpty());
    trigger("action_newList");
    QCOMPARE(m_window->currentList()->windowTitle(), QString("List%1").arg(b + 1));
}

void TestMainWindow::openAllStopsAtFirstEmptyList_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("opened");
    QTest::newRow("2, 0, 3") << QList<int>({ 2, 0, 3 }) << 2;
    QTest::newRow("1, 2, 0") << QList<int>({ 1, 2, 0 }) << 3;
    QTest::newRow("first empty") << QList<int>({ 0, 3 }) << 0;
    QTest::newRow("no list") << QList<int>() << 0;
}

void TestMainWindow::openAllStopsAtFirstEmptyList()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, opened);
    for (int count : counts)
        listWithFiles(count);
    trigger("action_openAll");
    QCOMPARE(m_window->editors().size(), opened);
    // Opening again brings the same editors forward, whichever list is current.
    trigger("action_openAll");
    QCOMPARE(m_window->editors().size(), opened);
}

void TestMainWindow::openingTwiceActivates()
{
    TableViewWidget *list = listWithFiles(2);
    m_window->openFiles(list->tableID(), list->entries());
    QCOMPARE(m_window->editors().size(), 2);
    CodeEditorEx *first = m_window->editors().first();
    QCOMPARE(first->fileName(), list->entries().first()->fileName);
    QCOMPARE(first->codeID(), list->entries().first()->id);
    m_window->openFiles(list->tableID(), { list->entries().first() });
    QCOMPARE(m_window->editors().size(), 2);
    QCOMPARE(m_window->currentEditor(), first);
    QCOMPARE(m_window->documentLabel()->text(), first->fileName());
    QCOMPARE(m_window->mdiArea()->activeSubWindow()->widget(), first);
}

void TestMainWindow::doubleClickOpens()
{
    TableViewWidget *list = listWithFiles(3);
    emit list->view()->doubleClicked(list->model()->index(1, 0));
    QCOMPARE(m_window->editors().size(), 1);
    QCOMPARE(m_window->currentEditor()->fileName(), list->entries().at(1)->fileName);
    QCOMPARE(m_window->currentEditor()->documentText(), QStringLiteral("file 2"));
}

void TestMainWindow::commandLineFiles_data()
{
    // The start-up lists configured; files on the command line go to the
    // first list, which is created when the settings ask for none.
    QTest::addColumn<int>("startLists");
    QTest::newRow("no list at start") << 0;
    QTest::newRow("two lists at start") << 2;
}

void TestMainWindow::commandLineFiles()
{
    QFETCH(int, startLists);
    delete m_window;
    setIni(QStringLiteral("start"), QStringLiteral("listNumber"), QString::number(startLists));
    m_window = new MainWindow;
    QVERIFY(TestFolder::put(path("a.txt"), "alpha"));
    QVERIFY(TestFolder::put(path("b.txt"), "beta"));
    QVERIFY(QDir().mkdir(path("folder")));
    // A relative name, an absolute one, a folder and a missing file.
    m_window->openCommandLineFiles({ QStringLiteral("a.txt"), path("b.txt"), path("folder"), path("none.txt") });
    QVERIFY(!m_window->lists().isEmpty());
    TableViewWidget *first = m_window->lists().first();
    QCOMPARE(first->fileCount(), 2);
    QCOMPARE(first->entries().at(0)->fileName, QFileInfo(path("a.txt")).absoluteFilePath());
    QCOMPARE(m_window->editors().size(), 2);
    QCOMPARE(m_window->editors().first()->documentText(), QStringLiteral("alpha"));
    for (int i = 1; i < m_window->lists().size(); ++i)
        QCOMPARE(m_window->lists().at(i)->fileCount(), 0);
}

void TestMainWindow::manyEditorsAsked_data()
{
    QTest::addColumn<QList<int>>("lists"); // files per list
    QTest::addColumn<int>("answer");       // -1: no question expected
    QTest::addColumn<int>("editors");
    QTest::newRow("ten open unasked") << QList<int>{10} << -1 << 10;
    QTest::newRow("twelve, all") << QList<int>{12} << int(MainWindow::OpenAll) << 12;
    QTest::newRow("twelve, the first ten") << QList<int>{12} << int(MainWindow::OpenFirst) << 10;
    QTest::newRow("twelve, none") << QList<int>{12} << int(MainWindow::OpenNone) << 0;
    // "打开所有文件" asks once for all lists.
    QTest::newRow("two lists, the first ten") << QList<int>{7, 7} << int(MainWindow::OpenFirst) << 10;
}

// More than ten new editors at once are asked about; the files stay in
// their lists whatever the answer.
void TestMainWindow::manyEditorsAsked()
{
    QFETCH(QList<int>, lists);
    QFETCH(int, answer);
    QFETCH(int, editors);
    QList<int> asked;
    MainWindow::setManyEditorsQuestion([&](QWidget *, int count) {
        asked << count;
        return MainWindow::ManyEditorsAnswer(answer);
    });
    int total = 0;
    for (int count : lists) {
        listWithFiles(count);
        total += count;
    }
    trigger("action_openAll");
    QCOMPARE(asked, answer < 0 ? QList<int>() : QList<int>{total});
    QCOMPARE(m_window->editors().size(), editors);
    for (int i = 0; i < lists.size(); ++i)
        QCOMPARE(m_window->lists().at(i)->fileCount(), lists.at(i));
    // Opening them again asks only about those without an editor.
    asked.clear();
    trigger("action_openAll");
    QCOMPARE(asked.size(), total - editors > MainWindow::manyEditors ? 1 : 0);
}

void TestMainWindow::closeOther_data()
{
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("one list") << 1 << 0 << QStringList({ "List1" });
    QTest::newRow("second of three") << 3 << 1 << QStringList({ "List2" });
    QTest::newRow("last of three") << 3 << 2 << QStringList({ "List3" });
}

void TestMainWindow::closeOther()
{
    QFETCH(int, lists);
    QFETCH(int, current);
    QFETCH(QStringList, left);
    QList<QPointer<TableViewWidget>> all;
    for (int i = 0; i < lists; ++i)
        all << listWithFiles(1);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(all.at(current), &activate);
    trigger("action_closeOther");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(titlesOf(m_window->lists()), left);
    QCOMPARE(m_window->currentList(), all.at(current).data());
    for (int i = 0; i < lists; ++i)
        QCOMPARE(all.at(i).isNull(), i != current);
}

void TestMainWindow::closeCurrentClosesList()
{
    TableViewWidget *first = listWithFiles(1);
    TableViewWidget *second = listWithFiles(2);
    m_window->openFiles(second->tableID(), second->entries());
    QCOMPARE(m_window->currentList(), second);
    trigger("action_closeCurrent");
    QCOMPARE(m_window->lists(), QList<TableViewWidget *>({ first }));
    QCOMPARE(m_window->currentList(), first);
    QVERIFY(m_window->editors().isEmpty());
    QVERIFY(second->isHidden());
    QCOMPARE(m_window->listCount(), 1);
}

void TestMainWindow::delAllListKeepsEditors()
{
    TableViewWidget *list = listWithFiles(2);
    listWithFiles(1);
    m_window->openFiles(list->tableID(), list->entries());
    QPointer<TableViewWidget> watched(list);
    trigger("action_delAllList");
    QVERIFY(watched.isNull());
    QVERIFY(m_window->lists().isEmpty());
    QVERIFY(!m_window->currentList());
    QCOMPARE(m_window->editors().size(), 2);
    trigger("action_open"); // no current list: nothing
    QCOMPARE(m_window->editors().size(), 2);
}

void TestMainWindow::delAllClearsCurrentEditor()
{
    int asked = 0;
    CodeEditorEx::setSaveDialog([&](QWidget *, const QString &) {
        ++asked;
        return QString();
    });
    TableViewWidget *list = listWithFiles(2);
    trigger("action_new");
    m_window->openFiles(list->tableID(), list->entries());
    QCOMPARE(m_window->editors().size(), 3);
    trigger("action_delAll");
    QCOMPARE(list->fileCount(), 0);
    QCOMPARE(m_window->editors().size(), 1); // the new document belongs to no list
    QVERIFY(!m_window->currentEditor());
    QVERIFY(m_window->documentLabel()->text().isEmpty());
    const QString before = m_window->tipsDock()->messageText();
    trigger("action_save");
    QCOMPARE(asked, 0);
    QCOMPARE(m_window->tipsDock()->messageText(), before);
}

void TestMainWindow::delSelectedClosesTheirEditors()
{
    TableViewWidget *list = listWithFiles(3);
    m_window->openFiles(list->tableID(), list->entries());
    list->view()->selectRow(1);
    const QString gone = list->entries().at(1)->fileName;
    trigger("action_del");
    QCOMPARE(list->fileCount(), 2);
    QCOMPARE(m_window->editors().size(), 2);
    for (const CodeEditorEx *editor : m_window->editors())
        QVERIFY(editor->fileName() != gone);
    QVERIFY(QFile::exists(gone)); // only the entry goes, never the file
}

void TestMainWindow::listCloseSavesChanges()
{
    TableViewWidget *list = listWithFiles(1);
    m_window->openFiles(list->tableID(), list->entries());
    append(m_window->currentEditor(), " edited");
    const QString file = list->entries().first()->fileName;
    emit list->closeSignal(list->tableID());
    QVERIFY(m_window->editors().isEmpty());
    QCOMPARE(TestFolder::bytesOf(file), QByteArray("file 1 edited"));

    // Deleting an entry whose editor holds changes: saved, and the entry
    // stays deleted.
    TableViewWidget *other = listWithFiles(2);
    m_window->openFiles(other->tableID(), other->entries());
    append(m_window->editors().first(), " too");
    const QString first = other->entries().first()->fileName;
    other->view()->selectRow(0);
    trigger("action_del");
    QCOMPARE(other->fileCount(), 1);
    QVERIFY(!other->contains(first));
    QCOMPARE(TestFolder::bytesOf(first), QByteArray("file 2 too"));
    QCOMPARE(m_window->editors().size(), 1);
}

void TestMainWindow::firstSave_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("listed");
    QTest::newRow("default") << QString() << true;
    QTest::newRow("on") << "1" << true;
    QTest::newRow("off") << "0" << false;
}

void TestMainWindow::firstSave()
{
    QFETCH(QString, setting);
    QFETCH(bool, listed);
    if (!setting.isNull())
        setIni("text", "firstSaveToList", setting);
    const QString target = path("saved.txt");
    CodeEditorEx::setSaveDialog([&](QWidget *, const QString &) { return target; });
    trigger("action_new");
    CodeEditorEx *editor = m_window->currentEditor();
    append(editor, "new text");
    const int tableID = editor->tableID();
    trigger("action_save");
    QCOMPARE(TestFolder::bytesOf(target), QByteArray("new text"));
    QCOMPARE(m_window->listCounter(), tableID); // not advanced by the new list
    if (!listed) {
        QVERIFY(m_window->lists().isEmpty());
        return;
    }
    QCOMPARE(m_window->lists().size(), 1);
    TableViewWidget *list = m_window->lists().first();
    QCOMPARE(list->windowTitle(), QString("List%1").arg(tableID));
    QCOMPARE(list->tableID(), tableID);
    QCOMPARE(list->fileCount(), 1);
    QCOMPARE(list->entries().first()->fileName, target);
    QCOMPARE(list->entries().first()->id, editor->codeID());
    // Saved again: still one entry; the editor is found from its list.
    append(editor, "!");
    trigger("action_save");
    QCOMPARE(list->fileCount(), 1);
    m_window->openFiles(tableID, list->entries());
    QCOMPARE(m_window->editors().size(), 1);
}

void TestMainWindow::closeCommands()
{
    TableViewWidget *list = listWithFiles(3);
    m_window->openFiles(list->tableID(), list->entries());
    CodeEditorEx *last = m_window->editors().last();
    append(last, "!");
    QCOMPARE(m_window->currentEditor(), last);
    trigger("action_close");
    QCOMPARE(TestFolder::bytesOf(list->entries().at(2)->fileName), QByteArray("file 3!"));
    QCOMPARE(m_window->editors().size(), 2);
    QCOMPARE(m_window->currentEditor(), m_window->editors().first());
    QCOMPARE(m_window->documentLabel()->text(), m_window->editors().first()->fileName());

    trigger("action_closeAll");
    QVERIFY(m_window->editors().isEmpty());
    QVERIFY(!m_window->currentEditor());
    QVERIFY(m_window->documentLabel()->text().isEmpty());
    QVERIFY(m_window->mdiArea()->subWindowList().isEmpty());
    trigger("action_close"); // nothing left: nothing happens
}

void TestMainWindow::closeKeepsEditorWhoseSaveFails()
{
    CodeEditorEx::setSaveDialog([](QWidget *, const QString &) { return QString(); });
    TableViewWidget *list = listWithFiles(1);
    m_window->openFiles(list->tableID(), list->entries());
    trigger("action_new");
    CodeEditorEx *fresh = m_window->currentEditor();
    append(fresh, "unsaved");
    trigger("action_close");
    QCOMPARE(m_window->editors().size(), 2);
    QCOMPARE(m_window->currentEditor(), fresh);
    trigger("action_closeAll");
    QCOMPARE(m_window->editors(), QList<CodeEditorEx *>({ fresh }));
    QCOMPARE(m_window->currentEditor(), fresh);
}

void TestMainWindow::closeDropsUnreadableEditorWithoutWriting()
{
    TableViewWidget *list = listWithFiles(1);
    const QString file = list->entries().first()->fileName;
    QVERIFY(TestFolder::put(file, QByteArray("ab\xc3\x28", 4)));
    m_window->openFiles(list->tableID(), list->entries());
    QVERIFY(m_window->currentEditor()->isReadOnly());
    QVERIFY(m_window->tipsDock()->messageText().contains(QStringLiteral("只读")));
    trigger("action_save");
    QCOMPARE(TestFolder::bytesOf(file), QByteArray("ab\xc3\x28", 4));
    trigger("action_close");
    QVERIFY(m_window->editors().isEmpty());
    QCOMPARE(TestFolder::bytesOf(file), QByteArray("ab\xc3\x28", 4));
}

void TestMainWindow::saveSignalSavesListEditors()
{
    TableViewWidget *first = listWithFiles(1);
    TableViewWidget *second = listWithFiles(1);
    m_window->openFiles(first->tableID(), first->entries());
    m_window->openFiles(second->tableID(), second->entries());
    append(m_window->editors().at(0), "+");
    append(m_window->editors().at(1), "+");
    emit first->saveSignal(first->tableID());
    QCOMPARE(TestFolder::bytesOf(first->entries().first()->fileName), QByteArray("file 1+"));
    QCOMPARE(TestFolder::bytesOf(second->entries().first()->fileName), QByteArray("file 2"));
    QVERIFY(m_window->editors().at(1)->isModified());
}

void TestMainWindow::zoomCommandsActOnAll()
{
    trigger("action_new");
    trigger("action_new");
    const qreal size = m_window->editors().first()->font().pointSizeF();
    trigger("action_zoomIn");
    for (const CodeEditorEx *editor : m_window->editors())
        QVERIFY(editor->font().pointSizeF() > size);
    trigger("action_zoomOut");
    for (const CodeEditorEx *editor : m_window->editors())
        QCOMPARE(editor->font().pointSizeF(), size);
}

void TestMainWindow::addTargetsList()
{
    TableViewWidget *made = m_window->listForAdding();
    QVERIFY(made);
    QCOMPARE(made->windowTitle(), QStringLiteral("List1"));
    QCOMPARE(m_window->listForAdding(), made);
    trigger("action_newList");
    QCOMPARE(m_window->listForAdding(), m_window->lists().last());
}

void TestMainWindow::faceOutOfRange_data()
{
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("index");
    QTest::newRow("no list, 0") << 0 << 0;
    QTest::newRow("negative") << 2 << -1;
    QTest::newRow("listCount") << 2 << 2;
    QTest::newRow("far out") << 1 << 1000;
}

void TestMainWindow::faceOutOfRange()
{
    QFETCH(int, lists);
    QFETCH(int, index);
    for (int i = 0; i < lists; ++i)
        listWithFiles(1);
    ScrivelFace *face = m_window;
    QCOMPARE(face->listCount(), lists);
    QCOMPARE(face->listId(index), -1);
    QCOMPARE(face->listTitle(index), QString());
    QCOMPARE(face->listFileCount(index), -1);
    QVERIFY(face->listFiles(index).isEmpty());
}

void TestMainWindow::faceWithoutLists()
{
    ScrivelFace *face = m_window;
    QCOMPARE(face->currentListId(), -1);
    QCOMPARE(face->currentListFileCount(), -1);
    QVERIFY(face->currentListFiles().isEmpty());
    QCOMPARE(face->currentDocumentFileName(), QString());
    QCOMPARE(face->currentDocumentId(), -1);
}

void TestMainWindow::faceAddFileToList()
{
    ScrivelFace *face = m_window;
    trigger("action_new"); // consumes list number 1
    QVERIFY(TestFolder::put(path("merged.txt"), QByteArray("text")));
    face->addFileToList(path("merged.txt"), "Merge");
    QCOMPARE(face->listCount(), 1);
    QCOMPARE(face->listTitle(0), QStringLiteral("Merge2"));
    QCOMPARE(face->currentListId(), 2);
    QCOMPARE(face->currentListFileCount(), 1);
    face->addFileToList(path("merged.txt"), "Merge");
    QCOMPARE(face->currentListFileCount(), 1);
    TableViewWidget *list = m_window->currentList();
    QTRY_COMPARE(list->model()->rowCount(), 1);
    QCOMPARE(m_window->listLabel()->text(), QStringLiteral("Merge2(1)"));

    face->newList("New");
    QCOMPARE(face->listTitle(1), QStringLiteral("New3"));
    face->addFileToList(path("merged.txt"), "ignored");
    QCOMPARE(face->listFileCount(1), 1);
    QCOMPARE(face->listCount(), 2);
    QVERIFY(face->listFiles(0).first()->id != face->listFiles(1).first()->id);
    QCOMPARE(face->listId(1), 3);
}

void TestMainWindow::progressWhileJobRuns()
{
    ScrivelFace *face = m_window;
    m_window->show();
    face->setUiEnabled(false);
    face->setTaskCount(4);
    // The status bar stays usable: progress and its cancel button.
    QVERIFY(m_window->progressBar()->isVisible());
    QVERIFY(m_window->cancelButton()->isVisible());
    QVERIFY(m_window->cancelButton()->isEnabled());
    for (int i = 1; i <= 3; ++i)
        face->jobProgress(i, 4, m_dir->filePath(QStringLiteral("f%1.txt").arg(i)));
    // Shown by the timer, not per call.
    QTRY_COMPARE(m_window->progressBar()->value(), 3);
    QCOMPARE(m_window->progressBar()->maximum(), 4);
    QCOMPARE(m_window->progressFileLabel()->text(), QStringLiteral("f3.txt"));
    face->setUiEnabled(true);
    QVERIFY(!m_window->progressBar()->isVisible());
    QVERIFY(!m_window->cancelButton()->isVisible());
}

// Undo right after a restart that followed a killed batch: the batch's
// temporary files go as the next batch would remove them, a newer one (a
// write that may still be running) stays, and the files come back.
void TestMainWindow::undoRemovesLeftoversOfKilledBatch()
{
    const QString file = path(QStringLiteral("files/a.txt"));
    QVERIFY(TestFolder::put(file, "old"));
    {
        // The killed batch: a.txt kept and replaced, b.txt cut short in
        // its temporary file.
        BatchBackup killed(BatchBackup::defaultRoot());
        QCOMPARE(ReadWriteTxt::writeFile(file, QStringLiteral("new"), nullptr, ReadWriteTxt::SyncLater,
                                         [&] { return killed.keep(file, QStringLiteral("new")); }),
                 int(ReadWriteTxt::Saved));
    }
    const QString leftover = path(QStringLiteral("files/.scrivel.b.txt.k1ll3d"));
    const QString running = path(QStringLiteral("files/.scrivel.c.txt.n0w000"));
    QVERIFY(TestFolder::put(leftover, "half"));
    QVERIFY(TestFolder::put(running, "half"));
    {
        QFile before(leftover);
        QVERIFY(before.open(QIODevice::ReadWrite));
        QVERIFY(before.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    QSignalSpy tips(m_window, &MainWindow::tipSignal);
    trigger("action_undo");
    QCOMPARE(TestFolder::bytesOf(file), QByteArray("old"));
    QVERIFY(!QFileInfo::exists(leftover));
    QVERIFY(QFileInfo::exists(running));
    QList<QPair<int, QString>> seen;
    for (const QList<QVariant> &tip : qAsConst(tips))
        seen << qMakePair(tip.at(0).toInt() * 100 + tip.at(1).toInt(), tip.at(2).toString());
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.at(0), qMakePair(7, leftover));
    QCOMPARE(seen.at(1), qMakePair(1201, file));
    QCOMPARE(seen.at(2).first, 1204);
    QVERIFY(seen.at(2).second.endsWith(QStringLiteral(" 1/1")));
    QVERIFY(m_window->tipsDock()->messageText().contains(QStringLiteral("07 ") + leftover + QStringLiteral(" 已删除")));
}

void TestMainWindow::faceTips()
{
    ScrivelFace *face = m_window;
    QSignalSpy tips(m_window, &MainWindow::tipSignal);
    QSignalSpy explains(m_window, &MainWindow::explainSignal);

    face->setUiEnabled(false);
    QVERIFY(!m_window->isUiEnabled());
    QVERIFY(!m_window->menuBar()->isEnabled());
    QVERIFY(!m_window->mdiArea()->isEnabled());
    face->sendTip(-4, 0, "a.txt");
    QVERIFY(!m_window->isUiEnabled());
    face->sendTip(-4, 2, QString());
    QVERIFY(m_window->isUiEnabled());
    QVERIFY(m_window->menuBar()->isEnabled());
    QVERIFY(m_window->mdiArea()->isEnabled());
    QCOMPARE(tips.count(), 2);
    QCOMPARE(tips.at(1).at(0).toInt(), -4);
    QCOMPARE(tips.at(1).at(1).toInt(), 2);
    QVERIFY(m_window->tipsDock()->messageText().contains(QStringLiteral("全部完毕")));

    face->setStatusText("status");
    QCOMPARE(m_window->pluginLabel()->text(), QStringLiteral("status"));
    face->setStatusText(QString());
    QVERIFY(m_window->pluginLabel()->text().isEmpty());

    face->setTaskCount(3);
    QCOMPARE(m_window->tipsDock()->expectedCount(), 3);
    QCOMPARE(m_window->tipsDock()->doneCount(), 0);

    face->setExplain("<b>how</b>");
    QCOMPARE(explains.count(), 1);
    QCOMPARE(explains.at(0).at(0).toString(), QStringLiteral("<b>how</b>"));
}

void TestMainWindow::faceQueriesAndCast()
{
    ScrivelFace *face = m_window;
    QCOMPARE(face->mainWidget(), static_cast<QWidget *>(m_window));
    QCOMPARE(qobject_cast<ScrivelFace *>(static_cast<QObject *>(m_window)), face);
    QVERIFY(m_window->qt_metacast(ScrivelFace_iid));

    TableViewWidget *list = listWithFiles(2);
    m_window->openFiles(list->tableID(), { list->entries().at(1) });
    QCOMPARE(face->currentListId(), list->tableID());
    QCOMPARE(face->currentListFileCount(), 2);
    QCOMPARE(face->currentListFiles(), list->entries());
    QCOMPARE(face->currentDocumentFileName(), list->entries().at(1)->fileName);
    QCOMPARE(face->currentDocumentId(), list->entries().at(1)->id);
    QCOMPARE(face->listFiles(0), list->entries());
    QCOMPARE(face->listFileCount(0), 2);
    QCOMPARE(face->listTitle(0), list->windowTitle());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
