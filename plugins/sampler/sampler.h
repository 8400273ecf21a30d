#ifndef SAMPLER_H
#define SAMPLER_H

#include "pluginbase.h"

// The operations of the sample plug-in.
enum Enum_DemoIndex {
    demoNone = 0,
    demo1 = 1,
    demo2 = 2
};

// The sample plug-in "Demo": two operations, of which Demo1 runs the
// sample worker. Everything else (docks, ranges, dispatch, tips) comes
// from PluginBase; a new plug-in starts from a copy of this folder.
class Sampler : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    explicit Sampler(QObject *parent = nullptr);

    // The one file that Demo1 works on, whatever the range: "fileName" in
    // the working directory.
    static QString demoFileName() { return QStringLiteral("fileName"); }

    QStringList rangeFiles(int index, int range) override;

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
};

#endif // SAMPLER_H
