#ifndef CODEEDITOR_H
#define CODEEDITOR_H

#include <QPlainTextEdit>

class LineNumberArea;

// A plain-text editor with a line-number gutter and a highlighted current
// line. Not bound to any file.
class CodeEditor : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);

    // The text exactly as it will be written: no-break spaces and line
    // separators are kept, paragraphs are joined with "\n".
    QString documentText() const;

    // 3 px plus one "9" per decimal digit of the block count (at least one).
    int lineNumberAreaWidth() const;
    void lineNumberAreaPaintEvent(QPaintEvent *event);

protected:
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void updateLineNumberAreaWidth(int newBlockCount);
    void highlightCurrentLine();
    void updateLineNumberArea(const QRect &rect, int dy);

private:
    LineNumberArea *lineNumberArea;
};

#endif // CODEEDITOR_H
