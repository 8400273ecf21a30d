#include "pluginhost.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "scrivelface.h"

PluginHost::PluginHost(ScrivelFace *host, QMenu *menu, QPoint *nextDockPos, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_menu(menu)
    , m_nextDockPos(nextDockPos)
{
}

QString PluginHost::pluginFolder(const QString &applicationDir)
{
    QDir dir(applicationDir);
    const QString name = dir.dirName().toLower();
    if (name == QLatin1String("debug") || name == QLatin1String("release"))
        dir.cdUp();
    return dir.absoluteFilePath(QStringLiteral("plugins"));
}

void PluginHost::loadAll(const QString &folder)
{
    Q_UNUSED(folder)
}

void PluginHost::registerPlugin(QObject *root, bool enabled)
{
    Q_UNUSED(root)
    Q_UNUSED(enabled)
}

void PluginHost::openHandler()
{
}
