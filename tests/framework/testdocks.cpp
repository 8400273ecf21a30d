#include "testdocks.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "operationtable.h"
#include "qlabelex.h"

TestListDock::TestListDock(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
{
    QWidget *contents = new QWidget(this);
    QVBoxLayout *layout = new QVBoxLayout(contents);
    for (const OperationRow &row : table->rows()) {
        if (row.labelObject.isEmpty())
            continue;
        QLabelEx *label = new QLabelEx(contents);
        label->setObjectName(row.labelObject);
        layout->addWidget(label);
    }
    const char *ranges[][2] = {{"label_rangeAll", "All"}, {"label_rangeList", "List"}, {"label_rangeCurrent", "Cur"}};
    for (const auto &range : ranges) {
        QLabelEx *label = new QLabelEx(contents);
        label->setObjectName(QLatin1String(range[0]));
        label->setText(QLatin1String(range[1]));
        layout->addWidget(label);
    }
    QPushButton *start = new QPushButton(QStringLiteral("处理"), contents);
    start->setObjectName(QStringLiteral("pushButton_start"));
    layout->addWidget(start);
    setWidget(contents);
    setupOperations();
}

TestOptionDock::TestOptionDock(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
{
    stack = new QStackedWidget(this);
    QLabel *explain = new QLabel(stack);
    explain->setObjectName(QStringLiteral("label_explain"));
    stack->addWidget(explain);
    for (int i = 1; i < 4; ++i)
        stack->addWidget(new QWidget(stack));
    setWidget(stack);
    setupPages(stack, explain);
}

void TestOptionDock::rep2RangeSlot()
{
    DockWidgetOptionBase::rep2RangeSlot();
    ++rangeRefreshes;
}
