#ifndef STATICFACE_H
#define STATICFACE_H

#include <QObject>

#include "scrivelface.h"

// A ScrivelFace plug-in linked statically into the loader test.
class StaticFace : public QObject, public ScrivelFace
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    QString pluginVersion() override { return QStringLiteral("V9"); }
    QString pluginName() override { return QStringLiteral("Static"); }
};

#endif // STATICFACE_H
