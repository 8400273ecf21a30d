#include "runtimefolder.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether path is a folder (not a link to one) of this user with mode
// 0700, after putting the mode right if it is the user's own.
bool usable(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 07777) != 0700 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QByteArray RuntimeFolder::ensure(const QByteArray &base)
{
    const char *set = std::getenv("XDG_RUNTIME_DIR");
    if (set && *set)
        return QByteArray(set);

    QByteArray root = base;
    if (root.isEmpty()) {
        const char *tmp = std::getenv("TMPDIR");
        root = tmp && *tmp ? QByteArray(tmp) : QByteArray("/tmp");
    }
    // The name Qt itself falls back to, so other Qt programs of the user
    // share it; made now, quietly and with the right mode.
    const struct passwd *user = ::getpwuid(::getuid());
    QByteArray path = root + "/runtime-" + (user && user->pw_name ? QByteArray(user->pw_name)
                                                                   : QByteArray::number(uint(::getuid())));
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        path.clear();
    if (!path.isEmpty() && !usable(path)) {
        // Taken by someone else or by something else: a fresh one of ours.
        path = root + "/scrivel-runtime-XXXXXX";
        if (!::mkdtemp(path.data()))
            path.clear();
    }
    if (path.isEmpty())
        return QByteArray();
    ::setenv("XDG_RUNTIME_DIR", path.constData(), 1);
    return path;
}
