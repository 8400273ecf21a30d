#ifndef OPERATIONTABLE_H
#define OPERATIONTABLE_H

#include <QList>
#include <QString>

#include "operationrow.h"
#include "rangestate.h"

// A plug-in's operations and its selection: the one table of rows that
// labels, option pages, explanations and starts are read from, and the
// chosen operation and ranges. Widget-free, so the plug-in base and both
// dock bases build on it without knowing each other.
class OperationTable
{
public:
    void setRows(const QList<OperationRow> &rows) { m_rows = rows; }
    const QList<OperationRow> &rows() const { return m_rows; }

    // The row of index; null for an index the table does not have.
    const OperationRow *row(int index) const;
    // The row of index, to add a getter or a job maker after the table is
    // built; null for an index the table does not have.
    OperationRow *editRow(int index);

    // The explanation of index; for 0 without one of its own, those of all
    // other operations joined with "<br>".
    QString explanation(int index) const;

    // Whether index works on whole lists (as its row says; an index the
    // table does not have works on none).
    bool worksOnLists(int index) const;
    // The range that a start with the chosen operation uses.
    int rangeInForce() const;

    RangeState &state() { return m_state; }
    const RangeState &state() const { return m_state; }

private:
    QList<OperationRow> m_rows;
    RangeState m_state;
};

#endif // OPERATIONTABLE_H
