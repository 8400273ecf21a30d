#ifndef REWORKEROPERATIONS_H
#define REWORKEROPERATIONS_H

#include <QList>

#include "operationrow.h"

// The one operation table of the text plug-in: per operation its label,
// caption, option page title, page, explanation, option getter and job
// maker. An operation is added or completed here and nowhere else.
QList<OperationRow> reworkerOperations();

#endif // REWORKEROPERATIONS_H
