#include "jobbatch.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent>

#include <new>

#include "batchbackup.h"
#include "codesetting.h"
#include "jobcontrol.h"
#include "optionrecord.h"
#include "previewstore.h"
#include "readwritetxt.h"
#include "textbase.h"
#include "tipcodes.h"

namespace {

JobBatch::SyncFunction &syncFunction()
{
    static JobBatch::SyncFunction function;
    return function;
}

} // namespace

void JobBatch::setSyncFunction(const SyncFunction &sync)
{
    syncFunction() = sync;
}

namespace {

std::atomic<bool> g_backups{true};

} // namespace

void JobBatch::setBackupsEnabled(bool enabled)
{
    g_backups = enabled;
}

bool JobBatch::backupsEnabled()
{
    return g_backups;
}

JobBatch::JobBatch(QObject *parent)
    : QObject(parent)
    , m_control(std::make_shared<JobControl>())
{
    // One reading of the encoding setting for the whole batch, not one per
    // file.
    m_codeMode = CodeSetting::current();
    m_keepBatches = g_backups ? BatchBackup::batchesSetting() : 0;
    if (m_keepBatches > 0)
        m_backup = std::make_unique<BatchBackup>(BatchBackup::defaultRoot());
}

JobBatch::~JobBatch()
{
    // Workers still running use this batch and their own objects; they are
    // let finish before anything goes away.
    for (QFuture<void> &future : m_alive)
        future.waitForFinished();
    m_sync.waitForFinished();
    m_leftovers.waitForFinished();
    qDeleteAll(m_alive.keys());
    qDeleteAll(m_workers.mid(m_nextWorker));
}

void JobBatch::adopt(OptionRecord *record)
{
    if (record)
        m_options.emplace_back(record);
}

void JobBatch::setDryRun(bool dryRun)
{
    if (m_started)
        return;
    m_dryRun = dryRun;
    if (dryRun)
        m_backup.reset();
    for (TextBase *worker : qAsConst(m_workers)) {
        worker->setDryRun(dryRun);
        worker->setBackup(m_backup.get());
    }
}

void JobBatch::add(TextBase *worker)
{
    if (!worker || m_started)
        return;
    prepare(worker);
    m_workers << worker;
    m_files << worker->fileName();
    ++m_total;
}

void JobBatch::addFiles(const QStringList &files, const WorkerMaker &make)
{
    if (m_started || files.isEmpty() || !make)
        return;
    Lazy lazy;
    lazy.files = files;
    lazy.make = make;
    m_lazy << lazy;
    m_files += files;
    m_total += files.size();
}

void JobBatch::prepare(TextBase *worker)
{
    worker->setParent(nullptr);
    // Emitted on a pool thread; this batch lives on the GUI thread, so the
    // tip is queued and re-emitted there.
    connect(worker, &TextBase::tipSignal, this, &JobBatch::tipSignal);
    worker->setSyncLater(true);
    worker->setControl(m_control);
    worker->setBackup(m_preview ? nullptr : m_backup.get());
    worker->setPreview(m_preview.get());
    worker->setCodeMode(m_codeMode);
    worker->setDryRun(m_dryRun);
}

void JobBatch::start()
{
    if (m_started)
        return;
    m_started = true;
    if (m_preview) {
        // Nothing is kept for undo: nothing is replaced.
        for (TextBase *worker : qAsConst(m_workers)) {
            worker->setBackup(nullptr);
            worker->setPreview(m_preview.get());
        }
        m_backup.reset();
    }
    m_pending = m_total;
    // A dry run or a preview leaves even the leftovers of killed writes as
    // they are.
    const bool writes = !m_dryRun && !m_preview;
    if (!writes || m_files.size() < leftoversOnPoolFrom) {
        leftoversRemoved(writes ? ReadWriteTxt::removeLeftovers(m_files) : QStringList());
        return;
    }
    // Looking through the folders of many files is work for a pool
    // thread; the jobs start once it is done. The task needs nothing of
    // this batch, which waits for it before it goes.
    m_leftovers = QtConcurrent::run(QThreadPool::globalInstance(), &ReadWriteTxt::removeLeftovers, m_files);
    auto *watcher = new QFutureWatcher<QStringList>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        leftoversRemoved(m_leftovers.result());
    });
    watcher->setFuture(m_leftovers);
}

void JobBatch::leftoversRemoved(const QStringList &removed)
{
    for (const QString &leftover : removed)
        emit tipSignal(Tips::LeftoverRemoved.var1, Tips::LeftoverRemoved.var2, leftover);
    if (m_cancelled)
        return;
    if (m_pending == 0) {
        emit finishedSignal(0, 0);
        return;
    }
    launchMore();
}

void JobBatch::launchMore()
{
    while (m_alive.size() < maxAlive && !m_cancelled) {
        if (m_nextWorker < m_workers.size()) {
            TextBase *worker = m_workers.at(m_nextWorker);
            m_workers[m_nextWorker++] = nullptr;
            launch(worker);
            continue;
        }
        if (m_nextWorker > 0) {
            m_workers.clear();
            m_nextWorker = 0;
        }
        if (m_nextLazy >= m_lazy.size())
            break;
        Lazy &lazy = m_lazy[m_nextLazy];
        if (lazy.next >= lazy.files.size()) {
            // Its files and maker are not needed any more.
            lazy = Lazy();
            ++m_nextLazy;
            continue;
        }
        const int position = lazy.next++;
        TextBase *worker = lazy.make(lazy.files.at(position), position);
        if (!worker) {
            ++m_launched;
            --m_pending;
            continue;
        }
        prepare(worker);
        launch(worker);
    }
    if (m_pending == 0 && m_alive.isEmpty() && !m_cancelled)
        allJobsDone();
}

