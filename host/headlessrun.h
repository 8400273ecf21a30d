#ifndef HEADLESSRUN_H
#define HEADLESSRUN_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

#include "runfiles.h"
#include "scrivelface.h"

class QTextCodec;
class QWidget;

// A run of one preset from the command line, without a window: the host
// side of ScrivelFace with one list holding the files of the run. The
// plug-in is loaded and opened as in the program, the preset applied to
// its option page as "载入预设" does, and its start handler runs the batch
// as for 处理 (same option getter and refusals, reader, writer, undo store
// and summary).
//
// Standard output gets one line per file, tab-separated: "changed",
// "unchanged", "would-change" (dry run) or "failed" with the reason in
// words, and the path; with --diff the unified diff of each file that
// would change follows its line. Standard error gets the notes, a
// progress bar when it is a terminal, and the summary line last.
class HeadlessRun : public QObject, public ScrivelFace
{
    Q_OBJECT
    Q_INTERFACES(ScrivelFace)
public:
    enum Exit { AllDone = 0, SomeFailed = 1, Refused = 2 };

    struct Request
    {
        QString preset;
        bool dryRun = false;
        bool diff = false;
        RunFiles::Request files;
    };

    HeadlessRun(std::FILE *out = stdout, std::FILE *err = stderr, QObject *parent = nullptr);
    ~HeadlessRun() override;

    // Runs the request to its end; the exit status.
    int run(const Request &request);
    // Undoes the last batch of the working folder as "撤销上次批处理"
    // does, one line per file ("restored", or "left" with the reason);
    // the exit status (SomeFailed when a file was left).
    int undo();

    // Host side of the plug-in interface.
    // Never shown: the parent of the plug-in's docks, so they go with the
    // run rather than after the application object.
    QWidget *mainWidget() override { return m_window.get(); }
    void sendTip(int var1, int var2, const QString &fileName) override;
    QString currentDocumentFileName() override;
    int currentDocumentId() override { return m_entries.isEmpty() ? -1 : 1; }
    int currentListId() override { return 0; }
    int currentListFileCount() override { return m_entries.size(); }
    QList<FileType *> currentListFiles() override { return m_entries; }
    int listId(int index) override { return index == 0 ? 0 : -1; }
    QString listTitle(int index) override;
    int listFileCount(int index) override { return index == 0 ? m_entries.size() : -1; }
    QList<FileType *> listFiles(int index) override;
    int listCount() override { return 1; }
    void setTaskCount(int count) override;
    void jobProgress(int done, int total, const QString &fileName) override;

private slots:
    void jobsFinished(int succeeded, int failed);
    // SIGINT or SIGTERM arrived: the batch stops as "取消" stops it (no
    // file left half-written), and the run ends with 128 + the signal.
    void interrupted();
    void result(const QString &fileName, const QString &text);

private:
    void out(const QString &line);
    void err(const QString &line);
    void note(int var1, int var2, const QString &fileName);
    void drawProgress();
    void clearProgress();

    void catchSignals();

    std::unique_ptr<QWidget> m_window;
    ScrivelFace *m_face = nullptr;
    int m_signal = 0;
    std::FILE *m_out;
    std::FILE *m_err;
    QTextCodec *m_terminal; // the encoding of the terminal, as at start
    bool m_progressShown = false;
    bool m_isTerminal = false;
    QList<FileType *> m_entries;
    QSet<QString> m_failedFiles;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceBar;
    int m_total = 0;
    int m_done = 0;
    int m_ended = 0;
    int m_unchanged = 0;
    int m_batchFailed = 0;
    bool m_refused = false;
    bool m_finished = false;
};

#endif // HEADLESSRUN_H
