#ifndef LINENUMBEREDEDIT_H
#define LINENUMBEREDEDIT_H

#include <QPlainTextEdit>

// A plain-text edit with a line-number gutter left of its text and the
// current line highlighted while it is editable: what CodeEditor and
// CodeEditorEx have in common. The gutter (LineNumberArea) sizes itself by
// lineNumberAreaWidth() and paints through lineNumberAreaPaintEvent().
class LineNumberedEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LineNumberedEdit(QWidget *parent = nullptr);

    // The text exactly as it will be written: no-break spaces and line
    // separators are kept, paragraphs are joined with "\n".
    QString documentText() const;

    // 3 px plus one "9" per decimal digit of the block count (at least one).
    int lineNumberAreaWidth() const;
    void lineNumberAreaPaintEvent(QPaintEvent *event);

protected:
    // Room kept above the text (and the gutter) for a bar of the
    // subclass's, placed there by it.
    void setTopMargin(int height);
    int topMargin() const { return m_topMargin; }

    void resizeEvent(QResizeEvent *event) override;

protected slots:
    void highlightCurrentLine();

private slots:
    void updateLineNumberAreaWidth(int newBlockCount);
    void updateLineNumberArea(const QRect &rect, int dy);

private:
    void placeLineNumberArea();

    QWidget *m_lineNumberArea;
    int m_topMargin = 0;
};

#endif // LINENUMBEREDEDIT_H
