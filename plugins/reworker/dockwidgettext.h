#ifndef DOCKWIDGETTEXT_H
#define DOCKWIDGETTEXT_H

#include "dockwidgetlistbase.h"

// The text plug-in's operation list, 80 pixels wide: the nineteen operation
// labels in three groups (character, paragraph and multi-file operations,
// under the caption labels "label", "label_2" and "label_3"), the range
// labels "All", "List", "Cur" and "处理".
class DockWidgetText : public DockWidgetListBase
{
    Q_OBJECT
public:
    DockWidgetText(OperationTable *table, QWidget *parent = nullptr);
};

#endif // DOCKWIDGETTEXT_H
