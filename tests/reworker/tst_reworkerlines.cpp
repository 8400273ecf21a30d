#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLineEdit>
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
const QString refused = QStringLiteral("操作取消!参数设置有误,请检查!");

} // namespace

// The line operations from their pages, through the real host and the
// real text plug-in, over real files.
class TestReworkerLines : public HostTestCase
{
    Q_OBJECT
private slots:
    void init();
    void numberThenExtract();
    void unusableOptionsRefused_data();
    void unusableOptionsRefused();
    void pageSlots();

private:
    void click(const char *name) { QVERIFY2(m_host.click(listDock, QLatin1String(name)), name); }
    template <class W>
    W *widget(const char *name) const
    {
        return m_host.window()->findChild<W *>(QLatin1String(name));
    }
    void check(const char *name) { widget<QAbstractButton>(name)->setChecked(true); }
    void startAndWait();

    QString m_crlf, m_plain, m_other;
};

void TestReworkerLines::init()
{
    QVERIFY(m_folder.enter());
    m_crlf = m_folder.path(QStringLiteral("crlf.txt"));
    m_plain = m_folder.path(QStringLiteral("plain.txt"));
    m_other = m_folder.path(QStringLiteral("other.txt"));
    QVERIFY(HostDriver::put(m_crlf, QByteArray("\xEF\xBB\xBF" "甲\r\n乙\r\n丙\r\n")));
    QVERIFY(HostDriver::put(m_plain, QByteArray("a\nb\nc")));
    QVERIFY(HostDriver::put(m_other, QByteArray("x\ny\n")));
    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    window->addFileToList(m_other, QStringLiteral("A"));
    window->newList(QStringLiteral("B"));
    window->addFileToList(m_crlf, QStringLiteral("B"));
    window->addFileToList(m_plain, QStringLiteral("B"));
}

void TestReworkerLines::startAndWait()
{
    click("pushButton_start");
    QTRY_VERIFY2(m_host.window()->isUiEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
}

// Padded labels over the current list, then the first and third line of
// every file of all lists; byte-order mark and line ends stay.
void TestReworkerLines::numberThenExtract()
{
    click("Label_textNumber");
    widget<QGroupBox>("groupBox_textNumberCharFixLength")->setChecked(true);
    widget<QLineEdit>("lineEdit_textNumberChar")->setText(QStringLiteral("0"));
    widget<QLineEdit>("lineEdit_textNumberCharLength")->setText(QStringLiteral("3"));
    click("label_rangeList");
    startAndWait();
    QCOMPARE(m_host.messages().count(QStringLiteral("文件处理完毕!")), 2);
    QCOMPARE(HostDriver::bytesOf(m_crlf), QByteArray("\xEF\xBB\xBF" "001.甲\r\n002.乙\r\n003.丙\r\n"));
    QCOMPARE(HostDriver::bytesOf(m_plain), QByteArray("001.a\n002.b\n003.c"));
    QCOMPARE(HostDriver::bytesOf(m_other), QByteArray("x\ny\n"));

    click("Label_textExtraction");
    check("radioButton_textExtractionCustom");
    widget<QLineEdit>("lineEdit_textExtractionList")->setText(QStringLiteral("2,0"));
    click("label_rangeAll");
    startAndWait();
    QCOMPARE(HostDriver::bytesOf(m_crlf), QByteArray("\xEF\xBB\xBF" "001.甲\r\n003.丙\r\n"));
    QCOMPARE(HostDriver::bytesOf(m_plain), QByteArray("001.a\n003.c"));
    QCOMPARE(HostDriver::bytesOf(m_other), QByteArray("x\n"));

    // Removing labels no file carries leaves every file unwritten.
    click("Label_textNumber");
    check("radioButton_textNumberDelete");
    widget<QComboBox>("comboBox_textNumberMode")->setEditText(QStringLiteral("(i)"));
    startAndWait();
    QVERIFY2(m_host.messages().contains(QStringLiteral("其中无变化 3 个")), qPrintable(m_host.messages()));
    QCOMPARE(HostDriver::bytesOf(m_plain), QByteArray("001.a\n003.c"));
}

void TestReworkerLines::unusableOptionsRefused_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("value");
    QTest::newRow("one custom digit") << "Label_textNumber" << "radioButton_textNumberCustom"
                                      << "comboBox_textNumberCustom" << QString::fromUtf8("甲");
    QTest::newRow("pieces of none") << "Label_textDiscombobulated" << "radioButton_DiscombobulatedFixed"
                                    << "lineEdit_DiscombobulatedNumber" << "";
    QTest::newRow("divide by none") << "Label_textExtraction" << "radioButton_textExtractionModulus"
                                    << "lineEdit_textExtractionDivisor" << "0";
}

