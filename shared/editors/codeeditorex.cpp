#include "codeeditorex.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextCodec>
#include <QWheelEvent>

#include "closebefore.h"
#include "codesetting.h"
#include "linenumberareaex.h"
#include "readwritetxt.h"

namespace {

CodeEditorEx::SaveDialog &saveDialog()
{
    static CodeEditorEx::SaveDialog dialog;
    return dialog;
}

CodeEditorEx::CloseQuestion &closeQuestion()
{
    static CodeEditorEx::CloseQuestion question;
    return question;
}

int askBeforeClose(QWidget *parent, const QString &fileName)
{
    if (closeQuestion())
        return closeQuestion()(parent, fileName);
    const QString name = fileName.isEmpty() ? QStringLiteral("新建文档") : fileName;
    return QMessageBox::question(parent, QStringLiteral("关闭文件"),
                                 name + QStringLiteral(" 已修改，是否保存？"),
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save);
}

QString askSaveFileName(QWidget *parent, const QString &filter)
{
    if (saveDialog())
        return saveDialog()(parent, filter);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("选择保存目录:"),
                                        QStringLiteral("./新建文本文档.txt"), filter);
}

} // namespace

CodeEditorEx::CodeEditorEx(int tableID, int codeID, const QString &fileName, QWidget *parent)
    : LineNumberedEdit(parent)
    , lineNumberArea(new LineNumberAreaEx(this))
    , m_tableID(tableID)
    , CodeEditorExID(codeID)
    , m_fileName(fileName)
{
    setLineNumberArea(lineNumberArea);
    if (!m_fileName.isEmpty()) {
        QString text;
        if (ReadWriteTxt::shared()->readText(m_fileName, text, &m_format)) {
            m_savedText = text;
            setPlainText(text);
        } else {
            setLoadFailed(true);
        }
    } else {
        m_mark = QStringLiteral("*");
    }
    updateTitle();

    connect(this, &QPlainTextEdit::textChanged, this, &CodeEditorEx::modificationCheck, Qt::DirectConnection);
}

CodeEditorEx::~CodeEditorEx()
{
    emit destroySignal(CodeEditorExID);
}

void CodeEditorEx::setSaveDialog(const SaveDialog &dialog)
{
    saveDialog() = dialog;
}

void CodeEditorEx::setCloseQuestion(const CloseQuestion &question)
{
    closeQuestion() = question;
}

QString CodeEditorEx::saveFilter()
{
    QString text;
    const QString suffixFile = QStringLiteral("suffix.ini");
    if (QFile::exists(suffixFile))
        ReadWriteTxt::shared()->readText(suffixFile, text);
    QStringList filters = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (filters.isEmpty())
        filters = QStringList { QStringLiteral("Text File(*.txt)"), QStringLiteral("All File(*.*)") };
    return filters.join(QLatin1String(";;"));
}

void CodeEditorEx::updateTitle()
{
    if (m_tableID == -1)
        setWindowTitle(m_mark);
    else
        setWindowTitle(m_mark + QString::number(m_tableID) + QLatin1Char('_') + m_fileName);
}

void CodeEditorEx::setLoadFailed(bool failed)
{
    m_loadFailed = failed;
    setReadOnly(failed);
    highlightCurrentLine();
}

void CodeEditorEx::setFormat(const TextFormat &format)
{
    if (format == m_format)
        return;
    m_format = format;
    emit formatSignal();
}

void CodeEditorEx::reportLoadFailure()
{
    emit tipSignal(99, 99, QStringLiteral("文件读取失败,编辑器只读,不会保存: ") + m_fileName);
}

void CodeEditorEx::modificationCheck()
{
    // A document that has never been written keeps its mark until its
    // first save, even when it is empty again.
    const bool same = documentText() == m_savedText && !m_fileName.isEmpty();
    const QString mark = same ? QString() : QStringLiteral("*");
    if (mark == m_mark)
        return;
    m_mark = mark;
    updateTitle();
}

