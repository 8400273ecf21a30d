#include "reworker.h"

#include "dockwidgettext.h"
#include "dockwidgettextoption.h"
#include "reworkeroperations.h"

Reworker::Reworker(QObject *parent)
    : PluginBase(QStringLiteral("Text"), QStringLiteral("V0.0.0.1"), QStringLiteral("text_"),
                 QStringLiteral("text"), parent)
{
    setOperations(reworkerOperations());
}

DockWidgetListBase *Reworker::createListDock(QWidget *parent)
{
    return new DockWidgetText(table(), parent);
}

DockWidgetOptionBase *Reworker::createOptionDock(QWidget *parent)
{
    return new DockWidgetTextOption(table(), parent);
}
