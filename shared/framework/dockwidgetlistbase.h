#ifndef DOCKWIDGETLISTBASE_H
#define DOCKWIDGETLISTBASE_H

#include "dockwidgetex.h"

class OperationTable;
class QPushButton;
class QLabelEx;

// The base of a plug-in's operation-list dock: one QLabelEx per operation
// (named as in the plug-in's operation table), the range labels
// "label_rangeAll", "label_rangeList", "label_rangeCurrent" (each
// optional) and "pushButton_start". A subclass builds its form and then
// calls setupOperations(), with WithPreview when its operations rewrite
// files in place: the dock then adds "pushButton_preview" (预览) under
// "pushButton_start", enabled while the chosen operation is previewable. The dock reads and changes the selection in the
// plug-in's operation table; the plug-in listens to its signals.
//
// Operations whose row works per list: while one is chosen the
// current-document label is disabled and the multi-file range applies.
class DockWidgetListBase : public DockWidgetEx
{
    Q_OBJECT
public:
    DockWidgetListBase(OperationTable *table, QWidget *parent = nullptr);

    OperationTable *table() const { return m_table; }

    // The label of an operation or of a range; null when the form has none.
    QLabelEx *operationLabel(int index) const;
    // Whether this dock offers ranges at all (docks of plug-ins that make
    // files or take their files from lists have none).
    bool hasRanges() const;
    QLabelEx *rangeLabel(int range) const;

    // The 预览 button; null in docks without one.
    QPushButton *previewButton() const { return m_preview; }

    // Pixels between two neighbouring range labels.
    static constexpr int rangeSpacing = 4;

public slots:
    // Chooses an operation; choosing the one already chosen does nothing.
    void selectOperation(int index);
    void rangeAllSlot();
    void rangeListSlot();
    void rangeCurrentSlot();

signals:
    void curTextSignal(int index);
    // The range changed while an operation whose page shows the range's
    // files is chosen.
    void rep2RangeSignal();
    void rangeSignal(int range);
    // "处理" was pressed.
    void startSignal();
    // "预览" was pressed.
    void previewSignal();

protected:
    enum PreviewButton { NoPreview, WithPreview };
    // Label captions and wiring (and the 预览 button, when asked for),
    // then the current-document range applied once.
    void setupOperations(PreviewButton preview = NoPreview);

private:
    void operationChanged(int index);
    void applyRange(int range);
    void colourRanges(int chosen);
    void spaceRangeLabels();
    void addPreviewButton();
    void enablePreview(int index);

    OperationTable *m_table;
    QPushButton *m_preview = nullptr;
};

#endif // DOCKWIDGETLISTBASE_H
