#include "dockwidgetdemo.h"
#include "ui_dockwidgetdemo.h"

DockWidgetDemo::DockWidgetDemo(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
    , ui(new Ui::DockWidgetDemo)
{
    ui->setupUi(this);
    setupOperations();
}

DockWidgetDemo::~DockWidgetDemo()
{
    delete ui;
}
