#include "pluginbase.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QtConcurrent>
#include <QSet>
#include <QStandardPaths>
#include <QThreadPool>

#include "dockwidgetlistbase.h"
#include "dockwidgetoptionbase.h"
#include "filetype.h"
#include "jobbatch.h"
#include "optionrecord.h"
#include "presetcontrol.h"
#include "previewapplyjob.h"
#include "previewstore.h"
#include "previewwindow.h"
#include "textbase.h"
#include "tipcodes.h"

namespace {

// One per plug-in library: this code is linked statically into each one.
ScrivelFace *g_host = nullptr;

QStringList pathsOf(const QList<FileType *> &entries)
{
    QStringList paths;
    paths.reserve(entries.size());
    for (const FileType *entry : entries) {
        if (entry)
            paths << entry->fileName;
    }
    return paths;
}

} // namespace

PluginBase::PluginBase(const QString &name, const QString &version, const QString &dataTag,
                       const QString &dataSubfolder, QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_version(version)
{
    m_dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QLatin1Char('/') + dataTag + version + QLatin1Char('/') + dataSubfolder;
    m_presets = new PresetControl(this);
    connect(this, &PluginBase::previewReadySignal, this, &PluginBase::showPreview);
}

PluginBase::~PluginBase()
{
    // Docks and a preview window without a parent window are this
    // plug-in's to free.
    delete m_previewWindow.data();
    delete m_listDock.data();
    delete m_optionDock.data();
}

DockWidgetListBase *PluginBase::listDock() const
{
    return m_listDock;
}

DockWidgetOptionBase *PluginBase::optionDock() const
{
    return m_optionDock;
}

void PluginBase::setUiEnabled(bool enabled)
{
    if (m_listDock)
        m_listDock->setEnabled(enabled);
    if (m_optionDock)
        m_optionDock->setEnabled(enabled);
}

void PluginBase::setHost(ScrivelFace *host)
{
    g_host = host;
    // The kept results of previews of a program that was killed; once per
    // library, off the window's thread.
    static bool cleaned = false;
    if (host && !cleaned) {
        cleaned = true;
        const QString root = PreviewStore::defaultRoot();
        QThreadPool::globalInstance()->start([root] { PreviewStore::removeStale(root); });
    }
}

QString PluginBase::pluginVersion()
{
    return m_version;
}

QString PluginBase::pluginName()
{
    return m_name;
}

ScrivelFace *PluginBase::host()
{
    return g_host;
}

void PluginBase::forwardTip(int var1, int var2, const QString &fileName)
{
    if (g_host)
        g_host->sendTip(var1, var2, fileName);
}

bool PluginBase::openPlugin(int x, int y)
{
    ScrivelFace *h = host();
    bool created = false;
    if (!m_listDock) {
        QWidget *parent = h ? h->mainWidget() : nullptr;
        DockWidgetListBase *list = createListDock(parent);
        m_listDock = list;
        list->setWindowTitle(m_name);
        connect(list, &DockWidgetListBase::startSignal, this, &PluginBase::startSlot);
        connect(list, &DockWidgetListBase::previewSignal, this, &PluginBase::previewSlot);

        // The option dock sits just right of the list dock and follows it.
        connect(list, &DockWidgetEx::curPosSignal, this, [this](const QPoint &pos) {
            if (m_optionDock)
                m_optionDock->move(pos.x() + 80, pos.y());
        });
        connect(list, &DockWidgetEx::closedSignal, this, [this, list] { listDockClosed(list); });

        if (!m_optionDock) {
            DockWidgetOptionBase *option = createOptionDock(parent);
            m_optionDock = option;
            option->setWindowTitle(QStringLiteral("处理选项"));
            connect(option, &DockWidgetOptionBase::tipSignal, this, qOverload<int, int, const QString &>(&PluginBase::forwardTip));
            m_presets->attach(option);
        }

        connect(list, &DockWidgetEx::activateSignal, this, [this] {
            if (ScrivelFace *h = host())
                h->setExplain(explanation(state().currentIndex));
            if (m_optionDock)
                m_optionDock->activateWindow();
        });
        connect(list, &DockWidgetListBase::curTextSignal, this, [this](int index) {
            if (ScrivelFace *h = host())
                h->setExplain(explanation(state().currentIndex));
            if (m_optionDock) {
                m_optionDock->activateWindow();
                m_optionDock->curTextSlot(index);
            }
        });
        connect(list, &DockWidgetListBase::rep2RangeSignal, this, [this] {
            if (!m_optionDock)
                return;
            refreshRangeFiles();
            m_optionDock->rep2RangeSlot();
        });
        connect(list, &DockWidgetListBase::rangeSignal, this, [list](int range) {
            if (ScrivelFace *h = host())
                h->setStatusText(list->hasRanges() ? RangeState::caption(range) : QString());
        });

        list->move(x, y);
        list->show();
        m_optionDock->show();
        created = true;
    }
    if (h) {
        h->setExplain(explanation(state().currentIndex));
        forwardTip(Tips::PluginOpened, pluginKey());
    }
    m_listDock->activateWindow();
    return created;
}

void PluginBase::listDockClosed(DockWidgetListBase *dock)
{
    if (dock != m_listDock)
        return;
    if (ScrivelFace *h = host()) {
        forwardTip(Tips::PluginClosed, pluginKey());
        // Cleared here rather than when the option dock is destroyed: that
        // also happens while the main window itself is being torn down.
        h->setStatusText(QString());
    }
    m_listDock = nullptr;
    dock->deleteLater();
    if (m_optionDock) {
        m_optionDock->deleteLater();
        m_optionDock = nullptr;
    }
    state().currentIndex = 0;
}

void PluginBase::refreshRangeFiles()
{
    const RangeState &s = state();
    m_optionDock->setRangeFiles(JobBatch::distinctFiles(rangeFiles(s.currentIndex, s.currentRange)));
}

QStringList PluginBase::rangeFiles(int index, int range)
{
    Q_UNUSED(index)
    ScrivelFace *h = host();
    if (!h)
        return QStringList();
    switch (range) {
    case allLists: {
        QStringList files;
        const int n = h->listCount();
        for (int i = 0; i < n; ++i)
            files << pathsOf(h->listFiles(i));
        return files;
    }
    case currentList:
        return pathsOf(h->currentListFiles());
    case currentDocument:
        return QStringList(h->currentDocumentFileName());
    default:
        return QStringList();
    }
}

QList<ListSource> PluginBase::rangeLists(int index, int multiRange)
{
    Q_UNUSED(index)
    QList<ListSource> lists;
    ScrivelFace *h = host();
    if (!h)
        return lists;
    const int n = h->listCount();
    if (multiRange == allLists) {
        for (int i = 0; i < n; ++i) {
            ListSource list;
            list.position = i;
            list.id = h->listId(i);
            list.title = h->listTitle(i);
            list.files = pathsOf(h->listFiles(i));
            lists << list;
        }
    } else if (multiRange == currentList) {
        const int id = h->currentListId();
        if (id == -1)
            return lists;
        ListSource list;
        list.id = id;
        for (int i = 0; i < n; ++i) {
            if (h->listId(i) == id) {
                list.position = i;
                list.title = h->listTitle(i);
                break;
            }
        }
        list.files = pathsOf(h->currentListFiles());
        lists << list;
    }
    return lists;
}

OptionRecord *PluginBase::readOptions(int index, const QStringList &files)
{
    Q_UNUSED(index)
    Q_UNUSED(files)
    return new OptionRecord;
}

TextBase *PluginBase::createWorker(int index, const QString &fileName, const OptionRecord *options, int position)
{
    Q_UNUSED(index)
    Q_UNUSED(fileName)
    Q_UNUSED(options)
    Q_UNUSED(position)
    return nullptr;
}

TextBase *PluginBase::createListWorker(int index, const ListSource &list, const OptionRecord *options)
{
    Q_UNUSED(index)
    Q_UNUSED(list)
    Q_UNUSED(options)
    return nullptr;
}

bool PluginBase::beginStart(ScrivelFace *host)
{
    return host->listCount() > 0;
}

bool PluginBase::planJobs(const OperationRow &row, JobBatch *batch)
{
    Q_UNUSED(row)
    Q_UNUSED(batch)
    return false;
}

void PluginBase::jobFinished(TextBase *worker)
{
    Q_UNUSED(worker)
}

void PluginBase::startSlot()
{
    startRun(false);
}

void PluginBase::previewSlot()
{
    startRun(true);
}

PreviewWindow *PluginBase::previewWindow() const
{
    return m_previewWindow;
}

void PluginBase::showPreview(const std::shared_ptr<PreviewStore> &store)
{
    if (!store)
        return;
    // One preview at a time: an earlier window and its kept results go.
    if (m_previewWindow)
        m_previewWindow->close();
    ScrivelFace *h = host();
    auto *window = new PreviewWindow(store, h ? h->mainWidget() : nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &PreviewWindow::applySignal, this, &PluginBase::applyPreview);
    m_previewWindow = window;
    window->show();
    window->raise();
    window->activateWindow();
}

JobBatch *PluginBase::newStartBatch()
{
    JobBatch *batch = newBatch();
    if (!m_previewing)
        return batch;
    batch->setDryRun(false);
    batch->keepResults(std::make_shared<PreviewStore>());
    // Each file's outcome is the preview's to show; what the message dock
    // gets is only what is not about one file's fate (a conversion's
    // counts, a table's problems).
    disconnect(batch, &JobBatch::tipSignal, this, nullptr);
    connect(batch, &JobBatch::tipSignal, this, [](int var1, int var2, const QString &fileName) {
        if (var1 != 0 && !Tips::JobDone.is(var1, var2))
            forwardTip(var1, var2, fileName);
    });
    return batch;
}

void PluginBase::startRun(bool preview)
{
    ScrivelFace *h = host();
    // One start at a time, so no file is ever worked on by two jobs.
    if (!h || m_running || !beginStart(h))
        return;

    m_previewing = preview;
    setUiEnabled(false);
    h->setUiEnabled(false);

    const OperationRow *row = operation(state().currentIndex);
    const OperationRow::Start kind = row ? row->startKind() : OperationRow::NoJob;
    if (kind == OperationRow::NoJob) {
        forwardTip(Tips::NoOperation);
        finishStart();
        return;
    }
    if (kind == OperationRow::Nothing) {
        // An operation with a page but nothing to run yet still makes the
        // list its files would go to (none in a run that writes nothing).
        if (!row->producedList.isEmpty() && !row->listOnceWritten && !m_dryRun && !m_previewing)
            h->newList(row->producedList);
        finishStart();
        return;
    }
    switch (row->scope) {
    case OperationRow::PerList:
        startMultiFile(*row);
        break;
    case OperationRow::GeneratesFiles:
        startPlanned(*row);
        break;
    case OperationRow::OneFile:
        startSingleFile(*row);
        break;
    }
}

OptionRecord *PluginBase::optionsOf(const OperationRow &row, const QStringList &files)
{
    if (row.options)
        return row.options(m_optionDock, files);
    return readOptions(row.index, files);
}

void PluginBase::startSingleFile(const OperationRow &row)
{
    const int range = state().currentRange;
    if (range != allLists && range != currentList && range != currentDocument) {
        qDebug() << "curRange:" << range;
        finishStart();
        return;
    }
    const QStringList files = rangeFiles(row.index, range);
    if (files.size() < distinctOnPoolFrom) {
        startWithFiles(row.index, JobBatch::distinctFiles(files));
        return;
    }
    // Telling repeats apart looks up every name on the file system: for a
    // large range that is work for a pool thread, not for the window. The
    // docks and the host stay disabled meanwhile.
    m_running = true;
    auto *watcher = new QFutureWatcher<QStringList>(this);
    const int index = row.index;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, index] {
        watcher->deleteLater();
        m_running = false;
        startWithFiles(index, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(QThreadPool::globalInstance(), &JobBatch::distinctFiles, files));
}

void PluginBase::startWithFiles(int index, const QStringList &files)
{
    const OperationRow *row = operation(index);
    if (!row) {
        finishStart();
        return;
    }
    OptionRecord *options = optionsOf(*row, files);
    if (!options) {
        refuseStart();
        return;
    }
    JobBatch *batch = newStartBatch();
    batch->adopt(options);
    batch->setProducedList(row->producedList, row->listOnceWritten);
    // Each file's worker is made only when its turn comes; the batch is
    // this plug-in's child, so the maker's this outlives it.
    const OperationRow::JobMaker job = row->job;
    batch->addFiles(files, [this, job, index, options](const QString &file, int position) {
        return job ? job(file, options, position) : createWorker(index, file, options, position);
    });
    runBatch(batch);
}

void PluginBase::startMultiFile(const OperationRow &row)
{
    const int range = state().currentMultiRange;
    if (range != allLists && range != currentList) {
        qDebug() << "cur64Range:" << range;
        finishStart();
        return;
    }
    const QList<ListSource> lists = rangeLists(row.index, range);
    QStringList files;
    for (const ListSource &list : lists)
        files << list.files;
    OptionRecord *options = optionsOf(row, files);
    if (!options) {
        refuseStart();
        return;
    }
    JobBatch *batch = newStartBatch();
    batch->adopt(options);
    batch->setProducedList(row.producedList, row.listOnceWritten);
    for (const ListSource &list : lists)
        batch->add(row.listJob ? row.listJob(list, options) : createListWorker(row.index, list, options));
    runBatch(batch);
}

void PluginBase::startPlanned(const OperationRow &row)
{
    JobBatch *batch = newStartBatch();
    batch->setProducedList(row.producedList, row.listOnceWritten);
    if (!planJobs(row, batch)) {
        delete batch;
        refuseStart();
        return;
    }
    runBatch(batch);
}

void PluginBase::applyPreview(const std::shared_ptr<PreviewStore> &store, const QList<int> &positions)
{
    // One start at a time, so no file is ever worked on by two jobs.
    if (!store || m_running)
        return;
    setUiEnabled(false);
    if (ScrivelFace *h = host())
        h->setUiEnabled(false);
    const QSet<int> chosen(positions.cbegin(), positions.cend());
    QList<PreviewRecord> records;
    QStringList files;
    for (const PreviewRecord &record : store->records()) {
        if (record.willWrite() && (chosen.isEmpty() || chosen.contains(record.position))) {
            records << record;
            files << record.fileName;
        }
    }
    JobBatch *batch = newBatch();
    batch->setProducedList(store->producedList(), true);
    // The store lives as long as the jobs that read from it.
    batch->addFiles(files, [store, records](const QString &, int position) {
        return new PreviewApplyJob(store, records.at(position));
    });
    runBatch(batch);
}

void PluginBase::cancelSlot()
{
    if (ScrivelFace *h = host())
        h->setUiEnabled(true);
    setUiEnabled(true);
    forwardTip(Tips::Cancelled);
}

bool PluginBase::applyPreset(const QString &path)
{
    return m_presets->apply(path);
}

bool PluginBase::savePreset(const QString &name)
{
    return m_presets->save(name);
}

void PluginBase::setRunMode(int range, bool dryRun)
{
    state().currentRange = range;
    state().currentMultiRange = range;
    m_dryRun = dryRun;
}

JobBatch *PluginBase::newBatch()
{
    JobBatch *batch = new JobBatch(this);
    batch->setDryRun(m_dryRun);
    connect(batch, &JobBatch::tipSignal, this, qOverload<int, int, const QString &>(&PluginBase::forwardTip));
    connect(batch, &JobBatch::jobDoneSignal, this, [this, batch](TextBase *worker) {
        if (batch->isDryRun() && worker->succeeded() && !worker->unchanged())
            emit resultSignal(worker->fileName(), worker->text());
        jobFinished(worker);
        if (ScrivelFace *h = host())
            h->jobProgress(batch->ended(), batch->count(), worker->fileName());
    });
    return batch;
}

void PluginBase::cancelJobs()
{
    JobBatch *batch = m_batch;
    if (!m_running || !batch)
        return;
    batch->cancel();
    m_running = false;
    m_batch = nullptr;
    const int succeeded = batch->succeeded();
    const int failed = batch->failed();
    batch->releaseWhenIdle();
    handOverProduced(batch);
    endStart();
    // Queued behind the tips of the jobs that ended before the cancel, so
    // the host counts them before it closes the job.
    QMetaObject::invokeMethod(this, [] { forwardTip(Tips::JobCancelled); },
                              Qt::QueuedConnection);
    emit jobsFinishedSignal(succeeded, failed);
}

void PluginBase::runBatch(JobBatch *batch)
{
    batch->setParent(this);
    connect(batch, &JobBatch::finishedSignal, this, [this, batch](int succeeded, int failed) {
        batchFinished(batch, succeeded, failed);
    });
    m_running = true;
    m_batch = batch;
    if (ScrivelFace *h = host()) {
        // A dry run or a preview makes no files, so no list for them either.
        if (!batch->producedList().isEmpty() && !batch->listOnceWritten() && !batch->writesNothing())
            h->newList(batch->producedList());
        h->setTaskCount(batch->taskCount());
    }
    batch->start();
}

void PluginBase::handOverProduced(JobBatch *batch)
{
    ScrivelFace *h = host();
    const QStringList files = batch->producedFiles();
    if (!h || files.isEmpty() || batch->writesNothing())
        return;
    if (batch->listOnceWritten())
        h->newList(batch->producedList());
    for (const QString &file : files)
        h->addFileToList(file, batch->producedList());
}

void PluginBase::batchFinished(JobBatch *batch, int succeeded, int failed)
{
    m_running = false;
    m_batch = nullptr;
    // Freed once the batch has returned from emitting; a queued call is
    // delivered by any event processing, unlike a deferred delete.
    QMetaObject::invokeMethod(this, [batch] { delete batch; }, Qt::QueuedConnection);
    endStart();
    if (const std::shared_ptr<PreviewStore> store = batch->previewStore()) {
        store->setProducedList(batch->producedList());
        // Nothing was written: the line says what the preview found,
        // from the store's counts (reading every record back here would
        // hold all of them at once).
        const int changed = store->writeCount();
        const int unchanged = store->unchangedCount();
        const int failures = store->failedCount();
        forwardTip(Tips::PreviewDone, QStringLiteral("将修改 %1 个, 无变化 %2 个, 失败 %3 个").arg(changed).arg(unchanged).arg(failures));
        emit jobsFinishedSignal(succeeded, failed);
        emit previewReadySignal(store);
        return;
    }
    // The files made are in their list when the host closes the job with
    // its summary line (files done, unchanged, failed, time taken), after
    // every file of the batch is durable.
    handOverProduced(batch);
    forwardTip(Tips::AllDone);
    emit jobsFinishedSignal(succeeded, failed);
}

void PluginBase::refuseStart()
{
    cancelSlot();
    emit jobsFinishedSignal(0, 0);
}

void PluginBase::finishStart(int succeeded, int failed)
{
    endStart();
    emit jobsFinishedSignal(succeeded, failed);
}

void PluginBase::endStart()
{
    if (ScrivelFace *h = host())
        h->setUiEnabled(true);
    setUiEnabled(true);
}