void CodeEditorEx::reloadFromDisk()
{
    QString text;
    TextFormat format;
    const int outcome = ReadWriteTxt::readFile(m_fileName, text, &format);
    if (outcome != ReadWriteTxt::ReadOk) {
        // Reported once when the file stops being readable, not on every
        // focus change.
        if (!m_loadFailed) {
            setLoadFailed(true);
            emit tipSignal(0, outcome, m_fileName);
            reportLoadFailure();
        }
        return;
    }
    setFormat(format);
    if (m_loadFailed)
        setLoadFailed(false);
    if (text == m_savedText && documentText() == text)
        return; // unchanged: keep the cursor and the undo history
    m_savedText = text;
    setPlainText(text);
}

bool CodeEditorEx::save(int tableID)
{
    if (m_tableID == -1) {
        if (tableID < 1)
            qDebug() << "save m_tableID tableID all is -1";
        else
            m_tableID = tableID;
    }

    if (m_loadFailed) {
        reportLoadFailure();
        emit tipSignal(0, 3, m_fileName);
        return false;
    }

    if (!m_fileName.isEmpty() && m_mark.isEmpty()) {
        // Nothing to write: the file already holds this text, or it was
        // changed on disk since (by a plug-in job, say) and writing the
        // editor's older copy would undo that change.
        updateTitle();
        emit addToListSignal(m_tableID, CodeEditorExID, m_fileName);
        emit tipSignal(0, 4, m_fileName);
        return true;
    }

    if (m_fileName.isEmpty())
        m_fileName = askSaveFileName(this, saveFilter());

    // A new file takes the encoding the setting gives new files now, and
    // keeps it from then on.
    TextFormat format = m_format;
    if (format.codecName.isEmpty())
        format.codecName = CodeSetting::codecFor(CodeSetting::current())->name();
    const QString text = documentText();
    if (!ReadWriteTxt::shared()->writeText(m_fileName, text, &format)) {
        emit tipSignal(0, 3, m_fileName);
        return false;
    }
    setFormat(format);
    m_savedText = text;
    m_mark.clear();
    updateTitle();
    emit addToListSignal(m_tableID, CodeEditorExID, m_fileName);
    emit tipSignal(0, 4, QString());
    return true;
}


void CodeEditorEx::focusInEvent(QFocusEvent *event)
{
    emit windowActivateSignal();
    // Without unsaved changes the editor follows its file, so results of a
    // plug-in job show up as soon as the editor is used again.
    if (!m_fileName.isEmpty() && m_mark.isEmpty())
        reloadFromDisk();
    QPlainTextEdit::focusInEvent(event);
}

void CodeEditorEx::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta > 0)
            zoomIn(1);
        else if (delta < 0)
            zoomOut(1);
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

bool CodeEditorEx::settleBeforeClose(int tableID, bool alwaysSave)
{
    if (m_loadFailed)
        return true;
    // An untouched empty new document has nothing to lose.
    const bool emptyNew = m_fileName.isEmpty() && documentText().isEmpty();
    const bool unsaved = isModified() && !emptyNew;
    switch (closeBeforeSetting()) {
    case CloseBefore::Ignore:
        return true;
    case CloseBefore::Inquiry:
        if (!unsaved)
            return true;
        switch (askBeforeClose(this, m_fileName)) {
        case QMessageBox::Save:
            return save(tableID);
        case QMessageBox::Discard:
            return true;
        default:
            return false;
        }
    case CloseBefore::Save:
        break;
    }
    return unsaved || alwaysSave ? save(tableID) : true;
}

void CodeEditorEx::closeEvent(QCloseEvent *event)
{
    // Closing the sub-window by hand settles unsaved changes like the close
    // commands; a failed or cancelled save keeps the editor open.
    if (!settleBeforeClose(-1, false)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::closeEvent(event);
}
