#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "dockwidgetex.h"
#include "dockwidgetlistbase.h"
#include "dockwidgetoptionbase.h"
#include "fakehost.h"
#include "qlabelex.h"
#include "testdocks.h"
#include "testplugin.h"

Q_DECLARE_METATYPE(QMouseEvent *)
Q_DECLARE_METATYPE(QEvent *)

// The label and dock bases and the dock wiring of a plug-in on the
// framework, through a fake host.
class TestDocks : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void labelMouseSignals_data();
    void labelMouseSignals();
    void labelHover_data();
    void labelHover();
    void dockAlwaysFloats();

    void openCreatesDocksOnce();
    void selectedLabelEmitsNothing();
    void chosenLabelsKeepTheirColour();
    void operationWithoutTitleKeepsPage();
    void multiFileDisablesCurrentAndRestores();
    void rangeFilesPageRefreshed();
    void optionDockFollows();
    void activationSendsExplanation();
    void uiEnabledCoversBothDocks();
    void closeAndReopen();

private:
    TestListDock *list() const { return static_cast<TestListDock *>(m_plugin->listDock()); }
    TestOptionDock *option() const { return static_cast<TestOptionDock *>(m_plugin->optionDock()); }
    QLabelEx *label(const char *name) const { return list()->findChild<QLabelEx *>(QLatin1String(name)); }
    void click(const char *name) { QTest::mouseClick(label(name), Qt::LeftButton); }
    // Which range label shows the selection colour (-1: none or several).
    int highlightedRange() const;

    QTemporaryDir *m_dir = nullptr;
    FakeHost *m_host = nullptr;
    TestPlugin *m_plugin = nullptr;
};

void TestDocks::initTestCase()
{
    quietOffscreenWarnings();
    qRegisterMetaType<QMouseEvent *>();
    qRegisterMetaType<QEvent *>();
}

void TestDocks::init()
{
    m_dir = new QTemporaryDir;
    QDir::setCurrent(m_dir->path());
    m_host = new FakeHost;
    m_plugin = new TestPlugin;
    m_plugin->setHost(m_host);
}

void TestDocks::cleanup()
{
    delete m_plugin;
    m_plugin = nullptr;
    delete m_host;
    m_host = nullptr;
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

int TestDocks::highlightedRange() const
{
    int found = -1;
    for (int range = 0; range < 3; ++range) {
        if (list()->rangeLabel(range)->styleSheet() == QLabelEx::highlightStyle()) {
            if (found != -1)
                return -1;
            found = range;
        }
    }
    return found;
}

void TestDocks::labelMouseSignals_data()
{
    QTest::addColumn<int>("action"); // 0 press, 1 release, 2 double click
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left press") << 0 << int(Qt::LeftButton) << "mouseLeftPressd";
    QTest::newRow("right press") << 0 << int(Qt::RightButton) << "mouseRightPressd";
    QTest::newRow("middle press") << 0 << int(Qt::MiddleButton) << "";
    QTest::newRow("left release") << 1 << int(Qt::LeftButton) << "mouseLeftReleased";
    QTest::newRow("right release") << 1 << int(Qt::RightButton) << "mouseRightReleased";
    QTest::newRow("left double") << 2 << int(Qt::LeftButton) << "mouseLeftDoubled";
    QTest::newRow("right double") << 2 << int(Qt::RightButton) << "mouseRightDoubled";
    QTest::newRow("middle double") << 2 << int(Qt::MiddleButton) << "";
}

void TestDocks::labelMouseSignals()
{
    QFETCH(int, action);
    QFETCH(int, button);
    QFETCH(QString, expected);
    QLabelEx label;
    label.resize(40, 20);
    QCOMPARE(label.styleSheet(), QLabelEx::normalStyle());
    const char *names[] = {"mouseLeftPressd", "mouseRightPressd", "mouseLeftReleased",
                           "mouseRightReleased", "mouseLeftDoubled", "mouseRightDoubled"};
    QList<QSignalSpy *> spies;
    spies << new QSignalSpy(&label, &QLabelEx::mouseLeftPressd) << new QSignalSpy(&label, &QLabelEx::mouseRightPressd)
          << new QSignalSpy(&label, &QLabelEx::mouseLeftReleased) << new QSignalSpy(&label, &QLabelEx::mouseRightReleased)
          << new QSignalSpy(&label, &QLabelEx::mouseLeftDoubled) << new QSignalSpy(&label, &QLabelEx::mouseRightDoubled);
    const Qt::MouseButton b = Qt::MouseButton(button);
    if (action == 0) {
        QTest::mousePress(&label, b);
    } else if (action == 1) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), b, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &release);
    } else {
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), b, b, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &twice);
    }
    QStringList fired;
    for (int i = 0; i < spies.size(); ++i) {
        if (!spies.at(i)->isEmpty())
            fired << QLatin1String(names[i]);
    }
    qDeleteAll(spies);
    QCOMPARE(fired, expected.isEmpty() ? QStringList() : QStringList{expected});
}

void TestDocks::labelHover_data()
{
    QTest::addColumn<bool>("highlight");
    QTest::newRow("operation label") << true;
    QTest::newRow("range label") << false;
}

