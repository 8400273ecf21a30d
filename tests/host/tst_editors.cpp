#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTextBlock>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "codeeditor.h"
#include "codeeditorex.h"
#include "codeeditorex2.h"
#include "ini.h"
#include "readwritetxt.h"
#include "testfolder.h"

namespace {

void focusIn(QWidget *widget)
{
    QFocusEvent event(QEvent::FocusIn);
    QCoreApplication::sendEvent(widget, &event);
}

void append(QPlainTextEdit &editor, const QString &text)
{
    editor.moveCursor(QTextCursor::End);
    editor.insertPlainText(text);
}

bool hasTip(const QSignalSpy &spy, int var1, int var2)
{
    for (const QList<QVariant> &args : spy) {
        if (args.at(0).toInt() == var1 && args.at(1).toInt() == var2)
            return true;
    }
    return false;
}

const QByteArray invalidUtf8("ab\xc3\x28 cd", 6);

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void gutterWidth_data();
    void gutterWidth();
    void gutterGrowsAtTenthLine();
    void mark_data();
    void mark();
    void titleWithoutList();
    void reloadOnFocus_data();
    void reloadOnFocus();
    void followsOtherPrograms_data();
    void followsOtherPrograms();
    void unreadableFile_data();
    void unreadableFile();
    void fileTurningUnreadableLocksEditor();
    void readableAgainUnlocks();
    void saveKeepsFileFormat_data();
    void saveKeepsFileFormat();
    void unmodifiedSaveLeavesChangedFile();
    void newDocumentSave_data();
    void newDocumentSave();
    void failedWriteKeepsMark();
    void adoptsTableIdOnlyWhenInNoList_data();
    void adoptsTableIdOnlyWhenInNoList();
    void ctrlWheelZooms_data();
    void ctrlWheelZooms();
    void closingSavesChanges();
    void closingRefusedWhenSaveFails();
    void closeSetting_data();
    void closeSetting();
    void plainEditorGutter();

    void twoPanesLoadSwapClearSave();
    void twoPanesSaveOnClose_data();
    void twoPanesSaveOnClose();
    void twoPanesUnreadableFileUntouched();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QTemporaryDir *m_dir = nullptr;
};

void TestEditors::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestEditors::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestEditors::cleanup()
{
    CodeEditorEx::setSaveDialog(nullptr);
    CodeEditorEx::setCloseQuestion(nullptr);
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestEditors::gutterWidth_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("digits");
    QTest::newRow("empty") << 1 << 1;
    QTest::newRow("9 lines") << 9 << 1;
    QTest::newRow("10 lines") << 10 << 2;
    QTest::newRow("99 lines") << 99 << 2;
    QTest::newRow("100 lines") << 100 << 3;
}

void TestEditors::gutterWidth()
{
    QFETCH(int, lines);
    QFETCH(int, digits);
    QStringList text;
    for (int i = 0; i < lines; ++i)
        text << QString::number(i);
    QVERIFY(TestFolder::put(path("a.txt"), text.join('\n').toUtf8()));
    CodeEditorEx editor(1, 1, path("a.txt"));
    QCOMPARE(editor.blockCount(), lines);
    const int nine = editor.fontMetrics().horizontalAdvance(QLatin1Char('9'));
    QCOMPARE(editor.lineNumberAreaWidth(), 3 + nine * digits);
    QCOMPARE(editor.viewport()->geometry().left() - editor.frameWidth(), editor.lineNumberAreaWidth());
}

void TestEditors::gutterGrowsAtTenthLine()
{
    QVERIFY(TestFolder::put(path("a.txt"), "1\n2\n3\n4\n5\n6\n7\n8\n9"));
    CodeEditorEx editor(1, 1, path("a.txt"));
    const int before = editor.lineNumberAreaWidth();
    append(editor, "\n10");
    QCOMPARE(editor.lineNumberAreaWidth() - before, editor.fontMetrics().horizontalAdvance(QLatin1Char('9')));
    QCOMPARE(editor.viewport()->geometry().left() - editor.frameWidth(), editor.lineNumberAreaWidth());
}

