#include "purger.h"

#include "deleteoptions.h"
#include "deleteregular.h"
#include "dockwidgetdelete.h"
#include "dockwidgetdeleteoption.h"
#include "textjob.h"

namespace {

// The options of a start of index: the index, and for the custom
// operation the pattern as typed, which must compile; otherwise null, so
// the start is refused before any file is touched.
OperationRow::OptionsGetter deleteOptions(int index)
{
    return [index](DockWidgetOptionBase *dock, const QStringList &) -> OptionRecord * {
        auto *options = new DeleteOptions;
        options->index = index;
        if (index == DeletePatterns::Regular) {
            if (auto *page = qobject_cast<DockWidgetDeleteOption *>(dock))
                options->pattern = page->customPattern();
            if (!DeletePatterns::isValidCustom(options->pattern)) {
                delete options;
                return nullptr;
            }
        }
        return options;
    };
}

} // namespace

Purger::Purger(QObject *parent)
    : PluginBase(QStringLiteral("Delete"), QStringLiteral("V0.0.0.1"), QStringLiteral("delete_"),
                 QStringLiteral("delete"), parent)
{
    QList<OperationRow> rows;
    for (int index = 0; index <= DeletePatterns::Count; ++index) {
        OperationRow row = OperationRow::describe(
            index, DeletePatterns::labelObjectName(index), DeletePatterns::caption(index), DeletePatterns::title(index),
            DeletePatterns::page(index), DeletePatterns::explanation(index), DeletePatterns::toolTip(index));
        if (index != DeletePatterns::None)
            row.withJob(deleteOptions(index), jobMaker<DeleteRegular>());
        rows << row;
    }
    setOperations(rows);
}

DockWidgetListBase *Purger::createListDock(QWidget *parent)
{
    return new DockWidgetDelete(table(), parent);
}

DockWidgetOptionBase *Purger::createOptionDock(QWidget *parent)
{
    return new DockWidgetDeleteOption(table(), parent);
}