void TestDocks::labelHover()
{
    QFETCH(bool, highlight);
    QLabelEx label;
    label.hoverHighlight = highlight;
    label.setStyleSheet(QStringLiteral("color: red;"));
    const QString before = label.styleSheet();
    QSignalSpy entered(&label, &QLabelEx::entered);
    QSignalSpy leaved(&label, &QLabelEx::leaved);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&label, &enter);
    QCOMPARE(entered.size(), 1);
    QCOMPARE(label.styleSheet(), highlight ? QLabelEx::highlightStyle() : before);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&label, &leave);
    QCOMPARE(leaved.size(), 1);
    QCOMPARE(label.styleSheet(), highlight ? QLabelEx::normalStyle() : before);
}

void TestDocks::chosenLabelsKeepTheirColour()
{
    m_plugin->openPlugin(20, 80);
    auto colourOf = [this](const char *name) { return label(name)->styleSheet(); };
    click("Label_upper");
    QCOMPARE(colourOf("Label_upper"), QLabelEx::highlightStyle());
    // Hovering over the chosen label and leaving it keeps it chosen.
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(label("Label_upper"), &enter);
    QCoreApplication::sendEvent(label("Label_upper"), &leave);
    QCOMPARE(colourOf("Label_upper"), QLabelEx::highlightStyle());
    // Hovering over another one only lights it while the mouse is there.
    QCoreApplication::sendEvent(label("Label_table"), &enter);
    QCoreApplication::sendEvent(label("Label_table"), &leave);
    QCOMPARE(colourOf("Label_table"), QLabelEx::normalStyle());
    click("Label_table");
    QCOMPARE(colourOf("Label_upper"), QLabelEx::normalStyle());
    QCOMPARE(colourOf("Label_table"), QLabelEx::highlightStyle());

    // A multi-file operation disables "当前文档": its text stays readable
    // on the label's background, and the chosen range keeps its colour.
    click("Label_merge");
    QLabelEx *current = list()->rangeLabel(2);
    QVERIFY(!current->isEnabled());
    const QColor text = current->palette().color(QPalette::Disabled, QPalette::WindowText);
    QVERIFY2(qAbs(text.lightness() - QColor(195, 195, 195).lightness()) >= 80, qPrintable(text.name()));
    QCOMPARE(highlightedRange(), 1);
    QVERIFY(list()->rangeLabel(1)->isSelected());
}

void TestDocks::dockAlwaysFloats()
{
    QMainWindow window;
    DockWidgetEx dock(&window);
    QCOMPARE(dock.allowedAreas(), Qt::NoDockWidgetArea);
    QVERIFY(dock.isFloating());
    QSignalSpy activated(&dock, &DockWidgetEx::activateSignal);
    QSignalSpy closed(&dock, &DockWidgetEx::closedSignal);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dock, &activate);
    QCOMPARE(activated.size(), 1);
    dock.show();
    dock.close();
    QCOMPARE(closed.size(), 1);
}

void TestDocks::openCreatesDocksOnce()
{
    QVERIFY(m_plugin->openPlugin(20, 80));
    QVERIFY(list() && option());
    QCOMPARE(list()->parentWidget(), &m_host->window);
    QCOMPARE(list()->windowTitle(), QStringLiteral("Test"));
    QCOMPARE(option()->windowTitle(), QStringLiteral("处理选项"));
    QVERIFY(list()->isVisible() && option()->isVisible());
    QTRY_COMPARE(list()->pos(), QPoint(20, 80));
    QCOMPARE(label("Label_upper")->text(), QStringLiteral("upper"));
    // Index 0 explains every operation.
    const QString all = m_plugin->explanation(0);
    QVERIFY(all.startsWith(QStringLiteral("<b>Upper</b><br><b>Table</b><br>")));
    QCOMPARE(m_host->explains.last(), all);
    QCOMPARE(option()->findChild<QLabel *>(QStringLiteral("label_explain"))->text(), all);
    QCOMPARE(m_host->tips, (QList<Tip>{{11, 12, QStringLiteral("Test V1.2"), true}}));
    QCOMPARE(highlightedRange(), 2);

    QPointer<DockWidgetListBase> first = list();
    QVERIFY(!m_plugin->openPlugin(200, 300));
    QCOMPARE(m_plugin->listDock(), first.data());
    QCOMPARE(m_host->tipsWith(11, 12).size(), 2);
}

void TestDocks::selectedLabelEmitsNothing()
{
    m_plugin->openPlugin(20, 80);
    QSignalSpy chosen(list(), &DockWidgetListBase::curTextSignal);
    click("Label_upper");
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toInt(), int(TestPlugin::Upper));
    QCOMPARE(m_plugin->state().currentIndex, int(TestPlugin::Upper));
    QCOMPARE(option()->windowTitle(), QStringLiteral("Upper"));
    QCOMPARE(option()->stack->currentIndex(), 1);
    QCOMPARE(m_host->explains.last(), QStringLiteral("<b>Upper</b>"));

    option()->stack->setCurrentIndex(3);
    const int explains = m_host->explains.size();
    click("Label_upper");
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(option()->stack->currentIndex(), 3);
    QCOMPARE(m_host->explains.size(), explains);
}