void TestEditors::mark_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("title");
    QTest::newRow("typed") << "type" << "*3_%1";
    QTest::newRow("typed then deleted") << "type-delete" << "3_%1";
    QTest::newRow("typed then undone") << "type-undo" << "3_%1";
}

void TestEditors::mark()
{
    QFETCH(QString, how);
    QFETCH(QString, title);
    QVERIFY(TestFolder::put(path("a.txt"), "hello"));
    CodeEditorEx editor(3, 1, path("a.txt"));
    QCOMPARE(editor.windowTitle(), QString("3_%1").arg(path("a.txt")));
    append(editor, "xy");
    if (how == "type-delete") {
        QTextCursor cursor = editor.textCursor();
        cursor.deletePreviousChar();
        cursor.deletePreviousChar();
    } else if (how == "type-undo") {
        editor.undo();
    }
    QCOMPARE(editor.windowTitle(), title.arg(path("a.txt")));
    QCOMPARE(editor.isModified(), title.startsWith('*'));
}

void TestEditors::titleWithoutList()
{
    QVERIFY(TestFolder::put(path("a.txt"), "hello"));
    CodeEditorEx editor(-1, 1, path("a.txt"));
    QCOMPARE(editor.windowTitle(), QString());
    append(editor, "!");
    QCOMPARE(editor.windowTitle(), QStringLiteral("*"));

    // A new document keeps its mark even when emptied again.
    CodeEditorEx fresh(5, 2, QString());
    QCOMPARE(fresh.windowTitle(), QStringLiteral("*5_"));
    append(fresh, "a");
    fresh.clear();
    QCOMPARE(fresh.mark(), QStringLiteral("*"));
}

void TestEditors::reloadOnFocus_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("shown");
    QTest::newRow("unmodified follows the file") << false << "changed on disk";
    QTest::newRow("modified keeps the user's text") << true << "original!";
}

void TestEditors::reloadOnFocus()
{
    QFETCH(bool, modified);
    QFETCH(QString, shown);
    QVERIFY(TestFolder::put(path("a.txt"), "original"));
    CodeEditorEx editor(1, 1, path("a.txt"));
    if (modified)
        append(editor, "!");
    QVERIFY(TestFolder::put(path("a.txt"), "changed on disk"));
    QSignalSpy activated(&editor, &CodeEditorEx::windowActivateSignal);
    focusIn(&editor);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(editor.documentText(), shown);
    QCOMPARE(editor.isModified(), modified);
    QCOMPARE(editor.diskChanged(), modified);
}

void TestEditors::followsOtherPrograms_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::newRow("written in place") << false;
    // A new file renamed over the old one: a new inode each time.
    QTest::newRow("replaced by rename") << true;
}

// Another program changes the open file twice: an unmodified editor shows
// each new content without being touched, on the line it was on.
void TestEditors::followsOtherPrograms()
{
    QFETCH(bool, replaced);
    const QString file = path("other.txt");
    QVERIFY(TestFolder::put(file, "1\n2\n3\n"));
    CodeEditorEx editor(1, 1, file);
    editor.setTextCursor(QTextCursor(editor.document()->findBlockByNumber(1)));
    const auto write = [&](const QByteArray &bytes) {
        if (!replaced)
            return TestFolder::put(file, bytes);
        QSaveFile save(file);
        return save.open(QIODevice::WriteOnly) && save.write(bytes) == bytes.size() && save.commit();
    };
    QVERIFY(write("one\ntwo\nthree\n"));
    QTRY_COMPARE(editor.documentText(), QStringLiteral("one\ntwo\nthree\n"));
    QCOMPARE(editor.textCursor().blockNumber(), 1);
    QVERIFY(write("eins\nzwei\n"));
    QTRY_COMPARE(editor.documentText(), QStringLiteral("eins\nzwei\n"));
    QCOMPARE(editor.textCursor().blockNumber(), 1);
    QVERIFY(!editor.isModified());
}

