#ifndef DOCKWIDGETDEMOOPTION_H
#define DOCKWIDGETDEMOOPTION_H

#include "dockwidgetoptionbase.h"

namespace Ui {
class DockWidgetDemoOption;
}

// The sample plug-in's option pane: an empty page per operation and the
// explanation page.
class DockWidgetDemoOption : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    DockWidgetDemoOption(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetDemoOption() override;

private:
    Ui::DockWidgetDemoOption *ui;
};

#endif // DOCKWIDGETDEMOOPTION_H
