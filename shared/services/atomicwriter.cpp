#include "atomicwriter.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

QByteArray AtomicWriter::folderOf(const QByteArray &target)
{
    const int slash = target.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
}

int AtomicWriter::openTemporary(const QByteArray &target, mode_t mode, QByteArray *temporary)
{
    const QByteArray folder = folderOf(target);
    // Kept within the 255 bytes of a file name.
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1).left(200);
    static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray suffix(6, '0');
        for (char &c : suffix)
            c = letters[QRandomGenerator::global()->bounded(36)];
        const QByteArray name = folder + "/.scrivel." + base + '.' + suffix;
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            *temporary = name;
            return fd;
        }
        if (errno != EEXIST)
            return -1; // not a clash of names: the folder refuses
    }
    errno = EEXIST;
    return -1;
}

bool AtomicWriter::moveIntoPlace(const QByteArray &temporary, const QByteArray &target, Placing placing)
{
    bool moved = false;
    if (placing == NoReplace) {
        moved = ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0;
        if (!moved && (errno == EINVAL || errno == ENOSYS))
            moved = ::rename(temporary.constData(), target.constData()) == 0;
    } else {
        moved = ::rename(temporary.constData(), target.constData()) == 0;
    }
    if (!moved) {
        const int error = errno;
        ::unlink(temporary.constData());
        errno = error;
    }
    return moved;
}

void AtomicWriter::syncFolder(const QByteArray &target)
{
    const int dir = ::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool AtomicWriter::isTemporaryName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.scrivel\\..+\\.[0-9a-z]{6}$"));
    return pattern.match(name).hasMatch();
}

namespace {

// One write or pwrite of at most a GiB, the rest left to the next.
template <class Write>
bool writeInPieces(const char *data, qint64 size, Write write)
{
    while (size > 0) {
        const ssize_t put = write(data, size_t(qMin<qint64>(size, qint64(1) << 30)));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

} // namespace

bool AtomicWriter::writeAll(int fd, const char *data, qint64 size)
{
    return writeInPieces(data, size, [fd](const char *from, size_t count) { return ::write(fd, from, count); });
}

bool AtomicWriter::writeAllAt(int fd, const char *data, qint64 size, off_t offset)
{
    return writeInPieces(data, size, [fd, &offset](const char *from, size_t count) {
        const ssize_t put = ::pwrite(fd, from, count, offset);
        if (put > 0)
            offset += put;
        return put;
    });
}
