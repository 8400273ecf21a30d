#ifndef JOBBATCH_H
#define JOBBATCH_H

#include <QFuture>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

struct OptionRecord;
class BatchBackup;
class JobControl;
class PreviewStore;
class TextBase;

// The jobs of one start: its workers and option records, the tips they
// send, and the count of jobs still running. Each worker runs once on
// QThreadPool::globalInstance() and is freed on the GUI thread as soon as
// its run has returned; the option records live as long as the batch.
//
// At most maxAlive workers exist at a time: a batch of many files makes
// each file's worker only when one of the running ones has ended (addFiles),
// so the batch's memory does not grow with its number of files.
// When the last job has ended, whether it succeeded or failed,
// finishedSignal tells the plug-in that the start is over.
//
// Durability is the batch's, not each file's: every file is still replaced
// atomically (complete new content, then a rename), but nothing is synced
// per file; after the last job, one sync per file system that received a
// written file makes the whole batch durable, before finishedSignal.
// A power loss before that sync may leave any file of the batch old or new
// (never mixed, except hard-linked files rewritten in place); after it,
// every file is new.
//
// At start, temporary files left beside the batch's files by a write that
// was killed are removed, each reported once with the tip (0, 7).
//
// Every file the batch replaces has its previous content kept (see
// BatchBackup) so that the batch can be undone, unless backups are off.
//
// cancel() stops the batch at once: jobs not started are not started,
// running ones drop their result unless they are already writing, and
// those writes end before cancel() returns. Threads still busy with a
// file's text finish in the background; the batch frees itself once they
// have (releaseWhenIdle).
class JobBatch : public QObject
{
    Q_OBJECT
public:
    explicit JobBatch(QObject *parent = nullptr);
    // Waits for jobs still running, then frees everything.
    ~JobBatch() override;

    // Takes ownership of an option record.
    void adopt(OptionRecord *record);
    // Takes ownership of a worker, to be run by start().
    void add(TextBase *worker);
    // One job per file, each worker made by make(fileName, position) only
    // when the batch is about to run it, after the workers added before.
    // A null worker skips its file (it counts as neither done nor failed).
    using WorkerMaker = std::function<TextBase *(const QString &fileName, int position)>;
    void addFiles(const QStringList &files, const WorkerMaker &make);

    // Workers alive (made, running or waiting for the pool) at most.
    static constexpr int maxAlive = 256;
    // Workers alive now.
    int alive() const { return m_alive.size(); }

    int count() const { return m_total; }
    // The completion tips the host is to count for this batch: one per job
    // unless set (a job that sends one per file it handles).
    void setTaskCount(int count) { m_taskCount = count; }
    int taskCount() const { return m_taskCount >= 0 ? m_taskCount : m_total; }
    int pending() const { return m_pending; }
    int succeeded() const { return m_succeeded; }
    int failed() const { return m_failed; }
    int unchanged() const { return m_unchanged; }
    // Jobs ended so far, succeeded or failed.
    int ended() const { return m_succeeded + m_failed; }
    bool isCancelled() const { return m_cancelled; }
    // The files of the batch's jobs, in the order they were added.
    QStringList files() const { return m_files; }

    // The new files the jobs made (TextBase::producedFiles) as they ended,
    // in the order the jobs were made, whatever order they ended in. Jobs
    // that end after a cancel add none.
    QStringList producedFiles() const;
    // The host list the produced files go to: made before the jobs run,
    // or, onceWritten, only when the batch has produced a file.
    void setProducedList(const QString &name, bool onceWritten = false)
    {
        m_producedList = name;
        m_listOnceWritten = onceWritten;
    }
    QString producedList() const { return m_producedList; }
    bool listOnceWritten() const { return m_listOnceWritten; }
    bool isStarted() const { return m_started; }

