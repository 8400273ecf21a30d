#ifndef PLUGINBASE_H
#define PLUGINBASE_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

#include "listsource.h"
#include "operationtable.h"
#include "scrivelface.h"
#include "tipcodes.h"

struct OptionRecord;
class DockWidgetListBase;
class DockWidgetOptionBase;
class JobBatch;
class PresetControl;
class PreviewStore;
class PreviewWindow;
class TextBase;

// The plug-in side of ScrivelFace shared by every plug-in: identity, the
// library's host pointer, the selection state, opening and closing the two
// docks, and the start handler that turns the chosen operation and range
// into one job per file.
//
// A plug-in supplies its operation table (setOperations), its two docks
// (createListDock, createOptionDock), and per row its option getter and
// its job maker (one job per file, or per list for the rows of scope
// PerList). The virtual readOptions, createWorker and createListWorker are
// the fallbacks for rows without them. A plug-in whose jobs do not follow
// the files of a range overrides rangeFiles, or gives its rows the scope
// GeneratesFiles and plans their jobs in planJobs.
//
// Every start ends the same way, with the host window and the docks
// enabled again and jobsFinishedSignal: when nothing is chosen, when the
// operation has nothing to run, when the options are unusable, and when
// the last job has ended, whether it succeeded or not.
class PluginBase : public QObject, public ScrivelFace
{
    Q_OBJECT
    Q_INTERFACES(ScrivelFace)
public:
    // name and version identify the plug-in; its data folder is the
    // generic data location + "/" + dataTag + version + "/" + dataSubfolder.
    PluginBase(const QString &name, const QString &version, const QString &dataTag,
               const QString &dataSubfolder, QObject *parent = nullptr);
    ~PluginBase() override;

    // ScrivelFace, the plug-in's side.
    void setUiEnabled(bool enabled) override;
    void setHost(ScrivelFace *host) override;
    QString pluginVersion() override;
    QString pluginName() override;
    bool openPlugin(int x, int y) override;
    // Stops the running start: the window is usable at once, the message
    // dock says how many files were done and how many were not touched.
    void cancelJobs() override;

    // The host of this plug-in library; null before setHost.
    static ScrivelFace *host();
    // Passes a tip to the host, if there is one.
    static void forwardTip(int var1, int var2, const QString &fileName);
    static void forwardTip(TipCode code, const QString &fileName = QString())
    {
        forwardTip(code.var1, code.var2, fileName);
    }

    QString pluginKey() const { return m_name + QLatin1Char(' ') + m_version; }
    QString dataFolder() const { return m_dataFolder; }

    // The operation table and the selection, shared with the docks.
    OperationTable *table() { return &m_table; }
    const OperationTable *table() const { return &m_table; }

    const QList<OperationRow> &operations() const { return m_table.rows(); }
    // The row of index; null for an index the table does not have.
    const OperationRow *operation(int index) const { return m_table.row(index); }
    // The explanation of index; for 0 without one of its own, those of all
    // other operations joined with "<br>".
    QString explanation(int index) const { return m_table.explanation(index); }

    RangeState &state() { return m_table.state(); }
    const RangeState &state() const { return m_table.state(); }

    DockWidgetListBase *listDock() const;
    DockWidgetOptionBase *optionDock() const;

    // Whether jobs of a start are still running.
    Q_INVOKABLE bool isRunning() const { return m_running; }

    // Presets, for the host (called by name through QMetaObject, since
    // ScrivelFace stays as it is). applyPreset loads a preset file into
    // the open docks as "载入预设" does; false when it is refused.
    Q_INVOKABLE bool applyPreset(const QString &path);
    // Saves the chosen operation and its page as "保存预设" does, under name.
    Q_INVOKABLE bool savePreset(const QString &name);
    // For a run without a window: the range of the next starts (single-
    // file and multi-file alike), and whether they write nothing (a dry
    // run: every file is read and worked on as usual, and a file that
    // would change is reported as such and left as it is).
    Q_INVOKABLE void setRunMode(int range, bool dryRun);
    bool isDryRun() const { return m_dryRun; }
    PresetControl *presets() const { return m_presets; }
    // The window of the last preview while it is open; null otherwise.
    PreviewWindow *previewWindow() const;

