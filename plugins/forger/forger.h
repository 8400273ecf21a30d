#ifndef FORGER_H
#define FORGER_H

#include <QDateTime>
#include <QStringList>

#include "pluginbase.h"

// The operations of the generation plug-in, 0 when none is chosen.
enum Enum_NewIndex {
    newNone = 0,
    newNumber = 1,
    newUserPwd = 2,
    newDictionaries = 3,
    newVariableInt = 4,
    newVariableText = 5
};

// The generation plug-in "New": writes new text files into the working
// directory's "data" folder, from number ranges (NewNumber) or from a
// template with counting variables (NewVariableInt), one job per output
// file, and hands the files to the host in a new list "New" + n. The other
// three operations have option pages but no job.
//
// A start takes the run number of the day (even one that starts nothing),
// reads the operation's options (which know the size of the whole output
// and the per-file count), checks that the output fits in the folder's
// free space, and only then creates the list and one job per file. The
// three operations without a job still make their list.
// The window stays disabled until every file is written.
class Forger : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
    // Test hooks: a valid clock replaces the current time; a non-negative
    // limit replaces the output folder's free space.
    Q_PROPERTY(QDateTime clock MEMBER m_clock)
    Q_PROPERTY(qint64 freeSpaceLimit MEMBER m_freeSpaceLimit)
public:
    explicit Forger(QObject *parent = nullptr);

    bool openPlugin(int x, int y) override;

    // The working directory's "data" folder.
    static QString outputFolder();

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
    bool beginStart(ScrivelFace *host) override;
    bool planJobs(const OperationRow &row, JobBatch *batch) override;

private:
    bool fits(quint64 bytes, const QString &folder) const;

    // What beginStart took for the start under way.
    QString m_folder;
    QDateTime m_startTime;
    int m_run = 0;

    QDateTime m_clock;
    qint64 m_freeSpaceLimit = -1;
};

#endif // FORGER_H
