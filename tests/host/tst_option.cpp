#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextCodec>
#include <QtTest>

#include "codeeditorex.h"
#include "hostdriver.h"
#include "ini.h"
#include "mainwindow.h"
#include "option.h"
#include "readwritetxt.h"
#include "testfolder.h"
#include "codesetting.h"

namespace {

template <class T>
T *child(const QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QString setting(const QString &group, const QString &key)
{
    return readIni(configureIni(), group, key, QStringLiteral("<none>"));
}

QStringList itemsOf(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : "-");
    return items;
}

} // namespace

class TestOption : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultsAndUntouchedSave();
    void shownValuesAndPlugins();
    void codeRoundTrip_data();
    void codeRoundTrip();
    void listNumberDigitsOnly_data();
    void listNumberDigitsOnly();
    void failedWriteKeepsWindow();
    void closingWithoutSavingDiscards();
    void openedFromMenu();

private:
    TestFolder m_folder;
};

void TestOption::initTestCase()
{
    TestFolder::prepareProcess();
}

void TestOption::init()
{
    QVERIFY(m_folder.enter());
}

void TestOption::cleanup()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    m_folder.leave();
}

// With no files the window shows the defaults; saving it untouched writes
// all six keys, both files (two success tips) and closes the window.
void TestOption::defaultsAndUntouchedSave()
{
    Option option;
    option.show();
    QCOMPARE(option.windowTitle(), QStringLiteral("选项"));
    auto *tabs = child<QTabWidget>(&option, "tabWidget");
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(child<QLineEdit>(&option, "lineEdit_listNumber")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLineEdit>(&option, "lineEdit_iniPath")->text(), QStringLiteral("/data/"));
    QCOMPARE(child<QComboBox>(&option, "comboBox_close")->currentText(), QStringLiteral("保存"));
    QCOMPARE(child<QPlainTextEdit>(&option, "plainTextEdit_suffix")->toPlainText(), Option::defaultSuffixText());
    QVERIFY(child<QCheckBox>(&option, "checkBox_firstSaveToList")->isChecked());
    QVERIFY(child<QCheckBox>(&option, "checkBox_add")->isChecked());
    auto *code = child<QComboBox>(&option, "comboBox_code");
    QCOMPARE(code->currentText(), QStringLiteral("自动"));
    QCOMPARE(code->count(), 4);
    QCOMPARE(child<QListWidget>(&option, "listWidget")->count(), 0);

    QSignalSpy tips(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    QTest::mouseClick(child<QPushButton>(&option, "pushButton_save"), Qt::LeftButton);
    QVERIFY(!option.isVisible());
    QCOMPARE(tips.count(), 2);
    for (const QList<QVariant> &tip : tips)
        QCOMPARE(tip.at(1).toInt(), 4);
    QSettings ini(configureIni(), QSettings::IniFormat);
    QStringList keys = ini.allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({"currency/close", "currency/iniPath", "new/add", "start/listNumber",
                                "text/code", "text/firstSaveToList"}));
    QCOMPARE(setting("currency", "close"), QStringLiteral("0"));
    QCOMPARE(HostDriver::bytesOf("suffix.ini"), Option::defaultSuffixText().toUtf8());
    QCOMPARE(HostDriver::bytesOf("plus.ini"), QByteArray());
}

// Values from the files are shown; a plug-in the host knows but
// "plus.ini" does not list is shown unchecked; unchecking one writes ",0".
void TestOption::shownValuesAndPlugins()
{
    writeIni(configureIni(), "start", "listNumber", "3");
    writeIni(configureIni(), "currency", "close", "2");
    writeIni(configureIni(), "currency", "iniPath", "/tables/");
    writeIni(configureIni(), "text", "firstSaveToList", "0");
    writeIni(configureIni(), "new", "add", "0");
    QVERIFY(HostDriver::put("suffix.ini", "txt(*.txt)\nmd(*.md)"));
    QVERIFY(HostDriver::put("plus.ini", "Text V0.0.0.1,2\nDelete V0.0.0.1,0\nDemo V0.0.0.1"));

    Option option({ QStringLiteral("Delete V0.0.0.1"), QStringLiteral("New V0.0.0.1") });
    QCOMPARE(child<QLineEdit>(&option, "lineEdit_listNumber")->text(), QStringLiteral("3"));
    QCOMPARE(child<QComboBox>(&option, "comboBox_close")->currentText(), QStringLiteral("忽略"));
    QCOMPARE(child<QLineEdit>(&option, "lineEdit_iniPath")->text(), QStringLiteral("/tables/"));
    QCOMPARE(child<QPlainTextEdit>(&option, "plainTextEdit_suffix")->toPlainText(), QStringLiteral("txt(*.txt)\nmd(*.md)"));
    QVERIFY(!child<QCheckBox>(&option, "checkBox_firstSaveToList")->isChecked());
    QVERIFY(!child<QCheckBox>(&option, "checkBox_add")->isChecked());
    auto *list = child<QListWidget>(&option, "listWidget");
    QCOMPARE(itemsOf(list), QStringList({ "Text V0.0.0.1+", "Delete V0.0.0.1-", "Demo V0.0.0.1-", "New V0.0.0.1-" }));

    list->item(0)->setCheckState(Qt::Unchecked);
    list->item(3)->setCheckState(Qt::Checked);
    QTest::mouseClick(child<QPushButton>(&option, "pushButton_save"), Qt::LeftButton);
    QCOMPARE(HostDriver::bytesOf("plus.ini"),
             QByteArray("Text V0.0.0.1,0\nDelete V0.0.0.1,0\nDemo V0.0.0.1,0\nNew V0.0.0.1,2"));
    QCOMPARE(setting("currency", "close"), QStringLiteral("2"));
    QCOMPARE(setting("text", "firstSaveToList"), QStringLiteral("0"));
}

