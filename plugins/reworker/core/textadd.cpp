#include "textadd.h"

#include "textlines.h"

QString TextAdd::piece(const QString &s, const AddOptions &options)
{
    const int count = options.lengthOption == AddOptions::fixLength ? options.length
                                                                    : s.size() - options.length;
    // A count below 1 (all of the line taken away, or more) copies nothing,
    // rather than the rest of the line.
    if (count <= 0 || options.start < 0 || options.start >= s.size())
        return QString();
    return s.mid(options.start, count);
}

QString TextAdd::process(const QString &text, const AddOptions &options)
{
    auto add = [&options](const QString &s) {
        const QString copy = piece(s, options);
        return options.index == AddOptions::Left ? copy + s : s + copy;
    };
    TextLines lines = TextLines::split(text);
    if (options.perLine) {
        for (QString &line : lines.lines)
            line = add(line);
        return lines.join();
    }
    const QString body = lines.finalBreak ? text.left(text.size() - 1) : text;
    const QString result = add(body);
    return lines.finalBreak ? result + QLatin1Char('\n') : result;
}
