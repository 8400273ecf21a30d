#include "operationtable.h"

#include <QStringList>

const OperationRow *OperationTable::row(int index) const
{
    for (const OperationRow &r : m_rows) {
        if (r.index == index)
            return &r;
    }
    return nullptr;
}

OperationRow *OperationTable::editRow(int index)
{
    for (OperationRow &r : m_rows) {
        if (r.index == index)
            return &r;
    }
    return nullptr;
}

QString OperationTable::explanation(int index) const
{
    const OperationRow *r = row(index);
    if (r && !r->explanation.isEmpty())
        return r->explanation;
    if (index != 0)
        return QString();
    QStringList all;
    for (const OperationRow &other : m_rows) {
        if (other.index != 0)
            all << other.explanation;
    }
    return all.join(QStringLiteral("<br>"));
}

bool OperationTable::worksOnLists(int index) const
{
    const OperationRow *r = row(index);
    return r && r->worksOnLists();
}

int OperationTable::rangeInForce() const
{
    return worksOnLists(m_state.currentIndex) ? m_state.currentMultiRange : m_state.currentRange;
}
