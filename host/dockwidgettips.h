#ifndef DOCKWIDGETTIPS_H
#define DOCKWIDGETTIPS_H

#include <QDockWidget>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>

namespace Ui {
class DockWidgetTips;
}

// The message dock: one coloured line per tip, newest first, and a pane
// for the explanation of the operation last chosen in a plug-in. Counts the
// completion tips (-4, 0) of a job and emits finish() when all have come;
// the job's closing tip (-4, 2) shows the files done, unchanged and failed
// and the time since the job was announced (setExpected).
//
// Lines arriving faster than anyone can read them are shown in batches, a
// few screen updates per second, or one per flushLines lines: each tip is
// counted and its line made at once (its time and counters as they were on
// arrival), and the waiting lines go into the pane together, newest first.
// A single tip after a quiet spell shows at once; a finished job shows all
// its lines at once.
// Every failure or refusal is also written to the log as a warning.
//
// The pane keeps a bounded window, so its memory does not grow with the
// batch: the latest keptLines ordinary lines and every failure line. Older
// ordinary lines are folded away in steps (they go to the log first, so
// the whole record stays there), and a note under the pane says how many
// were folded, with a link that opens the log.
class DockWidgetTips : public QDockWidget
{
    Q_OBJECT
public:
    explicit DockWidgetTips(QWidget *parent = nullptr);
    ~DockWidgetTips() override;

    void setExpected(int count);
    int expectedCount() const { return m_expectedCount; }
    int doneCount() const { return m_doneCount; }

    // The plain text of the message pane, newest line first (for tests and
    // diagnostics); lines still waiting are shown first.
    QString messageText();
    QString explainHtml() const;

    // Lines waiting for the next screen update.
    int pendingLines() const { return m_pending.size(); }
    // Screen updates of the message pane so far.
    int updates() const { return m_updates; }
    // GUI-thread time spent on tips and their display so far (benchmarks).
    qint64 busyNanoseconds() const { return m_busyNs; }

    // Ordinary lines folded away so far.
    int foldedLines() const { return m_folded; }
    // The note under the pane; empty while nothing is folded.
    QString foldedNote() const;

    // The shortest time between two screen updates of the pane.
    static constexpr int updateInterval = 250; // milliseconds
    // Waiting lines go in at once when there are this many, whatever the
    // time since the last update: a batch of very fast jobs then never
    // keeps the GUI thread on one long update.
    static constexpr int flushLines = 500;
    // The ordinary lines the pane keeps at least; folding starts once
    // foldStep more have come, so it happens once per foldStep lines.
    static constexpr int keptLines = 2000;
    static constexpr int foldStep = 500;

public slots:
    void tip(int var1, int var2, const QString &fileName);
    void explain(const QString &html);
    // Shows every waiting line now.
    void flush();

signals:
    void finish();

private:
    void countForSummary(int var1, int var2);
    // Removes the oldest ordinary lines down to keptLines.
    void fold();
    void openLog();

    Ui::DockWidgetTips *ui;
    int m_expectedCount = 0;
    int m_doneCount = 0;

    // The running job, for its summary line.
    QElapsedTimer m_jobClock;
    int m_jobDone = 0;
    int m_jobUnchanged = 0;
    int m_jobFailed = 0;

    // One waiting line: its prefix as plain text and its message as the
    // table's HTML.
    struct Line
    {
        QString prefix;
        QString message;
        bool failure = false;
    };
    QString timeText();

    QList<Line> m_pending; // oldest first
    qint64 m_timeSecond = -1;
    QString m_timeText;
    QTimer m_updateTimer;
    QElapsedTimer m_sinceUpdate;
    int m_updates = 0;
    qint64 m_busyNs = 0;
    bool m_inTip = false;
    int m_ordinaryShown = 0; // ordinary lines in the pane
    int m_folded = 0;
};

#endif // DOCKWIDGETTIPS_H