void TestEditors::unreadableFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("readTip");
    QTest::newRow("missing") << false << 0;
    QTest::newRow("not decodable") << true << 6;
}

void TestEditors::unreadableFile()
{
    QFETCH(bool, exists);
    QFETCH(int, readTip);
    if (exists)
        QVERIFY(TestFolder::put(path("a.txt"), invalidUtf8));
    QSignalSpy readerTips(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    CodeEditorEx editor(1, 1, path("a.txt"));
    QVERIFY(hasTip(readerTips, 0, readTip));
    QVERIFY(editor.loadFailed());
    QVERIFY(editor.isReadOnly());
    QVERIFY(editor.extraSelections().isEmpty());

    QSignalSpy tips(&editor, &CodeEditorEx::tipSignal);
    editor.reportLoadFailure();
    QVERIFY(hasTip(tips, 99, 99));
    editor.setPlainText("something else"); // not through the keyboard, still refused
    QVERIFY(!editor.save(1));
    QVERIFY(hasTip(tips, 0, 3));
    QCOMPARE(QFile::exists(path("a.txt")), exists);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), exists ? invalidUtf8 : QByteArray("<missing>"));
}

void TestEditors::fileTurningUnreadableLocksEditor()
{
    QVERIFY(TestFolder::put(path("a.txt"), "good text"));
    CodeEditorEx editor(1, 1, path("a.txt"));
    QVERIFY(TestFolder::put(path("a.txt"), invalidUtf8));
    QSignalSpy tips(&editor, &CodeEditorEx::tipSignal);
    focusIn(&editor);
    QVERIFY(editor.isReadOnly());
    QCOMPARE(editor.documentText(), QStringLiteral("good text"));
    QVERIFY(hasTip(tips, 0, 6));
    QVERIFY(hasTip(tips, 99, 99));
    // Reported once, not on every focus change.
    const int count = tips.count();
    focusIn(&editor);
    QCOMPARE(tips.count(), count);
    QVERIFY(!editor.save(1));
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), invalidUtf8);
}

void TestEditors::readableAgainUnlocks()
{
    CodeEditorEx editor(1, 1, path("later.txt"));
    QVERIFY(editor.isReadOnly());
    QVERIFY(TestFolder::put(path("later.txt"), "now here"));
    focusIn(&editor);
    QVERIFY(!editor.isReadOnly());
    QVERIFY(!editor.loadFailed());
    QCOMPARE(editor.documentText(), QStringLiteral("now here"));
    append(editor, "!");
    QVERIFY(editor.save(1));
    QCOMPARE(TestFolder::bytesOf(path("later.txt")), QByteArray("now here!"));
}

void TestEditors::saveKeepsFileFormat_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBF" "a\r\nb") << QByteArray("\xEF\xBB\xBF" "a\r\nb!\r\nc");
    QTest::newRow("CRLF") << QByteArray("a\r\nb") << QByteArray("a\r\nb!\r\nc");
    QTest::newRow("LF") << QByteArray("a\nb") << QByteArray("a\nb!\nc");
    QTest::newRow("no-break space kept") << QByteArray("a\xC2\xA0" "b") << QByteArray("a\xC2\xA0" "b!\nc");
}

void TestEditors::saveKeepsFileFormat()
{
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, saved);
    QVERIFY(TestFolder::put(path("a.txt"), original));
    CodeEditorEx editor(1, 1, path("a.txt"));
    append(editor, "!\nc");
    QSignalSpy tips(&editor, &CodeEditorEx::tipSignal);
    QVERIFY(editor.save(1));
    QVERIFY(hasTip(tips, 0, 4));
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), saved);
    QCOMPARE(editor.mark(), QString());
}

