#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QStackedWidget>
#include <QTextCodec>
#include <QMenu>
#include <QProcess>
#include <QtTest>

#include "deletepatterns.h"
#include "dockwidgettips.h"
#include "fakehost.h"
#include "codeeditorex.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "presetmenu.h"
#include "ini.h"
#include "mainwindow.h"
#include "qlabelex.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Delete V0.0.0.1");
const QString listDock = QStringLiteral("Delete");

// Text touched by every operation: markup with a quoted ">", Chinese,
// full-width punctuation, Latin-1, capitals, digits, symbols, blanks.
const QString sample = QString::fromUtf8(
    "<p class=\"a>b\">中文 Abc 123, é：《》\tx</p>\n"
    "第二行 <b>y</b> 45+6=7; [ok] “引号”\n");

const char *rangeLabel(int range)
{
    static const char *const names[] = { "label_rangeAll", "label_rangeList", "label_rangeCurrent" };
    return names[range];
}

} // namespace

// The real host loading the real deletion plug-in, run over real files.
class TestPurger : public HostTestCase
{
    Q_OBJECT
private slots:
    void loadsAndShowsItsOperations();
    void operationsOverListRanges_data();
    void operationsOverListRanges();
    void currentDocument();
    void missingFileInRange();
    void customPatternRefusedOrKept_data();
    void customPatternRefusedOrKept();
    void mixedEncodingsUnderAutomatic_data();
    void mixedEncodingsUnderAutomatic();
    void editorsFollowTheBatch_data();
    void editorsFollowTheBatch();
    void presetFromMenuRunsFromShell();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    void startWithPlugin();
    void choose(const char *label) { QVERIFY(m_host.click(listDock, QLatin1String(label))); }
    void chooseRange(int range) { QVERIFY(m_host.click(listDock, QLatin1String(rangeLabel(range)))); }
    void start() { QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_start"))); }
    QPlainTextEdit *customEdit() const;
    // Waits until the host window is usable again after a start.
    void waitUntilUsable();
    // Message lines about files of this test's folder that contain text.
    int count(const QString &text) const;
};

int TestPurger::count(const QString &text) const
{
    int n = 0;
    for (const QString &line : m_host.messages().split(QLatin1Char('\n'))) {
        if (line.contains(m_folder.path()) && line.contains(text))
            ++n;
    }
    return n;
}

void TestPurger::startWithPlugin()
{
    QVERIFY(HostDriver::put("plus.ini", (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
}

QPlainTextEdit *TestPurger::customEdit() const
{
    for (QPlainTextEdit *edit : m_host.window()->findChildren<QPlainTextEdit *>(QStringLiteral("plainTextEdit_custom")))
        return edit;
    return nullptr;
}

void TestPurger::waitUntilUsable()
{
    QTRY_VERIFY2(m_host.window()->isUiEnabled(), qPrintable(m_host.messages()));
    // The plug-in's docks follow once the batch's writes are durable.
    QTRY_VERIFY(m_host.dock(listDock)->isEnabled());
}

void TestPurger::loadsAndShowsItsOperations()
{
    startWithPlugin();
    QVERIFY(m_host.pluginAction(key));
    QVERIFY(HostDriver::bytesOf("plus.ini").split('\n').contains((key + ",2").toUtf8()));
    QVERIFY(m_host.messages().contains(key + QStringLiteral(" 加载插件成功!")));

    QDockWidget *list = m_host.dock(listDock);
    QDockWidget *option = m_host.dock(QStringLiteral("处理选项"));
    QVERIFY(option);
    // The range starts at the current document. (The plug-in has its own
    // copy of the label class, so the search goes by the Qt base class.)
    auto *current = list->findChild<QLabel *>(QStringLiteral("label_rangeCurrent"));
    QVERIFY(current);
    QCOMPARE(current->styleSheet(), QLabelEx::highlightStyle());
    auto *pages = option->findChild<QStackedWidget *>();
    QVERIFY(pages);
    QCOMPARE(pages->currentIndex(), 0);
    // The explanation page explains all nine operations.
    auto *explain = option->findChild<QLabel *>(QStringLiteral("label_explain"));
    QVERIFY(explain->text().contains(QStringLiteral("删除指定文本文件中的【数字】")));
    QVERIFY(explain->text().contains(QStringLiteral("删除指定文本文件中正则表达式匹配的内容")));

    choose("Label_double");
    QCOMPARE(option->windowTitle(), QStringLiteral("删除选项 - 双字节"));
    QVERIFY(m_host.window()->tipsDock()->explainHtml().contains(QStringLiteral("包括汉字在内")));
    choose("Label_regular");
    QCOMPARE(option->windowTitle(), QStringLiteral("删除选项 - 正则表达式"));
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(customEdit() && customEdit()->isVisibleTo(option));
    choose("Label_html");
    QCOMPARE(option->windowTitle(), QStringLiteral("删除选项 - HTML"));
    QCOMPARE(pages->currentIndex(), 0);
}

void TestPurger::operationsOverListRanges_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("range");
    for (int index = 1; index <= DeletePatterns::Count; ++index) {
        for (int range : { 0, 1 }) {
            const QString name = DeletePatterns::caption(index) + (range == 0 ? " all lists" : " current list");
            QTest::newRow(qPrintable(name)) << index << range;
        }
    }
}

// Two lists, A (a1, shared) and B (b1, b2 with a byte-order mark, shared);
// B is the current list. The result of each file is what the regular
// expression engine gives for the operation's pattern.
void TestPurger::operationsOverListRanges()
{
    QFETCH(int, index);
    QFETCH(int, range);
    const QString custom = QStringLiteral("[A-Za-z]+|[0-9]");
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray plain = sample.toUtf8();
    const QByteArray removed = DeletePatterns::removeRegExp(sample, DeletePatterns::pattern(index, custom)).toUtf8();
    QVERIFY(removed != plain);

    const QStringList a = { path("a1.txt"), path("shared.txt") };
    const QStringList b = { path("b1.txt"), path("b2.txt"), path("shared.txt") };
    for (const QString &file : a + b)
        QVERIFY(HostDriver::put(file, file.endsWith("b2.txt") ? bom + plain : plain));

    startWithPlugin();
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    for (const QString &file : a)
        window->addFileToList(file, QStringLiteral("A"));
    window->newList(QStringLiteral("B"));
    for (const QString &file : b)
        window->addFileToList(file, QStringLiteral("B"));
    QCOMPARE(window->listCount(), 2);

    choose(DeletePatterns::labelObjectName(index).toLatin1().constData());
    if (index == DeletePatterns::Regular)
        customEdit()->setPlainText(custom);
    chooseRange(range);
    start();
    waitUntilUsable();

    // Each file once, even the one in both lists; the count announced for
    // the start is the number of distinct files.
    const QStringList covered = range == 0 ? QStringList{ a.at(0), a.at(1), b.at(0), b.at(1) } : b;
    const int n = covered.size();
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), n);
    QCOMPARE(count(QStringLiteral("文件保存成功!")), n);
    QVERIFY2(m_host.messages().contains(QStringLiteral("文件处理完毕! %1/%2").arg(n - 1).arg(n)),
             qPrintable(m_host.messages()));
    QVERIFY(m_host.messages().contains(QStringLiteral("文件处理完毕! %1/%1").arg(n)));
    for (const QString &file : a + b) {
        const QByteArray expected = covered.contains(file) ? removed : plain;
        QCOMPARE(HostDriver::bytesOf(file), file.endsWith("b2.txt") ? bom + expected : expected);
    }
}

void TestPurger::currentDocument()
{
    const QString file = path("doc.txt");
    const QString other = path("other.txt");
    QVERIFY(HostDriver::put(file, "a1b22c333\n"));
    QVERIFY(HostDriver::put(other, "a1\n"));
    startWithPlugin();
    MainWindow *window = m_host.window();
    window->addFileToList(file, QStringLiteral("List"));
    window->addFileToList(other, QStringLiteral("List"));
    window->openFiles(window->currentListId(), { window->currentListFiles().first() });
    QTRY_VERIFY(window->currentEditor());
    QCOMPARE(window->currentDocumentFileName(), file);

    choose("Label_arabicNumber");
    start();
    waitUntilUsable();
    QCOMPARE(HostDriver::bytesOf(file), QByteArray("abc\n"));
    QCOMPARE(HostDriver::bytesOf(other), QByteArray("a1\n"));

    // No document open: the one job cannot open a file, and says so.
    QAction *closeAll = window->findChild<QAction *>(QStringLiteral("action_closeAll"));
    QVERIFY(closeAll);
    closeAll->trigger();
    QTRY_VERIFY(!window->currentEditor());
    start();
    // The line names no file.
    const QRegularExpression noName(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d 00 没有发现该文件!$"),
                                    QRegularExpression::MultilineOption);
    QTRY_VERIFY2(m_host.messages().contains(noName), qPrintable(m_host.messages()));
    waitUntilUsable();
    QCOMPARE(HostDriver::bytesOf(file), QByteArray("abc\n"));
    QCOMPARE(HostDriver::bytesOf(other), QByteArray("a1\n"));
}

void TestPurger::missingFileInRange()
{
    const QStringList files = { path("1.txt"), path("2.txt"), path("3.txt") };
    for (const QString &file : files)
        QVERIFY(HostDriver::put(file, "AbC\n"));
    startWithPlugin();
    for (const QString &file : files)
        m_host.window()->addFileToList(file, QStringLiteral("List"));
    QVERIFY(QFile::remove(files.at(1)));

    choose("Label_capitalize");
    chooseRange(1);
    start();
    waitUntilUsable();
    QVERIFY(m_host.messages().contains(QStringLiteral("00 %1 没有发现该文件!").arg(files.at(1))));
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), 2);
    QCOMPARE(HostDriver::bytesOf(files.at(0)), QByteArray("b\n"));
    QCOMPARE(HostDriver::bytesOf(files.at(2)), QByteArray("b\n"));
    QVERIFY(!QFile::exists(files.at(1)));

    // The window takes the next start normally.
    choose("Label_lowercase");
    start();
    waitUntilUsable();
}

