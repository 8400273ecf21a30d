#ifndef CODEEDITOREX_H
#define CODEEDITOREX_H

#include <functional>

#include "linenumberededit.h"
#include "textformat.h"


// The host's document editor: bound to one file and one list (tableID),
// line-numbered, marks unsaved changes with "*" in its title and saves
// through the shared reader/writer, keeping the file's own byte-order
// mark, encoding and line ends.
//
// It follows its file: when the file changes on disk (a batch, an undo,
// another program), an editor without unsaved changes reloads it at once,
// keeping its cursor line; one with unsaved changes shows a bar above its
// text ("文件已在磁盘上更改", 重新载入 / 保留我的修改) and refuses to save
// until the user has chosen, so the new content is never overwritten
// unasked.
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
    // The words of that report, for any editor of a file at path.
    static QString readOnlyNotice(const QString &path);

    // Looks at the file on disk and, when it is no longer what the editor
    // last read or wrote, reloads it or (with unsaved changes) shows the
    // changed-on-disk bar. Cheap when nothing changed: the file's status
    // is compared first.
    // force: read the file even when its status looks unchanged (a watcher
    // said it changed, or the editor got the focus).
    void followDisk(bool force = false);
    // Whether the changed-on-disk bar waits for the user's choice.
    bool diskChanged() const { return m_diskChanged; }
    // The bar's choices: the file's new content replaces the editor's
    // text, or the editor's text stays (to be saved over the file).
    void reloadChangedFile();
    void keepMyChanges();
    QWidget *diskChangedBar() const { return m_diskBar; }

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
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // What stat says of the file: enough to tell that it was written,
    // replaced or removed since.
    struct DiskState
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modified = 0; // nanoseconds
        qint64 changed = 0;
        bool operator==(const DiskState &o) const
        {
            return exists == o.exists && device == o.device && inode == o.inode && size == o.size
                && modified == o.modified && changed == o.changed;
        }
        bool operator!=(const DiskState &o) const { return !(*this == o); }
        static DiskState of(const QString &fileName);
    };

    void modificationCheck();
    void reloadFromDisk();
    void setFileName(const QString &fileName);
    void showDiskBar(bool show);
    void setLoadFailed(bool failed);
    void setFormat(const TextFormat &format);
    void updateTitle();

    int m_tableID;
    int CodeEditorExID;
    QString m_fileName;
    QString m_savedText;
    QString m_mark;
    TextFormat m_format;
    bool m_loadFailed = false;
    DiskState m_disk;            // the file as last read or written
    bool m_diskChanged = false;  // the bar waits for a choice
    QWidget *m_diskBar = nullptr;
};

#endif // CODEEDITOREX_H
