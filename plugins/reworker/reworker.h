#ifndef REWORKER_H
#define REWORKER_H

#include "pluginbase.h"

// The text plug-in "Text": nineteen operations that rewrite the files of
// the chosen range in place (or, above index 64, work on whole lists). Its
// operations are the rows of reworkerOperations(); this class only builds
// the two docks.
class Reworker : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    explicit Reworker(QObject *parent = nullptr);

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
};

#endif // REWORKER_H
