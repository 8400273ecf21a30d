#include "fakehost.h"

#include <QCoreApplication>
#include <QPluginLoader>
#include <QThreadPool>

namespace {

QtMessageHandler g_previous = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

void quietOffscreenWarnings()
{
    if (!g_previous)
        g_previous = qInstallMessageHandler(quietHandler);
}

void joinPoolThreads()
{
    QThreadPool::globalInstance()->waitForDone();
}

FakeHost::FakeHost()
{
    window.resize(200, 200);
}

FakeHost::~FakeHost()
{
    clearLists();
}

void FakeHost::clearLists()
{
    for (const QList<FileType *> &list : m_lists)
        qDeleteAll(list);
    m_lists.clear();
}

void FakeHost::setLists(const QList<QStringList> &lists, int current)
{
    clearLists();
    for (const QStringList &files : lists) {
        QList<FileType *> entries;
        for (const QString &file : files) {
            FileType *entry = new FileType;
            entry->id = m_nextId++;
            entry->fileName = file;
            entries << entry;
        }
        m_lists << entries;
    }
    m_current = current < m_lists.size() ? current : -1;
}

void FakeHost::setUiEnabled(bool enabled)
{
    uiEnabledCalls << enabled;
    window.setEnabled(enabled);
}

void FakeHost::sendTip(int var1, int var2, const QString &fileName)
{
    if (var1 == -4 && var2 == 2)
        setUiEnabled(true);
    tips << Tip{var1, var2, fileName, QThread::currentThread() == QCoreApplication::instance()->thread()};
}

int FakeHost::currentListId()
{
    return m_current >= 0 ? listId(m_current) : -1;
}

int FakeHost::currentListFileCount()
{
    return m_current >= 0 ? m_lists.at(m_current).size() : -1;
}

QList<FileType *> FakeHost::currentListFiles()
{
    return m_current >= 0 ? m_lists.at(m_current) : QList<FileType *>();
}

int FakeHost::listId(int index)
{
    return index >= 0 && index < m_lists.size() ? 100 + index : -1;
}

QString FakeHost::listTitle(int index)
{
    return index >= 0 && index < m_lists.size() ? QStringLiteral("List%1").arg(index + 1) : QString();
}

int FakeHost::listFileCount(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index).size() : -1;
}

QList<FileType *> FakeHost::listFiles(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index) : QList<FileType *>();
}

QList<Tip> FakeHost::tipsWith(int var1, int var2) const
{
    QList<Tip> found;
    for (const Tip &tip : tips) {
        if (tip.var1 == var1 && tip.var2 == var2)
            found << tip;
    }
    return found;
}

ScrivelFace *FakeHost::loadPlugin(const QString &fileName, QString *error)
{
    QPluginLoader loader(fileName);
    ScrivelFace *face = qobject_cast<ScrivelFace *>(loader.instance());
    if (!face && error)
        *error = loader.errorString();
    return face;
}
