#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include "filetype.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "mainwindow.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("New V0.0.0.1");
const QString listDock = QStringLiteral("New");

} // namespace

// The real host loading the real generation plug-in, writing into the
// data folder of a temporary working directory.
class TestForger : public HostTestCase
{
    Q_OBJECT
private slots:
    void pagesAndVariableTable();
    void numbersSplitIntoFiles();
    void variablesAndRefusals();

private:
    void startWithPlugin();
    void choose(const char *label) { QVERIFY(m_host.click(listDock, QLatin1String(label))); }
    void startAndWait();
    QDockWidget *options() const { return m_host.dock(m_optionTitle); }
    template <class T>
    T *widget(const char *name) const
    {
        return m_host.window()->findChild<T *>(QLatin1String(name));
    }
    void setText(const char *name, const QString &text);
    // The files of list index, as paths relative to the working directory.
    QStringList files(int index) const;
    int count(const QString &text) const { return m_host.messages().count(text); }

    QString m_optionTitle = QStringLiteral("创建选项");
};

void TestForger::startWithPlugin()
{
    QVERIFY(HostDriver::put("plus.ini", (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    QVERIFY(m_host.messages().contains(key + QStringLiteral(" 加载插件成功!")));
    // A fixed start time: 20:xx gives the hour letter "y".
    QObject *plugin = m_host.pluginAction(key)->parent();
    QVERIFY(plugin->setProperty("clock", QDateTime(QDate(2026, 3, 1), QTime(20, 15))));
}

void TestForger::startAndWait()
{
    QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_start")));
    QTRY_VERIFY2(m_host.window()->isUiEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
}

void TestForger::setText(const char *name, const QString &text)
{
    auto *edit = widget<QLineEdit>(name);
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

QStringList TestForger::files(int index) const
{
    QStringList names;
    for (const FileType *entry : m_host.window()->listFiles(index))
        names << QDir::current().relativeFilePath(entry->fileName);
    return names;
}

void TestForger::pagesAndVariableTable()
{
    startWithPlugin();
    QDockWidget *option = options();
    QVERIFY(option);
    auto *pages = option->findChild<QStackedWidget *>();
    QCOMPARE(pages->count(), 6);
    QCOMPARE(pages->currentIndex(), 5);
    QVERIFY(option->findChild<QLabel *>("label_explain")->text().contains(QStringLiteral("通过带有【文本】变量")));

    // Every start ends with jobsFinishedSignal, the ones without jobs too.
    QSignalSpy finished(m_host.pluginAction(key)->parent(), SIGNAL(jobsFinishedSignal(int, int)));

    // Nothing chosen: the no-operation message, no list, no file.
    startAndWait();
    QCOMPARE(count(QStringLiteral("未选择")), 1);
    QCOMPARE(m_host.window()->listCount(), 0);
    QCOMPARE(finished.count(), 1);

    choose("Label_newVariableInt");
    QCOMPARE(option->windowTitle(), QStringLiteral("创建选项 - 整数变量"));
    QCOMPARE(pages->currentIndex(), 3);
    QTableWidget *table = widget<QTableWidget>("tableWidget_newVariableInt");
    QCOMPARE(table->rowCount(), 1);
    // Only a start value typed into the entry row appends a row.
    table->item(0, 2)->setText(QStringLiteral("0"));
    QCOMPARE(table->rowCount(), 1);
    table->item(0, 1)->setText(QStringLiteral("5"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("{@%1}"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("0"));
    table->item(1, 1)->setText(QStringLiteral("1"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("{@%2}"));

    // The clear button (Ctrl+T) leaves the one default row; a start is
    // then refused.
    auto *clear = widget<QPushButton>("pushButton_newVariableIntClear");
    QCOMPARE(clear->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    QTest::mouseClick(clear, Qt::LeftButton);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("{@%0}"));
    QCOMPARE(table->item(0, 1)->text(), QString());
    startAndWait();
    QCOMPARE(count(QStringLiteral("操作取消!参数设置有误,请检查!")), 1);
    QCOMPARE(m_host.window()->listCount(), 0);
    QCOMPARE(finished.count(), 2);

    // An operation without a job yet: an empty list "New1", no file.
    choose("Label_newUserPwd");
    startAndWait();
    QCOMPARE(m_host.window()->listCount(), 1);
    QCOMPARE(m_host.window()->listTitle(0), QStringLiteral("New1"));
    QVERIFY(m_host.window()->listFiles(0).isEmpty());
    QCOMPARE(finished.count(), 3);
    QCOMPARE(finished.last(), QVariantList({ 0, 0 }));
}

// 60 lines of the default numbers at 25 per file: three files in order,
// in a new list "New1"; the per-file count lands in the settings file.
void TestForger::numbersSplitIntoFiles()
{
    startWithPlugin();
    choose("Label_newNumber");
    // No range to name in the status bar: this dock makes new files.
    QVERIFY(m_host.window()->pluginLabel()->text().isEmpty());
    setText("lineEdit_branchNumber", QStringLiteral("25"));
    QCOMPARE(QSettings("configure.ini", QSettings::IniFormat).value("new/branchNumber").toString(),
             QStringLiteral("25"));
    startAndWait();
    QTRY_COMPARE(m_host.window()->listCount(), 1);
    QCOMPARE(m_host.window()->listTitle(0), QStringLiteral("New1"));
    const QStringList names = { "data/y00.txt", "data/y01.txt", "data/y02.txt" };
    QTRY_COMPARE(files(0), names);
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), 3);
    QByteArray all;
    for (const QString &name : names)
        all += HostDriver::bytesOf(name);
    QCOMPARE(HostDriver::bytesOf(names.at(2)).count('\n'), 10);
    QVERIFY(all.startsWith("1,2,3\n1,2,4\n"));
    QVERIFY(all.endsWith("\n5,4,3\n"));
    QCOMPARE(all.count('\n'), 60);

    // Sorted and repeated: 35 lines, one file; the second run of the day,
    // whose name is taken (by another day's run, say): the third run's.
    QFile taken("data/y10.txt");
    QVERIFY(taken.open(QIODevice::WriteOnly) && taken.write("earlier") == 7);
    taken.close();
    widget<QCheckBox>("checkBox_newNumberIsSort")->setChecked(true);
    widget<QCheckBox>("checkBox_newNumberIsRepeatNum")->setChecked(true);
    setText("lineEdit_branchNumber", QStringLiteral("100"));
    startAndWait();
    QTRY_COMPARE(files(1), QStringList{ "data/y20.txt" });
    QCOMPARE(HostDriver::bytesOf("data/y10.txt"), QByteArray("earlier"));
    const QByteArray both = HostDriver::bytesOf("data/y20.txt");
    QCOMPARE(both.count('\n'), 35);
    QVERIFY(both.startsWith("1,1,1\n1,1,2\n"));

    // Bounds out of range: refused, nothing written.
    setText("lineEdit_newNumberMax", QStringLiteral("10000"));
    startAndWait();
    QCOMPARE(count(QStringLiteral("操作取消!")), 1);
    QCOMPARE(m_host.window()->listCount(), 2);
    QCOMPARE(QDir("data").entryList(QDir::Files).size(), 5);
}

void TestForger::variablesAndRefusals()
{
    startWithPlugin();
    choose("Label_newVariableInt");
    QTableWidget *table = widget<QTableWidget>("tableWidget_newVariableInt");
    table->item(0, 1)->setText(QStringLiteral("1"));
    setText("lineEdit_itemCount", QStringLiteral("25"));
    setText("lineEdit_branchNumber", QStringLiteral("10"));
    startAndWait();
    const QStringList names = { "data/y00.txt", "data/y01.txt", "data/y02.txt" };
    QTRY_COMPARE(files(0), names);
    const QString quotes(27, QLatin1Char('\''));
    QCOMPARE(HostDriver::bytesOf(names.at(2)), (quotes + "21\n" + quotes + "22\n" + quotes + "23\n" + quotes + "24\n"
                                               + quotes + "25").toUtf8());

    // Output larger than the free space: refused before anything exists.
    QObject *plugin = m_host.pluginAction(key)->parent();
    QVERIFY(plugin->setProperty("freeSpaceLimit", qint64(100)));
    startAndWait();
    QCOMPARE(count(QStringLiteral("操作取消!")), 1);
    QCOMPARE(m_host.window()->listCount(), 1);
    QCOMPARE(QDir("data").entryList(QDir::Files).size(), 3);

    // An empty variable name is refused too.
    QVERIFY(plugin->setProperty("freeSpaceLimit", qint64(-1)));
    table->item(0, 0)->setText(QString());
    startAndWait();
    QCOMPARE(count(QStringLiteral("操作取消!")), 2);
    QCOMPARE(m_host.window()->listCount(), 1);
}

QTEST_MAIN(TestForger)
#include "tst_forger.moc"
