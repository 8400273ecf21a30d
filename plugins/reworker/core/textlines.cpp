#include "textlines.h"

TextLines TextLines::split(const QString &text)
{
    TextLines result;
    if (text.isEmpty())
        return result;
    result.finalBreak = text.endsWith(QLatin1Char('\n'));
    const int end = result.finalBreak ? text.size() - 1 : text.size();
    result.lines = text.left(end).split(QLatin1Char('\n'));
    return result;
}

QString TextLines::join() const
{
    return join(lines);
}

QString TextLines::join(const QStringList &other) const
{
    if (other.isEmpty())
        return QString();
    QString text = other.join(QLatin1Char('\n'));
    if (finalBreak)
        text += QLatin1Char('\n');
    return text;
}
