#ifndef PURGER_H
#define PURGER_H

#include "deletepatterns.h"
#include "pluginbase.h"

// The operations of the deletion plug-in, 0 when none is chosen.
using Enum_DeleteIndex = DeletePatterns::Index;

// The deletion plug-in "Delete": removes Chinese characters, digits,
// capitals, lower-case letters, HTML tags, double-byte characters,
// whitespace, visible symbols or the matches of the user's own pattern from
// every file of the chosen range, one DeleteRegular job per file. Each row
// of its operation table carries its option getter and its job maker.
class Purger : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    explicit Purger(QObject *parent = nullptr);

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
};

#endif // PURGER_H
