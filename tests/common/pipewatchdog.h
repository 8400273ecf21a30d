#ifndef PIPEWATCHDOG_H
#define PIPEWATCHDOG_H

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Makes a reader that wrongly blocks on a named pipe fail its test instead
// of hanging it: once the time is up, each pipe's held descriptors are
// closed and the pipe is opened for writing and closed again, over and
// over, which lets a blocked open go on and ends a blocked read. Stops
// when destroyed.
class PipeWatchdog
{
public:
    PipeWatchdog(const QStringList &pipes, int msecs);
    ~PipeWatchdog();

    PipeWatchdog(const PipeWatchdog &) = delete;
    PipeWatchdog &operator=(const PipeWatchdog &) = delete;

    // Keeps pipe open for reading and writing, as a writer that never
    // writes: a blocking read of it would wait for good.
    bool hold(const QString &pipe);
    // Whether the time ran out (something was blocked, or slow).
    bool fired() const;

private:
    void watch(int msecs);

    QStringList m_pipes;
    std::vector<int> m_held;
    mutable std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    bool m_fired = false;
    std::thread m_thread;
};

#endif // PIPEWATCHDOG_H
