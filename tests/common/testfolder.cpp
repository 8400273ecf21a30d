#include "testfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCodec>

#include "fakehost.h"

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
