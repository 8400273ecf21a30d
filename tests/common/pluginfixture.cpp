#include "pluginfixture.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>

#include "fakehost.h"
#include "scrivelface.h"

PluginFixture::PluginFixture(const QString &listDock)
    : m_listDock(listDock)
{
}

PluginFixture::~PluginFixture()
{
    detach();
}

bool PluginFixture::load(const QString &fileName, QString *error)
{
    face = FakeHost::loadPlugin(fileName, error);
    return face;
}

bool PluginFixture::attach(const QList<QStringList> &lists, bool openDocks)
{
    if (!face)
        return false;
    detach();
    host = new FakeHost;
    if (!lists.isEmpty())
        host->setLists(lists);
    face->setHost(host);
    return !openDocks || face->openPlugin(20, 80);
}

void PluginFixture::detach()
{
    if (!host)
        return;
    // Docks go with the host window; the plug-in forgets them on close.
    if (QDockWidget *list = listDock())
        list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (face)
        face->setHost(nullptr);
    delete host;
    host = nullptr;
}

QDockWidget *PluginFixture::dock(const QString &title) const
{
    if (!host)
        return nullptr;
    for (QDockWidget *found : host->window.findChildren<QDockWidget *>()) {
        if (found->windowTitle() == title)
            return found;
    }
    return nullptr;
}
