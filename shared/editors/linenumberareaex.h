#ifndef LINENUMBERAREAEX_H
#define LINENUMBERAREAEX_H

#include <QWidget>

class CodeEditorEx;

// The line-number gutter of a CodeEditorEx: sized by the editor, painted by it.
class LineNumberAreaEx : public QWidget
{
public:
    explicit LineNumberAreaEx(CodeEditorEx *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CodeEditorEx *m_editor;
};

#endif // LINENUMBERAREAEX_H
