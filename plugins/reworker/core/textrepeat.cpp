#include "textrepeat.h"

#include <QSet>

#include "linewriter.h"
#include "textlines.h"

QString TextRepeat::process(const QString &text, const RepeatOptions &options)
{
    QSet<QStringView> seen;
    LineWriter writer(text.size());
    const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
        const QStringView key = options.ignoreOuterSpace ? line.trimmed() : line;
        if (seen.contains(key))
            return;
        seen.insert(key);
        writer.next() += line;
    });
    return writer.finish(finalBreak);
}
