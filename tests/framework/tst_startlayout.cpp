#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "dockwidgettips.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "mainwindow.h"
#include "mytablemodel.h"
#include "tableviewwidget.h"
#include "testfolder.h"
#include "windowlayout.h"

namespace {

const QStringList keys = {QStringLiteral("Text V0.0.0.1"), QStringLiteral("New V0.0.0.1"),
                          QStringLiteral("Delete V0.0.0.1"), QStringLiteral("Customized V0.0.0.1"),
                          QStringLiteral("Demo V0.0.0.1")};

} // namespace

// The first impression of the real host with the five real plug-ins: a
// first start says nothing but the load lines, and the start-up windows
// (lists, plug-in docks) cover neither each other nor the message dock.
class TestStartLayout : public HostTestCase
{
    Q_OBJECT
private slots:
    void firstStartIsSilent();
    void windowsDoNotCover_data();
    void windowsDoNotCover();
    void editorsClearOfDocks();
    void editorsPlacedOnceAreaSized();
    void labelsAndCellsHaveTooltips();
    void placesOnRectangles_data();
    void placesOnRectangles();

private:
    // Frames of the open lists and plug-in docks.
    QList<QRect> windowRects() const
    {
        QList<QRect> rects;
        for (TableViewWidget *list : m_host.window()->lists())
            rects << list->frameGeometry();
        for (const auto &pair : m_host.window()->dockPairs()) {
            rects << pair.first->frameGeometry();
            if (pair.second)
                rects << pair.second->frameGeometry();
        }
        return rects;
    }

    static QString describe(const QList<QRect> &rects)
    {
        QStringList parts;
        for (const QRect &r : rects)
            parts << QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        return parts.join(QStringLiteral("; "));
    }
};

void TestStartLayout::firstStartIsSilent()
{
    // An empty working folder: no "plus.ini", "suffix.ini" or
    // "configure.ini".
    QVERIFY(m_host.start());
    const QStringList lines = m_host.messages().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), keys.size());
    for (const QString &line : lines)
        QVERIFY2(line.contains(QStringLiteral("加载插件成功!")), qPrintable(line));
    QVERIFY(QFile::exists(m_folder.path("plus.ini")));
    QVERIFY(m_host.window()->dockPairs().isEmpty());
}

void TestStartLayout::windowsDoNotCover_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::newRow("1366x768") << QRect(0, 0, 1366, 768);
    QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080);
}

void TestStartLayout::windowsDoNotCover()
{
    QFETCH(QRect, screen);
    QVERIFY(HostDriver::put(m_folder.path("plus.ini"), (keys.join(QStringLiteral(",2\n")) + ",2").toUtf8()));
    QVERIFY(HostDriver::put(m_folder.path("configure.ini"), "[start]\nlistNumber=2\n"));
    QVERIFY(m_host.start());
    MainWindow *window = m_host.window();
    window->setLayoutScreen(screen);
    window->layoutWindows();

    QCOMPARE(window->lists().size(), 2);
    QCOMPARE(window->dockPairs().size(), keys.size());
    const QRect area = window->workArea();
    // The work area ends above the message dock.
    QVERIFY(area.bottom() < screen.bottom() - window->messageDockHeight());
    QList<QRect> rects = windowRects();
    QCOMPARE(rects.size(), 2 + 2 * keys.size());
    for (const QRect &rect : rects)
        QVERIFY2(area.contains(rect), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y())
                                                  .arg(rect.width()).arg(rect.height())));
    QVERIFY2(!WindowLayout::anyOverlap(rects), qPrintable(describe(rects)));

    // Closed and opened again from the menu, a plug-in comes back where it
    // covers no open window.
    QDockWidget *demo = m_host.dock(QStringLiteral("Demo"));
    QVERIFY(demo);
    demo->close();
    QTRY_COMPARE(window->dockPairs().size(), keys.size() - 1);
    m_host.pluginAction(QStringLiteral("Demo V0.0.0.1"))->trigger();
    QCOMPARE(window->dockPairs().size(), keys.size());
    rects = windowRects();
    QVERIFY(!WindowLayout::anyOverlap(rects));
}

