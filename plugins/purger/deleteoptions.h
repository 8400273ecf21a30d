#ifndef DELETEOPTIONS_H
#define DELETEOPTIONS_H

#include <QString>

#include "optionrecord.h"

// The options of one deletion start, shared read-only by all its jobs: the
// chosen operation and, for the custom operation, the pattern as typed.
struct DeleteOptions : OptionRecord
{
    int index = 0;
    QString pattern;
};

#endif // DELETEOPTIONS_H
