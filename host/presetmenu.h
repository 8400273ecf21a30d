#ifndef PRESETMENU_H
#define PRESETMENU_H

#include <QList>
#include <QObject>
#include <QPointer>

class PluginHost;
class QAction;
class QMenu;

// The saved presets in the plug-in menu: below the plug-ins, one submenu
// per plug-in that has presets ("<key> 预设"), one entry per preset.
// Choosing one opens its plug-in (as its menu entry does) and loads the
// preset into its docks. The entries are read afresh each time the menu
// opens, so presets saved meanwhile are there.
class PresetMenu : public QObject
{
    Q_OBJECT
public:
    PresetMenu(QMenu *menu, PluginHost *plugins, QObject *parent = nullptr);

    // Rebuilds the entries from the presets folder.
    void refresh();
    // Opens key's plug-in and loads the preset file path; false when the
    // plug-in is not loaded or refuses the preset.
    bool load(const QString &key, const QString &path);

private:
    QMenu *m_menu;
    PluginHost *m_plugins;
    QList<QPointer<QAction>> m_added;
};

#endif // PRESETMENU_H
