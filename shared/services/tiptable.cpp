#include "tiptable.h"

#include <QRegularExpression>
#include <QTime>

namespace {

const QString paragraphEnd = QStringLiteral("</p>");

// A pair without a row reports its group's number; a group of its own
// without one reports 00.
struct UnknownGroup
{
    int var1;
    const char *number;
};

constexpr UnknownGroup unknownGroups[] = {
    {0, "0"}, {-1, "1"}, {-2, "2"}, {-3, "3"}, {-4, "4"}, {-5, "5"}, {-6, "6"}, {-7, "7"}, {-9, "9"},
    {11, "7"}, // this group has always reported its unknown codes as 7
    {12, "12"}, {-11, "11"}, {14, "14"},
};

QString unknownMessage(int var1)
{
    for (const UnknownGroup &group : unknownGroups) {
        if (group.var1 == var1)
            return QStringLiteral(" ") + TipTable::emphasis(QStringLiteral("未知错误"), TipSeverity::Failure)
                + QStringLiteral("代码") + QLatin1String(group.number) + QStringLiteral("!") + paragraphEnd;
    }
    return TipTable::emphasis(QStringLiteral("未知错误"), TipSeverity::Failure) + QStringLiteral("代码00")
        + paragraphEnd;
}

// The HTML around an emphasised part: bold, and in the failure colour
// on a failure row.
QString emphasisOpen(TipSeverity severity)
{
    if (severity != TipSeverity::Failure)
        return QStringLiteral("<b>");
    return QStringLiteral("<b><font color='%1'>").arg(TipTable::failureColour().name(QColor::HexRgb).toUpper());
}

QString emphasisClose(TipSeverity severity)
{
    return severity == TipSeverity::Failure ? QStringLiteral("</font></b>") : QStringLiteral("</b>");
}

// The row's words as HTML.
QString html(const TipTable::Row &row)
{
    if (row.severity != TipSeverity::Failure)
        return row.words + paragraphEnd;
    QString text = row.words;
    text.replace(QLatin1String("<b>"), emphasisOpen(row.severity))
        .replace(QLatin1String("</b>"), emphasisClose(row.severity));
    return text + paragraphEnd;
}

// The words without the blanks they may begin with (also inside leading
// markup, as in "<b> 未选择</b>"): the line puts the one blank between the
// file name and the words itself.
QString withoutLeadingBlanks(const QString &html)
{
    int i = 0;
    QString text = html;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char('<')) {
            const int close = text.indexOf(QLatin1Char('>'), i);
            if (close < 0)
                break;
            i = close + 1;
        } else if (text.at(i).isSpace()) {
            text.remove(i, 1);
        } else {
            break;
        }
    }
    return text;
}

QString seconds(qint64 msecs)
{
    return QString::number(double(msecs) / 1000.0, 'f', 2);
}

} // namespace

const QList<TipTable::Row> &TipTable::rows()
{
#define SCRIVEL_TIP_ROW(name, var1, var2, severity, text) \
    Row{TipCode{var1, var2}, #name, TipSeverity::severity, QStringLiteral(text)},
    static const QList<Row> table = {SCRIVEL_TIPS(SCRIVEL_TIP_ROW)};
#undef SCRIVEL_TIP_ROW
    return table;
}

const TipTable::Row *TipTable::row(int var1, int var2)
{
    for (const Row &row : rows()) {
        if (row.code.is(var1, var2) || (row.code.var2 == TipCode::Counted && row.code.var1 == var1 && var2 > 0))
            return &row;
    }
    return nullptr;
}

TipSeverity TipTable::severity(int var1, int var2)
{
    const Row *found = row(var1, var2);
    return found ? found->severity : TipSeverity::Failure;
}

bool TipTable::isFailure(int var1, int var2)
{
    return severity(var1, var2) == TipSeverity::Failure;
}

QString TipTable::emphasis(const QString &words, TipSeverity severity)
{
    return emphasisOpen(severity) + words + emphasisClose(severity);
}

QString TipTable::message(int var1, int var2, int done, int expected)
{
    const Row *found = row(var1, var2);
    if (!found)
        return withoutLeadingBlanks(unknownMessage(var1));
    if (found->code == Tips::FreeText)
        return QString();
    if (found->code == Tips::JobDone)
        return withoutLeadingBlanks(html(*found).arg(done).arg(expected));
    if (found->code.var2 == TipCode::Counted)
        return withoutLeadingBlanks(html(*found).arg(var2));
    return withoutLeadingBlanks(html(*found));
}

QString TipTable::words(int var1, int var2, int done, int expected)
{
    return plainText(message(var1, var2, done, expected));
}

QString TipTable::summary(int done, int unchanged, int failed, qint64 msecs)
{
    const QString failures = failed > 0 ? emphasis(QStringLiteral("失败 %1 个").arg(failed), TipSeverity::Failure)
                                        : QStringLiteral("失败 0 个");
    // The words of (-4, 2), then the counts.
    return row(Tips::AllDone.var1, Tips::AllDone.var2)->words
        + QStringLiteral(" 完成 %1 个文件(其中无变化 %2 个), %3, 用时 %4 秒</p>")
              .arg(done)
              .arg(unchanged)
              .arg(failures)
              .arg(seconds(msecs));
}

QString TipTable::cancelSummary(int done, int failed, int untouched, qint64 msecs)
{
    // The words of (-4, 3), then the counts.
    return row(Tips::JobCancelled.var1, Tips::JobCancelled.var2)->words.trimmed()
        + QStringLiteral(" 完成 %1 个文件, 失败 %2 个, %3(保持原样), 用时 %4 秒</p>")
              .arg(done)
              .arg(failed)
              .arg(emphasis(QStringLiteral("%1 个文件未处理").arg(untouched), TipSeverity::Info))
              .arg(seconds(msecs));
}

QString TipTable::plainText(const QString &html)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(tags);
    return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

QString TipTable::prefix(const QString &time, int var1, int var2, const QString &fileName)
{
    QString text = time + QLatin1String("  ") + QString::number(var1) + QString::number(var2) + QLatin1Char(' ')
        + fileName;
    // One blank between a file name and the words, whatever the row's
    // words begin with; free text has no words after its name.
    if (!fileName.isEmpty() && !Tips::FreeText.is(var1, var2))
        text += QLatin1Char(' ');
    return text;
}

QString TipTable::line(const QTime &time, int var1, int var2, const QString &fileName, int done, int expected)
{
    return prefix(time.toString(), var1, var2, fileName).toHtmlEscaped() + message(var1, var2, done, expected);
}

QString TipTable::plainLine(const QTime &time, int var1, int var2, const QString &fileName, int done,
                            int expected)
{
    return prefix(time.toString(), var1, var2, fileName) + words(var1, var2, done, expected);
}
