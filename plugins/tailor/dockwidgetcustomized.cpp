#include "dockwidgetcustomized.h"
#include "ui_dockwidgetcustomized.h"

DockWidgetCustomized::DockWidgetCustomized(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
    , ui(new Ui::DockWidgetCustomized)
{
    ui->setupUi(this);
    setupOperations(WithPreview);
}

DockWidgetCustomized::~DockWidgetCustomized()
{
    delete ui;
}
