#include "undorun.h"

#include <QFileInfo>

#include "batchbackup.h"
#include "readwritetxt.h"

QList<UndoRun::Tip> UndoRun::run(const QString &root)
{
    QList<Tip> tips;
    const BatchBackup::UndoResult result = BatchBackup::undoLast(root);
    if (!result.found) {
        tips << Tip{Tips::NothingToUndo, QString()};
        return tips;
    }
    // The batch to undo may be one that was killed: its folders can still
    // hold the temporary files of the writes it was in the middle of.
    // Only files older than this process are taken, so a write running
    // elsewhere keeps its own.
    const QStringList files = result.restored + result.changed + result.failed;
    for (const QString &leftover : ReadWriteTxt::removeLeftovers(files))
        tips << Tip{Tips::LeftoverRemoved, leftover};
    for (const QString &file : result.restored)
        tips << Tip{Tips::Restored, file};
    for (const QString &file : result.changed)
        tips << Tip{Tips::ChangedSince, file};
    for (const QString &file : result.failed)
        tips << Tip{Tips::RestoreFailed, file};
    // The closing line names the batch and says restored of total.
    tips << Tip{Tips::UndoDone, QStringLiteral("%1 %2/%3")
                                    .arg(QFileInfo(result.batch).fileName())
                                    .arg(result.restored.size())
                                    .arg(files.size())};
    return tips;
}
