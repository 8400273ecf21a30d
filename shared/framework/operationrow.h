#ifndef OPERATIONROW_H
#define OPERATIONROW_H

#include <QString>

// One operation of a plug-in: what its label, option dock and explanation
// show, and what pressing start does with it. A plug-in describes itself
// by a table of these rows, index 0 being "no operation chosen".
struct OperationRow
{
    enum Start {
        NoJob,   // start sends the no-operation tip (-9, 9)
        Nothing, // start does nothing and sends no tip
        Jobs     // start runs the operation's workers
    };

    int index = 0;
    QString labelObject; // object name of the operation's QLabelEx; empty for 0
    QString caption;     // the label's text
    QString title;       // option dock title when chosen; empty leaves it as it was
    int page = -1;       // option dock page when chosen; -1 leaves it as it was
    QString explanation; // HTML; empty for 0 gives the others joined with "<br>"
    Start start = NoJob;
    // The option page shows the files of the current range (such a page is
    // refreshed with rep2RangeSignal whenever the range is chosen).
    bool rangeFiles = false;

    // Operations above this index work on whole lists at once.
    static const int MultiFileLimit = 64;
    static bool isMultiFile(int index) { return index > MultiFileLimit; }
};

#endif // OPERATIONROW_H
