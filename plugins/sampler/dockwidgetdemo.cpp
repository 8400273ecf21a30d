#include "dockwidgetdemo.h"
#include "ui_dockwidgetdemo.h"

DockWidgetDemo::DockWidgetDemo(PluginBase *plugin, QWidget *parent)
    : DockWidgetListBase(plugin, parent)
    , ui(new Ui::DockWidgetDemo)
{
    ui->setupUi(this);
    setupOperations();
}

DockWidgetDemo::~DockWidgetDemo()
{
    delete ui;
}
