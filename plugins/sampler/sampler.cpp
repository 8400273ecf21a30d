#include "sampler.h"

#include "demo1.h"
#include "dockwidgetdemo.h"
#include "dockwidgetdemooption.h"
#include "textjob.h"

namespace {

OperationRow row(int index, const char *label, const char *caption, const char *title, int page,
                 const char *explanation, OperationRow::Start start, const char *toolTip)
{
    OperationRow r;
    r.index = index;
    r.labelObject = QString::fromUtf8(label);
    r.caption = QString::fromUtf8(caption);
    r.title = QString::fromUtf8(title);
    r.page = page;
    r.explanation = QString::fromUtf8(explanation);
    r.start = start;
    r.toolTip = QString::fromUtf8(toolTip);
    return r;
}

} // namespace

Sampler::Sampler(QObject *parent)
    : PluginBase(QStringLiteral("Demo"), QStringLiteral("V0.0.0.1"), QStringLiteral("demo_"),
                 QStringLiteral("demo"), parent)
{
    // Index 0 explains both operations (joined by the base).
    // Demo1 runs the sample worker; Demo2 has no worker.
    OperationRow first = row(demo1, "Label_textReplaced", "Demo1", "Demo1", 0, "<b>Demo1</b><br>Demo1说明",
                             OperationRow::Jobs,
                             "Demo1：示例操作，演示插件怎样对每个文件起一个任务；不改动文件");
    first.job = jobMaker<Demo1>();
    setOperations({
        row(demoNone, "", "", "Demo -说明", 2, "", OperationRow::NoJob, ""),
        first,
        row(demo2, "Label_textReplaced_2", "Demo2", "Demo2", 1, "<b>Demo2</b><br>Demo2说明", OperationRow::NoJob,
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
