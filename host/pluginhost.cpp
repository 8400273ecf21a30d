#include "pluginhost.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPluginLoader>

#include "readwritetxt.h"
#include "scrivelface.h"
#include "textformat.h"
#include "tipcodes.h"

namespace {

QString keyOf(ScrivelFace *face)
{
    return face->pluginName() + QLatin1Char(' ') + face->pluginVersion();
}

} // namespace

PluginHost::PluginHost(ScrivelFace *host, QMenu *menu, QPoint *nextDockPos, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_menu(menu)
    , m_nextDockPos(nextDockPos)
{
}

QString PluginHost::pluginFolder(const QString &applicationDir)
{
    // By name only: QDir::cdUp() would refuse a folder it cannot see.
    QString dir = QDir::cleanPath(QDir(applicationDir).absolutePath());
    const QString name = QFileInfo(dir).fileName().toLower();
    if (name == QLatin1String("debug") || name == QLatin1String("release"))
        dir = QFileInfo(dir).path();
    return QDir(dir).absoluteFilePath(QStringLiteral("plugins"));
}

QString PluginHost::stateText(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

bool PluginHost::isEnabled(const QString &stateText, const QString &key)
{
    return stateText.contains(key + QLatin1String(",2"), Qt::CaseSensitive);
}

void PluginHost::loadAll(const QString &folder)
{
    if (m_loaded)
        return;
    m_loaded = true;

    // A missing "plus.ini" is the normal first start: every plug-in is then
    // listed as disabled and the file is created without a word. Only a
    // file that exists and cannot be read, or a failed write, is reported.
    ReadWriteTxt *io = ReadWriteTxt::shared();
    QString state;
    const bool stateExists = QFileInfo::exists(stateFileName());
    const bool stateRead = stateExists && io->readText(stateFileName(), state, &m_stateFormat);
    if (!stateRead)
        state.clear();
    m_stateText = state;
    m_stateWritable = stateRead || !stateExists;
    m_loading = true;

    const QList<QObject *> statics = QPluginLoader::staticInstances();
    for (QObject *root : statics)
        bind(root, state);

    const QDir dir(folder);
    if (dir.exists()) {
        const QStringList files = dir.entryList(QDir::Files, QDir::NoSort);
        for (const QString &file : files) {
            QPluginLoader loader(dir.absoluteFilePath(file));
            QObject *root = loader.instance();
            if (!root) {
                // Not a plug-in at all (or one that does not load): no
                // message for the user, one line for the log.
                qWarning().noquote() << "plug-in skipped:" << loader.errorString();
                continue;
            }
            if (!qobject_cast<ScrivelFace *>(root)) {
                qWarning().noquote() << "plug-in skipped, not a ScrivelFace:" << loader.fileName();
                continue;
            }
            bind(root, state);
        }
    }

    m_loading = false;
    writeState(m_lines);
}

void PluginHost::writeState(const QStringList &lines)
{
    const QString wanted = stateText(lines);
    if (m_loading || wanted == m_stateText || !m_stateWritable)
        return;
    const int outcome = ReadWriteTxt::writeFile(stateFileName(), wanted, &m_stateFormat);
    if (outcome == ReadWriteTxt::Saved)
        m_stateText = wanted;
    else {
        const TipCode tip = ReadWriteTxt::tipOf(outcome);
        emit ReadWriteTxt::shared()->tipSignal(tip.var1, tip.var2, stateFileName());
    }
}

void PluginHost::bind(QObject *root, const QString &stateText)
{
    ScrivelFace *face = qobject_cast<ScrivelFace *>(root);
    if (!face)
        return;
    // The host comes first, before the plug-in is asked anything.
    face->setHost(m_host);
    const QString key = keyOf(face);
    const bool enabled = isEnabled(stateText, key);
    m_lines << key + (enabled ? QLatin1String(",2") : QLatin1String(",0"));
    registerPlugin(root, key, enabled);
}

void PluginHost::cancelAll()
{
    for (ScrivelFace *face : qAsConst(m_faces))
        face->cancelJobs();
}

void PluginHost::registerPlugin(QObject *root, const QString &key, bool enabled)
{
    m_keys << key;
    if (ScrivelFace *face = qobject_cast<ScrivelFace *>(root))
        m_faces << face;
    if (m_host)
        m_host->sendTip(Tips::PluginLoaded.var1, Tips::PluginLoaded.var2, key);

    QAction *action = new QAction(key, root);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, &PluginHost::openHandler);
    m_actions << action;
    if (m_menu)
        m_menu->addAction(action);

    if (enabled && m_nextDockPos) {
        emit aboutToOpen();
        qobject_cast<ScrivelFace *>(root)->openPlugin(m_nextDockPos->x(), m_nextDockPos->y());
        m_nextDockPos->rx() += 100;
        action->setChecked(true);
        emit opened();
    }
}

QAction *PluginHost::action(const QString &key) const
{
    const int at = m_keys.indexOf(key);
    return at >= 0 ? m_actions.value(at) : nullptr;
}

void PluginHost::noteTip(int var1, int var2, const QString &key)
{
    if (var1 == Tips::PluginOpened.var1 && var2 == Tips::PluginOpened.var2)
        setOpen(key, true);
    else if (var1 == Tips::PluginClosed.var1 && var2 == Tips::PluginClosed.var2)
        setOpen(key, false);
}

void PluginHost::setOpen(const QString &key, bool open)
{
    const int at = m_keys.indexOf(key);
    if (at < 0)
        return;
    m_actions.at(at)->setChecked(open);
    const QString line = key + (open ? QLatin1String(",2") : QLatin1String(",0"));
    m_lines[at] = line;
    if (m_loading || !m_stateWritable)
        return;

    // Only this plug-in's line changes: the file is read afresh, so what the
    // options window saved for the others in the meantime stays.
    QString text;
    TextFormat format = m_stateFormat;
    if (QFileInfo::exists(stateFileName()) && !ReadWriteTxt::shared()->readText(stateFileName(), text, &format))
        return;
    QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    bool found = false;
    for (QString &old : lines) {
        if (old.startsWith(key + QLatin1Char(','))) {
            old = line;
            found = true;
        }
    }
    if (!found)
        lines << line;
    m_stateFormat = format;
    m_stateText = text;
    writeState(lines);
}

void PluginHost::openHandler()
{
    QAction *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    ScrivelFace *face = qobject_cast<ScrivelFace *>(action->parent());
    if (!face || !m_nextDockPos)
        return;
    // The action opens the plug-in, or brings an open one forward; either
    // way it is open afterwards (a trigger would otherwise uncheck it).
    emit aboutToOpen();
    if (face->openPlugin(m_nextDockPos->x(), m_nextDockPos->y()))
        m_nextDockPos->rx() += 100;
    setOpen(action->text(), true);
    emit opened();
}
