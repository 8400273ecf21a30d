#ifndef BLOCKS_H
#define BLOCKS_H

#include <QString>

#include "keymatch.h"
#include "optionrecord.h"

// The options of keeping (段留) or deleting (段删) the lines that contain
// keywords. Each line of keywords is one group, its keywords separated by
// separator; a group is satisfied by a line that contains all of them.
struct BlockOptions : OptionRecord
{
    enum Implement { Retain = 0, Delete = 1 };

    QString keywords;
    bool caseSensitive = true;
    QString separator = QStringLiteral(",");
    Pattern pattern = Pattern::Ordinary;
    bool greedy = true; // regular mode only
    Implement implement = Retain;
};

// The options of retaining (留) what regular expressions match: one
// expression per line of patterns.
struct RetainOptions : OptionRecord
{
    QString patterns;
    bool caseSensitive = true;
    bool greedy = true;
};

namespace Blocks {

// Whether the options can be used: some keyword, and in regular mode
// every keyword compiles.
bool isUsable(const BlockOptions &options);

// Retain keeps the lines that satisfy some group; Delete drops the lines
// that contain a keyword of some group. Each line appears at most once, in
// its order; the text's final line break is kept.
QString filterLines(const QString &text, const BlockOptions &options);

// Whether the options can be used: some pattern, and every one compiles.
bool isUsable(const RetainOptions &options);

// Every match of every pattern, pattern by pattern in match order, one a
// line (no final line break).
QString retainMatches(const QString &text, const RetainOptions &options);

} // namespace Blocks

#endif // BLOCKS_H
