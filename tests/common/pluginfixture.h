#ifndef PLUGINFIXTURE_H
#define PLUGINFIXTURE_H

#include <QList>
#include <QString>
#include <QStringList>

class FakeHost;
class QDockWidget;
class ScrivelFace;

// A real plug-in module driven without the main window: loaded once per
// process, given a fresh recording host for each test and its docks closed
// again after it, so that every test starts with a plug-in that has no
// docks and no state from the one before.
class PluginFixture
{
public:
    // listDock: the title of the plug-in's operation list dock, the one
    // whose closing closes the plug-in.
    explicit PluginFixture(const QString &listDock);
    ~PluginFixture();

    // Loads the module fileName for the rest of the process; false (error
    // says why) when it does not load or is not a plug-in.
    bool load(const QString &fileName, QString *error);

    // A new host serving lists, handed to the plug-in; openDocks opens
    // the plug-in's docks on it as the 插件 menu does.
    bool attach(const QList<QStringList> &lists = {}, bool openDocks = true);
    // Closes the list dock (the plug-in forgets its docks), lets the docks
    // go and takes the host away again.
    void detach();

    // The host window's dock titled title; null for none.
    QDockWidget *dock(const QString &title) const;
    QDockWidget *listDock() const { return dock(m_listDock); }

    ScrivelFace *face = nullptr;
    FakeHost *host = nullptr;

private:
    QString m_listDock;
};

#endif // PLUGINFIXTURE_H
