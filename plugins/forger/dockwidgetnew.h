#ifndef DOCKWIDGETNEW_H
#define DOCKWIDGETNEW_H

#include "dockwidgetlistbase.h"

namespace Ui {
class DockWidgetNew;
}

// The generation plug-in's operation list: five operation labels and
// "创建". Generation reads no files, so there are no range labels.
class DockWidgetNew : public DockWidgetListBase
{
    Q_OBJECT
public:
    DockWidgetNew(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetNew() override;

signals:
    void curNewSignal(int index);

private:
    Ui::DockWidgetNew *ui;
};

#endif // DOCKWIDGETNEW_H
