#include "diskwatch.h"

#include <QFileInfo>

DiskWatch::DiskWatch(QObject *parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::fileChanged);
}

DiskWatch *DiskWatch::shared()
{
    static DiskWatch *watch = new DiskWatch;
    return watch;
}

void DiskWatch::hold(const QString &path)
{
    if (path.isEmpty())
        return;
    if (m_holds[path]++ == 0 && QFileInfo::exists(path))
        m_watcher.addPath(path);
}

void DiskWatch::release(const QString &path)
{
    auto it = m_holds.find(path);
    if (it == m_holds.end())
        return;
    if (--it.value() > 0)
        return;
    m_holds.erase(it);
    m_watcher.removePath(path);
}

bool DiskWatch::isWatching(const QString &path) const
{
    return m_watcher.files().contains(path);
}

void DiskWatch::rewatch(const QString &path)
{
    if (m_holds.contains(path) && !m_watcher.files().contains(path) && QFileInfo::exists(path))
        m_watcher.addPath(path);
}

void DiskWatch::fileChanged(const QString &path)
{
    if (!m_holds.contains(path))
        return;
    // A replaced or removed file drops out of the watcher; the new file
    // under the same name is watched from now on.
    rewatch(path);
    emit changed(path);
}
