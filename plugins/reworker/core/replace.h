#ifndef REPLACE_H
#define REPLACE_H

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "keymatch.h"
#include "optionrecord.h"

// One key and what it is replaced by.
using ReplacePair = QPair<QString, QString>;

// The options of a replace (替1) or delete (删) start, and of one file of a
// per-file replace (替2).
struct ReplaceOptions : OptionRecord
{
    bool caseSensitive = true;
    Pattern pattern = Pattern::Ordinary;
    bool wholeWord = false; // ordinary mode only
    bool greedy = true;     // regular mode only
    QList<ReplacePair> pairs;
};

// The options of a per-file replace start: each file's own replacements.
struct Replace2Options : OptionRecord
{
    QHash<QString, ReplaceOptions> byFile;
    ReplaceOptions none; // a file without a column of its own: no pairs

    const ReplaceOptions &forFile(const QString &fileName) const;
};

namespace Replace {

// The pairs of the two text boxes: each line of keys is split at
// separator, and each of its keys pairs with the same line of
// replacements (empty when there is no such line).
QList<ReplacePair> pairsOf(const QString &keys, const QString &replacements, const QString &separator);

// The pairs of one file from the table of 替2: rows of cells, cell 0
// holding the keys, cell column the file's replacements (missing: empty).
QList<ReplacePair> tablePairs(const QList<QStringList> &rows, int column, const QString &separator);

// Whether the options can be used: in regular mode every key compiles.
bool isUsable(const ReplaceOptions &options);

// The text with the pairs applied one after another, each to the result of
// the one before.
QString apply(const QString &text, const ReplaceOptions &options);

// Whole-word replacement of one pair, scanning from the end: an occurrence
// is kept when the character before it and the key's first character, or
// the key's last character and the character after it, are both ASCII
// digits, both ASCII letters or both CJK ideographs (U+4E00-U+9FA5).
QString replaceWholeWords(const QString &text, const QString &key, const QString &replacement,
                          Qt::CaseSensitivity cs);

} // namespace Replace

#endif // REPLACE_H