void TestPurger::customPatternRefusedOrKept_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("refused");
    QTest::newRow("open class") << "[a-" << true;
    QTest::newRow("open group") << "(ab" << true;
    QTest::newRow("empty") << "" << false;
}

// An unusable pattern stops the start before any file is touched; an
// empty one matches nothing and leaves every file as it was.
void TestPurger::customPatternRefusedOrKept()
{
    QFETCH(QString, pattern);
    QFETCH(bool, refused);
    const QStringList files = { path("x.txt"), path("y.txt") };
    for (const QString &file : files)
        QVERIFY(HostDriver::put(file, "ab[a-(ab\n"));
    startWithPlugin();
    for (const QString &file : files)
        m_host.window()->addFileToList(file, QStringLiteral("List"));

    choose("Label_regular");
    customEdit()->setPlainText(pattern);
    chooseRange(0);
    start();
    waitUntilUsable();
    const bool cancelled = m_host.messages().contains(QStringLiteral("操作取消!参数设置有误,请检查!"));
    QCOMPARE(cancelled, refused);
    QCOMPARE(count(QStringLiteral("文件保存成功!")), 0);
    QCOMPARE(count(QStringLiteral("保持原样!")), refused ? 0 : files.size());
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), refused ? 0 : files.size());
    for (const QString &file : files)
        QCOMPARE(HostDriver::bytesOf(file), QByteArray("ab[a-(ab\n"));
}

