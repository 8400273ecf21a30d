#include "dockwidgetnew.h"
#include "ui_dockwidgetnew.h"

DockWidgetNew::DockWidgetNew(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
    , ui(new Ui::DockWidgetNew)
{
    ui->setupUi(this);
    connect(this, &DockWidgetListBase::curTextSignal, this, &DockWidgetNew::curNewSignal);
    setupOperations();
}

DockWidgetNew::~DockWidgetNew()
{
    delete ui;
}