void TestOption::codeRoundTrip_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("locale"); // the locale's codec afterwards
    QTest::newRow("UTF-8") << "UTF-8" << QByteArray("UTF-8");
    QTest::newRow("ANSI") << "ANSI" << QByteArray(); // the system's
    QTest::newRow("GB18030 leaves file names alone") << "GB18030" << QByteArray("UTF-8");
    QTest::newRow("automatic") << CodeSetting::automaticName() << QByteArray("UTF-8");
    QTest::newRow("a codec name set by hand") << "GBK" << QByteArray("GBK");
}

// The choice is written, applied at once, and shown again when the window
// opens next; the host reads it at start-up the same way.
void TestOption::codeRoundTrip()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, locale);
    QTextCodec::setCodecForLocale(nullptr);
    const QByteArray system = QTextCodec::codecForLocale()->name();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    if (code == QLatin1String("GBK"))
        writeIni(configureIni(), "text", "code", code);
    {
        Option option;
        auto *combo = child<QComboBox>(&option, "comboBox_code");
        combo->setCurrentText(code);
        QCOMPARE(combo->currentText(), code);
        QTest::mouseClick(child<QPushButton>(&option, "pushButton_save"), Qt::LeftButton);
    }
    QCOMPARE(setting("text", "code"), code);
    QCOMPARE(QTextCodec::codecForLocale()->name(), locale.isEmpty() ? system : locale);
    Option again;
    QCOMPARE(child<QComboBox>(&again, "comboBox_code")->currentText(), code);

    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    MainWindow window;
    QCOMPARE(QTextCodec::codecForLocale()->name(), locale.isEmpty() ? system : locale);
}

void TestOption::listNumberDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("number") << "42" << "42";
    QTest::newRow("letters and signs") << "-a7+" << "7";
    QTest::newRow("the cap") << "100" << "100";
    QTest::newRow("above the cap") << "101" << "10";
}

void TestOption::listNumberDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Option option;
    auto *edit = child<QLineEdit>(&option, "lineEdit_listNumber");
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
    QTest::mouseClick(child<QPushButton>(&option, "pushButton_save"), Qt::LeftButton);
    QCOMPARE(setting("start", "listNumber"), shown);
}

// "plus.ini" cannot be written (a folder has its name): the window stays
// open with what the user entered, the other values are saved.
void TestOption::failedWriteKeepsWindow()
{
    QVERIFY(QDir().mkdir("plus.ini"));
    Option option({ QStringLiteral("Delete V0.0.0.1") });
    option.show();
    child<QLineEdit>(&option, "lineEdit_iniPath")->setText("/mine/");
    QTest::mouseClick(child<QPushButton>(&option, "pushButton_save"), Qt::LeftButton);
    QVERIFY(option.isVisible());
    QCOMPARE(child<QLineEdit>(&option, "lineEdit_iniPath")->text(), QStringLiteral("/mine/"));
    QCOMPARE(itemsOf(child<QListWidget>(&option, "listWidget")), QStringList("Delete V0.0.0.1-"));
    QCOMPARE(setting("currency", "iniPath"), QStringLiteral("/mine/"));
}

void TestOption::closingWithoutSavingDiscards()
{
    Option option;
    option.show();
    child<QLineEdit>(&option, "lineEdit_iniPath")->setText("/mine/");
    child<QComboBox>(&option, "comboBox_code")->setCurrentText("GB18030");
    QVERIFY(option.close());
    QVERIFY(!QFile::exists(configureIni()));
    QVERIFY(!QFile::exists("suffix.ini"));
}

// "选项(&O)..." opens one non-modal window of its own; asked for again it
// brings the same one forward.
void TestOption::openedFromMenu()
{
    MainWindow window;
    QAction *action = window.findChild<QAction *>(QStringLiteral("action_option"));
    QVERIFY(action);
    QCOMPARE(action->text(), QStringLiteral("选项(&O)..."));
    action->trigger();
    QPointer<Option> option = window.optionWindow();
    QVERIFY(option);
    QVERIFY(option->isVisible());
    QVERIFY(!option->parentWidget());
    QVERIFY(!option->isModal());
    action->trigger();
    QCOMPARE(window.optionWindow(), option.data());
    QVERIFY(option->close());
    QTRY_VERIFY(!option);
    QVERIFY(!window.optionWindow());
}

QTEST_MAIN(TestOption)
#include "tst_option.moc"
