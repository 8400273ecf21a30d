#include "textextraction.h"

#include <vector>

#include "linewriter.h"
#include "textlines.h"

namespace {

// composite[n] for n = 0 … last: a sieve of Eratosthenes, linear enough for
// texts of millions of lines.
std::vector<bool> compositesUpTo(int last)
{
    std::vector<bool> composite(size_t(last) + 1, false);
    for (int n = 0; n <= qMin(last, 1); ++n)
        composite[size_t(n)] = true;
    for (qint64 p = 2; p * p <= last; ++p) {
        if (composite[size_t(p)])
            continue;
        for (qint64 m = p * p; m <= last; m += p)
            composite[size_t(m)] = true;
    }
    return composite;
}

// selected[i] for the 0-based indexes of the list "2,0" or ",0,2,".
std::vector<bool> listedIndexes(const QString &list, int lines)
{
    std::vector<bool> selected(size_t(lines), false);
    for (const QStringRef &entry : list.splitRef(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int index = entry.toInt(&ok);
        if (ok && index >= 0 && index < lines)
            selected[size_t(index)] = true;
    }
    return selected;
}

} // namespace

QString TextExtraction::process(const QString &text, const TextExtractionOption &options)
{
    if (!options.isValid() || text.isEmpty())
        return text;
    const int lines = text.count(QLatin1Char('\n')) + 1;
    std::vector<bool> table;
    if (options.index == TextExtractionOption::Given && options.given == TextExtractionOption::PrimeNumber)
        table = compositesUpTo(lines);
    else if (options.index == TextExtractionOption::Custom)
        table = listedIndexes(options.numberList, lines);

    auto selected = [&](int n, QStringView line) -> bool {
        switch (options.index) {
        case TextExtractionOption::Given:
            switch (options.given) {
            case TextExtractionOption::UnevenNumber:
                return n % 2 == 1;
            case TextExtractionOption::EvenNumbers:
                return n % 2 == 0;
            default:
                return !table[size_t(n)];
            }
        case TextExtractionOption::Modulus:
            return n % options.divisor == options.modulus;
        case TextExtractionOption::Custom:
            return table[size_t(n - 1)];
        case TextExtractionOption::Pos:
            switch (options.pos) {
            case TextExtractionOption::Left:
                return line.startsWith(options.content);
            case TextExtractionOption::Right:
                return line.endsWith(options.content);
            default:
                return line.contains(options.content);
            }
        }
        return false;
    };

    LineWriter writer(text.size());
    int n = 0;
    const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
        if (selected(++n, line) == options.retain)
            writer.next() += line;
    });
    return writer.finish(finalBreak);
}