void JobBatch::launch(TextBase *worker)
{
    m_positions.insert(worker, m_launched);
    ++m_launched;
    const std::shared_ptr<JobControl> control = m_control;
    m_alive.insert(worker, QtConcurrent::run(QThreadPool::globalInstance(), [this, worker, control] {
        // After a cancel the jobs still queued end without touching
        // their files.
        if (!control->isCancelled()) {
            try {
                worker->run();
            } catch (const std::bad_alloc &) {
                // Out of memory in a job that does not say so itself:
                // the job fails, the program and the other files go on.
                worker->emitTip(Tips::FileTooLarge, worker->fileName());
            }
        }
        // Posted after every tip of the run, so it reaches the GUI
        // thread after them.
        QMetaObject::invokeMethod(this, [this, worker] { jobDone(worker); }, Qt::QueuedConnection);
    }));
}

void JobBatch::jobDone(TextBase *worker)
{
    if (!m_alive.remove(worker))
        return;
    if (worker->succeeded())
        ++m_succeeded;
    else
        ++m_failed;
    if (worker->unchanged())
        ++m_unchanged;
    const QString folder = worker->writtenFolder();
    if (!folder.isEmpty())
        m_writtenFolders.insert(folder);
    // Its place in the batch, for the preview and the produced files.
    const int position = m_positions.take(worker);
    if (m_preview && !m_cancelled)
        recordPreview(worker, position);
    if (!m_cancelled) {
        const QStringList produced = worker->producedFiles();
        if (!produced.isEmpty())
            m_produced.insert(position, produced);
        emit jobDoneSignal(worker);
    }
    delete worker;
    --m_pending;
    if (!m_cancelled) {
        if (m_pending > 0)
            launchMore();
        else
            allJobsDone();
        return;
    }
    if (!m_alive.isEmpty())
        return;
    closeBackup();
    if (m_release)
        deleteLater();
}

void JobBatch::keepResults(const std::shared_ptr<PreviewStore> &store)
{
    if (!m_started)
        m_preview = store;
}

void JobBatch::recordPreview(TextBase *worker, int position)
{
    bool ownKept = false;
    for (PreviewRecord record : worker->keptRecords()) {
        record.position = position;
        ownKept = ownKept || record.fileName == worker->fileName();
        m_preview->addRecord(record);
    }
    if (ownKept)
        return;
    // The job's own file, left as it is: unchanged, or why the job failed.
    PreviewRecord record;
    record.position = position;
    record.fileName = worker->fileName();
    const PreviewStore::Source &source = worker->source();
    record.sourceDigest = source.digest;
    record.sizeBefore = source.size;
    record.sourceModified = source.modified;
    if (worker->succeeded()) {
        record.outcome = PreviewRecord::Unchanged;
        record.sizeAfter = source.size;
    } else {
        record.outcome = PreviewRecord::Failed;
        record.failure = worker->lastTip();
    }
    m_preview->addRecord(record);
}

QStringList JobBatch::producedFiles() const
{
    QStringList files;
    for (const QStringList &produced : m_produced)
        files += produced;
    return files;
}

void JobBatch::cancel()
{
    if (!m_started || m_cancelled || m_pending == 0)
        return;
    m_cancelled = true;
    m_control->cancel();
    // Jobs not made or not started yet never run.
    m_pending = m_alive.size();
    qDeleteAll(m_workers.mid(m_nextWorker));
    m_workers.clear();
    m_nextWorker = 0;
    m_lazy.clear();
    if (m_alive.isEmpty())
        closeBackup();
}

void JobBatch::releaseWhenIdle()
{
    setParent(nullptr);
    m_release = true;
    if (m_alive.isEmpty())
        deleteLater();
}

void JobBatch::closeBackup()
{
    if (!m_backup)
        return;
    m_backup->close(m_keepBatches);
    // Deleting the oldest batch's backups frees as many files as that
    // batch replaced: work for a pool thread, not for the window. The task
    // needs nothing of this batch, which may be gone before it ends.
    const QString root = m_backup->root();
    QThreadPool::globalInstance()->start([root] { BatchBackup::removePruned(root); });
}

void JobBatch::allJobsDone()
{
    closeBackup();
    // The journal of the backups becomes durable with the batch.
    if (m_backup && !m_backup->folder().isEmpty())
        m_writtenFolders.insert(m_backup->folder());
    if (m_writtenFolders.isEmpty()) {
        emit finishedSignal(m_succeeded, m_failed);
        return;
    }
    // The sync may take a while; the window stays responsive meanwhile.
    const QStringList folders = m_writtenFolders.values();
    const SyncFunction sync = syncFunction();
    m_sync = QtConcurrent::run(QThreadPool::globalInstance(), [this, folders, sync] {
        for (const QString &folder : ReadWriteTxt::oneFolderPerFileSystem(folders)) {
            if (sync)
                sync(folder);
            else
                ReadWriteTxt::syncFileSystem(folder);
        }
        QMetaObject::invokeMethod(this, [this] { emit finishedSignal(m_succeeded, m_failed); },
                                  Qt::QueuedConnection);
    });
}

QStringList JobBatch::distinctFiles(const QStringList &files)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString &file : files) {
        QString key;
        if (!file.isEmpty()) {
            const QFileInfo info(file);
            key = info.canonicalFilePath();
            if (key.isEmpty())
                key = QDir::cleanPath(info.absoluteFilePath());
        }
        if (seen.contains(key))
            continue;
        seen.insert(key);
        result << file;
    }
    return result;
}
