#include "dockwidgetdelete.h"
#include "ui_dockwidgetdelete.h"

DockWidgetDelete::DockWidgetDelete(PluginBase *plugin, QWidget *parent)
    : DockWidgetListBase(plugin, parent)
    , ui(new Ui::DockWidgetDelete)
{
    ui->setupUi(this);
    setupOperations();
}

DockWidgetDelete::~DockWidgetDelete()
{
    delete ui;
}
