#ifndef ARTICLEOPTIONS_H
#define ARTICLEOPTIONS_H

#include <QString>
#include <QStringList>

#include "optionrecord.h"

// The options of one Article start: head and tail texts, the number of
// documents per file and the documents of the chosen list, in list order.
struct ArticleOptions : OptionRecord
{
    QString head;
    QString tail;
    int count = 0;
    QStringList documents;
};

#endif // ARTICLEOPTIONS_H
