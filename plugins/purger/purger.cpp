#include "purger.h"

#include "deleteoptions.h"
#include "deleteregular.h"
#include "dockwidgetdelete.h"
#include "dockwidgetdeleteoption.h"

Purger::Purger(QObject *parent)
    : PluginBase(QStringLiteral("Delete"), QStringLiteral("V0.0.0.1"), QStringLiteral("delete_"),
                 QStringLiteral("delete"), parent)
{
    QList<OperationRow> rows;
    for (int index = 0; index <= DeletePatterns::Count; ++index) {
        OperationRow row;
        row.index = index;
        row.labelObject = DeletePatterns::labelObjectName(index);
        row.caption = DeletePatterns::caption(index);
        row.title = DeletePatterns::title(index);
        row.page = DeletePatterns::page(index);
        row.explanation = DeletePatterns::explanation(index);
        row.start = index == DeletePatterns::None ? OperationRow::NoJob : OperationRow::Jobs;
        rows << row;
    }
    setOperations(rows);
}

DockWidgetListBase *Purger::createListDock(QWidget *parent)
{
    return new DockWidgetDelete(this, parent);
}

DockWidgetOptionBase *Purger::createOptionDock(QWidget *parent)
{
    return new DockWidgetDeleteOption(this, parent);
}

OptionRecord *Purger::readOptions(int index, const QStringList &files)
{
    Q_UNUSED(files)
    auto *options = new DeleteOptions;
    options->index = index;
    if (index == DeletePatterns::Regular) {
        if (auto *dock = qobject_cast<DockWidgetDeleteOption *>(optionDock()))
            options->pattern = dock->customPattern();
        if (!DeletePatterns::isValidCustom(options->pattern)) {
            delete options;
            return nullptr;
        }
    }
    return options;
}

TextBase *Purger::createWorker(int index, const QString &fileName, const OptionRecord *options, int position)
{
    Q_UNUSED(index)
    Q_UNUSED(position)
    return new DeleteRegular(fileName, options);
}
