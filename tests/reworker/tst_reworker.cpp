#include <QDockWidget>
#include <QPlainTextEdit>
#include <QtTest>

#include "fakehost.h"
#include "hostdriver.h"
#include "mainwindow.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Text V0.0.0.1");
const QString listDock = QStringLiteral("Text");

} // namespace

// The real host with the real text plug-in: replace over the current list.
class TestReworker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }
    void cleanupTestCase() { joinPoolThreads(); }
    void init() { QVERIFY(m_folder.enter()); }
    void cleanup()
    {
        m_host.stop();
        m_folder.leave();
    }
    void replaceOverCurrentList();

private:
    void click(const char *name) { QVERIFY(m_host.click(listDock, QLatin1String(name))); }
    QPlainTextEdit *edit(const char *name) const
    {
        return m_host.window()->findChild<QPlainTextEdit *>(QLatin1String(name));
    }

    TestFolder m_folder;
    HostDriver m_host;
};

// Choose "替1", type keys, choose "List", press "处理": the files of the
// current list are rewritten with their byte-order mark and line ends, the
// file of the other list is not, and the window is usable again.
void TestReworker::replaceOverCurrentList()
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QString crlf = m_folder.path(QStringLiteral("crlf.txt"));
    const QString plain = m_folder.path(QStringLiteral("plain.txt"));
    const QString other = m_folder.path(QStringLiteral("other.txt"));
    QVERIFY(HostDriver::put(crlf, bom + QByteArray("苹果 apple\r\npear\r\n")));
    QVERIFY(HostDriver::put(plain, QByteArray("apple pie\n")));
    QVERIFY(HostDriver::put(other, QByteArray("apple\n")));

    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    window->addFileToList(other, QStringLiteral("A"));
    window->newList(QStringLiteral("B"));
    window->addFileToList(crlf, QStringLiteral("B"));
    window->addFileToList(plain, QStringLiteral("B"));

    click("Label_textReplaced");
    QVERIFY(edit("plainTextEdit_replacedKey") && edit("plainTextEdit_replaceWith"));
    edit("plainTextEdit_replacedKey")->setPlainText(QStringLiteral("apple,pear\n苹果"));
    edit("plainTextEdit_replaceWith")->setPlainText(QStringLiteral("fruit\n水果"));
    click("label_rangeList");
    click("pushButton_start");

    QTRY_VERIFY2(window->isEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
    QCOMPARE(m_host.messages().count(QStringLiteral("文件处理完毕!")), 2);
    QCOMPARE(HostDriver::bytesOf(crlf), bom + QByteArray("水果 fruit\r\nfruit\r\n"));
    QCOMPARE(HostDriver::bytesOf(plain), QByteArray("fruit pie\n"));
    QCOMPARE(HostDriver::bytesOf(other), QByteArray("apple\n"));
}

QTEST_MAIN(TestReworker)
#include "tst_reworker.moc"
