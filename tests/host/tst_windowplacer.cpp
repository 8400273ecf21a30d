#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include <memory>
#include <vector>

#include "windowlayout.h"
#include "windowplacer.h"

// The placer on bare widgets, no main window: lists stacked in order in
// their column, each plug-in's narrower dock taken as its operation list,
// and no list, dock or editor covering another, whether the pairs are laid
// out together or one opens later.
class TestWindowPlacer : public QObject
{
    Q_OBJECT
private slots:
    void placesClear_data();
    void placesClear();
};

void TestWindowPlacer::placesClear_data()
{
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("pairs");
    QTest::newRow("no list, two pairs") << 0 << 2;
    QTest::newRow("one list, one pair") << 1 << 1;
    QTest::newRow("three lists, three pairs") << 3 << 3;
}

void TestWindowPlacer::placesClear()
{
    QFETCH(int, lists);
    QFETCH(int, pairs);
    const QRect area(0, 0, 1920, 1080);
    QMdiArea editors;
    editors.setGeometry(area);
    editors.show();
    std::vector<std::unique_ptr<QWidget>> windows;
    QList<QWidget *> listWindows;
    QList<QDockWidget *> docks;
    WindowPlacer placer(&editors, {[&] { return area; }, [&] { return listWindows; }, [&] { return docks; }});
    placer.setStartLists(lists);
    for (int i = 0; i < lists; ++i) {
        windows.emplace_back(new QWidget);
        listWindows << windows.back().get();
        placer.placeList(listWindows.last(), true);
        listWindows.last()->show();
    }
    QList<QDockWidget *> operationLists;
    auto openPair = [&] {
        placer.aboutToOpen();
        auto *option = new QDockWidget;
        auto *list = new QDockWidget;
        windows.emplace_back(option);
        windows.emplace_back(list);
        option->resize(300, 200);
        list->setMinimumSize(150, 300);
        docks << option << list; // the option dock first: the width tells them apart
        option->show();
        list->show();
        operationLists << list;
        placer.opened();
    };
    placer.setLoadingPlugins(true);
    for (int i = 0; i < pairs; ++i)
        openPair();
    placer.setLoadingPlugins(false);
    placer.layoutWindows();
    openPair();

    for (int i = 1; i < lists; ++i)
        QVERIFY(listWindows.at(i)->y() > listWindows.at(i - 1)->y());
    for (QWidget *list : qAsConst(listWindows))
        QVERIFY(WindowLayout::listColumn(area).contains(list->pos()));
    const QList<QPair<QDockWidget *, QDockWidget *>> placed = placer.dockPairs();
    QCOMPARE(placed.size(), pairs + 1);
    for (int i = 0; i < placed.size(); ++i) {
        QCOMPARE(placed.at(i).first, operationLists.at(i));
        QVERIFY(placed.at(i).second->x() > placed.at(i).first->geometry().right());
    }
    QList<QRect> frames;
    for (QWidget *window : listWindows + QList<QWidget *>(docks.begin(), docks.end()))
        frames << window->frameGeometry();
    for (int i = 0; i < 3; ++i)
        placer.placeEditor(editors.addSubWindow(new QWidget));
    for (QMdiSubWindow *sub : editors.subWindowList())
        frames << QRect(sub->mapToGlobal(QPoint(0, 0)), sub->size());
    // Every window clear of every other, but the editors, which cascade
    // over each other.
    for (int i = 0; i < frames.size() - 3; ++i) {
        for (int j = i + 1; j < frames.size(); ++j)
            QVERIFY2(!frames.at(i).intersects(frames.at(j)), QTest::toString(frames.at(i) | frames.at(j)));
    }
}

QTEST_MAIN(TestWindowPlacer)
#include "tst_windowplacer.moc"
