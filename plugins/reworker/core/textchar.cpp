#include "textchar.h"

#include "textlines.h"

namespace {

// s without count characters from from on; both are clamped to the string,
// and a count of 0 or less removes nothing.
QString cut(const QString &s, int from, int count)
{
    from = qBound(0, from, s.size());
    count = qMin(count, s.size() - from);
    if (count <= 0)
        return s;
    QString result = s;
    return result.remove(from, count);
}

} // namespace

QString TextChar::transform(const QString &s, const CharOptions &options)
{
    const int len = s.size();
    const int p = options.position;
    switch (options.implement) {
    case CharOptions::Increase:
        switch (options.index) {
        case CharOptions::Left:
            return options.value + s;
        case CharOptions::Right:
            return s + options.value;
        case CharOptions::Pos: {
            QString result = s;
            return p >= len ? result.append(options.value) : result.insert(qMax(p, 0), options.value);
        }
        }
        break;
    case CharOptions::Delete: {
        const int n = options.count();
        // fixLength removes n characters; TotalLengthMinus removes all but n.
        const int removed = options.lengthOption == CharOptions::fixLength ? n : len - n;
        switch (options.index) {
        case CharOptions::Left:
            return cut(s, 0, removed);
        case CharOptions::Right:
            return cut(s, len - qMin(removed, len), removed);
        case CharOptions::Pos:
            return cut(s, p, removed);
        }
        break;
    }
    case CharOptions::Retain: {
        const int n = options.count();
        switch (options.index) {
        case CharOptions::Left:
            return s.left(n);
        case CharOptions::Right:
            return s.right(n);
        case CharOptions::Pos:
            return s.mid(p, n);
        }
        break;
    }
    }
    return s;
}

std::optional<QString> TextChar::process(const QString &text, const CharOptions &options)
{
    if (options.implement == CharOptions::Increase
        && text.size() + qint64(text.count(QLatin1Char('\n')) + 1) * options.value.size() > TextLines::MaxSize)
        return std::nullopt;
    TextLines lines = TextLines::split(text);
    if (options.perLine) {
        for (QString &line : lines.lines)
            line = transform(line, options);
        return lines.join();
    }
    // The whole text as one string, its final line break kept aside.
    const QString body = lines.finalBreak ? text.left(text.size() - 1) : text;
    const QString result = transform(body, options);
    return lines.finalBreak ? result + QLatin1Char('\n') : result;
}
