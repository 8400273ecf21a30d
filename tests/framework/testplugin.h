#ifndef TESTPLUGIN_H
#define TESTPLUGIN_H

#include <QStringList>

#include "pluginbase.h"

// A plug-in on the framework with one operation of every kind:
//  1 Upper (per file), 2 Table (per file, page shows the range's files),
//  3 Idle (start does nothing), 4 Block (per file, waits for the test),
//  5 None (no worker), 65 Merge (one job per list), 66 Split (per list, no worker).
class TestPlugin : public PluginBase
{
    Q_OBJECT
public:
    enum { Upper = 1, Table = 2, Idle = 3, Block = 4, None = 5, Merge = 65, Split = 66 };

    TestPlugin();

    bool refuseOptions = false;
    QString suffix;
    QString outFolder;
    QStringList optionFiles;     // the files last handed to readOptions
    QStringList workerFiles;     // one entry per worker created
    QList<int> workerPositions;
    QStringList ended;           // "file:1" or "file:0" per job ended, in order

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
    OptionRecord *readOptions(int index, const QStringList &files) override;
    TextBase *createWorker(int index, const QString &fileName, const OptionRecord *options, int position) override;
    TextBase *createListWorker(int index, const ListSource &list, const OptionRecord *options) override;
    void jobFinished(TextBase *worker) override;
};

#endif // TESTPLUGIN_H
