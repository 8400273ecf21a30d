#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "mytablemodel.h"
#include "tableviewwidget.h"
#include "testfolder.h"
#include "tipcodes.h"
#include "tiptable.h"

namespace {

QStringList namesOf(const TableViewWidget &list)
{
    QStringList names;
    for (const FileType *entry : list.entries())
        names << QFileInfo(entry->fileName).fileName();
    return names;
}

} // namespace

// Collects the URLs handed to the desktop.
class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestLists : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addRules();
    void refreshDropsVanishedAndFillsColumns();
    void scanFolder_data();
    void scanFolder();
    void scanFolderSurvivesLinkLoop();
    void rowsMove_data();
    void rowsMove();
    void dragThroughModel_data();
    void dragThroughModel();
    void activationShowsCount();
    void drops_data();
    void drops();
    void dropEventThroughViewport();
    void closeAndRemoveEntries_data();
    void closeAndRemoveEntries();
    void removeAllClosesEditorsOfList();
    void openFoldersHandsFolderUrls();
    void closeEventReportsAndHides();
    void openFilter_data();
    void openFilter();
    void contextMenuEntries();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void select(TableViewWidget &list, const QList<int> &rows);

    QTemporaryDir *m_dir = nullptr;
    int m_counter = 0;
};

void TestLists::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_counter = 0;
}

