#include "dockwidgetlistbase.h"

#include <QDebug>
#include <QBoxLayout>
#include <QPushButton>

#include "operationtable.h"
#include "qlabelex.h"

namespace {

QString rangeLabelName(int range)
{
    switch (range) {
    case allLists: return QStringLiteral("label_rangeAll");
    case currentList: return QStringLiteral("label_rangeList");
    case currentDocument: return QStringLiteral("label_rangeCurrent");
    default: return QString();
    }
}

// The box layout, nested or not, that holds widget directly.
QBoxLayout *boxHolding(QLayout *layout, QWidget *widget)
{
    if (!layout)
        return nullptr;
    if (layout->indexOf(widget) >= 0)
        return qobject_cast<QBoxLayout *>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        if (QBoxLayout *box = boxHolding(layout->itemAt(i)->layout(), widget))
            return box;
    }
    return nullptr;
}

} // namespace

DockWidgetListBase::DockWidgetListBase(OperationTable *table, QWidget *parent)
    : DockWidgetEx(parent)
    , m_table(table)
{
}

QLabelEx *DockWidgetListBase::operationLabel(int index) const
{
    const OperationRow *row = m_table->row(index);
    if (!row || row->labelObject.isEmpty())
        return nullptr;
    return findChild<QLabelEx *>(row->labelObject);
}

QLabelEx *DockWidgetListBase::rangeLabel(int range) const
{
    const QString name = rangeLabelName(range);
    return name.isEmpty() ? nullptr : findChild<QLabelEx *>(name);
}

bool DockWidgetListBase::hasRanges() const
{
    return rangeLabel(currentList) != nullptr;
}

void DockWidgetListBase::setupOperations(PreviewButton preview)
{
    connect(this, &DockWidgetListBase::curTextSignal, this, &DockWidgetListBase::operationChanged);

    for (const OperationRow &row : m_table->rows()) {
        if (row.index == 0)
            continue;
        QLabelEx *label = operationLabel(row.index);
        if (!label)
            continue;
        if (!row.caption.isEmpty())
            label->setText(row.caption);
        label->setToolTip(row.toolTip);
        const int index = row.index;
        connect(label, &QLabelEx::mouseLeftPressd, this, [this, index] { selectOperation(index); });
    }

    for (int range = allLists; range <= currentDocument; ++range) {
        if (QLabelEx *label = rangeLabel(range))
            label->setToolTip(RangeState::caption(range));
    }
    if (QLabelEx *label = rangeLabel(allLists)) {
        label->hoverHighlight = false;
        connect(label, &QLabelEx::mouseLeftPressd, this, &DockWidgetListBase::rangeAllSlot);
    }
    if (QLabelEx *label = rangeLabel(currentList)) {
        label->hoverHighlight = false;
        connect(label, &QLabelEx::mouseLeftPressd, this, &DockWidgetListBase::rangeListSlot);
    }
    if (QLabelEx *label = rangeLabel(currentDocument)) {
        label->hoverHighlight = false;
        connect(label, &QLabelEx::mouseLeftPressd, this, &DockWidgetListBase::rangeCurrentSlot);
    }

    spaceRangeLabels();
    if (QLabelEx *chosen = operationLabel(m_table->state().currentIndex))
        chosen->setSelected(true);

    if (QPushButton *start = findChild<QPushButton *>(QStringLiteral("pushButton_start")))
        connect(start, &QPushButton::clicked, this, &DockWidgetListBase::startSignal);
    if (preview == WithPreview)
        addPreviewButton();

    rangeCurrentSlot();
}

void DockWidgetListBase::addPreviewButton()
{
    QPushButton *start = findChild<QPushButton *>(QStringLiteral("pushButton_start"));
    QWidget *parent = start ? start->parentWidget() : widget();
    if (!parent)
        return;
    m_preview = new QPushButton(QStringLiteral("预览"), parent);
    m_preview->setObjectName(QStringLiteral("pushButton_preview"));
    QBoxLayout *box = start ? boxHolding(parent->layout(), start) : nullptr;
    if (box)
        box->insertWidget(box->indexOf(start) + 1, m_preview);
    else if (parent->layout())
        parent->layout()->addWidget(m_preview);
    connect(m_preview, &QPushButton::clicked, this, &DockWidgetListBase::previewSignal);
    enablePreview(m_table->state().currentIndex);
}

void DockWidgetListBase::enablePreview(int index)
{
    if (!m_preview)
        return;
    const OperationRow *row = m_table->row(index);
    const bool previewable = !row || row->previewable;
    m_preview->setEnabled(previewable);
    m_preview->setToolTip(previewable
                              ? QStringLiteral("预览：与“处理”相同地处理所选范围，但不写入任何文件；"
                                               "在预览窗口中查看每个文件的改动，再选择应用")
                              : QStringLiteral("%1：此操作生成新文件，不支持预览").arg(row->caption));
}

void DockWidgetListBase::spaceRangeLabels()
{
    // The three range labels share one colour when not chosen: a few pixels
    // between them keep them apart.
    for (int range = currentList; range <= currentDocument; ++range) {
        QLabelEx *label = rangeLabel(range);
        QWidget *parent = label ? label->parentWidget() : nullptr;
        QBoxLayout *box = parent ? boxHolding(parent->layout(), label) : nullptr;
        const int at = box ? box->indexOf(label) : -1;
        if (at > 0 && box->itemAt(at - 1)->widget() == rangeLabel(range - 1))
            box->insertSpacing(at, rangeSpacing);
    }
}

void DockWidgetListBase::selectOperation(int index)
{
    RangeState &state = m_table->state();
    if (index == state.currentIndex)
        return;
    if (QLabelEx *old = operationLabel(state.currentIndex))
        old->setSelected(false);
    state.currentIndex = index;
    if (QLabelEx *chosen = operationLabel(index))
        chosen->setSelected(true);
    emit curTextSignal(index);
}

void DockWidgetListBase::operationChanged(int index)
{
    enablePreview(index);
    const RangeState &state = m_table->state();
    QLabelEx *current = rangeLabel(currentDocument);
    if (m_table->worksOnLists(index)) {
        if (current)
            current->setEnabled(false);
        applyRange(state.currentMultiRange == allLists ? allLists : currentList);
    } else {
        if (current)
            current->setEnabled(true);
        applyRange(state.currentRange);
    }
}

void DockWidgetListBase::rangeAllSlot()
{
    applyRange(allLists);
}

void DockWidgetListBase::rangeListSlot()
{
    applyRange(currentList);
}

void DockWidgetListBase::rangeCurrentSlot()
{
    applyRange(currentDocument);
}

void DockWidgetListBase::applyRange(int range)
{
    RangeState &state = m_table->state();
    const int index = state.currentIndex;
    if (m_table->worksOnLists(index)) {
        if (range == currentDocument) {
            // Whole-list operations have no current-document range.
            qDebug() << "list operation: no current-document range";
            return;
        }
        colourRanges(range);
        state.currentMultiRange = range;
        emit rangeSignal(range);
        return;
    }
    colourRanges(range);
    state.currentRange = range;
    emit rangeSignal(range);
    const OperationRow *row = m_table->row(index);
    if (row && row->rangeFiles)
        emit rep2RangeSignal();
}

void DockWidgetListBase::colourRanges(int chosen)
{
    for (int range = allLists; range <= currentDocument; ++range) {
        if (QLabelEx *label = rangeLabel(range))
            label->setSelected(range == chosen);
    }
}
