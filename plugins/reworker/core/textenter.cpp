#include "textenter.h"

#include "textlines.h"

std::optional<QString> TextEnter::process(const QString &text, const EnterOptions &options)
{
    const int breaks = qMax(options.breaks, 0);
    const int lineBreaks = text.count(QLatin1Char('\n'));
    if (text.size() + qint64(lineBreaks) * breaks > TextLines::MaxSize)
        return std::nullopt;
    // (A text of one line never needs the separator.)
    const QString separator(lineBreaks > 0 ? breaks : 0, QLatin1Char('\n'));
    QString out;
    out.reserve(text.size());
    bool any = false;
    const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
        if (line.isEmpty())
            return;
        if (any)
            out += separator;
        out += line;
        any = true;
    });
    if (finalBreak && any)
        out += QLatin1Char('\n');
    return out;
}