void TestEditors::unmodifiedSaveLeavesChangedFile()
{
    QVERIFY(TestFolder::put(path("a.txt"), "before"));
    CodeEditorEx editor(2, 1, path("a.txt"));
    QVERIFY(TestFolder::put(path("a.txt"), "written by a job"));
    QSignalSpy added(&editor, &CodeEditorEx::addToListSignal);
    QVERIFY(editor.save(2));
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("written by a job"));
    QCOMPARE(added.count(), 1);
}

void TestEditors::newDocumentSave_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("path chosen") << "new.txt" << true;
    QTest::newRow("dialog cancelled") << "" << false;
}

void TestEditors::newDocumentSave()
{
    QFETCH(QString, answer);
    QFETCH(bool, saved);
    const QString chosen = answer.isEmpty() ? QString() : path(answer);
    QString filterSeen;
    CodeEditorEx::setSaveDialog([&](QWidget *, const QString &filter) {
        filterSeen = filter;
        return chosen;
    });
    CodeEditorEx editor(5, 9, QString());
    append(editor, "fresh");
    QSignalSpy tips(&editor, &CodeEditorEx::tipSignal);
    QSignalSpy readerTips(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    QSignalSpy added(&editor, &CodeEditorEx::addToListSignal);
    QCOMPARE(editor.save(-1), saved);
    QCOMPARE(filterSeen, QStringLiteral("Text File(*.txt);;All File(*.*)"));
    if (saved) {
        QCOMPARE(TestFolder::bytesOf(chosen), QByteArray("fresh"));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 5);
        QCOMPARE(added.at(0).at(1).toInt(), 9);
        QCOMPARE(added.at(0).at(2).toString(), chosen);
        QCOMPARE(editor.windowTitle(), "5_" + chosen);
        QVERIFY(hasTip(tips, 0, 4));
    } else {
        QCOMPARE(added.count(), 0);
        QVERIFY(!readerTips.isEmpty());
        QVERIFY(!hasTip(readerTips, 0, 4));
        QVERIFY(hasTip(tips, 0, 3));
        QCOMPARE(editor.mark(), QStringLiteral("*"));
    }
}

void TestEditors::failedWriteKeepsMark()
{
    QVERIFY(TestFolder::put(path("a.txt"), "text"));
    CodeEditorEx editor(1, 1, path("a.txt"));
    append(editor, "!");
    QVERIFY(QFile::remove(path("a.txt")));
    QVERIFY(QDir().mkpath(path("a.txt"))); // a folder where the file was: cannot be written
    QVERIFY(!editor.save(1));
    QCOMPARE(editor.mark(), QStringLiteral("*"));
    QCOMPARE(editor.savedText(), QStringLiteral("text"));
    // Back to the saved text, the mark goes, as the file still holds it.
    editor.undo();
    QCOMPARE(editor.mark(), QString());
}

void TestEditors::adoptsTableIdOnlyWhenInNoList_data()
{
    QTest::addColumn<int>("own");
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("result");
    QTest::newRow("in no list, list given") << -1 << 4 << 4;
    QTest::newRow("in no list, none given") << -1 << -1 << -1;
    QTest::newRow("in a list") << 2 << 4 << 2;
}

void TestEditors::adoptsTableIdOnlyWhenInNoList()
{
    QFETCH(int, own);
    QFETCH(int, given);
    QFETCH(int, result);
    QVERIFY(TestFolder::put(path("a.txt"), "text"));
    CodeEditorEx editor(own, 1, path("a.txt"));
    append(editor, "!");
    QVERIFY(editor.save(given));
    QCOMPARE(editor.tableID(), result);
}