// Editors open where no list or plug-in dock covers them, each a step
// further down and right.
void TestStartLayout::editorsClearOfDocks()
{
    QVERIFY(HostDriver::put(m_folder.path("plus.ini"), "Text V0.0.0.1,2"));
    QVERIFY(m_host.start());
    MainWindow *window = m_host.window();
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        files << m_folder.path(QStringLiteral("e%1.txt").arg(i));
        QVERIFY(HostDriver::put(files.last(), "x"));
        window->addFileToList(files.last(), QStringLiteral("List"));
    }
    const QRect free = window->freeEditorArea();
    QVERIFY2(free.width() >= 200 && free.height() >= 120, qPrintable(describe({free})));
    window->openFiles(window->currentListId(), window->currentListFiles());
    QCOMPARE(window->mdiArea()->subWindowList().size(), 3);
    QList<QPoint> corners;
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList()) {
        QVERIFY2(free.contains(sub->geometry()), qPrintable(describe({free, sub->geometry()})));
        const QRect global(sub->mapToGlobal(QPoint(0, 0)), sub->size());
        for (const QRect &rect : windowRects())
            QVERIFY2(!rect.intersects(global), qPrintable(describe({rect, global})));
        QVERIFY(corners.isEmpty() || corners.last() != sub->pos()); // never right on the one before
        corners << sub->pos();
    }
}

// Editors opened while the work area is not yet at its size (files named
// on the command line, before the window manager has sized the window) are
// placed clear of the docks once it is.
void TestStartLayout::editorsPlacedOnceAreaSized()
{
    QVERIFY(HostDriver::put(m_folder.path("plus.ini"), "Text V0.0.0.1,2"));
    QVERIFY(m_host.start());
    MainWindow *window = m_host.window();
    const QSize full = window->size();
    window->resize(240, 160);
    QTRY_VERIFY(window->freeEditorArea().width() < 200);
    const QString file = m_folder.path(QStringLiteral("cli.txt"));
    QVERIFY(HostDriver::put(file, "x"));
    window->openCommandLineFiles({file});
    QCOMPARE(window->mdiArea()->subWindowList().size(), 1);
    window->resize(full);
    QMdiSubWindow *sub = window->mdiArea()->subWindowList().first();
    QTRY_VERIFY2(window->freeEditorArea().contains(sub->geometry()),
                 qPrintable(describe({window->freeEditorArea(), sub->geometry()})));
}

// The operation labels are a character or two: each says its full name
// and what it does; the range labels ("All", "List", "Cur") their full
// names; a list cell, whose folder may be cut off, its entry's full path.
void TestStartLayout::labelsAndCellsHaveTooltips()
{
    QVERIFY(HostDriver::put(m_folder.path("plus.ini"), (keys.join(QStringLiteral(",2\n")) + ",2").toUtf8()));
    QVERIFY(m_host.start());
    const auto pairs = m_host.window()->dockPairs();
    QCOMPARE(pairs.size(), keys.size());
    int operations = 0;
    for (const auto &pair : pairs) {
        // The plug-ins have their own copies of the label class: found by
        // the Qt base class and the object names of the operation tables.
        for (QLabel *label : pair.first->findChildren<QLabel *>()) {
            if (!label->objectName().startsWith(QLatin1String("Label_")))
                continue;
            ++operations;
            const QString tip = label->toolTip();
            QVERIFY2(tip.size() > label->text().size() + 4 && tip.contains(QStringLiteral("：")),
                     qPrintable(pair.first->windowTitle() + ' ' + label->objectName() + ": " + tip));
        }
        const QStringList ranges = {"label_rangeAll", "label_rangeList", "label_rangeCurrent"};
        const QStringList names = {"所有列表", "当前列表", "当前文档"};
        for (int range = 0; range < 3; ++range) {
            if (QLabel *label = pair.first->findChild<QLabel *>(ranges.at(range)))
                QCOMPARE(label->toolTip(), names.at(range));
        }
    }
    // Every operation of the five plug-ins.
    QCOMPARE(operations, 19 + 5 + 9 + 2 + 2);

    const QString file = m_folder.path(QStringLiteral("某个很长的文件夹/文件.txt"));
    QVERIFY(HostDriver::put(file, "x"));
    m_host.window()->addFileToList(file, QStringLiteral("List"));
    TableViewWidget *list = m_host.window()->currentList();
    QTRY_COMPARE(list->model()->rowCount(), 1);
    for (int column = 0; column < 2; ++column)
        QCOMPARE(list->model()->index(0, column).data(Qt::ToolTipRole).toString(), file);
}

