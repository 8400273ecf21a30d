#ifndef JOBCONTROL_H
#define JOBCONTROL_H

#include <QMutex>
#include <QWaitCondition>

#include <atomic>

// Stopping a batch safely, shared by its workers on the pool threads and
// the batch on the GUI thread. A worker asks before it writes; once the
// batch is cancelled no write begins, and cancel() returns only when the
// writes already under way have ended, so afterwards every file of the
// batch is wholly old or wholly new and stays so.
class JobControl
{
public:
    // Whether the batch was cancelled; a job not started yet then does
    // nothing, and a running one discards its result.
    bool isCancelled() const { return m_cancelled.load(std::memory_order_acquire); }

    // Called by a worker about to write: false once cancelled (the
    // worker leaves its file as it is). Every true is matched by endWrite.
    bool beginWrite();
    void endWrite();

    // Stops the batch: no write begins from now on; waits for the writes
    // under way (each a single file's, so short).
    void cancel();

private:
    QMutex m_mutex;
    QWaitCondition m_idle;
    int m_writing = 0;
    std::atomic<bool> m_cancelled{false};
};

#endif // JOBCONTROL_H
