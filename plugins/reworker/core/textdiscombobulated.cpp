#include "textdiscombobulated.h"

#include <utility>
#include <vector>

#include "linewriter.h"
#include "textlines.h"

namespace {

// Fisher-Yates: every order of the items is equally likely.
void permute(std::vector<QStringView> &items, QRandomGenerator &random)
{
    for (size_t q = items.size(); q > 1; --q)
        std::swap(items[q - 1], items[random.bounded(quint32(q))]);
}

// The pieces of `count` code points of line (the last may be shorter).
void cutPieces(QStringView line, int count, std::vector<QStringView> &pieces)
{
    pieces.clear();
    const int len = line.size();
    int start = 0;
    while (start < len) {
        int end = start;
        for (int n = 0; n < count && end < len; ++n) {
            const bool pair = line.at(end).isHighSurrogate() && end + 1 < len
                              && line.at(end + 1).isLowSurrogate();
            end += pair ? 2 : 1;
        }
        pieces.push_back(line.mid(start, end - start));
        start = end;
    }
}

} // namespace

QString TextDiscombobulated::shuffle(const QString &text, const DiscombobulatedOptions &options)
{
    QRandomGenerator random = QRandomGenerator::securelySeeded();
    return shuffle(text, options, random);
}

QString TextDiscombobulated::shuffle(const QString &text, const DiscombobulatedOptions &options,
                                     QRandomGenerator &random)
{
    if (!options.isValid())
        return text;
    LineWriter writer(text.size());
    bool finalBreak = false;
    if (options.pattern == DiscombobulatedOptions::Paragraph) {
        std::vector<QStringView> lines;
        finalBreak = TextLines::forEach(text, [&lines](QStringView line) { lines.push_back(line); });
        permute(lines, random);
        for (QStringView line : lines)
            writer.next() += line;
    } else {
        std::vector<QStringView> pieces;
        finalBreak = TextLines::forEach(text, [&](QStringView line) {
            cutPieces(line, options.count, pieces);
            permute(pieces, random);
            QString &out = writer.next();
            for (QStringView piece : pieces)
                out += piece;
        });
    }
    return writer.finish(finalBreak);
}
