#ifndef PREVIEWRECORD_H
#define PREVIEWRECORD_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include "tipcodes.h"

// A place in a kept result that a person should check: units [at, at +
// length) of the result's text, and the forms it could have taken instead
// (one per code point, what the job wrote among them).
struct PreviewMark
{
    int at = 0;
    int length = 0;
    QString candidates;
};

// What a preview found for one file: what the job would do to it, and what
// is needed to apply exactly that later (where the result is kept, and how
// the file was when it was read, to refuse one changed since).
struct PreviewRecord
{
    enum Outcome {
        Changed = 0,   // the job would rewrite the file
        Unchanged = 1, // the job would leave it as it is
        Failed = 2,    // the job would fail on it (failure says why)
        Created = 3    // the job would make this file, which is not there yet
    };

    int position = -1; // the file's place among the preview's files
    QString fileName;
    Outcome outcome = Failed;
    TipCode failure{0, 0}; // the tip a failed job sent
    int changedLines = 0;
    qint64 sizeBefore = -1; // bytes; -1 when there is no file yet
    qint64 sizeAfter = -1;  // bytes the job would write; -1 when none
    QByteArray sourceDigest; // of the file's bytes as the job read them
    qint64 sourceModified = 0; // its modification time then, in ms since the epoch
    QByteArray resultDigest; // of the text the job would write (for the undo journal)
    QString keptName;        // the file in the store holding the bytes to write
    int marks = 0;           // places of the result to check, kept beside it (PreviewStore::keptMarks)

    bool willWrite() const { return outcome == Changed || outcome == Created; }

    // One line of the store's record file (tab separated, the path last and
    // percent-encoded), and back; fromLine is false for a line that is
    // not one.
    QByteArray toLine() const;
    static bool fromLine(const QByteArray &line, PreviewRecord &record);
};

#endif // PREVIEWRECORD_H
