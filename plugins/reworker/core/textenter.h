#ifndef TEXTENTER_H
#define TEXTENTER_H

#include <QString>

#include <optional>

#include "optionrecord.h"

// Options of the blank-line operation: how many line breaks join two lines
// (1 puts the lines right under each other, 2 leaves one blank line).
struct EnterOptions : OptionRecord
{
    int breaks = 1;
};

// Removes the empty lines (a line of spaces or tabs is not empty) and joins
// the others with `breaks` line breaks. A final line break of the text
// stays the single break that ends the last line.
class TextEnter
{
public:
    // Nothing when the breaks asked for would make the text longer than a
    // text can be.
    static std::optional<QString> process(const QString &text, const EnterOptions &options);
};

#endif // TEXTENTER_H
