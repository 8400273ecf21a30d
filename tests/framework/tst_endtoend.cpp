#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QtTest>

#include "fakehost.h"
#include "hostdriver.h"
#include "emptyguide.h"
#include "mainwindow.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Demo V0.0.0.1");

} // namespace

// The real host loading the real sample plug-in from <build>/bin/plugins.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void loadsListsAndOpensEnabledPlugin();
    void demo1RunsAndFailuresLeaveWindowUsable();
    void menuReopensAfterClose();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    void startWindow()
    {
        QVERIFY(m_host.start());
        m_window = m_host.window();
    }
    QMenu *pluginMenu() const { return m_host.pluginMenu(); }
    QAction *demoAction() const { return m_host.pluginAction(key); }
    QDockWidget *dock(const QString &title) const { return m_host.dock(title); }
    QString messages() const { return m_host.messages(); }
    void clickLabel(const char *name) { QVERIFY(m_host.click(QStringLiteral("Demo"), QLatin1String(name))); }
    void clickStart() { QVERIFY(m_host.click(QStringLiteral("Demo"), QStringLiteral("pushButton_start"))); }

    TestFolder m_folder;
    HostDriver m_host;
    MainWindow *m_window = nullptr;
};

void TestEndToEnd::initTestCase()
{
    TestFolder::prepareProcess();
}

void TestEndToEnd::cleanupTestCase()
{
    joinPoolThreads();
}

void TestEndToEnd::init()
{
    QVERIFY(m_folder.enter());
}

void TestEndToEnd::cleanup()
{
    m_host.stop();
    m_window = nullptr;
    m_folder.leave();
}

void TestEndToEnd::loadsListsAndOpensEnabledPlugin()
{
    QVERIFY(TestFolder::put("plus.ini", (key + ",2").toUtf8()));
    startWindow();
    QVERIFY(pluginMenu());
    QVERIFY(demoAction());
    QDockWidget *list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    QVERIFY(dock(QStringLiteral("处理选项")));
    // Placed by the host's layout, inside the area above the message dock.
    QVERIFY(m_window->workArea().contains(list->frameGeometry()));
    QVERIFY(messages().contains(key + QStringLiteral(" 加载插件成功!")));
    QVERIFY(messages().contains(key + QStringLiteral(" 插件打开!")));
    QVERIFY(TestFolder::bytesOf("plus.ini").split('\n').contains((key + ",2").toUtf8()));

    // Only the first show loads.
    const int actions = pluginMenu()->actions().size();
    m_window->hide();
    m_window->show();
    QCOMPARE(pluginMenu()->actions().size(), actions);
}

void TestEndToEnd::demo1RunsAndFailuresLeaveWindowUsable()
{
    QVERIFY(TestFolder::put("plus.ini", (key + ",2").toUtf8()));
    QVERIFY(TestFolder::put("fileName", "sample text\n"));
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    startWindow();
    m_window->addFileToList(path("a.txt"), QStringLiteral("List"));
    QCOMPARE(m_window->listCount(), 1);

    clickLabel("Label_textReplaced");
    QCOMPARE(dock(QStringLiteral("Demo1")) != nullptr, true); // the option dock took the operation's title
    clickStart();
    // The last completion of a job shows the final count.
    QTRY_VERIFY2(messages().contains(QStringLiteral("-40 fileName 文件处理完毕! 1/1")), qPrintable(messages()));
    QTRY_VERIFY(m_window->isUiEnabled());
    // The start is over once the plug-in's docks are enabled again.
    QTRY_VERIFY(dock(QStringLiteral("Demo"))->isEnabled());
    QCOMPARE(TestFolder::bytesOf("fileName"), QByteArray("sample text\n"));
    const int done = messages().count(QStringLiteral("文件处理完毕"));

    // The file is gone: the job fails, and the window is usable again
    // although no completion arrives.
    QVERIFY(QFile::remove("fileName"));
    clickStart();
    QTRY_VERIFY(messages().contains(QStringLiteral("00 fileName 没有发现该文件!")));
    QTRY_VERIFY(m_window->isUiEnabled());
    QVERIFY(dock(QStringLiteral("Demo"))->isEnabled());
    QCOMPARE(messages().count(QStringLiteral("文件处理完毕")), done);

    // Demo2 has no job.
    clickLabel("Label_textReplaced_2");
    clickStart();
    QVERIFY(messages().contains(QStringLiteral("未选择:操作选项!")));
    QVERIFY(m_window->isUiEnabled());
}

// The menu opens a plug-in and shows it checked while open; "plus.ini"
// remembers the last state for the next start (and quitting with the
// plug-in open keeps it enabled).
void TestEndToEnd::menuReopensAfterClose()
{
    // The sample plug-in's line of "plus.ini".
    const auto state = [] {
        for (const QByteArray &line : TestFolder::bytesOf(QStringLiteral("plus.ini")).split('\n')) {
            if (line.startsWith(key.toUtf8() + ','))
                return line;
        }
        return QByteArray("<none>");
    };
    startWindow();
    // Not enabled: listed only.
    QVERIFY(!dock(QStringLiteral("Demo")));
    QVERIFY(demoAction()->isCheckable() && !demoAction()->isChecked());
    QCOMPARE(state(), (key + ",0").toUtf8());
    // Nothing open yet: the work area shows its guide, until the plug-in is.
    QTRY_VERIFY(m_window->emptyGuide()->isVisible());
    demoAction()->trigger();
    QDockWidget *list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    QVERIFY(demoAction()->isChecked());
    QTRY_VERIFY(!m_window->emptyGuide()->isVisible());
    QCOMPARE(state(), (key + ",2").toUtf8());
    // Placed by the host's layout, inside the area above the message dock.
    QVERIFY(m_window->workArea().contains(list->frameGeometry()));
    demoAction()->trigger(); // already open: stays open and checked
    QVERIFY(demoAction()->isChecked());
    // Meanwhile the options window saved other states: they stay.
    QVERIFY(TestFolder::put(QStringLiteral("plus.ini"), "Text V0.0.0.1,2\n" + (key + ",2").toUtf8()));
    list->close();
    QVERIFY(messages().contains(key + QStringLiteral(" 插件关闭!")));
    QVERIFY(!demoAction()->isChecked());
    QCOMPARE(TestFolder::bytesOf(QStringLiteral("plus.ini")), "Text V0.0.0.1,2\n" + (key + ",0").toUtf8());
    QTRY_VERIFY(m_window->emptyGuide()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dock(QStringLiteral("Demo")));
    demoAction()->trigger();
    list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    // Alone on the screen, it opens at the top left of the work area.
    QCOMPARE(list->pos(), m_window->workArea().topLeft());
    m_window->close();
    m_host.stop();
    QCOMPARE(state(), (key + ",2").toUtf8());
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
