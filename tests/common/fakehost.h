#ifndef FAKEHOST_H
#define FAKEHOST_H

#include <QList>
#include <QMainWindow>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QThread>

#include "scrivelface.h"

// One tip as the host received it.
struct Tip
{
    int var1;
    int var2;
    QString fileName;
    bool guiThread;
    bool operator==(const Tip &other) const
    {
        return var1 == other.var1 && var2 == other.var2 && fileName == other.fileName;
    }
};
Q_DECLARE_METATYPE(Tip)

// A host side of ScrivelFace that serves lists and a current document from
// plain data and records every call a plug-in makes.
class FakeHost : public ScrivelFace
{
public:
    // The interface of the plug-in library fileName, loaded for the rest of
    // the process; null (error says why) when it does not load or is not
    // one.
    static ScrivelFace *loadPlugin(const QString &fileName, QString *error);

    FakeHost();
    ~FakeHost() override;

    // Replaces the lists; the current list becomes `current` (-1: none).
    void setLists(const QList<QStringList> &lists, int current = 0);

    void setUiEnabled(bool enabled) override;
    QWidget *mainWidget() override { return &window; }
    void sendTip(int var1, int var2, const QString &fileName) override;
    void setStatusText(const QString &text) override { status = text; }
    QString currentDocumentFileName() override { return currentDocument; }
    int currentListId() override;
    int currentListFileCount() override;
    QList<FileType *> currentListFiles() override;
    int listId(int index) override;
    QString listTitle(int index) override;
    int listFileCount(int index) override;
    QList<FileType *> listFiles(int index) override;
    int listCount() override { return m_lists.size(); }
    void setTaskCount(int count) override { taskCounts << count; }
    void jobProgress(int done, int total, const QString &fileName) override
    {
        progress << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(fileName);
    }
    void setExplain(const QString &explain) override { explains << explain; }
    void addFileToList(const QString &fileName, const QString &listName) override
    {
        added << listName + QLatin1Char(':') + fileName;
    }
    void newList(const QString &name) override { added << QStringLiteral("newList ") + name; }

    QList<Tip> tipsWith(int var1, int var2) const;
    bool enabled() const { return window.isEnabled(); }

    QMainWindow window;
    QList<Tip> tips;
    QList<bool> uiEnabledCalls;
    QList<int> taskCounts;
    QStringList progress; // "done/total file" per jobProgress
    QStringList explains;
    QStringList added; // "list name:file name" per addFileToList
    QString status;
    QString currentDocument;

private:
    void clearLists();

    QList<QList<FileType *>> m_lists;
    int m_current = -1;
    int m_nextId = 1;
};

// Drops the offscreen platform's notes about window features it lacks
// (floating docks ask for them all the time); other messages pass on.
void quietOffscreenWarnings();

// Waits for the global pool's threads and lets them end now, so none is
// still winding down while the process exits.
void joinPoolThreads();

#endif // FAKEHOST_H
