#include "dockwidgetdemooption.h"
#include "ui_dockwidgetdemooption.h"

DockWidgetDemoOption::DockWidgetDemoOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
    , ui(new Ui::DockWidgetDemoOption)
{
    ui->setupUi(this);
    setupPages(ui->stackedWidget, ui->label_explain);
}

DockWidgetDemoOption::~DockWidgetDemoOption()
{
    delete ui;
}