// A preset saved in the program comes back from the 插件 menu, and runs
// from a shell with the same result as 处理.
void TestPurger::presetFromMenuRunsFromShell()
{
    const QByteArray text = "a1b22 c333\nx\n";
    QVERIFY(HostDriver::put(path("gui/a.txt"), text));
    QVERIFY(HostDriver::put(path("shell/a.txt"), text));
    startWithPlugin();
    choose("Label_regular");
    customEdit()->setPlainText(QStringLiteral("[0-9]+ ?"));
    QObject *plugin = m_host.pluginAction(key)->parent();
    bool saved = false;
    QVERIFY(QMetaObject::invokeMethod(plugin, "savePreset", Q_RETURN_ARG(bool, saved), Q_ARG(QString, "numbers")));
    QVERIFY(saved);

    customEdit()->setPlainText(QString());
    choose("Label_chinese");
    m_host.window()->presetMenu()->refresh();
    QMenu *presets = m_host.pluginMenu()->findChild<QMenu *>(QStringLiteral("menu_presets_Delete"));
    QVERIFY(presets);
    QCOMPARE(presets->actions().size(), 1);
    presets->actions().first()->trigger();
    QCOMPARE(customEdit()->toPlainText(), QStringLiteral("[0-9]+ ?"));
    QVERIFY(m_host.messages().contains(QStringLiteral("预设已载入")));

    m_host.window()->addFileToList(path("gui/a.txt"), QStringLiteral("List"));
    chooseRange(0);
    start();
    waitUntilUsable();
    QCOMPARE(HostDriver::bytesOf(path("gui/a.txt")), QByteArray("abc\nx\n"));

    QProcess shell;
    shell.start(QCoreApplication::applicationDirPath() + QStringLiteral("/scrivel"),
                {QStringLiteral("--run"), QStringLiteral("numbers"), path("shell")});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(HostDriver::bytesOf(path("shell/a.txt")), HostDriver::bytesOf(path("gui/a.txt")));
}

