#include "keymatch.h"

namespace KeyMatch {

QString unescape(const QString &key)
{
    QString result = key;
    result.replace(QLatin1String("\\r"), QLatin1String("\r"));
    result.replace(QLatin1String("\\t"), QLatin1String("\t"));
    result.replace(QLatin1String("\\v"), QLatin1String("\v"));
    result.replace(QLatin1String("\\n"), QLatin1String("\n"));
    return result;
}

QRegularExpression::PatternOptions patternOptions(bool caseSensitive, bool greedy)
{
    QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption;
    if (!caseSensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    if (!greedy)
        options |= QRegularExpression::InvertedGreedinessOption;
    return options;
}

QRegularExpression expression(const QString &pattern, bool caseSensitive, bool greedy)
{
    return QRegularExpression(pattern, patternOptions(caseSensitive, greedy));
}

bool allValid(const QStringList &patterns)
{
    for (const QString &pattern : patterns) {
        if (!pattern.isEmpty() && !QRegularExpression(pattern).isValid())
            return false;
    }
    return true;
}

QStringList keysOf(const QString &text, const QString &separator)
{
    QStringList keys;
    if (separator.isEmpty()) {
        for (const QChar c : text)
            keys << QString(c);
        return keys;
    }
    for (const QString &part : text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive)) {
        if (!part.isEmpty())
            keys << part;
    }
    return keys;
}

} // namespace KeyMatch
