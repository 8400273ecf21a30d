#include "faceplugin.h"

void FacePlugin::note(const QString &call)
{
    setProperty("calls", property("calls").toStringList() << call);
}

void FacePlugin::setHost(ScrivelFace *host)
{
    note(QStringLiteral("setHost"));
    m_host = host;
}

QString FacePlugin::pluginVersion()
{
    note(QStringLiteral("pluginVersion"));
    return QStringLiteral(FACE_VERSION);
}

QString FacePlugin::pluginName()
{
    note(QStringLiteral("pluginName"));
    return QStringLiteral(FACE_NAME);
}

bool FacePlugin::openPlugin(int x, int y)
{
    note(QStringLiteral("openPlugin"));
    setProperty("opened", property("opened").toList() << QPoint(x, y));
    if (m_host)
        m_host->sendTip(11, 12, pluginName() + QLatin1Char(' ') + pluginVersion());
    const bool created = !m_open;
    m_open = true;
    return created;
}
