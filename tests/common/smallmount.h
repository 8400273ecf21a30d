#ifndef SMALLMOUNT_H
#define SMALLMOUNT_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A small tmpfs of its own, where the process may mount one (root), for
// tests of full disks, missing inodes and read-only file systems;
// unmounted when the test is done.
class SmallMount
{
public:
    // options: tmpfs options such as "size=64k" or "nr_inodes=2". Mounted
    // on folder (created when missing), or on a temporary folder of its own.
    explicit SmallMount(const QByteArray &options, const QString &folder = QString());
    ~SmallMount();

    SmallMount(const SmallMount &) = delete;
    SmallMount &operator=(const SmallMount &) = delete;

    bool isMounted() const { return m_mounted; }
    QString path() const { return m_path; }
    bool makeReadOnly();
    // Writes into the mount until it has no room left.
    void fill();

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
};

#endif // SMALLMOUNT_H
