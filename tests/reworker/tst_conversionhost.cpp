#include <QComboBox>
#include <QDockWidget>
#include <QRadioButton>
#include <QtTest>

#include "fakehost.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "mainwindow.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Text V0.0.0.1");
const QString listDock = QStringLiteral("Text");

} // namespace

// Conversions through the real host and text plug-in over real files: the
// shipped tables are found on first use in the tables folder of the
// settings, and an edited table there is used as it is.
class TestConversionHost : public HostTestCase
{
    Q_OBJECT
private slots:
    void init();
    void tablesOnFirstUse();

private:
    void click(const char *name) { QVERIFY2(m_host.click(listDock, QLatin1String(name)), name); }
    template <class W>
    W *widget(const char *name) const
    {
        return m_host.window()->findChild<W *>(QLatin1String(name));
    }
    void startAndWait()
    {
        click("pushButton_start");
        QTRY_VERIFY2(m_host.window()->isUiEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
    }
};

void TestConversionHost::init()
{
    QVERIFY(m_folder.enter());
    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(HostDriver::put(QStringLiteral("configure.ini"), "[currency]\niniPath=./tables/\n"));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
}

void TestConversionHost::tablesOnFirstUse()
{
    const QString a = m_folder.path(QStringLiteral("a.txt"));
    const QString b = m_folder.path(QStringLiteral("b.txt"));
    QVERIFY(HostDriver::put(a, QByteArray("\xEF\xBB\xBF" "头发\r\n软件\r\n")));
    QVERIFY(HostDriver::put(b, "台湾"));
    m_host.window()->newList(QStringLiteral("A"));
    m_host.window()->addFileToList(a, QStringLiteral("A"));
    m_host.window()->addFileToList(b, QStringLiteral("A"));

    click("Label_textTo");
    widget<QRadioButton>("radioButton_textToTradition")->click();
    QVERIFY(QFile::exists(QStringLiteral("tables/textTo_newOne.txt")));
    widget<QComboBox>("comboBox_textToTradition")->setCurrentIndex(2); // 简体到繁体(台湾)
    click("label_rangeList");
    startAndWait();
    QCOMPARE(HostDriver::bytesOf(a), QByteArray("\xEF\xBB\xBF" "頭髮\r\n軟體\r\n"));
    QCOMPARE(HostDriver::bytesOf(b), QByteArray("臺灣"));

    // An edited table is kept and used; a bad pair touches no file.
    QVERIFY(HostDriver::put(QStringLiteral("tables/textTo_oldTaiwan.txt"), "x"));
    startAndWait();
    QVERIFY2(m_host.messages().contains(QStringLiteral("不一致")), qPrintable(m_host.messages()));
    QCOMPARE(HostDriver::bytesOf(b), QByteArray("臺灣"));
    widget<QRadioButton>("radioButton_textToTradition")->click();
    QCOMPARE(HostDriver::bytesOf(QStringLiteral("tables/textTo_oldTaiwan.txt")), QByteArray("x"));
}

QTEST_MAIN(TestConversionHost)
#include "tst_conversionhost.moc"
