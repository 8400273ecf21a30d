#include "reworker.h"

#include "dockwidgettext.h"
#include "dockwidgettextoption.h"
#include "fileproducer.h"
#include "reworkeroperations.h"
#include "textbase.h"

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

void Reworker::jobFinished(TextBase *worker)
{
    auto *producer = dynamic_cast<FileProducer *>(worker);
    ScrivelFace *h = host();
    if (!producer || !h)
        return;
    for (const QString &file : producer->producedFiles())
        h->addFileToList(file, producer->listName());
}
