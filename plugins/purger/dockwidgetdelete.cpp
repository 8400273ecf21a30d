#include "dockwidgetdelete.h"
#include "ui_dockwidgetdelete.h"

DockWidgetDelete::DockWidgetDelete(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
    , ui(new Ui::DockWidgetDelete)
{
    ui->setupUi(this);
    setupOperations(WithPreview);
}

DockWidgetDelete::~DockWidgetDelete()
{
    delete ui;
}
