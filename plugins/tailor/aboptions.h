#ifndef ABOPTIONS_H
#define ABOPTIONS_H

#include <QString>
#include <QStringList>

#include "optionrecord.h"

// The options of one AB start: the files of the A list (each once, in list
// order), the files of the B list (in list order, as listed) and the
// output file, "new.txt" beside the first A file.
struct ABOptions : OptionRecord
{
    QStringList aFiles;
    QStringList bFiles;
    QString output;
};

#endif // ABOPTIONS_H