// Options that cannot work stop the start before any file is touched, and
// the window takes the next start.
void TestReworkerLines::unusableOptionsRefused()
{
    QFETCH(QString, label);
    QFETCH(QString, radio);
    QFETCH(QString, edit);
    QFETCH(QString, value);
    click(qPrintable(label));
    check(qPrintable(radio));
    if (auto *combo = widget<QComboBox>(qPrintable(edit)))
        combo->setEditText(value);
    else
        widget<QLineEdit>(qPrintable(edit))->setText(value);
    click("label_rangeAll");
    startAndWait();
    QCOMPARE(m_host.messages().count(refused), 1);
    QVERIFY(!m_host.messages().contains(QStringLiteral("文件处理完毕!")));
    QCOMPARE(HostDriver::bytesOf(m_plain), QByteArray("a\nb\nc"));
    QCOMPARE(HostDriver::bytesOf(m_other), QByteArray("x\ny\n"));

    click("Label_textRepeat");
    startAndWait();
    QCOMPARE(m_host.messages().count(QStringLiteral("文件处理完毕!")), 3);
}

void TestReworkerLines::pageSlots()
{
    // 全部 removes every space: count and implements do not apply.
    click("Label_textSpace");
    check("radioButton_SpaceAll");
    QVERIFY(widget<QRadioButton>("radioButton_SpaceDelete")->isChecked());
    QVERIFY(!widget<QRadioButton>("radioButton_SpaceIncrease")->isEnabled());
    QVERIFY(!widget<QLineEdit>("lineEdit_SpaceNumber")->isEnabled());
    check("radioButton_SpaceLeft");
    QVERIFY(widget<QRadioButton>("radioButton_SpaceIncrease")->isEnabled());
    QVERIFY(widget<QLineEdit>("lineEdit_SpaceNumber")->isEnabled());

    // The position captions follow 按段 / 整体; inputs follow their radios.
    click("Label_textChar");
    check("radioButton_charWhole");
    QCOMPARE(widget<QRadioButton>("radioButton_charPos")->text(), QStringLiteral("整体指定位置"));
    check("radioButton_charBlock");
    QCOMPARE(widget<QRadioButton>("radioButton_charLeft")->text(), QStringLiteral("段首"));
    QVERIFY(!widget<QLineEdit>("lineEdit_charDelete")->isEnabled());
    check("radioButton_charDelete");
    QVERIFY(widget<QLineEdit>("lineEdit_charDelete")->isEnabled());
    QVERIFY(widget<QComboBox>("comboBox_charArrive")->isEnabled());

    click("Label_textExtraction");
    QVERIFY(!widget<QLineEdit>("lineEdit_textExtractionText")->isEnabled());
    check("radioButton_textExtractionPos");
    QVERIFY(widget<QLineEdit>("lineEdit_textExtractionText")->isEnabled());
    QVERIFY(!widget<QLineEdit>("lineEdit_textExtractionList")->isEnabled());

    // Repeat shows its own check box, not the split inputs of its page.
    click("Label_textRepeat");
    QWidget *page = widget<QWidget>("page_19");
    QVERIFY(widget<QCheckBox>("checkBox_repeatTrimmed")->isVisibleTo(page));
    QVERIFY(!widget<QLineEdit>("lineEdit_splitStr")->isVisibleTo(page));
}

QTEST_MAIN(TestReworkerLines)
#include "tst_reworkerlines.moc"
