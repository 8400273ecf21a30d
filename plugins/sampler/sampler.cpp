#include "sampler.h"

#include "demo1.h"
#include "dockwidgetdemo.h"
#include "dockwidgetdemooption.h"
#include "textjob.h"

Sampler::Sampler(QObject *parent)
    : PluginBase(QStringLiteral("Demo"), QStringLiteral("V0.0.0.1"), QStringLiteral("demo_"),
                 QStringLiteral("demo"), parent)
{
    // Index 0 explains both operations (joined by the base).
    // Demo1 runs the sample worker; Demo2 has no worker.
    setOperations({
        OperationRow::describe(demoNone, "", "", "Demo -说明", 2, "", ""),
        OperationRow::describe(demo1, "Label_textReplaced", "Demo1", "Demo1", 0, "<b>Demo1</b><br>Demo1说明",
                               "Demo1：示例操作，演示插件怎样对每个文件起一个任务；不改动文件")
            .withJob(nullptr, jobMaker<Demo1>()),
        OperationRow::describe(demo2, "Label_textReplaced_2", "Demo2", "Demo2", 1, "<b>Demo2</b><br>Demo2说明",
                               "Demo2：示例操作，没有任务，按“处理”只提示未选择操作"),
    });
}

QStringList Sampler::rangeFiles(int index, int range)
{
    // The sample job ignores the range; a real plug-in keeps the base's
    // files of the range.
    if (index == demo1)
        return QStringList(demoFileName());
    return PluginBase::rangeFiles(index, range);
}

DockWidgetListBase *Sampler::createListDock(QWidget *parent)
{
    return new DockWidgetDemo(table(), parent);
}

DockWidgetOptionBase *Sampler::createOptionDock(QWidget *parent)
{
    return new DockWidgetDemoOption(table(), parent);
}
