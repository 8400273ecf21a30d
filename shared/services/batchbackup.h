#ifndef BATCHBACKUP_H
#define BATCHBACKUP_H

#include <QMutex>
#include <QString>
#include <QStringList>

#include "tipcodes.h"

// The previous content of every file that one batch replaces, kept so the
// batch can be undone. Each batch has a folder of its own under the undo
// root (in the data folder), named after its start time so that names sort
// in time order, holding one backup per replaced file and a journal.
//
// A backup is a hard link to the file as it is before the rewrite: the
// writer replaces files by renaming a new one over them, which leaves the
// old inode untouched and now named only by the backup, so keeping it costs
// no copy. A file with several names (rewritten in place) or on another
// file system is copied instead.
//
// The journal gets one line per file before the file is replaced: backup
// name, digest of the text being written, path. A batch killed half-way
// therefore still lists every file it may have replaced; undo tells them
// apart by their current text.
class BatchBackup
{
public:
    // root: the folder holding the batches' folders; nothing is created
    // before the first keep().
    explicit BatchBackup(const QString &root);
    ~BatchBackup();

    BatchBackup(const BatchBackup &) = delete;
    BatchBackup &operator=(const BatchBackup &) = delete;

    // Keeps fileName as it is now, about to be replaced by newText. Safe
    // from any thread. False when the old content could not be kept (the
    // file must then not be replaced).
    bool keep(const QString &fileName, const QString &newText);
    // The same for a text known only by its digest (digest()), as when
    // bytes kept earlier are written.
    bool keepWritten(const QString &fileName, const QByteArray &newDigest);
    // Why the store failed, as the tip that says so (Tips::StoreFull,
    // StoreNoInodes, StoreReadOnly or StoreFailed), handed out once per
    // batch: true for the first call after a keep() failed in the store,
    // false for every call after it and while nothing failed.
    bool takeFailure(TipCode &reason);

    // Files kept so far.
    int keptCount() const;
    // This batch's folder; empty until something was kept.
    QString folder() const;
    // The folder holding the batches' folders.
    QString root() const { return m_root; }

    // Ends the batch: the journal is closed, the folder removed when
    // nothing was kept, and only the newest keepBatches batches under the
    // root remain in the list (see prune).
    void close(int keepBatches);

    // The outcome of an undo, file by file.
    struct UndoResult {
        bool found = false;     // there was a batch to undo
        QString batch;          // its folder
        QStringList restored;   // back to their content before the batch
        QStringList changed;    // changed since the batch: left alone
        QStringList failed;     // could not be restored
    };

    // Undoes the newest batch under root: every file whose current text is
    // still the one the batch wrote gets its old content back; a file
    // changed since is left alone. The batch then leaves the list, so the
    // next undo takes the one before it.
    static UndoResult undoLast(const QString &root);

    // The batches' folders under root, oldest first.
    static QStringList batches(const QString &root);
    // Takes all but the newest keepBatches batches under root out of the
    // list at once, one rename each; their files, the previous contents of
    // whole batches, are deleted by removePruned(), which may take a while
    // and belongs on a pool thread.
    static void prune(const QString &root, int keepBatches);
    // Deletes the batches pruned under root, also those whose deletion
    // was cut short (the program quit meanwhile).
    static void removePruned(const QString &root);

    // "data/undo" in the working folder.
    static QString defaultRoot();
    // How many batches are kept: [undo] batches of "./configure.ini",
    // default 10; 0 keeps no backups at all.
    static int batchesSetting();

    // The digest that the journal holds for a text.
    static QByteArray digest(const QString &text);
    // Whether text is the one a journal's digest was taken of (of this
    // version or an earlier one).
    static bool digestMatches(const QString &text, const QByteArray &stored);

private:
    bool open();
    // Notes why the store failed (error: the errno of its first failure)
    // and returns false.
    bool failed(int error);

    QString m_root;
    QString m_folder;
    int m_journal = -1;
    mutable QMutex m_mutex;
    int m_kept = 0;
    int m_numbered = 0; // backup names handed out, failed ones included
    bool m_openFailed = false;
    bool m_failure = false;  // the store has failed a keep()
    TipCode m_reason{0, 0};  // why, as its first failure said
    bool m_reported = false; // handed out by takeFailure
};

#endif // BATCHBACKUP_H
