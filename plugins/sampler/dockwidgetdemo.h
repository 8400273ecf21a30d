#ifndef DOCKWIDGETDEMO_H
#define DOCKWIDGETDEMO_H

#include "dockwidgetlistbase.h"

namespace Ui {
class DockWidgetDemo;
}

// The sample plug-in's operation list: the labels "Demo1" and "Demo2" and
// the start button.
class DockWidgetDemo : public DockWidgetListBase
{
    Q_OBJECT
public:
    DockWidgetDemo(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetDemo() override;

private:
    Ui::DockWidgetDemo *ui;
};

#endif // DOCKWIDGETDEMO_H
