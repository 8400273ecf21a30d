#include "dockwidgetnew.h"
#include "ui_dockwidgetnew.h"

DockWidgetNew::DockWidgetNew(PluginBase *plugin, QWidget *parent)
    : DockWidgetListBase(plugin, parent)
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
