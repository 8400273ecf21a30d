#include "dockwidgetcustomizedoption.h"
#include "ui_dockwidgetcustomizedoption.h"

#include "customizedoperations.h"
#include "pluginbase.h"

namespace {

void fillWithLists(QComboBox *combo)
{
    combo->clear();
    ScrivelFace *host = PluginBase::host();
    const int n = host ? host->listCount() : 0;
    for (int i = 0; i < n; ++i)
        combo->addItem(host->listTitle(i));
}

} // namespace

DockWidgetCustomizedOption::DockWidgetCustomizedOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
    , ui(new Ui::DockWidgetCustomizedOption)
{
    ui->setupUi(this);
    setupPages(ui->stackedWidget, ui->label_explain);
}

DockWidgetCustomizedOption::~DockWidgetCustomizedOption()
{
    delete ui;
}

int DockWidgetCustomizedOption::abAList() const
{
    return ui->comboBox_ABA->currentIndex();
}

int DockWidgetCustomizedOption::abBList() const
{
    return ui->comboBox_ABB->currentIndex();
}

int DockWidgetCustomizedOption::articleList() const
{
    return ui->comboBox_article->currentIndex();
}

QString DockWidgetCustomizedOption::articleCount() const
{
    return ui->lineEdit_articleCount->text();
}

QString DockWidgetCustomizedOption::articleHead() const
{
    return ui->plainTextEdit_articleFirst->toPlainText();
}

QString DockWidgetCustomizedOption::articleTail() const
{
    return ui->plainTextEdit_articleLast->toPlainText();
}

void DockWidgetCustomizedOption::curTextSlot(int index)
{
    DockWidgetOptionBase::curTextSlot(index);
    if (index == CustomizedOperations::AB) {
        fillWithLists(ui->comboBox_ABA);
        fillWithLists(ui->comboBox_ABB);
    } else if (index == CustomizedOperations::Article) {
        fillWithLists(ui->comboBox_article);
    }
}
