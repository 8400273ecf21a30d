#include "dockwidgettextoption.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "operationtable.h"
#include "textindex.h"
#include "textpage.h"

DockWidgetTextOption::DockWidgetTextOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
{
    setObjectName(QStringLiteral("DockWidgetTextOption"));
    setFloating(true);
    setMinimumSize(360, 550);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("stackedWidget_3"));
    buildPages(*table, m_stack);
    for (int position = 0; position < m_stack->count(); ++position) {
        if (auto *textPage = qobject_cast<TextPage *>(m_stack->widget(position)))
            connect(textPage, &TextPage::tipSignal, this, &DockWidgetTextOption::tipSignal);
    }

    // The explanation page: every operation's explanation in a scroll area.
    QWidget *explainPage = m_stack->widget(pageExplain);
    auto *layout = new QVBoxLayout(explainPage);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *scroll = new QScrollArea(explainPage);
    scroll->setWidgetResizable(true);
    m_explain = new QLabel(scroll);
    m_explain->setObjectName(QStringLiteral("label_explain"));
    m_explain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(m_explain);
    layout->addWidget(scroll);

    setWidget(m_stack);
    setupPages(m_stack, m_explain);
    curTextSlot(table->state().currentIndex);
}

void DockWidgetTextOption::curTextSlot(int index)
{
    DockWidgetOptionBase::curTextSlot(index);
    const OperationRow *row = table()->row(index);
    if (!row || row->page < 0 || row->page >= m_stack->count())
        return;
    if (auto *page = qobject_cast<TextPage *>(m_stack->widget(row->page)))
        page->presetSlot(index);
}

void DockWidgetTextOption::rep2RangeSlot()
{
    for (int i = 0; i < m_stack->count(); ++i) {
        if (auto *page = qobject_cast<TextPage *>(m_stack->widget(i)))
            page->rangeFilesSlot(fileNames());
    }
}
