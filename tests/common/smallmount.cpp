#include "smallmount.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>

SmallMount::SmallMount(const QByteArray &options, const QString &folder)
    : m_path(folder.isEmpty() ? m_dir.path() : folder)
{
    m_mounted = (folder.isEmpty() ? m_dir.isValid() : QDir().mkpath(folder))
        && ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallMount::~SmallMount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
}

bool SmallMount::makeReadOnly()
{
    return ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void SmallMount::fill()
{
    QFile filler(m_path + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}
