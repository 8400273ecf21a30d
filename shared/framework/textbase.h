#ifndef TEXTBASE_H
#define TEXTBASE_H

#include <QObject>
#include <QString>

#include <memory>

#include "optionrecord.h"
#include "previewrecord.h"
#include "previewstore.h"
#include "textformat.h"
#include "tipcodes.h"

class BatchBackup;
class JobControl;

// One job on one file, run on a pool thread: read the whole file, transform
// its text, write it back, report through tips. Subclasses supply
// processText(), a pure function of m_text and the options.
//
// Reading refuses undecodable files (tip (0, 6), file untouched); writing
// replaces the file only once the new content is complete, keeping the
// byte-order mark, encoding and line-ending style found when reading. A
// text the operation leaves as it was is not written at all: the file
// keeps its inode and modification time, the tip is (0, 5), and the job
// still counts as done.
class TextBase : public QObject
{
    Q_OBJECT
public:
    TextBase(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr);

    // read, process, write (unless unchanged), then the completion tip
    // (-4, 0). Any failure ends the job after its tip, without the
    // completion tip.
    virtual void run();

    // The transformed text; called with m_text holding the file's text.
    virtual QString processText() = 0;

    // Whether the last run reached its completion tip.
    bool succeeded() const { return m_succeeded; }
    // Whether the last run found nothing to change and wrote nothing.
    bool unchanged() const { return m_unchanged; }
    // The folder of the last file this job wrote; empty when it wrote none.
    QString writtenFolder() const { return m_writtenFolder; }
    // The new files this job made, for the start's list of produced files
    // (asked on the GUI thread once the run has ended); none by default.
    virtual QStringList producedFiles() const { return QStringList(); }

    // Leaves durability to whoever runs the batch (one sync per file
    // system after the last job) instead of syncing each file written.
    void setSyncLater(bool later) { m_syncLater = later; }
    // The batch's stop switch: once it is cancelled the job writes nothing.
    void setControl(const std::shared_ptr<JobControl> &control) { m_control = control; }
    // Where the file's previous content is kept before it is replaced
    // (null: not kept). The store outlives the job.
    void setBackup(BatchBackup *backup) { m_backup = backup; }
    // The encoding setting (a CodeSetting::Mode) the batch took at its
    // start; without one each read consults the setting.
    void setCodeMode(int mode) { m_codeMode = mode; }
    // Whether the last run was stopped by a cancel before it wrote.
    bool discarded() const { return m_discarded; }
    // A dry run's job writes nothing: each write it would make is reported
    // with the tip WouldChange in place of Saved, and text() keeps what it
    // would have written to its own file.
    void setDryRun(bool dryRun) { m_dryRun = dryRun; }
    bool dryRun() const { return m_dryRun; }

    // Keeps results instead of writing (a preview): every file the job
    // would write is kept in the store, with its record, and nothing is
    // written anywhere else. Reading and every decision are the job's own.
    void setPreview(PreviewStore *store) { m_preview = store; }
    bool isPreview() const { return m_preview != nullptr; }
    // The records of the files the last run kept (a preview).
    const QList<PreviewRecord> &keptRecords() const { return m_kept; }
    // How the job's own file was when the last run read it (a preview).
    const PreviewStore::Source &source() const { return m_source; }
    // The last tip the job sent about a file: why it failed, for a job
    // that did not succeed.
    TipCode lastTip() const { return m_lastTip; }

    QString fileName() const { return m_fileName; }
    QString text() const { return m_text; }
    const OptionRecord *optionRecord() const { return m_options; }

    // Sends the tip code for fileName.
    void emitTip(TipCode code, const QString &fileName)
    {
        m_lastTip = code;
        if (m_dryRun && code == Tips::Saved)
            code = Tips::WouldChange;
        emit tipSignal(code.var1, code.var2, fileName);
    }

signals:
    void tipSignal(int var1, int var2, const QString &fileName = QString());

protected:
    // The option record as the subclass's own type.
    template <class T>
    const T *options() const { return static_cast<const T *>(m_options); }

    // On failure the tip (0, 0), (0, 1) or (0, 6) for fileName and false.
    bool readTxt(const QString &fileName, QString &text);
    // The tip (0, 4) and true when written; (0, 0) or (0, 2) and false.
    bool writeTxt(const QString &fileName, const QString &text);
    // For jobs that write more files than their own: writes text to
    // fileName in format like writeTxt (the previous content kept for
    // undo when the batch keeps backups; a file whose previous content
    // cannot be kept is not replaced: NotKept), but without the file's
    // tip; syncLater leaves durability to the batch. Returns the writer's
    // outcome code.
    int writeKeepingOld(const QString &fileName, const QString &text, const TextFormat &format, bool syncLater);
    // The tip (0, 5) for m_fileName: nothing to write.
    void leaveUnchanged();

    // Marks the run as completed and sends (-4, 0) for m_fileName.
    void finish();

    // For jobs that write their file themselves: whether durability is
    // left to the batch, and the folder of the file written, which the
    // batch then syncs.
    bool syncLater() const { return m_syncLater; }
    void setWrittenFolder(const QString &folder) { m_writtenFolder = folder; }
    // The batch's undo store (null: none) and stop switch (null: none),
    // for jobs that write without writeKeepingOld.
    BatchBackup *backup() const { return m_backup; }
    JobControl *control() const { return m_control.get(); }

    // Called from processText() when the text cannot be processed with
    // these options: the file is left as it is (not written), the tip
    // says why, and the job counts as failed.
    void refuse(TipCode why);
    bool isRefused() const { return m_refused; }

    // Called from processText() in a preview: places of the result (the
    // text it returns) a person should check, kept with the job's own
    // result and marked where the preview shows it.
    void setResultMarks(QVector<PreviewMark> marks) { m_marks = std::move(marks); }

    QString m_fileName;
    QString m_text;
    TextFormat m_format; // as found by readTxt; a new file's default otherwise

private:
    // A preview's write: text kept in the store with its record.
    int keepResult(const QString &fileName, const QString &text, const TextFormat &format);

    const OptionRecord *m_options;
    bool m_succeeded = false;
    bool m_refused = false;
    TipCode m_refusal = Tips::Cancelled;
    bool m_unchanged = false;
    bool m_syncLater = false;
    bool m_discarded = false;
    bool m_dryRun = false;
    std::shared_ptr<JobControl> m_control;
    BatchBackup *m_backup = nullptr;
    QString m_writtenFolder;
    int m_codeMode = -1;
    PreviewStore *m_preview = nullptr;
    QList<PreviewRecord> m_kept;
    PreviewStore::Source m_source;
    QString m_previewOld; // the job's own text as read, while a preview keeps its result
    QVector<PreviewMark> m_marks; // of the job's own result, until it is kept
    TipCode m_lastTip{0, 0};
};

#endif // TEXTBASE_H