// UTF-16 code units in the given byte order, after a byte-order mark.
static QByteArray utf16WithBom(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray(1, high) + low : QByteArray(1, low) + high;
    }
    return bytes;
}

void TestPurger::mixedEncodingsUnderAutomatic_data()
{
    QTest::addColumn<bool>("chosen");
    QTest::newRow("chosen in the options") << true;
    // A first start: no "./configure.ini" at all.
    QTest::newRow("without settings") << false;
}

// Under "自动" one job over a folder of mixed encodings rewrites every file
// in its own encoding, byte-order mark and line ends, changed only where
// digits were; a file in no known encoding is refused and left as it was.
// Editors read the files the same way and the status bar names the
// current one's encoding.
void TestPurger::mixedEncodingsUnderAutomatic()
{
    QFETCH(bool, chosen);
    if (chosen)
        QVERIFY(writeIni(configureIni(), "text", "code", QStringLiteral("自动")));
    const QString text = QStringLiteral("第1行 abc 23\n中文𠀀 456\n");
    const QString removed = QStringLiteral("第行 abc \n中文𠀀 \n");
    QTextCodec *gb18030 = QTextCodec::codecForName("GB18030");
    QVERIFY(gb18030->fromUnicode(QStringLiteral("中")) == QByteArray("\xD6\xD0"));
    auto crlf = [](QString t) { return t.replace("\n", "\r\n"); };
    const QByteArray bom8("\xEF\xBB\xBF");
    const QByteArray undecodable("12\x80\xFF 3\n");

    struct Case { QString name; QByteArray before; QByteArray after; QString code; };
    const QList<Case> cases = {
        { "utf8.txt", text.toUtf8(), removed.toUtf8(), "UTF-8" },
        { "utf8bom.txt", bom8 + crlf(text).toUtf8(), bom8 + crlf(removed).toUtf8(), "UTF-8 BOM" },
        { "gbk.txt", gb18030->fromUnicode(crlf(text)), gb18030->fromUnicode(crlf(removed)), "GB18030" },
        { "utf16le.txt", utf16WithBom(text, false), utf16WithBom(removed, false), "UTF-16LE BOM" },
        { "utf16be.txt", utf16WithBom(text, true), utf16WithBom(removed, true), "UTF-16BE BOM" },
        { "neither.txt", undecodable, undecodable, QString() },
    };
    startWithPlugin();
    MainWindow *window = m_host.window();
    for (const Case &c : cases) {
        QVERIFY(HostDriver::put(path(c.name), c.before));
        window->addFileToList(path(c.name), QStringLiteral("List"));
    }
    choose("Label_arabicNumber");
    chooseRange(1);
    start();
    waitUntilUsable();
    for (const Case &c : cases)
        QCOMPARE(HostDriver::bytesOf(path(c.name)), c.after);
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), cases.size() - 1);
    const QRegularExpression refused(QStringLiteral("06 ") + QRegularExpression::escape(path("neither.txt"))
                                     + QStringLiteral(" ?该文件编码不符!"));
    QVERIFY2(m_host.messages().contains(refused), qPrintable(m_host.messages()));

    window->openFiles(window->currentListId(), window->currentListFiles());
    for (CodeEditorEx *editor : window->editors()) {
        const Case c = cases.at(window->editors().indexOf(editor));
        QCOMPARE(editor->loadFailed(), c.code.isEmpty());
        if (!editor->loadFailed())
            QCOMPARE(editor->toPlainText(), removed);
        emit editor->windowActivateSignal();
        QCOMPARE(window->codeLabel()->text(), c.code);
    }
}

