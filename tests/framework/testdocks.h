#ifndef TESTDOCKS_H
#define TESTDOCKS_H

#include "dockwidgetlistbase.h"
#include "dockwidgetoptionbase.h"

class QStackedWidget;

// An operation list built in code: one QLabelEx per operation of the test
// plug-in, the three range labels and the start button.
class TestListDock : public DockWidgetListBase
{
    Q_OBJECT
public:
    TestListDock(OperationTable *table, QWidget *parent);
};

// An option dock with four pages; page 0 is the explanation page.
class TestOptionDock : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    TestOptionDock(OperationTable *table, QWidget *parent);
    QStackedWidget *stack;
    int rangeRefreshes = 0;

public slots:
    void rep2RangeSlot() override;
};

#endif // TESTDOCKS_H
