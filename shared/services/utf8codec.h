#ifndef UTF8CODEC_H
#define UTF8CODEC_H

#include <QByteArray>
#include <QString>

// Strict UTF-8 for the file reader and writer, in one pass each way with
// runs of ASCII converted sixteen (eight) units at a time. Reading takes
// about a third of the time of a general codec followed by the check that
// the text encodes back to its bytes.
//
// decode() accepts only well-formed UTF-8: no stray continuation byte, no
// unfinished sequence, no overlong form, no surrogate, nothing above
// U+10FFFF. Those are exactly the byte strings that are the one encoding of
// their text, so encoding the result again always gives the same bytes and
// no separate round-trip check is needed.
class Utf8Codec
{
public:
    struct LineEnds
    {
        int crlf = 0; // "\r\n" pairs, each read as a single "\n"
        int lf = 0;   // every "\n", those of the pairs included
    };

    // Decodes size bytes into text, "\r\n" read as "\n"; false (text left
    // as it was) for bytes that are not well-formed UTF-8.
    static bool decode(const char *bytes, int size, QString &text, LineEnds *ends = nullptr);
    // Encodes text, each "\n" written as "\r\n" when crlf is set, after
    // prefix (a byte-order mark, say); false for a lone surrogate, which
    // UTF-8 cannot hold, or a result beyond what one array can hold.
    static bool encode(const QString &text, bool crlf, QByteArray &bytes, const QByteArray &prefix = QByteArray());
    // The same for size units from units; a piece of a text must not end
    // between the two units of a surrogate pair.
    static bool encode(const QChar *units, int size, bool crlf, QByteArray &bytes,
                       const QByteArray &prefix = QByteArray());
    // The exact encoded size of size units; -1 for a lone surrogate.
    static qint64 encodedSize(const QChar *units, int size, bool crlf);

    // Decodes a text that arrives in pieces (a large file read a piece at
    // a time), with the same result and refusals as decode() of the whole.
    // Decodes size bytes into out, which has room for size units; unless
    // last, stops before a sequence (or a "\r") that the piece cuts off.
    // consumed: the bytes used (the rest begins the next piece); written:
    // the units put into out; crlf counts the "\r\n" read as "\n".
    static bool decodePiece(const char *bytes, int size, bool last, ushort *out, int &consumed, int &written,
                            int &crlf);
};

#endif // UTF8CODEC_H
