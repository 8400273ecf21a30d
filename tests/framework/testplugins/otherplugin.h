#ifndef OTHERPLUGIN_H
#define OTHERPLUGIN_H

#include <QObject>
#include <QtPlugin>

// Some other program's plug-in interface.
class OtherFace
{
public:
    virtual ~OtherFace() {}
    virtual int answer() = 0;
};
#define OtherFace_iid "org.example.OtherFace/1.0"
Q_DECLARE_INTERFACE(OtherFace, OtherFace_iid)

// A valid Qt plug-in that is not a ScrivelFace.
class OtherPlugin : public QObject, public OtherFace
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID OtherFace_iid)
    Q_INTERFACES(OtherFace)
public:
    int answer() override { return 42; }
};

#endif // OTHERPLUGIN_H
