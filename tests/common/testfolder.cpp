#include "testfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCodec>

#include "fakehost.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <cstring>
#include <unistd.h>

TestFolder::TestFolder() = default;

TestFolder::~TestFolder()
{
    leave();
}

bool TestFolder::enter()
{
    leave();
    m_dir.reset(new QTemporaryDir);
    return m_dir->isValid() && QDir::setCurrent(m_dir->path());
}

void TestFolder::leave()
{
    if (!m_dir)
        return;
    QDir::setCurrent(QDir::tempPath());
    m_dir.reset();
}

QString TestFolder::path() const
{
    return m_dir ? m_dir->path() : QString();
}

QString TestFolder::path(const QString &name) const
{
    return m_dir ? m_dir->filePath(name) : QString();
}

void TestFolder::prepareProcess()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    quietOffscreenWarnings();
}

QByteArray TestFolder::bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool TestFolder::put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool TestFolder::putSpecial(const QString &path, const QString &kind)
{
    QFile::remove(path);
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("pipe"))
        return ::mkfifo(name.constData(), 0644) == 0;
    if (kind == QLatin1String("device"))
        return ::symlink("/dev/null", name.constData()) == 0;
    if (kind == QLatin1String("folder"))
        return QDir().mkpath(path);
    if (kind != QLatin1String("socket"))
        return false;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    // The bound name stays as a socket file when the socket is closed.
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}