void TestPurger::editorsFollowTheBatch_data()
{
    QTest::addColumn<bool>("keepMine");
    QTest::newRow("reload") << false;
    QTest::newRow("keep my changes") << true;
}

// A batch rewrites two open files: the unmodified editor shows the result
// at once, on its cursor line; the modified one keeps the user's text
// under the changed-on-disk bar and writes nothing (not even when its
// window closes, "保存" being the default) until the user has chosen.
void TestPurger::editorsFollowTheBatch()
{
    QFETCH(bool, keepMine);
    QVERIFY(HostDriver::put(path("open.txt"), "a1\nb2\nc3\n"));
    QVERIFY(HostDriver::put(path("edited.txt"), "x1\ny2\n"));
    startWithPlugin();
    MainWindow *window = m_host.window();
    window->addFileToList(path("open.txt"), QStringLiteral("List"));
    window->addFileToList(path("edited.txt"), QStringLiteral("List"));
    window->openFiles(window->currentListId(), window->currentListFiles());
    QCOMPARE(window->editors().size(), 2);
    CodeEditorEx *open = window->editors().at(0);
    CodeEditorEx *edited = window->editors().at(1);
    open->setTextCursor(QTextCursor(open->document()->findBlockByNumber(2)));
    edited->moveCursor(QTextCursor::End);
    edited->insertPlainText(QStringLiteral("mine"));

    choose("Label_arabicNumber");
    chooseRange(1);
    start();
    waitUntilUsable();
    QCOMPARE(HostDriver::bytesOf(path("open.txt")), QByteArray("a\nb\nc\n"));
    QCOMPARE(open->documentText(), QStringLiteral("a\nb\nc\n"));
    QCOMPARE(open->textCursor().blockNumber(), 2);
    QVERIFY(!open->isModified());

    QVERIFY(edited->diskChanged());
    QVERIFY(edited->diskChangedBar() && edited->diskChangedBar()->isVisible());
    QCOMPARE(edited->documentText(), QStringLiteral("x1\ny2\nmine"));
    QVERIFY(!edited->save(-1));
    QVERIFY(!edited->settleBeforeClose(-1, false));
    QCOMPARE(HostDriver::bytesOf(path("edited.txt")), QByteArray("x\ny\n"));

    const char *choice = keepMine ? "pushButton_keepMine" : "pushButton_reload";
    QTest::mouseClick(edited->diskChangedBar()->findChild<QPushButton *>(QLatin1String(choice)), Qt::LeftButton);
    QVERIFY(!edited->diskChangedBar()->isVisible());
    QCOMPARE(edited->isModified(), keepMine);
    QCOMPARE(edited->documentText(), keepMine ? QStringLiteral("x1\ny2\nmine") : QStringLiteral("x\ny\n"));
    QVERIFY(edited->save(-1));
    QCOMPARE(HostDriver::bytesOf(path("edited.txt")), keepMine ? QByteArray("x1\ny2\nmine") : QByteArray("x\ny\n"));
}

QTEST_MAIN(TestPurger)
#include "tst_purger.moc"
