#ifndef ATOMICWRITER_H
#define ATOMICWRITER_H

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A file written whole or not at all: the new content goes into a temporary
// file beside the target, named ".scrivel." + the target's name (at most
// 200 bytes of it) + "." + six letters or digits, and is renamed into the
// target's place only when complete. A killed write leaves such a file
// behind, which a later start recognises by its name and removes
// (ReadWriteTxt::removeLeftovers). Paths are in the file system's encoding
// (QFile::encodeName).
class AtomicWriter
{
public:
    // The folder a target lies in ("." for a bare name).
    static QByteArray folderOf(const QByteArray &target);

    // A new temporary file for target, opened write-only with the permission
    // bits mode (less the umask); its name goes into temporary. -1 with
    // errno set when the folder refuses or no free name is found.
    static int openTemporary(const QByteArray &target, mode_t mode, QByteArray *temporary);

    enum Placing {
        Replace,  // over whatever has the target's name
        NoReplace // only while no file has that name (a plain rename where the file system cannot tell)
    };
    // Renames the finished temporary file to target; on failure it is
    // removed and errno says why.
    static bool moveIntoPlace(const QByteArray &temporary, const QByteArray &target, Placing placing);

    // Makes the renames in target's folder durable.
    static void syncFolder(const QByteArray &target);

    // Whether name (without folder) is one of the temporary files.
    static bool isTemporaryName(const QString &name);

    // Writes all size bytes of data to fd, at its file offset (writeAll)
    // or at offset without moving it (writeAllAt), again where a signal
    // cut a write short; false with errno set on the first write that
    // fails.
    static bool writeAll(int fd, const char *data, qint64 size);
    static bool writeAllAt(int fd, const char *data, qint64 size, off_t offset);
};

#endif // ATOMICWRITER_H
