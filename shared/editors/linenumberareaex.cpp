#include "linenumberareaex.h"

#include "codeeditorex.h"

LineNumberAreaEx::LineNumberAreaEx(CodeEditorEx *editor)
    : QWidget(editor)
    , m_editor(editor)
{
}

QSize LineNumberAreaEx::sizeHint() const
{
    return QSize(m_editor->lineNumberAreaWidth(), 0);
}

void LineNumberAreaEx::paintEvent(QPaintEvent *event)
{
    m_editor->lineNumberAreaPaintEvent(event);
}
