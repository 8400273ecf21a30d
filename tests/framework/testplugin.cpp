#include "testplugin.h"

#include <QDir>

#include "testdocks.h"
#include "testworkers.h"

namespace {

// Captions from the label names, explanations from the titles.
OperationRow row(int index, const QString &label, const QString &title, int page, OperationRow::Start start)
{
    const QString explanation = index == 0 ? QString() : QStringLiteral("<b>%1</b>").arg(title.isEmpty() ? label : title);
    return OperationRow::describe(index, label, label.mid(6), title, page, explanation, QString(), start);
}

} // namespace

TestPlugin::TestPlugin()
    : PluginBase(QStringLiteral("Test"), QStringLiteral("V1.2"), QStringLiteral("test_"), QStringLiteral("test"))
{
    setOperations({
        row(0, QString(), QStringLiteral("处理-说明"), 0, OperationRow::NoJob),
        row(Upper, QStringLiteral("Label_upper"), QStringLiteral("Upper"), 1, OperationRow::Jobs),
        row(Table, QStringLiteral("Label_table"), QStringLiteral("Table"), 2, OperationRow::Jobs),
        row(Idle, QStringLiteral("Label_idle"), QStringLiteral("Idle"), -1, OperationRow::Nothing),
        row(Block, QStringLiteral("Label_block"), QStringLiteral("Block"), 1, OperationRow::Jobs),
        row(None, QStringLiteral("Label_none"), QString(), -1, OperationRow::NoJob),
        row(Merge, QStringLiteral("Label_merge"), QStringLiteral("Merge"), 3, OperationRow::Jobs),
        row(Split, QStringLiteral("Label_split"), QString(), -1, OperationRow::NoJob),
    });
    table()->editRow(Table)->rangeFiles = true;
    table()->editRow(Merge)->producedList = QStringLiteral("Merge");
    table()->editRow(Merge)->scope = OperationRow::PerList;
    table()->editRow(Split)->scope = OperationRow::PerList;
}

DockWidgetListBase *TestPlugin::createListDock(QWidget *parent)
{
    return new TestListDock(table(), parent);
}

DockWidgetOptionBase *TestPlugin::createOptionDock(QWidget *parent)
{
    return new TestOptionDock(table(), parent);
}

OptionRecord *TestPlugin::readOptions(int index, const QStringList &files)
{
    Q_UNUSED(index)
    optionFiles = files;
    if (refuseOptions)
        return nullptr;
    TestOptions *options = new TestOptions;
    options->suffix = suffix;
    options->outFolder = outFolder;
    return options;
}

TextBase *TestPlugin::createWorker(int index, const QString &fileName, const OptionRecord *options, int position)
{
    workerFiles << fileName;
    workerPositions << position;
    if (index == Block)
        return new BlockingWorker(fileName, options);
    return new UpperWorker(fileName, options);
}

TextBase *TestPlugin::createListWorker(int index, const ListSource &list, const OptionRecord *options)
{
    Q_UNUSED(index)
    if (list.files.isEmpty())
        return nullptr;
    workerFiles << list.title;
    const QString out = QDir(static_cast<const TestOptions *>(options)->outFolder)
                            .filePath(QStringLiteral("merge%1.txt").arg(list.id));
    return new MergeWorker(out, list.files, options);
}

void TestPlugin::jobFinished(TextBase *worker)
{
    ended << worker->fileName() + (worker->succeeded() ? QStringLiteral(":1") : QStringLiteral(":0"));
}
