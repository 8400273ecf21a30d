#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
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

// The real host with the real text plug-in: replace over the current list,
// merge of all lists, split of the current list.
class TestReworker : public HostTestCase
{
    Q_OBJECT
private slots:
    void replaceOverCurrentList();
    void replacePresetRunsFromShell();
    void mergeAllLists();
    void splitCurrentList();

private:
    void startHost();
    void runStart();
    // The files of the host's last list, whose title starts with title.
    QStringList lastList(const QString &title) const;
    void click(const char *name) { QVERIFY(m_host.click(listDock, QLatin1String(name))); }
    QPlainTextEdit *edit(const char *name) const
    {
        return m_host.window()->findChild<QPlainTextEdit *>(QLatin1String(name));
    }
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

    QTRY_VERIFY2(window->isUiEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
    QCOMPARE(m_host.messages().count(QStringLiteral("文件处理完毕!")), 2);
    QCOMPARE(HostDriver::bytesOf(crlf), bom + QByteArray("水果 fruit\r\nfruit\r\n"));
    QCOMPARE(HostDriver::bytesOf(plain), QByteArray("fruit pie\n"));
    QCOMPARE(HostDriver::bytesOf(other), QByteArray("apple\n"));
}

// 替1 saved as a preset in the program, run from a shell: the same
// rewrite, byte-order mark and line ends kept.
void TestReworker::replacePresetRunsFromShell()
{
    const QByteArray bom("\xEF\xBB\xBF");
    const QString crlf = m_folder.path(QStringLiteral("shell/crlf.txt"));
    QVERIFY(HostDriver::put(crlf, bom + QByteArray("苹果 apple\r\npear\r\n")));
    startHost();
    click("Label_textReplaced");
    edit("plainTextEdit_replacedKey")->setPlainText(QStringLiteral("apple,pear\n苹果"));
    edit("plainTextEdit_replaceWith")->setPlainText(QStringLiteral("fruit\n水果"));
    QObject *plugin = m_host.pluginAction(key)->parent();
    bool saved = false;
    QVERIFY(QMetaObject::invokeMethod(plugin, "savePreset", Q_RETURN_ARG(bool, saved), Q_ARG(QString, "fruit")));
    QVERIFY(saved);
    const QByteArray json = HostDriver::bytesOf(QStringLiteral("data/presets/fruit.json"));
    QVERIFY2(json.contains("\"operation\": \"Label_textReplaced\"") && json.contains("plainTextEdit_replaceWith"),
             json.constData());

    QProcess shell;
    shell.start(QCoreApplication::applicationDirPath() + QStringLiteral("/scrivel"),
                {QStringLiteral("--run"), QStringLiteral("fruit"), m_folder.path(QStringLiteral("shell"))});
    QVERIFY(shell.waitForFinished(60000));
    QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());
    QCOMPARE(HostDriver::bytesOf(crlf), bom + QByteArray("水果 fruit\r\nfruit\r\n"));
}

void TestReworker::startHost()
{
    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
}

void TestReworker::runStart()
{
    click("pushButton_start");
    QTRY_VERIFY2(m_host.window()->isUiEnabled() && m_host.dock(listDock)->isEnabled(), qPrintable(m_host.messages()));
}

QStringList TestReworker::lastList(const QString &title) const
{
    MainWindow *window = m_host.window();
    const int last = window->listCount() - 1;
    if (last < 0 || !window->listTitle(last).startsWith(title))
        return {QStringLiteral("<no list %1>").arg(title)};
    QStringList files;
    for (const FileType *entry : window->listFiles(last))
        files << entry->fileName;
    return files;
}

// Lists A (two files), B (empty) and C (one file): A and C are merged into
// the working directory, with the separator's variables expanded, and the
// merged files form the new list "Merge"; a second merge overwrites.
void TestReworker::mergeAllLists()
{
    const QString a1 = m_folder.path(QStringLiteral("a1.txt")), a2 = m_folder.path(QStringLiteral("a2.txt"));
    const QString c1 = m_folder.path(QStringLiteral("c1.txt"));
    QVERIFY(HostDriver::put(a1, "one\n"));
    QVERIFY(HostDriver::put(a2, "two"));
    QVERIFY(HostDriver::put(c1, "three\n"));
    startHost();
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    window->addFileToList(a1, QStringLiteral("A"));
    window->addFileToList(a2, QStringLiteral("A"));
    window->newList(QStringLiteral("B"));
    window->newList(QStringLiteral("C"));
    window->addFileToList(c1, QStringLiteral("C"));
    const QString mergeA = m_folder.path(QStringLiteral("merge%1.txt").arg(window->listId(0)));
    const QString mergeB = m_folder.path(QStringLiteral("merge%1.txt").arg(window->listId(1)));
    const QString mergeC = m_folder.path(QStringLiteral("merge%1.txt").arg(window->listId(2)));

    click("Label_textMerge");
    QVERIFY(!m_host.dock(listDock)->findChild<QLabel *>(QStringLiteral("label_rangeCurrent"))->isEnabled());
    edit("plainTextEdit_MergeText")->setPlainText(QStringLiteral("--[i] [N]"));
    click("label_rangeAll");
    runStart();
    QCOMPARE(HostDriver::bytesOf(mergeA), QByteArray("one\n--2 a2\ntwo"));
    QCOMPARE(HostDriver::bytesOf(mergeC), QByteArray("three\n"));
    QVERIFY(!QFile::exists(mergeB));
    QCOMPARE(lastList(QStringLiteral("Merge")), (QStringList{mergeA, mergeC}));

    QVERIFY(HostDriver::put(a2, "deux\n"));
    runStart();
    QCOMPARE(HostDriver::bytesOf(mergeA), QByteArray("one\n--2 a2\ndeux\n"));
}

// Split works on the single-file ranges: the parts are written beside the
// file and form the new list "Split"; an empty dividing text is refused.
void TestReworker::splitCurrentList()
{
    const QString source = m_folder.path(QStringLiteral("s.txt"));
    QVERIFY(HostDriver::put(source, "x\n==\ny\n"));
    startHost();
    m_host.window()->addFileToList(source, QStringLiteral("List"));

    click("Label_textMultiple");
    QVERIFY(m_host.dock(listDock)->findChild<QLabel *>(QStringLiteral("label_rangeCurrent"))->isEnabled());
    click("label_rangeList");
    m_host.window()->findChild<QRadioButton *>(QStringLiteral("radioButton_splitChar"))->setChecked(true);
    auto *splitText = m_host.window()->findChild<QLineEdit *>(QStringLiteral("lineEdit_splitStr"));
    runStart();
    QVERIFY(m_host.messages().contains(QStringLiteral("操作取消")));
    QVERIFY(!QFile::exists(m_folder.path(QStringLiteral("s_1.txt"))));

    splitText->setText(QStringLiteral("=="));
    runStart();
    QCOMPARE(HostDriver::bytesOf(m_folder.path(QStringLiteral("s_1.txt"))), QByteArray("x\n"));
    QCOMPARE(HostDriver::bytesOf(m_folder.path(QStringLiteral("s_2.txt"))), QByteArray("y\n"));
    QCOMPARE(HostDriver::bytesOf(source), QByteArray("x\n==\ny\n"));
    QCOMPARE(lastList(QStringLiteral("Split")),
             (QStringList{m_folder.path(QStringLiteral("s_1.txt")), m_folder.path(QStringLiteral("s_2.txt"))}));
}

QTEST_MAIN(TestReworker)
#include "tst_reworker.moc"
