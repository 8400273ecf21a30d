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
    TextFormat format;
    const bool stateExists = QFileInfo::exists(stateFileName());
    const bool stateRead = stateExists && io->readText(stateFileName(), state, &format);
    if (!stateRead)
        state.clear();

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

    // A "plus.ini" that exists but could not be read is kept as it is: its
    // states are not known, so writing would lose them.
    const QString wanted = stateText(m_lines);
    if (wanted != state && (stateRead || !stateExists)) {
        const int outcome = ReadWriteTxt::writeFile(stateFileName(), wanted, &format);
        if (outcome != ReadWriteTxt::Saved)
            emit io->tipSignal(0, outcome, stateFileName());
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
        m_host->sendTip(11, 11, key);

    QAction *action = new QAction(key, root);
    connect(action, &QAction::triggered, this, &PluginHost::openHandler);
    if (m_menu)
        m_menu->addAction(action);

    if (enabled && m_nextDockPos) {
        emit aboutToOpen();
        qobject_cast<ScrivelFace *>(root)->openPlugin(m_nextDockPos->x(), m_nextDockPos->y());
        m_nextDockPos->rx() += 100;
        emit opened();
    }
}

void PluginHost::openHandler()
{
    QAction *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    ScrivelFace *face = qobject_cast<ScrivelFace *>(action->parent());
    if (!face || !m_nextDockPos)
        return;
    emit aboutToOpen();
    if (face->openPlugin(m_nextDockPos->x(), m_nextDockPos->y()))
        m_nextDockPos->rx() += 100;
    emit opened();
}
