#ifndef FACEPLUGIN_H
#define FACEPLUGIN_H

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QVariantList>

#include "scrivelface.h"

// A minimal ScrivelFace plug-in for the loader tests; built once per
// name/version pair (FACE_NAME, FACE_VERSION). It notes the calls it gets
// in the properties "calls" (names in order) and "opened" (positions), and
// opens only once.
class FacePlugin : public QObject, public ScrivelFace
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    void setHost(ScrivelFace *host) override;
    QString pluginVersion() override;
    QString pluginName() override;
    bool openPlugin(int x, int y) override;

private:
    void note(const QString &call);

    ScrivelFace *m_host = nullptr;
    bool m_open = false;
};

#endif // FACEPLUGIN_H
