#include "jobcontrol.h"

#include <QMutexLocker>

bool JobControl::beginWrite()
{
    QMutexLocker lock(&m_mutex);
    if (m_cancelled.load(std::memory_order_relaxed))
        return false;
    ++m_writing;
    return true;
}

void JobControl::endWrite()
{
    QMutexLocker lock(&m_mutex);
    if (--m_writing == 0)
        m_idle.wakeAll();
}

void JobControl::cancel()
{
    QMutexLocker lock(&m_mutex);
    m_cancelled.store(true, std::memory_order_release);
    while (m_writing > 0)
        m_idle.wait(&m_mutex);
}
