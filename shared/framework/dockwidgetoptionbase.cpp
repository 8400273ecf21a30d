#include "dockwidgetoptionbase.h"

#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QSizePolicy>
#include <QStackedWidget>

#include "ini.h"
#include "operationtable.h"

DockWidgetOptionBase::DockWidgetOptionBase(OperationTable *table, QWidget *parent)
    : DockWidgetEx(parent)
    , m_table(table)
{
    m_dataPath = readIni(configureIni(), QStringLiteral("currency"), QStringLiteral("iniPath"),
                         QDir::currentPath() + QStringLiteral("/data/"));
}

void DockWidgetOptionBase::setupPages(QStackedWidget *pages, QLabel *explain)
{
    m_pages = pages;
    // The form scrolls inside the dock, so the dock can be given any
    // sensible size where it opens; only the shown page counts for the
    // scroll area's extent, not the largest page of the stack.
    if (QWidget *form = widget()) {
        if (!qobject_cast<QScrollArea *>(form)) {
            auto *scroll = new QScrollArea(this);
            scroll->setObjectName(QStringLiteral("scrollArea_options"));
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidgetResizable(true);
            scroll->setWidget(form);
            setWidget(scroll);
        }
    }
    setMinimumSize(minimumOptionSize());
    if (pages) {
        connect(pages, &QStackedWidget::currentChanged, this, &DockWidgetOptionBase::fitShownPage);
        fitShownPage();
    }
    if (explain) {
        explain->setWordWrap(true);
        explain->setText(m_table->explanation(0));
    }
}

void DockWidgetOptionBase::buildPages(const OperationTable &table, QStackedWidget *pages)
{
    QList<const OperationRow *> makers;
    for (const OperationRow &row : table.rows()) {
        if (!row.makePage || row.page < 0)
            continue;
        while (makers.size() <= row.page)
            makers << nullptr;
        if (!makers.at(row.page))
            makers[row.page] = &row;
    }
    for (const OperationRow *row : makers) {
        QWidget *page = row ? row->makePage(pages) : new QWidget(pages);
        if (row)
            page->setObjectName(row->pageObject);
        pages->addWidget(page);
    }
}

void DockWidgetOptionBase::curTextSlot(int index)
{
    const OperationRow *row = m_table->row(index);
    if (!row)
        return;
    if (!row->title.isEmpty())
        setWindowTitle(row->title);
    if (m_pages && row->page >= 0 && row->page < m_pages->count())
        m_pages->setCurrentIndex(row->page);
}

void DockWidgetOptionBase::fitShownPage()
{
    for (int i = 0; i < m_pages->count(); ++i) {
        QWidget *page = m_pages->widget(i);
        if (i == m_pages->currentIndex())
            page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        else
            page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
}

void DockWidgetOptionBase::rep2RangeSlot()
{
}
