#include "textspace.h"

#include "linewriter.h"
#include "textlines.h"

namespace {

// How many spaces a side that has `found` of them keeps or gets.
int spacesAfter(int found, const SpaceOptions &options)
{
    const int count = qMax(options.count, 0);
    switch (options.implement) {
    case SpaceOptions::Increase:
        return found + count;
    case SpaceOptions::Retain:
        return qMin(found, count);
    case SpaceOptions::Fixde:
        return count;
    case SpaceOptions::Delete:
        return count == 0 ? 0 : qMax(found - count, 0);
    }
    return found;
}

void appendSpaces(QString &out, int n)
{
    for (int i = 0; i < n; ++i)
        out += QLatin1Char(' ');
}

} // namespace

namespace {

// The spaces at the start (left) or end of a line.
int spacesAt(QStringView line, bool left)
{
    const int len = line.size();
    int found = 0;
    if (left) {
        while (found < len && line.at(found) == QLatin1Char(' '))
            ++found;
    } else {
        while (found < len && line.at(len - 1 - found) == QLatin1Char(' '))
            ++found;
    }
    return found;
}

} // namespace

bool TextSpace::processInPlace(QString &text, const SpaceOptions &options, bool &changed)
{
    changed = false;
    if (options.index == SpaceOptions::All) {
        changed = text.contains(QLatin1Char(' '));
        if (changed)
            text.remove(QLatin1Char(' '));
        return true;
    }
    const bool left = options.index == SpaceOptions::Left;
    const auto length = [&](QStringView line) {
        const int found = spacesAt(line, left);
        const int spaces = spacesAfter(found, options);
        if (spaces != found)
            changed = true;
        return qint64(line.size()) - found + spaces;
    };
    const auto write = [&](QStringView line, QChar *out) {
        const int found = spacesAt(line, left);
        const int spaces = spacesAfter(found, options);
        if (left) {
            // The kept text first: the spaces may only be written over
            // what has been moved already.
            TextLines::moveUnits(out + spaces, line.data() + found, line.size() - found);
            std::fill(out, out + spaces, QLatin1Char(' '));
        } else {
            TextLines::moveUnits(out, line.data(), line.size() - found);
            std::fill(out + line.size() - found, out + line.size() - found + spaces, QLatin1Char(' '));
        }
    };
    const bool ok = TextLines::rewriteInPlace(text, length, write);
    if (!ok)
        changed = false;
    return ok;
}

std::optional<QString> TextSpace::process(const QString &text, const SpaceOptions &options)
{
    if (options.index == SpaceOptions::All) {
        QString result = text;
        return result.remove(QLatin1Char(' '));
    }

    const bool left = options.index == SpaceOptions::Left;
    auto spacesAt = [left](QStringView line) {
        const int len = line.size();
        int found = 0;
        if (left) {
            while (found < len && line.at(found) == QLatin1Char(' '))
                ++found;
        } else {
            while (found < len && line.at(len - 1 - found) == QLatin1Char(' '))
                ++found;
        }
        return found;
    };

    // The exact size first, so a large text is not held with room to spare.
    qint64 size = text.size();
    TextLines::forEach(text, [&](QStringView line) {
        const int found = spacesAt(line);
        size += spacesAfter(found, options) - found;
    });
    if (size > TextLines::MaxSize)
        return std::nullopt;
    LineWriter writer(static_cast<int>(size));
    const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
        const int found = spacesAt(line);
        const int spaces = spacesAfter(found, options);
        QString &out = writer.next();
        if (left) {
            appendSpaces(out, spaces);
            out += line.mid(found);
        } else {
            out += line.left(line.size() - found);
            appendSpaces(out, spaces);
        }
    });
    return writer.finish(finalBreak);
}