void TestStartLayout::placesOnRectangles_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("lists");
    QTest::addColumn<QList<int>>("heights"); // of the operation lists
    QTest::addColumn<bool>("roomy");
    QTest::newRow("wide, two lists, five pairs") << QRect(4, 90, 1912, 780) << 2
                                                 << QList<int>{ 200, 550, 250, 300, 200 } << true;
    QTest::newRow("small, two lists, five pairs") << QRect(4, 90, 1358, 520) << 2
                                                  << QList<int>{ 200, 500, 250, 300, 200 } << false;
    QTest::newRow("one list, one pair") << QRect(0, 0, 1000, 600) << 1 << QList<int>{ 400 } << true;
}

// The placements alone, without any window: inside the work area, the
// lists in their column, nothing covering anything, and the free area
// clear of all of it.
void TestStartLayout::placesOnRectangles()
{
    QFETCH(QRect, area);
    QFETCH(int, lists);
    QFETCH(QList<int>, heights);
    QFETCH(bool, roomy);
    const int pairs = heights.size();
    WindowLayout layout;
    layout.setArea(area);
    layout.setStartLists(lists);
    QList<QRect> listFrames;
    for (int i = 1; i <= lists; ++i) {
        listFrames << layout.placeList(i, listFrames);
        QVERIFY(WindowLayout::listColumn(area).contains(listFrames.last()));
    }
    QList<WindowLayout::Pair> sizes;
    for (int i = 0; i < pairs; ++i) {
        WindowLayout::Pair pair;
        pair.list = QSize(80, heights.at(i));
        pair.minimumHeight = pair.list.height();
        pair.optionFrame = QSize(0, 0);
        sizes << pair;
    }
    const QList<WindowLayout::PairPlace> places = layout.placePairs(sizes, listFrames);
    QCOMPARE(places.size(), pairs);
    QList<QRect> all = listFrames;
    for (int i = 0; i < pairs; ++i) {
        QVERIFY(places.at(i).found);
        QCOMPARE(places.at(i).optionSize.width() == 360, roomy);
        all << QRect(places.at(i).list, sizes.at(i).list) << QRect(places.at(i).option, places.at(i).optionSize);
    }
    for (const QRect &rect : all)
        QVERIFY2(area.contains(rect), qPrintable(describe(all)));
    QVERIFY2(!WindowLayout::anyOverlap(all), qPrintable(describe(all)));
    // The tallest pair is placed first, at the top-left corner.
    const int tallest = int(std::max_element(heights.begin(), heights.end()) - heights.begin());
    QCOMPARE(places.at(tallest).list, area.topLeft());

    const QRect free = WindowLayout::freeArea(area, all);
    QVERIFY(!free.isEmpty());
    QVERIFY(area.contains(free));
    QVERIFY2(!WindowLayout::anyOverlap(all + QList<QRect>{ free }), qPrintable(describe(all << free)));

    // Editors shown in full in the free area, each a step down and right
    // of the one before, starting again at its corner; none in a part too
    // small for one.
    const bool fits = free.width() >= 200 && free.height() >= 120;
    bool again = false;
    for (int i = 0; i < 60; ++i) {
        const QRect editor = WindowLayout::editorPlace(free, i);
        QVERIFY2(fits ? free.contains(editor) : editor.isNull(), qPrintable(describe({free, editor})));
        again = again || (i > 0 && editor.topLeft() == free.topLeft());
    }
    QCOMPARE(again, fits);
}

QTEST_MAIN(TestStartLayout)
#include "tst_startlayout.moc"
