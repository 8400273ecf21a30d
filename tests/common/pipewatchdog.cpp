#include "pipewatchdog.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <unistd.h>

PipeWatchdog::PipeWatchdog(const QStringList &pipes, int msecs)
    : m_pipes(pipes)
    , m_thread([this, msecs] { watch(msecs); })
{
}

PipeWatchdog::~PipeWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_stop.notify_all();
    m_thread.join();
    for (int fd : m_held)
        ::close(fd);
}

bool PipeWatchdog::hold(const QString &pipe)
{
    const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_held.push_back(fd);
    return true;
}

bool PipeWatchdog::fired() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_fired;
}

void PipeWatchdog::watch(int msecs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stop.wait_for(lock, std::chrono::milliseconds(msecs), [this] { return m_stopping; }))
        return;
    m_fired = true;
    for (int fd : m_held)
        ::close(fd);
    m_held.clear();
    while (!m_stop.wait_for(lock, std::chrono::milliseconds(20), [this] { return m_stopping; })) {
        for (const QString &pipe : qAsConst(m_pipes)) {
            const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    }
}
