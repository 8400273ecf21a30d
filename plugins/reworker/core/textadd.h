#ifndef TEXTADD_H
#define TEXTADD_H

#include <QString>

#include "optionrecord.h"

// Options of the append operation: which piece of a line's own text (from
// `start`, `length` characters, or all but `length` of the line's length)
// is copied, and at which side the copy is added.
struct AddOptions : OptionRecord
{
    enum Index { Left = 0, Right = 1 };
    enum LengthOption { fixLength = 0, TotalLengthMinus = 1 };

    bool perLine = true;
    Index index = Left;
    int start = 0;
    LengthOption lengthOption = fixLength;
    int length = 0;
};

// Adds to every line (or to the whole text) a copy of a piece of its own
// text, at its start or its end. A final line break stays where it is.
class TextAdd
{
public:
    static QString process(const QString &text, const AddOptions &options);

    // The piece of s that is copied.
    static QString piece(const QString &s, const AddOptions &options);
};

#endif // TEXTADD_H