void TestEditors::ctrlWheelZooms_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("change");
    QTest::newRow("ctrl, away from user") << int(Qt::ControlModifier) << 120 << 1;
    QTest::newRow("ctrl, towards user") << int(Qt::ControlModifier) << -120 << -1;
    QTest::newRow("ctrl and shift") << int(Qt::ControlModifier | Qt::ShiftModifier) << 120 << 0;
    QTest::newRow("no modifier") << int(Qt::NoModifier) << 120 << 0;
}

void TestEditors::ctrlWheelZooms()
{
    QFETCH(int, modifiers);
    QFETCH(int, delta);
    QFETCH(int, change);
    CodeEditorEx editor(1, 1, QString());
    CodeEditorEx other(2, 2, QString());
    const qreal size = editor.font().pointSizeF();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(editor.viewport(), &wheel);
    const qreal after = editor.font().pointSizeF();
    QCOMPARE(after > size ? 1 : after < size ? -1 : 0, change);
    QCOMPARE(other.font().pointSizeF(), size);
}

void TestEditors::closingSavesChanges()
{
    // Closed the way the user does it: by its MDI sub-window.
    QVERIFY(TestFolder::put(path("a.txt"), "text"));
    QMdiArea area;
    auto *editor = new CodeEditorEx(1, 1, path("a.txt"));
    QMdiSubWindow *sub = area.addSubWindow(editor);
    area.show();
    append(*editor, "!");
    QVERIFY(sub->close());
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("text!"));
}

void TestEditors::closingRefusedWhenSaveFails()
{
    CodeEditorEx::setSaveDialog([](QWidget *, const QString &) { return QString(); });
    CodeEditorEx editor(1, 1, QString());
    editor.show();
    append(editor, "unsaved work");
    QVERIFY(!editor.close());
    QVERIFY(editor.isVisible());

    CodeEditorEx empty(2, 2, QString());
    empty.show();
    QVERIFY(empty.close()); // nothing typed: nothing to lose
}

void TestEditors::closeSetting_data()
{
    QTest::addColumn<QString>("close");  // [currency] close
    QTest::addColumn<int>("answer");     // to the question, when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("save") << "0" << 0 << false << true << QByteArray("text!");
    QTest::newRow("ask, save") << "1" << int(QMessageBox::Save) << true << true << QByteArray("text!");
    QTest::newRow("ask, discard") << "1" << int(QMessageBox::Discard) << true << true << QByteArray("text");
    QTest::newRow("ask, cancel") << "1" << int(QMessageBox::Cancel) << true << false << QByteArray("text");
    QTest::newRow("ignore") << "2" << 0 << false << true << QByteArray("text");
}

// Closing a modified editor by its sub-window does what [currency] close
// says; an unmodified one closes without a question.
void TestEditors::closeSetting()
{
    QFETCH(QString, close);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(QByteArray, file);
    writeIni(QStringLiteral("./configure.ini"), QStringLiteral("currency"), QStringLiteral("close"), close);
    int questions = 0;
    CodeEditorEx::setCloseQuestion([&](QWidget *, const QString &) { ++questions; return answer; });
    QVERIFY(TestFolder::put(path("a.txt"), "text"));
    QMdiArea area;
    auto *editor = new CodeEditorEx(1, 1, path("a.txt"));
    QMdiSubWindow *sub = area.addSubWindow(editor);
    area.show();
    append(*editor, "!");
    QCOMPARE(sub->close(), closed);
    QCOMPARE(questions, asked ? 1 : 0);
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), file);

    auto *unchanged = new CodeEditorEx(1, 2, path("a.txt"));
    QVERIFY(area.addSubWindow(unchanged)->close());
    QCOMPARE(questions, asked ? 1 : 0);
}

void TestEditors::plainEditorGutter()
{
    CodeEditor editor;
    const int nine = editor.fontMetrics().horizontalAdvance(QLatin1Char('9'));
    QCOMPARE(editor.lineNumberAreaWidth(), 3 + nine);
    editor.setPlainText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    QCOMPARE(editor.lineNumberAreaWidth(), 3 + 2 * nine);
    QCOMPARE(editor.extraSelections().size(), 1);
    editor.setReadOnly(true);
    editor.moveCursor(QTextCursor::End);
    QVERIFY(editor.extraSelections().isEmpty());
}

