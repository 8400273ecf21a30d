#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "dockwidgettips.h"
#include "fakehost.h"
#include "mainwindow.h"

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void startWindow();
    QMenu *pluginMenu() const;
    QAction *demoAction() const;
    QDockWidget *dock(const QString &title) const;
    QString messages() const { return m_window->tipsDock()->messageText(); }
    void clickLabel(const char *name);
    void clickStart();

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TestEndToEnd::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    quietOffscreenWarnings();
}

void TestEndToEnd::cleanupTestCase()
{
    joinPoolThreads();
}

void TestEndToEnd::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestEndToEnd::cleanup()
{
    delete m_window;
    m_window = nullptr;
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEndToEnd::startWindow()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

QMenu *TestEndToEnd::pluginMenu() const
{
    for (QMenu *menu : m_window->findChildren<QMenu *>()) {
        if (menu->title() == QStringLiteral("插件(&P)"))
            return menu;
    }
    return nullptr;
}

QAction *TestEndToEnd::demoAction() const
{
    for (QAction *action : pluginMenu()->actions()) {
        if (action->text() == key)
            return action;
    }
    return nullptr;
}

QDockWidget *TestEndToEnd::dock(const QString &title) const
{
    for (QDockWidget *dock : m_window->findChildren<QDockWidget *>()) {
        if (dock->windowTitle() == title)
            return dock;
    }
    return nullptr;
}

void TestEndToEnd::clickLabel(const char *name)
{
    QLabel *label = dock(QStringLiteral("Demo"))->findChild<QLabel *>(QLatin1String(name));
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestEndToEnd::clickStart()
{
    QTest::mouseClick(dock(QStringLiteral("Demo"))->findChild<QPushButton *>("pushButton_start"), Qt::LeftButton);
}

void TestEndToEnd::loadsListsAndOpensEnabledPlugin()
{
    put("plus.ini", (key + ",2").toUtf8());
    startWindow();
    QVERIFY(pluginMenu());
    QVERIFY(demoAction());
    QDockWidget *list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    QVERIFY(dock(QStringLiteral("处理选项")));
    QTRY_COMPARE(list->pos(), QPoint(20, 80));
    QVERIFY(messages().contains(key + QStringLiteral(" 加载插件成功!")));
    QVERIFY(messages().contains(key + QStringLiteral(" 插件打开!")));
    QVERIFY(bytesOf("plus.ini").split('\n').contains((key + ",2").toUtf8()));

    // Only the first show loads.
    const int actions = pluginMenu()->actions().size();
    m_window->hide();
    m_window->show();
    QCOMPARE(pluginMenu()->actions().size(), actions);
}

void TestEndToEnd::demo1RunsAndFailuresLeaveWindowUsable()
{
    put("plus.ini", (key + ",2").toUtf8());
    put("fileName", "sample text\n");
    put(path("a.txt"), "a");
    startWindow();
    m_window->addFileToList(path("a.txt"), QStringLiteral("List"));
    QCOMPARE(m_window->listCount(), 1);

    clickLabel("Label_textReplaced");
    QCOMPARE(dock(QStringLiteral("Demo1")) != nullptr, true); // the option dock took the operation's title
    clickStart();
    // The message dock shows the last completion of a job as 0/0.
    QTRY_VERIFY2(messages().contains(QStringLiteral("-40 fileName 文件处理完毕! 0/0")), qPrintable(messages()));
    QTRY_VERIFY(m_window->isEnabled());
    QCOMPARE(bytesOf("fileName"), QByteArray("sample text\n"));
    const int done = messages().count(QStringLiteral("文件处理完毕"));

    // The file is gone: the job fails, and the window is usable again
    // although no completion arrives.
    QVERIFY(QFile::remove("fileName"));
    clickStart();
    QTRY_VERIFY(messages().contains(QStringLiteral("00 fileName 没有发现该文件!")));
    QTRY_VERIFY(m_window->isEnabled());
    QVERIFY(dock(QStringLiteral("Demo"))->isEnabled());
    QCOMPARE(messages().count(QStringLiteral("文件处理完毕")), done);

    // Demo2 has no job.
    clickLabel("Label_textReplaced_2");
    clickStart();
    QVERIFY(messages().contains(QStringLiteral("未选择:操作选项!")));
    QVERIFY(m_window->isEnabled());
}

void TestEndToEnd::menuReopensAfterClose()
{
    startWindow();
    // Not enabled: listed only.
    QVERIFY(!dock(QStringLiteral("Demo")));
    demoAction()->trigger();
    QDockWidget *list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    QTRY_COMPARE(list->pos(), QPoint(20, 80));
    demoAction()->trigger(); // already open
    list->close();
    QVERIFY(messages().contains(key + QStringLiteral(" 插件关闭!")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dock(QStringLiteral("Demo")));
    demoAction()->trigger();
    list = dock(QStringLiteral("Demo"));
    QVERIFY(list);
    QTRY_COMPARE(list->pos(), QPoint(120, 80));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
