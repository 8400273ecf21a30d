#ifndef MIXEDTEXT_H
#define MIXEDTEXT_H

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

// Lines of pieces, exactly size bytes: piece(bytes) appends one piece; a
// line ends once it has more than lineMin plus a random number below
// lineSpread pieces. When fewer than margin bytes are left (room for the
// longest piece and a line end), pad fills the rest but the final "\n".
template <class Piece>
QByteArray linesOfPieces(QRandomGenerator &random, qint64 size, int margin, int lineMin, int lineSpread, char pad,
                         Piece piece)
{
    QByteArray bytes;
    bytes.reserve(int(size));
    int lineLength = 0;
    while (bytes.size() < size - margin) {
        piece(bytes);
        if (++lineLength > lineMin + int(random.bounded(lineSpread))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < size - 1)
        bytes += pad;
    bytes += '\n';
    return bytes;
}

// One file's worth of text for the benchmarks: lines of Chinese words,
// ASCII words, numbers, blanks and punctuation, exactly size bytes of
// UTF-8 (size of at least 32).
inline QByteArray mixedText(QRandomGenerator &random, int size)
{
    static const char *const punctuation[] = { "，", "。", "！", "：", "“", "”", ", ", ". ", "; " };
    // A piece and a line end take at most 19 bytes.
    return linesOfPieces(random, size, 24, 30, 40, 'x', [&random](QByteArray &bytes) {
        const quint32 kind = random.bounded(10);
        if (kind < 5) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += QString(QChar(ushort(0x4E00 + random.bounded(0x51A6)))).toUtf8();
        } else if (kind < 7) {
            for (int i = 1 + int(random.bounded(8)); i > 0; --i)
                bytes += char('a' + random.bounded(26) - (random.bounded(5) == 0 ? 32 : 0));
            bytes += ' ';
        } else if (kind < 9) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += char('0' + random.bounded(10));
        } else {
            bytes += punctuation[random.bounded(int(sizeof punctuation / sizeof *punctuation))];
        }
    });
}

#endif // MIXEDTEXT_H