void TestLists::cleanup()
{
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestLists::select(TableViewWidget &list, const QList<int> &rows)
{
    list.view()->clearSelection();
    for (int row : rows)
        list.view()->selectionModel()->select(list.model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TestLists::addRules()
{
    QVERIFY(TestFolder::put(path("a.txt"), QByteArray("text\n")));
    TableViewWidget list(1, "List1", &m_counter);
    QCOMPARE(list.addFiles({ path("a.txt"), path("a.txt"), path("missing.txt") }), 2);
    // Every path draws a file ID, the skipped duplicate too.
    QCOMPARE(m_counter, 3);
    // The missing file was accepted by the add and dropped by its refresh.
    QCOMPARE(list.fileCount(), 1);
    QCOMPARE(list.entries().at(0)->id, 1);
    QVERIFY(!list.addFile(path("a.txt"), 99));
    QCOMPARE(list.fileCount(), 1);
    // A path dropped by refresh may come back.
    QVERIFY(TestFolder::put(path("missing.txt"), QByteArray("text\n")));
    QVERIFY(list.addFile(path("missing.txt"), 7));
}

void TestLists::refreshDropsVanishedAndFillsColumns()
{
    QVERIFY(TestFolder::put(path("one.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("sub dir/two.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("three.txt"), QByteArray("text\n")));
    TableViewWidget list(2, "List2", &m_counter);
    QSignalSpy counts(&list, &TableViewWidget::fileCountSignal);
    list.addFiles({ path("one.txt"), path("sub dir/two.txt"), path("three.txt") });
    QCOMPARE(list.model()->rowCount(), 3);
    QCOMPARE(list.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("文件名"));
    QCOMPARE(list.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("路径"));
    QCOMPARE(list.model()->index(1, 0).data().toString(), QStringLiteral("two.txt"));
    QCOMPARE(list.model()->index(1, 1).data().toString(), QFileInfo(path("sub dir/two.txt")).absolutePath());

    QVERIFY(QFile::remove(path("sub dir/two.txt")));
    QCOMPARE(list.fileCount(), 3); // stays until the next refresh
    list.refresh();
    QCOMPARE(namesOf(list), QStringList({ "one.txt", "three.txt" }));
    QCOMPARE(list.model()->rowCount(), 2);
    QCOMPARE(counts.last().at(0).toString(), QStringLiteral("List2(2)"));
    QVERIFY(!list.contains(path("sub dir/two.txt")));
}

void TestLists::scanFolder_data()
{
    QTest::addColumn<bool>("recursive");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("skipped");
    QTest::newRow("with subfolders") << true
        << QStringList({ "sub/deep/z.txt", "sub/late.txt", "sub/y.txt", "wide.txt", "x.txt" }) << 2;
    QTest::newRow("own files only") << false << QStringList({ "wide.txt", "x.txt" }) << 1;
}

void TestLists::scanFolder()
{
    QFETCH(bool, recursive);
    QFETCH(QStringList, expected);
    QFETCH(int, skipped);
    QVERIFY(TestFolder::put(path("top/x.txt"), QByteArray("text\n")));
    // Binary: a NUL early on. Text: a NUL only past the first 8 KiB, and
    // UTF-16 with its byte-order mark.
    QVERIFY(TestFolder::put(path("top/blob.txt"), QByteArray("PK\x03\x04\x00\x00data", 10)));
    QVERIFY(TestFolder::put(path("top/sub/bin.txt"), QByteArray(8191, 'a') + QByteArray(1, '\0')));
    QVERIFY(TestFolder::put(path("top/sub/late.txt"), QByteArray(8192, 'a') + QByteArray(1, '\0')));
    QVERIFY(TestFolder::put(path("top/wide.txt"), QByteArray("\xFF\xFEt\x00x\x00t\x00", 8)));
    QVERIFY(TestFolder::put(path("top/x.TXT"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("top/x.json"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("top/xtxt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("top/sub/y.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("top/sub/deep/z.txt"), QByteArray("text\n")));
    QDir().mkpath(path("top/empty.txt.d"));

    QStringList found;
    int binary = -1;
    const QStringList paths = TableViewWidget::scanFolder(path("top"), recursive, &binary);
    QCOMPARE(binary, skipped);
    for (const QString &p : paths) {
        QVERIFY(QFileInfo(p).isAbsolute());
        found << QDir(path("top")).relativeFilePath(p);
    }
    found.sort();
    QCOMPARE(found, expected);

    // Added in the background, the list says how many it skipped.
    TableViewWidget list(1, "List1", &m_counter);
    QSignalSpy tips(&list, &TableViewWidget::tipSignal);
    QSignalSpy done(&list, &TableViewWidget::scanDoneSignal);
    list.addFoldersInBackground({ path("top") }, recursive);
    QVERIFY(done.wait());
    QCOMPARE(done.at(0).at(0).toInt(), expected.size());
    QCOMPARE(list.fileCount(), expected.size());
    QCOMPARE(tips.count(), 1);
    QCOMPARE(tips.at(0).at(0).toInt(), Tips::BinarySkipped.var1);
    QCOMPARE(tips.at(0).at(1).toInt(), skipped);
    QCOMPARE(tips.at(0).at(2).toString(), path("top"));
    QVERIFY(TipTable::words(Tips::BinarySkipped.var1, skipped).contains(QString::number(skipped)));
}

void TestLists::scanFolderSurvivesLinkLoop()
{
    QVERIFY(TestFolder::put(path("loop/a.txt"), QByteArray("text\n")));
    if (!QFile::link(path("loop"), path("loop/back")))
        QSKIP("no symbolic links here");
    const QStringList paths = TableViewWidget::scanFolder(path("loop"), true);
    QCOMPARE(paths.size(), 1);
}

void TestLists::rowsMove_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("order");
    QTest::newRow("3 and 1 onto row 0") << QList<int>({ 3, 1 }) << 0 << "31024";
    QTest::newRow("to the end") << QList<int>({ 1 }) << -1 << "02341";
    QTest::newRow("down before row 2") << QList<int>({ 0 }) << 2 << "10234";
    QTest::newRow("past the end") << QList<int>({ 4, 0 }) << 9 << "12340";
    QTest::newRow("onto itself") << QList<int>({ 2 }) << 2 << "01234";
    QTest::newRow("bad and repeated rows") << QList<int>({ 9, 2, 2, -1 }) << 0 << "20134";
    QTest::newRow("nothing") << QList<int>() << 0 << "01234";
}

void TestLists::rowsMove()
{
    QFETCH(QList<int>, rows);
    QFETCH(int, to);
    QFETCH(QString, order);
    TableViewWidget list(1, "List1", &m_counter);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(TestFolder::put(path(QString::number(i)), QByteArray("text\n")));
        paths << path(QString::number(i));
    }
    list.addFiles(paths);
    const QList<FileType *> before = list.entries();
    list.rowsMove(rows, to);
    QCOMPARE(namesOf(list).join(QString()), order);
    // Records keep their IDs and all of them are still there.
    QCOMPARE(list.fileCount(), 5);
    for (const FileType *entry : list.entries())
        QCOMPARE(entry->id, QFileInfo(entry->fileName).fileName().toInt() + 1);
    QCOMPARE(list.model()->index(0, 0).data().toString(), order.left(1));
}

void TestLists::dragThroughModel_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("parentRow");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("order");
    QTest::newRow("onto row 0") << int(Qt::MoveAction) << -1 << 0 << true << "31024";
    QTest::newRow("between rows 1 and 2") << int(Qt::MoveAction) << 2 << -1 << true << "03124";
    QTest::newRow("below the last row") << int(Qt::MoveAction) << -1 << -1 << true << "02431";
    QTest::newRow("copy refused") << int(Qt::CopyAction) << -1 << 0 << false << "01234";
}

void TestLists::dragThroughModel()
{
    QFETCH(int, action);
    QFETCH(int, row);
    QFETCH(int, parentRow);
    QFETCH(bool, accepted);
    QFETCH(QString, order);
    TableViewWidget list(1, "List1", &m_counter);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(TestFolder::put(path(QString::number(i)), QByteArray("text\n")));
        paths << path(QString::number(i));
    }
    list.addFiles(paths);
    MyTableModel *model = list.model();
    // Row 3 selected first, then row 1: both cells of each.
    const QModelIndexList dragged { model->index(3, 0), model->index(3, 1), model->index(1, 0), model->index(1, 1) };
    QScopedPointer<QMimeData> data(model->mimeData(dragged));
    QCOMPARE(data->data("0"), QByteArray("3"));
    QCOMPARE(data->data("1"), QByteArray("1"));
    QVERIFY(!data->hasFormat("2"));
    const QModelIndex parent = parentRow < 0 ? QModelIndex() : model->index(parentRow, 0);
    QCOMPARE(model->dropMimeData(data.data(), Qt::DropAction(action), row, 0, parent), accepted);
    QCOMPARE(namesOf(list).join(QString()), order);
}

void TestLists::activationShowsCount()
{
    TableViewWidget list(2, "List2", &m_counter);
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        QVERIFY(TestFolder::put(path(QString("f%1.txt").arg(i)), QByteArray("text\n")));
        paths << path(QString("f%1.txt").arg(i));
    }
    list.addFiles(paths);
    QSignalSpy activated(&list, &TableViewWidget::windowActivateSignal);
    QSignalSpy counts(&list, &TableViewWidget::fileCountSignal);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&list, &activate);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(counts.count(), 1);
    QCOMPARE(counts.at(0).at(0).toString(), QStringLiteral("List2(5)"));
}

void TestLists::drops_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("added");
    QTest::newRow("text file") << QStringList({ "a.txt" }) << 1;
    QTest::newRow("same text file twice") << QStringList({ "a.txt", "a.txt" }) << 1;
    QTest::newRow("folder") << QStringList({ "folder" }) << 0;
    QTest::newRow("png image") << QStringList({ "image.png" }) << 0;
    QTest::newRow("source file") << QStringList({ "code.cpp" }) << 1;
    QTest::newRow("web address") << QStringList({ "http://example.com/a.txt" }) << 0;
}

