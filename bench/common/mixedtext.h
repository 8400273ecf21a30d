#ifndef MIXEDTEXT_H
#define MIXEDTEXT_H

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

// One file's worth of text for the benchmarks: lines of Chinese words,
// ASCII words, numbers, blanks and punctuation, exactly size bytes of
// UTF-8 (size of at least 32).
inline QByteArray mixedText(QRandomGenerator &random, int size)
{
    static const char *const punctuation[] = { "，", "。", "！", "：", "“", "”", ", ", ". ", "; " };
    QByteArray bytes;
    bytes.reserve(size);
    int lineLength = 0;
    // A piece and a line end take at most 19 bytes; ASCII fills the rest.
    while (bytes.size() < size - 24) {
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
        if (++lineLength > 30 + int(random.bounded(40))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < size - 1)
        bytes += 'x';
    bytes += '\n';
    return bytes;
}

#endif // MIXEDTEXT_H
