#ifndef LINENUMBERAREA_H
#define LINENUMBERAREA_H

#include <QWidget>

class LineNumberedEdit;

// The line-number gutter of a LineNumberedEdit (every editor has one): sized
// by the editor, painted by it.
class LineNumberArea : public QWidget
{
public:
    explicit LineNumberArea(LineNumberedEdit *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineNumberedEdit *m_editor;
};

#endif // LINENUMBERAREA_H
