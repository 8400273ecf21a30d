#ifndef TEXTFORMAT_H
#define TEXTFORMAT_H

#include <QByteArray>

// How a file stored its text, as found when it was read, so that a rewrite
// changes only the text and keeps the file's own byte-order mark, encoding
// and line-ending style. A default record describes a brand-new file: the
// process's locale codec, no byte-order mark, "\n" line ends.
struct TextFormat
{
    QByteArray codecName; // empty: the locale codec in force when writing
    bool bom = false;     // the file started with a byte-order mark
    bool crlf = false;    // the file's line ends were "\r\n"
};

#endif // TEXTFORMAT_H
