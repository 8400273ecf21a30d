#include "blocks.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <functional>

#include "textlines.h"

namespace Blocks {

namespace {

// The keyword groups: the lines of the keywords (a final line break starts
// no group), each split at the separator; groups without a keyword are
// dropped.
QList<QStringList> groupsOf(const BlockOptions &o)
{
    QList<QStringList> groups;
    for (const QString &line : TextLines::split(o.keywords).lines) {
        QStringList keys = KeyMatch::keysOf(line, o.separator);
        if (o.pattern == Pattern::Extend) {
            for (QString &key : keys)
                key = KeyMatch::unescape(key);
        }
        if (!keys.isEmpty())
            groups << keys;
    }
    return groups;
}

QStringList patternLines(const QString &patterns)
{
    QStringList lines;
    for (const QString &line : TextLines::split(patterns).lines) {
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace

bool isUsable(const BlockOptions &options)
{
    const QList<QStringList> groups = groupsOf(options);
    if (groups.isEmpty())
        return false;
    if (options.pattern != Pattern::Regular)
        return true;
    for (const QStringList &group : groups) {
        if (!KeyMatch::allValid(group))
            return false;
    }
    return true;
}

QString filterLines(const QString &text, const BlockOptions &o)
{
    const QList<QStringList> groups = groupsOf(o);
    // Each keyword as a test of one line, compiled once per text.
    QList<QList<std::function<bool(const QString &)>>> tests;
    const Qt::CaseSensitivity cs = o.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const QStringList &group : groups) {
        QList<std::function<bool(const QString &)>> groupTests;
        for (const QString &key : group) {
            if (o.pattern == Pattern::Regular) {
                const QRegularExpression re = KeyMatch::expression(key, o.caseSensitive, o.greedy);
                groupTests << [re](const QString &line) { return re.isValid() && re.match(line).hasMatch(); };
            } else {
                groupTests << [key, cs](const QString &line) { return line.contains(key, cs); };
            }
        }
        tests << groupTests;
    }

    const TextLines lines = TextLines::split(text);
    QStringList kept;
    for (const QString &line : lines.lines) {
        bool keep;
        if (o.implement == BlockOptions::Retain) {
            keep = false;
            for (const auto &group : tests) {
                bool all = true;
                for (const auto &test : group) {
                    if (!test(line)) {
                        all = false;
                        break;
                    }
                }
                if (all) {
                    keep = true;
                    break;
                }
            }
        } else {
            keep = true;
            for (const auto &group : tests) {
                for (const auto &test : group) {
                    if (test(line)) {
                        keep = false;
                        break;
                    }
                }
                if (!keep)
                    break;
            }
        }
        if (keep)
            kept << line;
    }
    return lines.join(kept);
}

bool isUsable(const RetainOptions &options)
{
    const QStringList patterns = patternLines(options.patterns);
    return !patterns.isEmpty() && KeyMatch::allValid(patterns);
}

QString retainMatches(const QString &text, const RetainOptions &o)
{
    QStringList pieces;
    for (const QString &pattern : patternLines(o.patterns)) {
        const QRegularExpression re = KeyMatch::expression(pattern, o.caseSensitive, o.greedy);
        if (!re.isValid())
            continue;
        QRegularExpressionMatchIterator it = re.globalMatch(text);
        while (it.hasNext())
            pieces << it.next().captured(0);
    }
    QString result = pieces.join(QLatin1Char('\n'));
    if (result.endsWith(QLatin1Char('\n')))
        result.chop(1);
    return result;
}

} // namespace Blocks