    // The files a single-file start covers for range (all lists, current
    // list, current document), in order, repeats included. Current
    // document gives exactly one name, empty when no editor is open.
    virtual QStringList rangeFiles(int index, int range);
    // The lists a multi-file start covers: every list (0) or the current
    // one (1, none when there is no current list).
    virtual QList<ListSource> rangeLists(int index, int multiRange);

public slots:
    // The start handler (pushButton_start).
    void startSlot();
    // The preview handler (pushButton_preview): the same start over the
    // same files with the same options and jobs, but every result is kept
    // (see JobBatch::keepResults) instead of written. When its last job
    // has ended, previewReadySignal hands over the kept results.
    void previewSlot();
    // Writes what a preview kept (the apply of the preview window): the
    // files of the records at positions (PreviewRecord::position), every
    // file the preview would write when positions is empty. It is a start
    // like any other, one job per file (see PreviewApplyJob): progress,
    // cancel, per-file tips and the summary line, one undo batch, docks
    // and window disabled meanwhile, and jobsFinishedSignal at the end;
    // nothing is worked on again. A file changed since the preview is
    // left as it is and named in the message dock. Files the preview
    // would make are made and go to the operation's list.
    void applyPreview(const std::shared_ptr<PreviewStore> &store, const QList<int> &positions);
    // Options unusable: both sides enabled again and the tip (-6, 0).
    void cancelSlot();

signals:
    // A start is over: every job has ended (or none was started).
    void jobsFinishedSignal(int succeeded, int failed);
    // In a dry run, the text a job would have written to its file.
    void resultSignal(const QString &fileName, const QString &text);
    // A preview is ready; the store lives as long as someone holds it.
    // The plug-in opens its preview window over it (previewWindow()).
    void previewReadySignal(const std::shared_ptr<PreviewStore> &store);

protected:
    void setOperations(const QList<OperationRow> &rows) { m_table.setRows(rows); }

    virtual DockWidgetListBase *createListDock(QWidget *parent) = 0;
    virtual DockWidgetOptionBase *createOptionDock(QWidget *parent) = 0;

    // The option getter of index, called once per start on the GUI thread
    // with the files the start covers; null when the options are unusable
    // (the start is cancelled). The start owns the record. By default an
    // empty record.
    virtual OptionRecord *readOptions(int index, const QStringList &files);
    // The worker of index for one file (position: its place among the
    // start's files); null starts nothing for that file.
    virtual TextBase *createWorker(int index, const QString &fileName, const OptionRecord *options, int position);
    // The worker of a multi-file index for one list; null skips the list.
    virtual TextBase *createListWorker(int index, const ListSource &list, const OptionRecord *options);

    // Whether a start goes ahead, asked when start is pressed while no
    // start runs, before anything is disabled. By default only when the
    // host has a list (the jobs work on the lists' files). A plug-in that
    // makes files from nothing starts without lists, and takes here what
    // every one of its starts takes, whatever follows.
    virtual bool beginStart(ScrivelFace *host);
    // The jobs of a start of a row of scope GeneratesFiles, which follow no
    // range: called once per start on the GUI thread, with the window and
    // docks disabled and the row's produced list set on batch. Reads the
    // row's options, lets batch adopt them and adds the jobs (and sets the
    // batch's task count when the host is to count other completions than
    // one per job); false when the options are unusable, and the start is
    // then refused with (-6, 0). No jobs at all is a start like any other.
    // By default false.
    virtual bool planJobs(const OperationRow &row, JobBatch *batch);

    // Called on the GUI thread when a worker's job has ended, before the
    // worker is freed: the place to hand a produced file to the host
    // (addFileToList) once worker->succeeded(). Does nothing by default.
    virtual void jobFinished(TextBase *worker);

    // A batch of this plug-in whose tips go to the host.
    JobBatch *newBatch();
    // Announces the batch's job count to the host and starts it; the start
    // ends when its last job has ended, and the files its jobs made go to
    // the batch's produced list. Takes ownership.
    void runBatch(JobBatch *batch);
    // Host window and docks enabled again.
    void endStart();

private:
    void listDockClosed(DockWidgetListBase *dock);
    void batchFinished(JobBatch *batch, int succeeded, int failed);
    void finishStart(int succeeded = 0, int failed = 0);
    // The options are unusable: the start ends with (-6, 0).
    void refuseStart();
    void startRun(bool preview);
    // Opens the window over a preview's store, in place of an earlier one.
    void showPreview(const std::shared_ptr<PreviewStore> &store);
    // The batch's produced files into its list on the host.
    void handOverProduced(JobBatch *batch);
    void startSingleFile(const OperationRow &row);
    // The rest of a single-file start, once its files are known.
    void startWithFiles(int index, const QStringList &files);
    // Ranges of at least this many files are checked for repeats on a
    // pool thread.
    static constexpr int distinctOnPoolFrom = 2000;
    void startMultiFile(const OperationRow &row);
    void startPlanned(const OperationRow &row);
    // The batch of a start, a preview when this start is one.
    JobBatch *newStartBatch();
    OptionRecord *optionsOf(const OperationRow &row, const QStringList &files);
    // The option dock's copy of the current range's files, refreshed.
    void refreshRangeFiles();

    QString m_name;
    QString m_version;
    QString m_dataFolder;
    OperationTable m_table;
    QPointer<DockWidgetListBase> m_listDock;
    QPointer<DockWidgetOptionBase> m_optionDock;
    bool m_running = false;
    bool m_dryRun = false;
    bool m_previewing = false; // the start being set up is a preview
    QPointer<JobBatch> m_batch; // the running start's
    PresetControl *m_presets = nullptr;
    QPointer<PreviewWindow> m_previewWindow;
};

#endif // PLUGINBASE_H
