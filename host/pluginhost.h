#ifndef PLUGINHOST_H
#define PLUGINHOST_H

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

class QMenu;
class ScrivelFace;

// Finds the plug-ins once, binds each through ScrivelFace, lists it in the
// plug-in menu, opens the enabled ones and keeps "plus.ini" in step with
// the plug-ins actually found.
class PluginHost : public QObject
{
    Q_OBJECT
public:
    // host: the main window's ScrivelFace side; menu: "插件(&P)";
    // nextDockPos: where the next plug-in opens its docks (moved by 100 px
    // per opened plug-in).
    PluginHost(ScrivelFace *host, QMenu *menu, QPoint *nextDockPos, QObject *parent = nullptr);

    // The executable's folder (one up when it is named debug or release in
    // any letter case), then "plugins".
    static QString pluginFolder(const QString &applicationDir);

    // Loads the static plug-ins, then every file of folder.
    void loadAll(const QString &folder);

    QStringList keys() const { return m_keys; }

private:
    void registerPlugin(QObject *root, bool enabled);
    void openHandler();

    ScrivelFace *m_host;
    QMenu *m_menu;
    QPoint *m_nextDockPos;
    QStringList m_keys;
};

#endif // PLUGINHOST_H
