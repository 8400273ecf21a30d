#ifndef PLUGINHOST_H
#define PLUGINHOST_H

#include <QObject>
#include <QPoint>
#include <QString>
#include <QList>
#include <QStringList>

#include "textformat.h"

class QAction;
class QMenu;
class ScrivelFace;

// Finds the plug-ins once, binds each through ScrivelFace, lists it in the
// plug-in menu, opens the enabled ones and keeps "plus.ini" in step with
// the plug-ins actually found. A plug-in remembers its state: opening it
// marks it enabled (",2"), closing its list dock disabled (",0"), and its
// menu action is checked while it is open.
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

    // The on/off file of the working directory.
    static QString stateFileName() { return QStringLiteral("plus.ini"); }

    // "plus.ini" as it must read for the given lines: joined by "\n",
    // without a final line end.
    static QString stateText(const QStringList &lines);

    // Whether the text of "plus.ini" marks key enabled: it holds key + ",2"
    // anywhere (case-sensitive).
    static bool isEnabled(const QString &stateText, const QString &key);

    // Loads the static plug-ins, then every file of folder, and brings
    // "plus.ini" up to date. Only the first call does anything.
    void loadAll(const QString &folder);

    // The plug-in keys in loading order, and the lines noted for "plus.ini".
    QStringList keys() const { return m_keys; }
    // Asks every plug-in to stop its running start.
    void cancelAll();
    QStringList stateLines() const { return m_lines; }
    // The menu action of key; null for a key not loaded.
    QAction *action(const QString &key) const;

    // Follows the plug-ins' open (11, 12) and close (11, 13) tips, which
    // name the plug-in's key.
    void noteTip(int var1, int var2, const QString &key);

signals:
    // Around every openPlugin call, so the host can find and place the
    // docks the plug-in opened.
    void aboutToOpen();
    void opened();

private:
    void bind(QObject *root, const QString &stateText);
    void registerPlugin(QObject *root, const QString &key, bool enabled);
    void openHandler();
    // Checks or unchecks key's action and writes its state to "plus.ini"
    // when that changes it.
    void setOpen(const QString &key, bool open);
    // Writes lines to "plus.ini" unless it already reads so.
    void writeState(const QStringList &lines);

    ScrivelFace *m_host;
    QMenu *m_menu;
    QPoint *m_nextDockPos;
    QStringList m_keys;
    QList<ScrivelFace *> m_faces;
    QStringList m_lines;
    QList<QAction *> m_actions;
    // "plus.ini" as last read or written, and whether it may be written: a
    // file that exists but could not be read is left alone, since the
    // states it holds are not known.
    QString m_stateText;
    TextFormat m_stateFormat;
    bool m_stateWritable = true;
    bool m_loaded = false;
    // While loading, states are only noted; the file is written once, at
    // the end.
    bool m_loading = false;
};

#endif // PLUGINHOST_H
