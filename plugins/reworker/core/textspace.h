#ifndef TEXTSPACE_H
#define TEXTSPACE_H

#include <QString>

#include <optional>

#include "optionrecord.h"

// Options of the space operation: the side of every line (or all spaces of
// the text), and how many spaces to add, keep at most, set or remove.
struct SpaceOptions : OptionRecord
{
    enum Index { Left = 0, Right = 1, All = 2 };
    enum Implement { Increase = 0, Retain = 1, Fixde = 2, Delete = 3 };

    Index index = Left;
    Implement implement = Increase;
    int count = 0;
};

// Sets the spaces (U+0020 only) at the start or end of every line, or
// removes every space of the text. Line breaks never move.
class TextSpace
{
public:
    // Nothing when the spaces asked for would make the text longer than a
    // text can be.
    static std::optional<QString> process(const QString &text, const SpaceOptions &options);
    // The same in the text's own memory (one copy of a large text, not
    // two); changed tells whether any space was set or removed. False,
    // text as it was, where process() gives nothing.
    static bool processInPlace(QString &text, const SpaceOptions &options, bool &changed);
};

#endif // TEXTSPACE_H
