#ifndef RUNTIMEFOLDER_H
#define RUNTIMEFOLDER_H

#include <QByteArray>

// The per-user runtime folder (XDG_RUNTIME_DIR) that Qt asks for, and
// complains about on the terminal when the environment names none (under
// su or sudo, from cron, in a bare X server). Without one, a private
// folder is made the way Qt wants it, the user's own with mode 0700, and
// named in the environment before the application object exists.
class RuntimeFolder
{
public:
    // Returns the folder in force afterwards (empty when none could be
    // made; Qt then falls back and says so). base: where to make it, the
    // temporary folder by default.
    static QByteArray ensure(const QByteArray &base = QByteArray());
};

#endif // RUNTIMEFOLDER_H
