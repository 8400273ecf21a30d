#ifndef TAILOR_H
#define TAILOR_H

#include "customizedoperations.h"
#include "pluginbase.h"

// The customized-jobs plug-in "Customized": two jobs over whole lists
// chosen on its option pages rather than over a range. AB looks the lines
// of the A list's files up in the B list's files; Article writes one file
// per arrangement of a list's documents between a head and a tail.
//
// Each start runs one job. Every start that passes its options ends with
// the tip (-4, 2), whatever failed on the way, and with the host window and
// the docks usable again.
class Tailor : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    explicit Tailor(QObject *parent = nullptr);

    // The option getters of the table: null (the start refused with
    // (-6, 0)) when a list is empty or the numbers are out of bounds.
    static OptionRecord *abOptions(DockWidgetOptionBase *dock, const QStringList &files);
    static OptionRecord *articleOptions(DockWidgetOptionBase *dock, const QStringList &files);

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
    // The chosen row's options, then its one job; the lists come from the
    // option pages, not from a range.
    bool planJobs(const OperationRow &row, JobBatch *batch) override;
};

#endif // TAILOR_H
