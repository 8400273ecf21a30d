#ifndef DOCKWIDGETDELETEOPTION_H
#define DOCKWIDGETDELETEOPTION_H

#include "dockwidgetoptionbase.h"

namespace Ui {
class DockWidgetDeleteOption;
}

// The deletion plug-in's option pane: the explanation page (0) and the
// custom pattern page (1).
class DockWidgetDeleteOption : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    DockWidgetDeleteOption(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetDeleteOption() override;

    // The custom pattern as typed, unchanged.
    QString customPattern() const;

private:
    Ui::DockWidgetDeleteOption *ui;
};

#endif // DOCKWIDGETDELETEOPTION_H
