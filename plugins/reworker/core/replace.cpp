#include "replace.h"

#include "regexreplace.h"

const ReplaceOptions &Replace2Options::forFile(const QString &fileName) const
{
    auto it = byFile.constFind(fileName);
    return it == byFile.constEnd() ? none : it.value();
}

namespace Replace {

namespace {

enum CharClass { Other, Digit, Letter, Ideograph };

CharClass classOf(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return Digit;
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return Letter;
    if (u >= 0x4E00 && u <= 0x9FA5)
        return Ideograph;
    return Other;
}

// Two neighbours that would make one word.
bool joined(QChar a, QChar b)
{
    const CharClass ca = classOf(a);
    return ca != Other && ca == classOf(b);
}

} // namespace

QList<ReplacePair> pairsOf(const QString &keys, const QString &replacements, const QString &separator)
{
    QList<ReplacePair> pairs;
    const QStringList keyLines = keys.split(QLatin1Char('\n'));
    const QStringList replacementLines = replacements.split(QLatin1Char('\n'));
    for (int i = 0; i < keyLines.size(); ++i) {
        const QString replacement = i < replacementLines.size() ? replacementLines.at(i) : QString();
        for (const QString &key : KeyMatch::keysOf(keyLines.at(i), separator))
            pairs << ReplacePair(key, replacement);
    }
    return pairs;
}

QList<ReplacePair> tablePairs(const QList<QStringList> &rows, int column, const QString &separator)
{
    QList<ReplacePair> pairs;
    for (const QStringList &cells : rows) {
        if (cells.isEmpty())
            continue;
        const QString replacement = column < cells.size() ? cells.at(column) : QString();
        for (const QString &key : KeyMatch::keysOf(cells.first(), separator))
            pairs << ReplacePair(key, replacement);
    }
    return pairs;
}

bool isUsable(const ReplaceOptions &options)
{
    if (options.pattern != Pattern::Regular)
        return true;
    QStringList keys;
    for (const ReplacePair &pair : options.pairs)
        keys << pair.first;
    return KeyMatch::allValid(keys);
}

QString replaceWholeWords(const QString &text, const QString &key, const QString &replacement,
                          Qt::CaseSensitivity cs)
{
    QString result = text;
    if (key.isEmpty())
        return result;
    const QChar first = key.front();
    const QChar last = key.back();
    int from = -1;
    while (true) {
        const int pos = result.lastIndexOf(key, from, cs);
        if (pos < 0)
            break;
        const int after = pos + key.size();
        const bool leadingJoined = pos > 0 && joined(result.at(pos - 1), first);
        const bool trailingJoined = after < result.size() && joined(last, result.at(after));
        if (!leadingJoined && !trailingJoined)
            result.replace(pos, key.size(), replacement);
        if (pos == 0)
            break;
        from = pos - 1;
    }
    return result;
}

QString apply(const QString &text, const ReplaceOptions &options)
{
    QString result = text;
    const Qt::CaseSensitivity cs = options.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const ReplacePair &pair : options.pairs) {
        if (pair.first.isEmpty())
            continue;
        switch (options.pattern) {
        case Pattern::Regular: {
            const RegexReplace re(pair.first, KeyMatch::patternOptions(options.caseSensitive, options.greedy));
            result = re.apply(result, pair.second);
            break;
        }
        case Pattern::Extend:
            result.replace(KeyMatch::unescape(pair.first), KeyMatch::unescape(pair.second), cs);
            break;
        case Pattern::Ordinary:
            if (options.wholeWord)
                result = replaceWholeWords(result, pair.first, pair.second, cs);
            else
                result.replace(pair.first, pair.second, cs);
            break;
        }
    }
    return result;
}

} // namespace Replace
