#include "dockwidgetdeleteoption.h"
#include "ui_dockwidgetdeleteoption.h"

DockWidgetDeleteOption::DockWidgetDeleteOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
    , ui(new Ui::DockWidgetDeleteOption)
{
    ui->setupUi(this);
    setupPages(ui->stackedWidget, ui->label_explain);
}

DockWidgetDeleteOption::~DockWidgetDeleteOption()
{
    delete ui;
}

QString DockWidgetDeleteOption::customPattern() const
{
    return ui->plainTextEdit_custom->toPlainText();
}
