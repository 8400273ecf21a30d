#ifndef TEXTFORMAT_H
#define TEXTFORMAT_H

#include <QByteArray>

// How a file stored its text, as found when it was read, so that a rewrite
// changes only the text and keeps the file's own byte-order mark, encoding
// and line-ending style. A default record describes a brand-new file: the
// encoding [text] code gives new files, no byte-order mark, "\n" line ends.
struct TextFormat
{
    QByteArray codecName; // the codec read with; empty: a new file's encoding
    bool bom = false;     // the file started with a byte-order mark
    bool crlf = false;    // the file's line ends were "\r\n"

    bool operator==(const TextFormat &other) const
    {
        return codecName == other.codecName && bom == other.bom && crlf == other.crlf;
    }
    bool operator!=(const TextFormat &other) const { return !(*this == other); }
};

#endif // TEXTFORMAT_H
