#ifndef DISKWATCH_H
#define DISKWATCH_H

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>

// The files that open editors show, watched for changes made on disk by
// anyone (a batch, an undo, another program). One watcher serves every
// editor of the process; a path is watched as long as one editor holds it.
//
// A file replaced by renaming another over it (as every careful writer
// does, this program's included) is a new inode: the old watch ends with
// it, so the path is watched again whenever it exists after a change.
class DiskWatch : public QObject
{
    Q_OBJECT
public:
    static DiskWatch *shared();

    // Counted: each hold needs its release.
    void hold(const QString &path);
    void release(const QString &path);
    bool isWatching(const QString &path) const;
    // Watches a held path again if it exists now but is not watched (it
    // went away and came back).
    void rewatch(const QString &path);

signals:
    // The file at path changed, was replaced or went away.
    void changed(const QString &path);

private:
    explicit DiskWatch(QObject *parent = nullptr);
    void fileChanged(const QString &path);

    QFileSystemWatcher m_watcher;
    QHash<QString, int> m_holds;
};

#endif // DISKWATCH_H
