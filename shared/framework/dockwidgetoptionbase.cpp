#include "dockwidgetoptionbase.h"

#include <QDir>
#include <QLabel>
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
    if (explain) {
        explain->setWordWrap(true);
        explain->setText(m_table->explanation(0));
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

void DockWidgetOptionBase::rep2RangeSlot()
{
}