void TestDocks::operationWithoutTitleKeepsPage()
{
    m_plugin->openPlugin(20, 80);
    click("Label_table");
    click("Label_none");
    QCOMPARE(m_plugin->state().currentIndex, int(TestPlugin::None));
    QCOMPARE(option()->windowTitle(), QStringLiteral("Table"));
    QCOMPARE(option()->stack->currentIndex(), 2);
}

void TestDocks::multiFileDisablesCurrentAndRestores()
{
    m_plugin->openPlugin(20, 80);
    click("Label_upper");
    QCOMPARE(m_plugin->state().currentRange, 2);
    QCOMPARE(m_host->status, QStringLiteral("当前文档"));

    click("Label_merge");
    QVERIFY(!list()->rangeLabel(2)->isEnabled());
    QCOMPARE(highlightedRange(), 1); // the multi-file range starts at the current list
    QCOMPARE(m_host->status, QStringLiteral("当前列表"));
    // A disabled label takes no clicks.
    click("label_rangeCurrent");
    QCOMPARE(highlightedRange(), 1);
    click("label_rangeAll");
    QCOMPARE(m_plugin->state().currentMultiRange, 0);
    QCOMPARE(m_host->status, QStringLiteral("所有列表"));
    QCOMPARE(m_plugin->state().currentRange, 2);

    click("Label_upper");
    QVERIFY(list()->rangeLabel(2)->isEnabled());
    QCOMPARE(highlightedRange(), 2);
    QCOMPARE(m_host->status, QStringLiteral("当前文档"));

    // Each kind remembers its own range.
    click("label_rangeList");
    click("Label_split");
    QCOMPARE(highlightedRange(), 0);
    click("Label_table");
    QCOMPARE(highlightedRange(), 1);
    QCOMPARE(m_plugin->state().currentRange, 1);
}

void TestDocks::rangeFilesPageRefreshed()
{
    m_host->setLists({{QStringLiteral("/x/a.txt"), QStringLiteral("/x/b.txt")}, {QStringLiteral("/x/c.txt")}}, 1);
    m_plugin->openPlugin(20, 80);
    click("Label_upper");
    click("label_rangeAll");
    QCOMPARE(option()->rangeRefreshes, 0);
    click("Label_table");
    QCOMPARE(option()->rangeRefreshes, 1);
    QCOMPARE(option()->fileNames(), (QStringList{"/x/a.txt", "/x/b.txt", "/x/c.txt"}));
    click("label_rangeList");
    QCOMPARE(option()->rangeRefreshes, 2);
    QCOMPARE(option()->fileNames(), QStringList{"/x/c.txt"});
}

void TestDocks::optionDockFollows()
{
    m_plugin->openPlugin(20, 80);
    QTRY_COMPARE(option()->pos(), QPoint(100, 80));
    list()->move(300, 200);
    QTRY_COMPARE(option()->pos(), QPoint(380, 200));
}

void TestDocks::activationSendsExplanation()
{
    m_plugin->openPlugin(20, 80);
    click("Label_table");
    m_host->explains.clear();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(list(), &activate);
    QCOMPARE(m_host->explains, QStringList{QStringLiteral("<b>Table</b>")});
}

void TestDocks::uiEnabledCoversBothDocks()
{
    m_plugin->setUiEnabled(false); // no docks yet: nothing to do
    m_plugin->openPlugin(20, 80);
    m_plugin->setUiEnabled(false);
    QVERIFY(!list()->isEnabled());
    QVERIFY(!option()->isEnabled());
    m_plugin->setUiEnabled(true);
    QVERIFY(list()->isEnabled() && option()->isEnabled());
}

void TestDocks::closeAndReopen()
{
    m_plugin->openPlugin(20, 80);
    click("Label_merge");
    click("label_rangeAll");
    QPointer<DockWidgetListBase> oldList = list();
    QPointer<DockWidgetOptionBase> oldOption = option();
    m_host->tips.clear();

    oldList->close();
    QCOMPARE(m_host->tips, (QList<Tip>{{11, 13, QStringLiteral("Test V1.2"), true}}));
    QCOMPARE(m_host->status, QString());
    QVERIFY(!m_plugin->listDock());
    QVERIFY(!m_plugin->optionDock());
    QCOMPARE(m_plugin->state().currentIndex, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(oldList.isNull());
    QVERIFY(oldOption.isNull());

    QVERIFY(m_plugin->openPlugin(120, 80));
    QVERIFY(list() && option());
    QCOMPARE(m_host->tips.last(), (Tip{11, 12, QStringLiteral("Test V1.2"), true}));
    QCOMPARE(option()->windowTitle(), QStringLiteral("处理选项"));
    QTRY_COMPARE(list()->pos(), QPoint(120, 80));
    // The multi-file range outlives the docks.
    QCOMPARE(m_plugin->state().currentMultiRange, 0);
    click("Label_merge");
    QCOMPARE(highlightedRange(), 0);
}

QTEST_MAIN(TestDocks)
#include "tst_docks.moc"
