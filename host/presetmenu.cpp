#include "presetmenu.h"

#include <QAction>
#include <QMenu>

#include "pluginhost.h"
#include "presetstore.h"

PresetMenu::PresetMenu(QMenu *menu, PluginHost *plugins, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_plugins(plugins)
{
    connect(menu, &QMenu::aboutToShow, this, &PresetMenu::refresh);
    refresh();
}

void PresetMenu::refresh()
{
    for (const QPointer<QAction> &action : qAsConst(m_added))
        delete action.data(); // a submenu's action deletes its menu with it
    m_added.clear();
    const QList<PresetStore::Entry> presets = PresetStore::list();
    bool separated = false;
    for (const QString &key : m_plugins->keys()) {
        QMenu *sub = nullptr;
        for (const PresetStore::Entry &entry : presets) {
            if (entry.plugin != key)
                continue;
            if (!separated) {
                m_added << m_menu->addSeparator();
                separated = true;
            }
            if (!sub) {
                sub = new QMenu(key + QStringLiteral(" 预设"), m_menu);
                sub->setObjectName(QStringLiteral("menu_presets_") + key.section(QLatin1Char(' '), 0, 0));
                m_added << m_menu->addMenu(sub);
            }
            QAction *action = sub->addAction(entry.name);
            action->setToolTip(entry.path);
            const QString path = entry.path;
            connect(action, &QAction::triggered, this, [this, key, path] { load(key, path); });
        }
    }
}

bool PresetMenu::load(const QString &key, const QString &path)
{
    QAction *open = m_plugins->action(key);
    if (!open)
        return false;
    // Opens the plug-in, or brings it forward, and marks it open.
    open->trigger();
    bool applied = false;
    QMetaObject::invokeMethod(open->parent(), "applyPreset", Qt::DirectConnection, Q_RETURN_ARG(bool, applied),
                              Q_ARG(QString, path));
    return applied;
}
