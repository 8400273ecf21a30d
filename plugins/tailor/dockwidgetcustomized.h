#ifndef DOCKWIDGETCUSTOMIZED_H
#define DOCKWIDGETCUSTOMIZED_H

#include "dockwidgetlistbase.h"

namespace Ui {
class DockWidgetCustomized;
}

// The customized-jobs plug-in's operation list: "AB", "Article" and
// "处理"; its jobs work on whole lists chosen in the option dock, so it has
// no range labels.
class DockWidgetCustomized : public DockWidgetListBase
{
    Q_OBJECT
public:
    DockWidgetCustomized(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetCustomized() override;

private:
    Ui::DockWidgetCustomized *ui;
};

#endif // DOCKWIDGETCUSTOMIZED_H
