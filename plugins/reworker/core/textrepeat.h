#ifndef TEXTREPEAT_H
#define TEXTREPEAT_H

#include <QString>

#include "optionrecord.h"

// Options of the repeated-line removal.
struct RepeatOptions : OptionRecord
{
    // Compare lines without their leading and trailing white space.
    bool ignoreOuterSpace = false;
};

// Drops every line that equals an earlier line, keeping the first one and
// the order of the rest. The first line always stays, so a text that has
// any line never becomes empty.
class TextRepeat
{
public:
    static QString process(const QString &text, const RepeatOptions &options);
};

#endif // TEXTREPEAT_H
