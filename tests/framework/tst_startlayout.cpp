#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QtTest>

#include "dockwidgettips.h"
#include "hostdriver.h"
#include "mainwindow.h"
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
class TestStartLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }
    void init() { QVERIFY(m_folder.enter()); }
    void cleanup()
    {
        m_host.stop();
        m_folder.leave();
    }

    void firstStartIsSilent();
    void windowsDoNotCover_data();
    void windowsDoNotCover();

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

    TestFolder m_folder;
    HostDriver m_host;
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

QTEST_MAIN(TestStartLayout)
#include "tst_startlayout.moc"
