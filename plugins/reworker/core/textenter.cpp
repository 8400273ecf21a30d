#include "textenter.h"

#include "textlines.h"

QString TextEnter::process(const QString &text, const EnterOptions &options)
{
    const QString separator(qMax(options.breaks, 0), QLatin1Char('\n'));
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
