#include "codeeditorex2.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

#include "codeeditor.h"
#include "codeeditorex.h"
#include "readwritetxt.h"

CodeEditorEx2::CodeEditorEx2(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_left(new CodeEditor(this))
    , m_right(new CodeEditor(this))
    , m_leftLabel(new QLabel(this))
    , m_rightLabel(new QLabel(this))
    , m_swap(new QPushButton(QStringLiteral("←\n→"), this))
    , m_clear(new QPushButton(QStringLiteral("清空"), this))
{
    m_swap->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_clear->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_leftLabel, 0, 0);
    layout->addWidget(m_rightLabel, 0, 2);
    layout->addWidget(m_left, 1, 0, 2, 1);
    layout->addWidget(m_right, 1, 2, 2, 1);
    layout->addWidget(m_swap, 1, 1);
    layout->addWidget(m_clear, 2, 1);

    auto changed = [this] {
        if (!m_loading)
            setMark(QStringLiteral("*"));
    };
    connect(m_left, &QPlainTextEdit::textChanged, this, changed);
    connect(m_right, &QPlainTextEdit::textChanged, this, changed);
    connect(m_swap, &QPushButton::clicked, this, &CodeEditorEx2::swapTexts);
    connect(m_clear, &QPushButton::clicked, this, &CodeEditorEx2::clearTexts);

    auto *saveShortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+S")), this);
    saveShortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(saveShortcut, &QShortcut::activated, this, [this] { save(); });
}

CodeEditorEx2::~CodeEditorEx2()
{
    if (m_mark.isEmpty())
        return;
    // No tips from here: whoever listens may be half gone already (a
    // parent deletes its children late in its own destruction). A write
    // that fails is still logged.
    const QSignalBlocker quiet(this);
    if (!save())
        qWarning() << "unsaved changes of" << m_title << "could not be written";
}

CodeEditorEx2 *CodeEditorEx2::shared(QWidget *parent)
{
    static QPointer<CodeEditorEx2> instance;
    if (!instance)
        instance = new CodeEditorEx2(parent);
    return instance;
}

void CodeEditorEx2::setMark(const QString &mark)
{
    m_mark = mark;
    setWindowTitle(m_mark + m_title);
}

void CodeEditorEx2::load(CodeEditor *editor, QLabel *label, const QString &labelText, Pane &pane,
                         const QString &path)
{
    label->setText(labelText);
    pane = Pane();
    pane.path = path;
    QString text;
    if (QFile::exists(path)) {
        const int outcome = ReadWriteTxt::readFile(path, text, &pane.format);
        if (outcome != ReadWriteTxt::ReadOk) {
            pane.unreadable = true;
            text.clear();
            const TipCode tip = ReadWriteTxt::tipOf(outcome);
            emit tipSignal(tip.var1, tip.var2, path);
            emit tipSignal(Tips::FreeText.var1, Tips::FreeText.var2, CodeEditorEx::readOnlyNotice(path));
        }
    }
    editor->setPlainText(text);
    editor->setReadOnly(pane.unreadable);
}

void CodeEditorEx2::setFiles(const QString &title, const QString &leftLabel, const QString &leftPath,
                             const QString &rightLabel, const QString &rightPath)
{
    if (!m_mark.isEmpty())
        save();
    m_title = title;
    m_loading = true;
    load(m_left, m_leftLabel, leftLabel, m_leftPane, leftPath);
    load(m_right, m_rightLabel, rightLabel, m_rightPane, rightPath);
    m_loading = false;
    setMark(QString());
}

bool CodeEditorEx2::writePane(CodeEditor *editor, const Pane &pane)
{
    if (pane.path.isEmpty())
        return true;
    if (pane.unreadable) {
        // Read-only and unchanged: nothing of the user's is lost by not
        // writing it, and the file keeps its own content.
        emit tipSignal(Tips::FreeText.var1, Tips::FreeText.var2, CodeEditorEx::readOnlyNotice(pane.path));
        return true;
    }
    const int outcome = ReadWriteTxt::writeFile(pane.path, editor->documentText(), &pane.format);
    const TipCode tip = ReadWriteTxt::tipOf(outcome);
    emit tipSignal(tip.var1, tip.var2, pane.path);
    return outcome == ReadWriteTxt::Saved;
}

bool CodeEditorEx2::save()
{
    const bool left = writePane(m_left, m_leftPane);
    const bool right = writePane(m_right, m_rightPane);
    if (left && right)
        setMark(QString());
    return left && right;
}

void CodeEditorEx2::swapTexts()
{
    if (m_left->isReadOnly() || m_right->isReadOnly())
        return;
    const QString left = m_left->documentText();
    m_left->setPlainText(m_right->documentText());
    m_right->setPlainText(left);
}

void CodeEditorEx2::clearTexts()
{
    if (!m_left->isReadOnly())
        m_left->clear();
    if (!m_right->isReadOnly())
        m_right->clear();
}

void CodeEditorEx2::closeEvent(QCloseEvent *event)
{
    if (!m_mark.isEmpty())
        save();
    QWidget::closeEvent(event);
}