void TestEditors::twoPanesLoadSwapClearSave()
{
    QVERIFY(TestFolder::put(path("left.txt"), "\xEF\xBB\xBF" "L1\r\nL2"));
    CodeEditorEx2 window;
    window.setFiles("繁简转换", "简体", path("left.txt"), "繁体", path("right.txt"));
    QCOMPARE(window.windowTitle(), QStringLiteral("繁简转换"));
    QCOMPARE(window.leftEditor()->documentText(), QStringLiteral("L1\nL2"));
    QCOMPARE(window.rightEditor()->documentText(), QString()); // not there yet

    QTest::mouseClick(window.swapButton(), Qt::LeftButton);
    QCOMPARE(window.leftEditor()->documentText(), QString());
    QCOMPARE(window.rightEditor()->documentText(), QStringLiteral("L1\nL2"));
    QCOMPARE(window.windowTitle(), QStringLiteral("*繁简转换"));
    QTest::mouseClick(window.swapButton(), Qt::LeftButton);
    append(*window.rightEditor(), "R1");

    QVERIFY(window.save());
    QCOMPARE(window.windowTitle(), QStringLiteral("繁简转换"));
    QCOMPARE(TestFolder::bytesOf(path("left.txt")), QByteArray("\xEF\xBB\xBF" "L1\r\nL2"));
    QCOMPARE(TestFolder::bytesOf(path("right.txt")), QByteArray("R1"));

    QTest::mouseClick(window.clearButton(), Qt::LeftButton);
    QVERIFY(window.leftEditor()->documentText().isEmpty());
    QVERIFY(window.rightEditor()->documentText().isEmpty());
    QCOMPARE(window.mark(), QStringLiteral("*"));
    QVERIFY(CodeEditorEx2::shared() == CodeEditorEx2::shared());
}

void TestEditors::twoPanesSaveOnClose_data()
{
    QTest::addColumn<bool>("parentGoes");
    QTest::newRow("window closed") << false;
    // The plug-in page that opened it goes away with the window open.
    QTest::newRow("parent deleted") << true;
}

void TestEditors::twoPanesSaveOnClose()
{
    QFETCH(bool, parentGoes);
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), "b"));
    auto *parent = new QWidget;
    auto *window = new CodeEditorEx2(parent);
    window->setFiles("T", "A", path("a.txt"), "B", path("b.txt"));
    window->show();
    append(*window->leftEditor(), "+");
    if (!parentGoes)
        window->close();
    delete parent;
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray("a+"));
    QCOMPARE(TestFolder::bytesOf(path("b.txt")), QByteArray("b"));
}

void TestEditors::twoPanesUnreadableFileUntouched()
{
    QVERIFY(TestFolder::put(path("a.txt"), "a"));
    QVERIFY(TestFolder::put(path("b.txt"), invalidUtf8));
    CodeEditorEx2 window;
    QSignalSpy tips(&window, &CodeEditorEx2::tipSignal);
    window.setFiles("T", "A", path("a.txt"), "B", path("b.txt"));
    QVERIFY(hasTip(tips, 0, 6));
    QVERIFY(window.rightEditor()->isReadOnly());
    append(*window.leftEditor(), "+");
    QTest::mouseClick(window.swapButton(), Qt::LeftButton); // would move text into the locked pane
    QTest::mouseClick(window.clearButton(), Qt::LeftButton);
    QVERIFY(window.save());
    QCOMPARE(TestFolder::bytesOf(path("a.txt")), QByteArray());
    QCOMPARE(TestFolder::bytesOf(path("b.txt")), invalidUtf8);
}

QTEST_MAIN(TestEditors)
#include "tst_editors.moc"
