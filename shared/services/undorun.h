#ifndef UNDORUN_H
#define UNDORUN_H

#include <QList>
#include <QString>

#include "tipcodes.h"

// One undo of the newest batch, the same whichever way it is asked for
// (the menu's "撤销上次批处理", the command line): its files get their
// previous content back (BatchBackup::undoLast), temporary files that a
// killed write left in their folders are removed as the next batch would
// remove them, and the outcome comes back as the tips that report it, in
// the order they are to be shown.
class UndoRun
{
public:
    struct Tip
    {
        TipCode code;
        QString fileName;
    };

    // Undoes the newest batch under root (BatchBackup::defaultRoot() for
    // the program's own). The tips: (0, 7) for each leftover removed, then
    // (12, 1) restored, (12, 2) changed since and (12, 3) failed, file by
    // file, and last (12, 4) with the batch's name and restored/total; or
    // (12, 0) alone when there is no batch to undo.
    static QList<Tip> run(const QString &root);
};

#endif // UNDORUN_H
