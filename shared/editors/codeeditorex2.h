#ifndef CODEEDITOREX2_H
#define CODEEDITOREX2_H

#include <QWidget>

#include "textformat.h"

class CodeEditor;
class QLabel;
class QPushButton;

// A window with two line-numbered panes that edit a pair of files side by
// side (for example the two halves of a conversion table). Saved with
// Ctrl+S, and on closing while it holds unsaved changes.
class CodeEditorEx2 : public QWidget
{
    Q_OBJECT
public:
    explicit CodeEditorEx2(QWidget *parent = nullptr);
    // Unsaved changes are saved: the window goes with its parent (the page
    // that opened it) without being closed first.
    ~CodeEditorEx2() override;

    // The one window of this library, created on first use with parent.
    static CodeEditorEx2 *shared(QWidget *parent = nullptr);

    // Sets the title and both panes' labels and files, and loads the files
    // (unsaved changes of the previous pair are saved first). A missing
    // file starts empty and is created by the next save; a file that exists
    // but cannot be read leaves its pane read-only and is never written.
    void setFiles(const QString &title, const QString &leftLabel, const QString &leftPath,
                  const QString &rightLabel, const QString &rightPath);

    // Writes both panes; returns whether every writable pane was written.
    bool save();

    QString mark() const { return m_mark; }
    QString title() const { return m_title; }
    CodeEditor *leftEditor() const { return m_left; }
    CodeEditor *rightEditor() const { return m_right; }
    QPushButton *swapButton() const { return m_swap; }
    QPushButton *clearButton() const { return m_clear; }

signals:
    void tipSignal(int var1, int var2, const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Pane
    {
        QString path;
        TextFormat format;
        bool unreadable = false;
    };

    void load(CodeEditor *editor, QLabel *label, const QString &labelText, Pane &pane, const QString &path);
    bool writePane(CodeEditor *editor, const Pane &pane);
    void setMark(const QString &mark);
    void swapTexts();
    void clearTexts();

    CodeEditor *m_left;
    CodeEditor *m_right;
    QLabel *m_leftLabel;
    QLabel *m_rightLabel;
    QPushButton *m_swap;
    QPushButton *m_clear;
    QString m_title;
    QString m_mark;
    Pane m_leftPane;
    Pane m_rightPane;
    bool m_loading = false;
};

#endif // CODEEDITOREX2_H
