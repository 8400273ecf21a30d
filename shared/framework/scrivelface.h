#ifndef SCRIVELFACE_H
#define SCRIVELFACE_H

#include <QList>
#include <QString>
#include <QtPlugin>

#include "filetype.h"

class QWidget;

// The two-way contract between the host and its plug-ins. The host's main
// window serves the list and document queries; a plug-in serves setHost,
// its name and version, and openPlugin. setUiEnabled is served by both.
//
// The order of the virtual functions is the binary layout shared by
// separately built host and plug-ins: never reorder, only append.
class ScrivelFace
{
public:
    virtual ~ScrivelFace() {}

    virtual void setUiEnabled(bool enabled) { Q_UNUSED(enabled) }                         // 1
    virtual QWidget *mainWidget() { return nullptr; }                                        // 2
    virtual void newList(const QString &name) { Q_UNUSED(name) }                            // 3
    virtual void sendTip(int var1, int var2, const QString &fileName)                       // 4
    { Q_UNUSED(var1) Q_UNUSED(var2) Q_UNUSED(fileName) }
    virtual void setStatusText(const QString &text) { Q_UNUSED(text) }                      // 5
    virtual QString currentDocumentFileName() { return QString(); }                          // 6
    virtual int currentDocumentId() { return -1; }                                           // 7
    virtual int currentListId() { return -1; }                                               // 8
    virtual int currentListFileCount() { return -1; }                                        // 9
    virtual QList<FileType *> currentListFiles() { return QList<FileType *>(); }             // 10
    virtual void addFileToList(const QString &fileName, const QString &listName)            // 11
    { Q_UNUSED(fileName) Q_UNUSED(listName) }
    virtual int listId(int index) { Q_UNUSED(index) return -1; }                            // 12
    virtual QString listTitle(int index) { Q_UNUSED(index) return QString(); }              // 13
    virtual int listFileCount(int index) { Q_UNUSED(index) return -1; }                     // 14
    virtual QList<FileType *> listFiles(int index)                                           // 15
    { Q_UNUSED(index) return QList<FileType *>(); }
    virtual int listCount() { return 0; }                                                    // 16
    virtual void setTaskCount(int count) { Q_UNUSED(count) }                                // 17
    virtual void setExplain(const QString &explain) { Q_UNUSED(explain) }                   // 18
    virtual void setHost(ScrivelFace *host) { Q_UNUSED(host) }                              // 19
    virtual QString pluginVersion() { return QString(); }                                    // 20
    virtual QString pluginName() { return QString(); }                                       // 21
    virtual bool openPlugin(int x, int y) { Q_UNUSED(x) Q_UNUSED(y) return false; }         // 22
    // Host side: a job of the running start has ended (done of total,
    // failures included), fileName the file it worked on.
    virtual void jobProgress(int done, int total, const QString &fileName)                 // 23
    { Q_UNUSED(done) Q_UNUSED(total) Q_UNUSED(fileName) }
    // Plug-in side: stop the running start, if any (see JobBatch::cancel).
    virtual void cancelJobs() {}                                                             // 24
};

#define ScrivelFace_iid "org.qt-project.Qt.ScrivelFace/1.0"
Q_DECLARE_INTERFACE(ScrivelFace, ScrivelFace_iid)

#endif // SCRIVELFACE_H