void TestLists::drops()
{
    QFETCH(QStringList, names);
    QFETCH(int, added);
    QVERIFY(TestFolder::put(path("a.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("code.cpp"), "int main() { return 0; }\n"));
    QVERIFY(TestFolder::put(path("image.png"), QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489")));
    QDir().mkpath(path("folder"));
    QList<QUrl> urls;
    for (const QString &name : names)
        urls << (name.startsWith("http") ? QUrl(name) : QUrl::fromLocalFile(path(name)));
    TableViewWidget list(1, "List1", &m_counter);
    list.addDroppedUrls(urls);
    QCOMPARE(list.fileCount(), added);
    QCOMPARE(list.model()->rowCount(), added);
}

void TestLists::dropEventThroughViewport()
{
    QVERIFY(TestFolder::put(path("a.txt"), QByteArray("text\n")));
    TableViewWidget list(1, "List1", &m_counter);
    list.show();
    QWidget *viewport = list.view()->viewport();

    QMimeData textOnly;
    textOnly.setText("just text");
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &textOnly, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &refused);
    QVERIFY(!refused.isAccepted());

    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(path("a.txt")) });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(list.fileCount(), 1);
}

void TestLists::closeAndRemoveEntries_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QString>("left");
    QTest::newRow("close keeps entries") << false << "abcd";
    QTest::newRow("delete removes them") << true << "bd";
}

void TestLists::closeAndRemoveEntries()
{
    QFETCH(bool, remove);
    QFETCH(QString, left);
    TableViewWidget list(4, "List4", &m_counter);
    for (const char *n : { "a", "b", "c", "d" })
        QVERIFY(TestFolder::put(path(n), QByteArray("text\n")));
    list.addFiles({ path("a"), path("b"), path("c"), path("d") });
    select(list, { 2, 0 });
    // The host compares the records while the signal is handled.
    QStringList seen;
    QList<int> tableIds;
    connect(&list, &TableViewWidget::closeSelectSignal, this, [&](int tableID, QList<FileType *> entries) {
        tableIds << tableID;
        for (const FileType *entry : entries)
            seen << QFileInfo(entry->fileName).fileName();
    });
    list.closeEntries(remove);
    QCOMPARE(tableIds, QList<int>({ 4 }));
    QCOMPARE(seen, QStringList({ "a", "c" }));
    QCOMPARE(namesOf(list).join(QString()), left);
    QCOMPARE(list.contains(path("a")), !remove);
}

void TestLists::removeAllClosesEditorsOfList()
{
    QVERIFY(TestFolder::put(path("a"), QByteArray("text\n")));
    TableViewWidget list(3, "List3", &m_counter);
    list.addFiles({ path("a") });
    QSignalSpy closed(&list, &TableViewWidget::closeSignal);
    QSignalSpy counts(&list, &TableViewWidget::fileCountSignal);
    list.removeAll();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(closed.at(0).at(0).toInt(), 3);
    QCOMPARE(list.fileCount(), 0);
    QCOMPARE(counts.last().at(0).toString(), QStringLiteral("List3(0)"));
    QVERIFY(list.addFile(path("a"), 1));
}

void TestLists::openFoldersHandsFolderUrls()
{
    QVERIFY(TestFolder::put(path("x/a.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("x/b.txt"), QByteArray("text\n")));
    QVERIFY(TestFolder::put(path("blank #1/c.txt"), QByteArray("text\n")));
    TableViewWidget list(1, "List1", &m_counter);
    list.addFiles({ path("x/a.txt"), path("blank #1/c.txt"), path("x/b.txt") });
    select(list, { 0, 1, 2 });
    UrlSink sink;
    QDesktopServices::setUrlHandler("file", &sink, "open");
    list.openFolders();
    QDesktopServices::unsetUrlHandler("file");
    // Each folder once, never the file itself; blanks and "#" survive.
    QCOMPARE(sink.urls.size(), 2);
    QCOMPARE(sink.urls.at(0), QUrl::fromLocalFile(QFileInfo(path("x/a.txt")).absolutePath()));
    QCOMPARE(sink.urls.at(1).toLocalFile(), QFileInfo(path("blank #1/c.txt")).absolutePath());
}

void TestLists::closeEventReportsAndHides()
{
    TableViewWidget list(6, "List6", &m_counter);
    list.show();
    QSignalSpy destroyed(&list, &TableViewWidget::destroySignal);
    QVERIFY(list.close());
    QCOMPARE(destroyed.count(), 1);
    QCOMPARE(destroyed.at(0).at(0).toInt(), 6);
    QVERIFY(list.isHidden());
}

void TestLists::openFilter_data()
{
    QTest::addColumn<QByteArray>("suffixIni");
    QTest::addColumn<QString>("filter");
    const QString defaults = QStringLiteral("txt(*.txt);;json(*.json);;html(*.html  *.css *.js);;"
                                            "source(*.h *.cpp *.hpp *.py);;csv(*.csv);;svg(*.svg);;All(*.*)");
    QTest::newRow("no file") << QByteArray() << defaults;
    QTest::newRow("empty file") << QByteArray("") << defaults;
    QTest::newRow("own filters") << QByteArray("a(*.a)\r\nb(*.b)\r\n") << QStringLiteral("a(*.a);;b(*.b)");
}

void TestLists::openFilter()
{
    QFETCH(QByteArray, suffixIni);
    QFETCH(QString, filter);
    if (!suffixIni.isNull())
        QVERIFY(TestFolder::put(path("suffix.ini"), suffixIni));
    QCOMPARE(TableViewWidget::openFilter(), filter);
}

void TestLists::contextMenuEntries()
{
    TableViewWidget list(1, "List1", &m_counter);
    QStringList texts;
    for (const QAction *action : list.contextMenu()->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, QStringList({ "添加文件", "添加目录", "-", "打开选中文件", "打开全部文件", "-", "打开文件所在目录", "-",
                                  "保存所有归属文件", "关闭归属选中文件", "关闭归属所有文件", "-", "删除选中", "全部删除" }));
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
