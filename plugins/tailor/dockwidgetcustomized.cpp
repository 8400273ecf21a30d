#include "dockwidgetcustomized.h"
#include "ui_dockwidgetcustomized.h"

DockWidgetCustomized::DockWidgetCustomized(PluginBase *plugin, QWidget *parent)
    : DockWidgetListBase(plugin, parent)
    , ui(new Ui::DockWidgetCustomized)
{
    ui->setupUi(this);
    setupOperations();
}

DockWidgetCustomized::~DockWidgetCustomized()
{
    delete ui;
}
