#ifndef DOCKWIDGETDELETE_H
#define DOCKWIDGETDELETE_H

#include "dockwidgetlistbase.h"

namespace Ui {
class DockWidgetDelete;
}

// The deletion plug-in's operation list: nine operation labels, the three
// range labels and "处理".
class DockWidgetDelete : public DockWidgetListBase
{
    Q_OBJECT
public:
    DockWidgetDelete(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetDelete() override;

private:
    Ui::DockWidgetDelete *ui;
};

#endif // DOCKWIDGETDELETE_H
