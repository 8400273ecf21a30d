#ifndef DOCKWIDGETCUSTOMIZEDOPTION_H
#define DOCKWIDGETCUSTOMIZEDOPTION_H

#include "dockwidgetoptionbase.h"

namespace Ui {
class DockWidgetCustomizedOption;
}

// The customized-jobs plug-in's option pane: the AB page (0: the A list
// and the B list), the Article page (1: count, head, document list, tail)
// and the explanation page (2). Choosing AB or Article refills its list
// combo boxes with the titles of the open lists, so a combo position is a
// list index.
class DockWidgetCustomizedOption : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    DockWidgetCustomizedOption(OperationTable *table, QWidget *parent = nullptr);
    ~DockWidgetCustomizedOption() override;

    // List indexes as chosen; -1 when a combo box is empty.
    int abAList() const;
    int abBList() const;
    int articleList() const;
    // The texts as typed.
    QString articleCount() const;
    QString articleHead() const;
    QString articleTail() const;

public slots:
    void curTextSlot(int index) override;

private:
    Ui::DockWidgetCustomizedOption *ui;
};

#endif // DOCKWIDGETCUSTOMIZEDOPTION_H
