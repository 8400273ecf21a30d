#include "reworker.h"

#include <algorithm>

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
    connect(this, &PluginBase::jobsFinishedSignal, this, &Reworker::addProducedFiles);
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
    if (auto *producer = dynamic_cast<FileProducer *>(worker))
        m_produced << Produced{ producer->order(), producer->listName(), producer->producedFiles() };
}

void Reworker::addProducedFiles()
{
    QList<Produced> produced;
    produced.swap(m_produced);
    std::sort(produced.begin(), produced.end(),
              [](const Produced &a, const Produced &b) { return a.order < b.order; });
    ScrivelFace *h = host();
    if (!h)
        return;
    for (const Produced &job : produced) {
        for (const QString &file : job.files)
            h->addFileToList(file, job.listName);
    }
}
