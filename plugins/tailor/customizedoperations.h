#ifndef CUSTOMIZEDOPERATIONS_H
#define CUSTOMIZEDOPERATIONS_H

#include <QList>

#include "operationrow.h"

// The operations of the customized-jobs plug-in: what their labels,
// option pages and explanations show.
class CustomizedOperations
{
public:
    enum Index {
        None = 0, // nothing chosen
        AB = 1,
        Article = 2
    };

    static QList<OperationRow> rows();
    static QString explanation(int index);
};

using Enum_CustomizedIndex = CustomizedOperations::Index;

#endif // CUSTOMIZEDOPERATIONS_H
