#include "codeeditorex.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCodec>
#include <QWheelEvent>

#include <sys/stat.h>

#include "closebefore.h"
#include "codesetting.h"
#include "diskwatch.h"
#include "readwritetxt.h"
#include "tipcodes.h"

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
    , m_tableID(tableID)
    , CodeEditorExID(codeID)
    , m_fileName(fileName)
{
    if (!m_fileName.isEmpty()) {
        DiskWatch::shared()->hold(m_fileName);
        m_disk = DiskState::of(m_fileName);
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
    connect(DiskWatch::shared(), &DiskWatch::changed, this, [this](const QString &path) {
        if (path == m_fileName)
            followDisk(true);
    });
}

CodeEditorEx::~CodeEditorEx()
{
    DiskWatch::shared()->release(m_fileName);
    emit destroySignal(CodeEditorExID);
}

CodeEditorEx::DiskState CodeEditorEx::DiskState::of(const QString &fileName)
{
    DiskState state;
    struct stat st;
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return state;
    state.exists = true;
    state.device = quint64(st.st_dev);
    state.inode = quint64(st.st_ino);
    state.size = qint64(st.st_size);
    state.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    state.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return state;
}

void CodeEditorEx::setFileName(const QString &fileName)
{
    if (fileName == m_fileName)
        return;
    DiskWatch::shared()->release(m_fileName);
    m_fileName = fileName;
    DiskWatch::shared()->hold(m_fileName);
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

QString CodeEditorEx::readOnlyNotice(const QString &path)
{
    return QStringLiteral("文件读取失败,编辑器只读,不会保存: ") + path;
}

void CodeEditorEx::reportLoadFailure()
{
    emit tipSignal(Tips::FreeText.var1, Tips::FreeText.var2, CodeEditorEx::readOnlyNotice(m_fileName));
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

void CodeEditorEx::followDisk(bool force)
{
    if (m_fileName.isEmpty())
        return;
    DiskWatch::shared()->rewatch(m_fileName);
    if (m_diskChanged)
        return; // the bar already waits for the user
    if (!force && !m_loadFailed && DiskState::of(m_fileName) == m_disk)
        return;
    if (!isModified()) {
        reloadFromDisk();
        return;
    }
    // Unsaved changes: only the user can tell which text is to stay. A
    // file written again with the very text the editor started from needs
    // no choice.
    const DiskState now = DiskState::of(m_fileName);
    QString text;
    TextFormat format;
    if (ReadWriteTxt::readFile(m_fileName, text, &format) == ReadWriteTxt::ReadOk && text == m_savedText) {
        m_disk = now;
        setFormat(format);
        return;
    }
    m_diskChanged = true;
    showDiskBar(true);
}

void CodeEditorEx::reloadChangedFile()
{
    m_diskChanged = false;
    showDiskBar(false);
    reloadFromDisk();
}

void CodeEditorEx::keepMyChanges()
{
    // The file's new content becomes what the editor's text is compared
    // with, so the text stays marked as unsaved and a save writes it.
    const DiskState now = DiskState::of(m_fileName);
    QString text;
    TextFormat format;
    if (ReadWriteTxt::readFile(m_fileName, text, &format) == ReadWriteTxt::ReadOk) {
        m_savedText = text;
        setFormat(format);
    }
    m_disk = now;
    m_diskChanged = false;
    showDiskBar(false);
    modificationCheck();
}

void CodeEditorEx::showDiskBar(bool show)
{
    if (show && !m_diskBar) {
        m_diskBar = new QWidget(this);
        m_diskBar->setObjectName(QStringLiteral("widget_diskChanged"));
        m_diskBar->setAutoFillBackground(true);
        m_diskBar->setStyleSheet(QStringLiteral("#widget_diskChanged { background-color: rgb(255, 236, 179); }"));
        auto *layout = new QHBoxLayout(m_diskBar);
        layout->setContentsMargins(6, 2, 6, 2);
        auto *label = new QLabel(QStringLiteral("文件已在磁盘上更改"), m_diskBar);
        label->setObjectName(QStringLiteral("label_diskChanged"));
        auto *reload = new QPushButton(QStringLiteral("重新载入"), m_diskBar);
        reload->setObjectName(QStringLiteral("pushButton_reload"));
        reload->setToolTip(QStringLiteral("丢弃编辑器中未保存的修改，显示文件现在的内容"));
        auto *keep = new QPushButton(QStringLiteral("保留我的修改"), m_diskBar);
        keep->setObjectName(QStringLiteral("pushButton_keepMine"));
        keep->setToolTip(QStringLiteral("保留编辑器中的文字，保存时覆盖文件现在的内容"));
        layout->addWidget(label);
        layout->addStretch(1);
        layout->addWidget(reload);
        layout->addWidget(keep);
        connect(reload, &QPushButton::clicked, this, &CodeEditorEx::reloadChangedFile);
        connect(keep, &QPushButton::clicked, this, &CodeEditorEx::keepMyChanges);
    }
    if (!m_diskBar)
        return;
    m_diskBar->setVisible(show);
    setTopMargin(show ? m_diskBar->sizeHint().height() : 0);
    const QRect cr = contentsRect();
    m_diskBar->setGeometry(cr.left(), cr.top(), cr.width(), topMargin());
}

void CodeEditorEx::resizeEvent(QResizeEvent *event)
{
    LineNumberedEdit::resizeEvent(event);
    if (m_diskBar && m_diskBar->isVisible()) {
        const QRect cr = contentsRect();
        m_diskBar->setGeometry(cr.left(), cr.top(), cr.width(), topMargin());
    }
}

void CodeEditorEx::reloadFromDisk()
{
    m_disk = DiskState::of(m_fileName);
    QString text;
    TextFormat format;
    const int outcome = ReadWriteTxt::readFile(m_fileName, text, &format);
    if (outcome != ReadWriteTxt::ReadOk) {
        // Reported once when the file stops being readable, not on every
        // focus change.
        if (!m_loadFailed) {
            setLoadFailed(true);
            const TipCode tip = ReadWriteTxt::tipOf(outcome);
            emit tipSignal(tip.var1, tip.var2, m_fileName);
            reportLoadFailure();
        }
        return;
    }
    setFormat(format);
    if (m_loadFailed)
        setLoadFailed(false);
    if (text == m_savedText && documentText() == text)
        return; // unchanged: keep the cursor and the undo history
    // The new text keeps the cursor on its line and the view where it was.
    const int line = textCursor().blockNumber();
    const int scroll = verticalScrollBar()->value();
    m_savedText = text;
    setPlainText(text);
    QTextCursor cursor(document()->findBlockByNumber(qMin(line, blockCount() - 1)));
    setTextCursor(cursor);
    verticalScrollBar()->setValue(scroll);
}

bool CodeEditorEx::save(int tableID)
{
    if (m_tableID == -1) {
        if (tableID < 1)
            qDebug() << "save m_tableID tableID all is -1";
        else
            m_tableID = tableID;
    }

    // The file may have changed since it was read (a watcher's news can
    // still be on its way): an unmodified editor takes the new content, a
    // modified one waits for the user's choice instead of overwriting it.
    followDisk();
    if (m_diskChanged) {
        emit tipSignal(Tips::FreeText.var1, Tips::FreeText.var2, QStringLiteral("文件已在磁盘上更改,未保存(请在编辑器上方选择\"重新载入\"或\"保留我的修改\"): ")
                                   + m_fileName);
        emit tipSignal(Tips::SaveFailed.var1, Tips::SaveFailed.var2, m_fileName);
        return false;
    }

    if (m_loadFailed) {
        reportLoadFailure();
        emit tipSignal(Tips::SaveFailed.var1, Tips::SaveFailed.var2, m_fileName);
        return false;
    }

    if (!m_fileName.isEmpty() && m_mark.isEmpty()) {
        // Nothing to write: the file already holds this text, or it was
        // changed on disk since (by a plug-in job, say) and writing the
        // editor's older copy would undo that change.
        updateTitle();
        emit addToListSignal(m_tableID, CodeEditorExID, m_fileName);
        emit tipSignal(Tips::Saved.var1, Tips::Saved.var2, m_fileName);
        return true;
    }

    if (m_fileName.isEmpty())
        setFileName(askSaveFileName(this, saveFilter()));

    // A new file takes the encoding the setting gives new files now, and
    // keeps it from then on.
    TextFormat format = m_format;
    if (format.codecName.isEmpty())
        format.codecName = CodeSetting::codecFor(CodeSetting::current())->name();
    const QString text = documentText();
    if (!ReadWriteTxt::shared()->writeText(m_fileName, text, &format)) {
        emit tipSignal(Tips::SaveFailed.var1, Tips::SaveFailed.var2, m_fileName);
        return false;
    }
    m_disk = DiskState::of(m_fileName);
    setFormat(format);
    m_savedText = text;
    m_mark.clear();
    updateTitle();
    emit addToListSignal(m_tableID, CodeEditorExID, m_fileName);
    emit tipSignal(Tips::Saved.var1, Tips::Saved.var2, QString());
    return true;
}


void CodeEditorEx::focusInEvent(QFocusEvent *event)
{
    emit windowActivateSignal();
    // Whatever the watcher may have missed shows up as soon as the editor
    // is used again.
    followDisk(true);
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