    // A dry run writes nothing: its jobs work as usual but leave every
    // file as it is, reporting a file they would have replaced with the
    // tip WouldChange; no previous content is kept and no leftover of an
    // earlier write is removed. Set before start().
    void setDryRun(bool dryRun);
    bool isDryRun() const { return m_dryRun; }
    // Makes the batch a preview: its jobs run exactly as they would (same
    // reading, decoding, processing and refusals), but every file they
    // would write is kept in store instead, one record per file of the
    // batch (PreviewStore::records()); nothing is written, synced, backed
    // up or cleaned up beside the files. Called before start().
    void keepResults(const std::shared_ptr<PreviewStore> &store);
    std::shared_ptr<PreviewStore> previewStore() const { return m_preview; }
    // A dry run or a preview: the jobs work as usual but no file is written.
    bool writesNothing() const { return m_dryRun || m_preview; }
    bool isPreview() const { return m_preview != nullptr; }

    // Runs every added worker. A batch without workers finishes at once.
    void start();

    // Stops the batch (see above). finishedSignal is not sent afterwards.
    void cancel();
    // Deletes the batch as soon as no job of it runs any more.
    void releaseWhenIdle();

    // Whether batches keep their files' previous content for undo (on by
    // default; [undo] batches = 0 in "./configure.ini" turns it off too).
    static void setBackupsEnabled(bool enabled);
    static bool backupsEnabled();

    // files without repeats, first occurrence kept, in order. Two names
    // are one file when they lead to the same file (after resolving
    // relative parts and links), so no file gets two jobs in one start.
    static QStringList distinctFiles(const QStringList &files);

    // What makes one file system durable, given one of its folders; run on
    // a pool thread. ReadWriteTxt::syncFileSystem unless replaced (tests
    // record the calls); an empty function restores it.
    using SyncFunction = std::function<void(const QString &folder)>;
    static void setSyncFunction(const SyncFunction &sync);

signals:
    // A worker's tip, delivered on the GUI thread.
    void tipSignal(int var1, int var2, const QString &fileName);
    // A job has ended (its tips delivered); the worker is freed right after.
    void jobDoneSignal(TextBase *worker);
    void finishedSignal(int succeeded, int failed);

private:
    void prepare(TextBase *worker);
    // Starts workers until maxAlive are alive or none is left.
    void launchMore();
    void launch(TextBase *worker);
    void leftoversRemoved(const QStringList &removed);
    // Batches of at least this many files look for leftovers on a pool
    // thread.
    static constexpr int leftoversOnPoolFrom = 2000;
    void jobDone(TextBase *worker);
    void recordPreview(TextBase *worker, int position);
    void allJobsDone();
    void closeBackup();

    std::vector<std::unique_ptr<OptionRecord>> m_options;
    QList<TextBase *> m_workers; // added, not yet started
    int m_nextWorker = 0;
    // Files whose workers are made as the batch goes.
    struct Lazy
    {
        QStringList files;
        WorkerMaker make;
        int next = 0;
    };
    QList<Lazy> m_lazy;
    int m_nextLazy = 0;
    QHash<TextBase *, QFuture<void>> m_alive; // started, not yet freed
    QFuture<void> m_sync;
    QFuture<QStringList> m_leftovers;
    QStringList m_files;
    QMap<int, QStringList> m_produced;
    QString m_producedList;
    bool m_listOnceWritten = false;
    QSet<QString> m_writtenFolders;
    int m_total = 0;
    int m_taskCount = -1;
    int m_pending = 0;
    int m_succeeded = 0;
    int m_failed = 0;
    int m_unchanged = 0;
    bool m_started = false;
    bool m_cancelled = false;
    bool m_release = false;
    bool m_dryRun = false;
    std::shared_ptr<JobControl> m_control;
    std::unique_ptr<BatchBackup> m_backup;
    std::shared_ptr<PreviewStore> m_preview;
    QHash<TextBase *, int> m_positions; // each running worker's place in the batch
    int m_launched = 0; // files whose turn has come (launched or skipped), in the order added
    int m_keepBatches = 0;
    int m_codeMode = 0; // the encoding setting (CodeSetting::Mode) at the batch's start
};

#endif // JOBBATCH_H
