#include "dockwidgettext.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "operationtable.h"
#include "qlabelex.h"
#include "textindex.h"

namespace {

QLabel *caption(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabelEx *clickable(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabelEx(parent);
    label->setObjectName(name);
    label->setText(text);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(24);
    return label;
}

// The labels of the operations of one group, two a row, in table order.
QGridLayout *operationGrid(const OperationTable *table, int group, QWidget *parent)
{
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    int n = 0;
    for (const OperationRow &row : table->rows()) {
        if (row.group != group || row.labelObject.isEmpty())
            continue;
        grid->addWidget(clickable(row.labelObject, row.caption, parent), n / 2, n % 2);
        ++n;
    }
    return grid;
}

} // namespace

DockWidgetText::DockWidgetText(OperationTable *table, QWidget *parent)
    : DockWidgetListBase(table, parent)
{
    setObjectName(QStringLiteral("DockWidgetText"));
    // Tall enough for every label, short enough to sit above the message
    // dock of a 768-pixel screen.
    setMinimumSize(80, 500);
    setMaximumSize(80, 500);
    setFloating(true);

    auto *contents = new QWidget(this);
    contents->setObjectName(QStringLiteral("dockWidgetContents"));
    auto *layout = new QVBoxLayout(contents);
    layout->setSpacing(2);
    layout->setContentsMargins(2, 4, 2, 4);

    layout->addWidget(caption("label", QStringLiteral("字符"), contents));
    layout->addLayout(operationGrid(table, groupCharacters, contents));
    layout->addWidget(caption("label_2", QStringLiteral("段落"), contents));
    layout->addLayout(operationGrid(table, groupParagraphs, contents));
    layout->addWidget(caption("label_3", QStringLiteral("多文件"), contents));
    layout->addLayout(operationGrid(table, groupFiles, contents));
    layout->addStretch(1);

    const QFont rangeFont(QStringLiteral("Agency FB"));
    const char *ranges[][2] = {{"label_rangeAll", "All"}, {"label_rangeList", "List"}, {"label_rangeCurrent", "Cur"}};
    for (const auto &range : ranges) {
        QLabelEx *label = clickable(QLatin1String(range[0]), QLatin1String(range[1]), contents);
        label->setFont(rangeFont);
        layout->addWidget(label);
    }
    auto *start = new QPushButton(QStringLiteral("处理"), contents);
    start->setObjectName(QStringLiteral("pushButton_start"));
    layout->addWidget(start);

    setWidget(contents);
    setupOperations(WithPreview);
}
