#include "dockwidgetoptionbase.h"

#include <QDir>
#include <QLabel>
#include <QStackedWidget>

#include "ini.h"
#include "jobbatch.h"
#include "operationrow.h"
#include "pluginbase.h"

DockWidgetOptionBase::DockWidgetOptionBase(PluginBase *plugin, QWidget *parent)
    : DockWidgetEx(parent)
    , m_plugin(plugin)
{
    m_dataPath = readIni(configureIni(), QStringLiteral("currency"), QStringLiteral("iniPath"),
                         QDir::currentPath() + QStringLiteral("/data/"));
}

void DockWidgetOptionBase::setupPages(QStackedWidget *pages, QLabel *explain)
{
    m_pages = pages;
    if (explain) {
        explain->setWordWrap(true);
        explain->setText(m_plugin->explanation(0));
    }
}

void DockWidgetOptionBase::curTextSlot(int index)
{
    const OperationRow *row = m_plugin->operation(index);
    if (!row)
        return;
    if (!row->title.isEmpty())
        setWindowTitle(row->title);
    if (m_pages && row->page >= 0 && row->page < m_pages->count())
        m_pages->setCurrentIndex(row->page);
}

void DockWidgetOptionBase::rep2RangeSlot()
{
    const RangeState &state = m_plugin->state();
    m_fileNames = JobBatch::distinctFiles(m_plugin->rangeFiles(state.currentIndex, state.currentRange));
}
