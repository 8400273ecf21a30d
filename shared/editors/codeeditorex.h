#ifndef CODEEDITOREX_H
#define CODEEDITOREX_H

#include <functional>

#include "linenumberededit.h"
#include "textformat.h"

class LineNumberAreaEx;

// The host's document editor: bound to one file and one list (tableID),
// line-numbered, marks unsaved changes with "*" in its title, reloads its
// file on focus while it holds no unsaved changes and saves through the
// shared reader/writer, keeping the file's own byte-order mark, encoding
// and line ends.
//
// An editor whose file could not be read is read-only and refuses to save,
// so its empty or partial text can never replace the file.
class CodeEditorEx : public LineNumberedEdit
{
    Q_OBJECT
public:
    // Asks for the path of a new document; an empty answer means cancelled.
    using SaveDialog = std::function<QString(QWidget *parent, const QString &filter)>;
    // Asks what to do with unsaved changes before closing: QMessageBox::Save,
    // QMessageBox::Discard or QMessageBox::Cancel.
    using CloseQuestion = std::function<int(QWidget *parent, const QString &fileName)>;

    CodeEditorEx(int tableID, int codeID, const QString &fileName, QWidget *parent = nullptr);
    ~CodeEditorEx() override;

    int tableID() const { return m_tableID; }
    int codeID() const { return CodeEditorExID; }
    QString fileName() const { return m_fileName; }
    QString mark() const { return m_mark; }
    QString savedText() const { return m_savedText; }
    bool isModified() const { return !m_mark.isEmpty(); }
    // The file could not be read (missing, unreadable or not decodable).
    bool loadFailed() const { return m_loadFailed; }
    TextFormat textFormat() const { return m_format; }

    // Writes the text to the file (asking for a path first when the
    // document has none) and reports the outcome. tableID is adopted when
    // the editor belongs to no list yet. Returns whether the file holds
    // the editor's text afterwards.
    bool save(int tableID);

    // Reports in the message dock that the file could not be read and the
    // editor is read-only.
    void reportLoadFailure();

    // Settles unsaved changes before the editor closes, as [currency] close
    // says: "保存" saves (also an unchanged document when alwaysSave),
    // "询问" asks whether to save, discard or cancel, "忽略" discards.
    // Returns whether the editor may close. tableID is passed to save().
    bool settleBeforeClose(int tableID, bool alwaysSave);

    // Replaces the save dialog (nullptr restores the file dialog).
    static void setSaveDialog(const SaveDialog &dialog);
    // Replaces the close question (nullptr restores the message box).
    static void setCloseQuestion(const CloseQuestion &question);
    // The save dialog's filters: "suffix.ini", else the default text.
    static QString saveFilter();

signals:
    void tipSignal(int var1, int var2, const QString &fileName);
    void addToListSignal(int m_tableID, int codeID, const QString &fileName);
    void windowActivateSignal();
    void destroySignal(int ID);
    // The file's encoding, byte-order mark or line ends changed (reloaded
    // or first saved).
    void formatSignal();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void modificationCheck();
    void reloadFromDisk();
    void setLoadFailed(bool failed);
    void setFormat(const TextFormat &format);
    void updateTitle();

    LineNumberAreaEx *lineNumberArea;
    int m_tableID;
    int CodeEditorExID;
    QString m_fileName;
    QString m_savedText;
    QString m_mark;
    TextFormat m_format;
    bool m_loadFailed = false;
};

#endif // CODEEDITOREX_H
