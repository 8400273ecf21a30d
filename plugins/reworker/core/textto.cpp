#include "textto.h"

#include <QHash>
#include <QRegularExpression>

#include "textlines.h"
#include "traditionconverter.h"

namespace {

// Qt 5 writes a negative number in another base than 10 as its 64-bit two's
// complement; a number in any base keeps its sign here.
QString numberText(qlonglong value, int base)
{
    if (value >= 0)
        return QString::number(value, base);
    return QLatin1Char('-') + QString::number(0 - qulonglong(value), base);
}

} // namespace

namespace TextConvert {

QString convertCase(const QString &text, int caseTo, int caseWhich)
{
    const bool upper = caseTo == TextToOption::ToCapital;
    if (caseWhich == TextToOption::All)
        return upper ? text.toUpper() : text.toLower();

    // The letter is the last character of each match; matches are found
    // in the text as it was, so a changed letter never starts a new match.
    static const QRegularExpression lowerFirst(QStringLiteral("(\\n|^)\\s*[a-z]"));
    static const QRegularExpression lowerWord(QStringLiteral("((\\n|^)\\s*|\\s)[a-z]"));
    static const QRegularExpression upperFirst(QStringLiteral("(\\n|^)\\s*[A-Z]"));
    static const QRegularExpression upperWord(QStringLiteral("((\\n|^)\\s*|\\s)[A-Z]"));
    const QRegularExpression &re = upper ? (caseWhich == TextToOption::ParagraphFist ? lowerFirst : lowerWord)
                                         : (caseWhich == TextToOption::ParagraphFist ? upperFirst : upperWord);
    QString result = text;
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext()) {
        const int at = it.next().capturedEnd() - 1;
        const ushort c = text.at(at).unicode();
        result[at] = QChar(upper ? c - 'a' + 'A' : c - 'A' + 'a');
    }
    return result;
}

QString convertWidth(const QString &text, bool toHalf)
{
    const ushort grave = 0x60;
    const ushort middleDot = 0xB7;
    QString result = text;
    QChar *data = result.data();
    for (int i = 0; i < result.size(); ++i) {
        const ushort c = data[i].unicode();
        if (toHalf) {
            if (c == middleDot)
                data[i] = QChar(grave);
            else if (c >= 0xFF01 && c <= 0xFF5E && c != grave + 0xFEE0)
                data[i] = QChar(ushort(c - 0xFEE0));
        } else {
            if (c == grave)
                data[i] = QChar(middleDot);
            else if (c >= 0x21 && c <= 0x7E)
                data[i] = QChar(ushort(c + 0xFEE0));
        }
    }
    return result;
}

std::optional<QString> convertBaseLines(const QString &text, int fromBase, int toBase)
{
    TextLines lines = TextLines::split(text);
    for (QString &line : lines.lines) {
        bool ok = false;
        const qlonglong value = line.toLongLong(&ok, fromBase);
        if (!ok)
            return std::nullopt;
        line = numberText(value, toBase);
    }
    return lines.join();
}

QString convertBaseRuns(const QString &text, int fromBase, int toBase)
{
    // The digits of the base: 0-9 as far as they go, then letters in
    // either case (base 16: [0-9a-fA-F]).
    QString digits = QStringLiteral("0-%1").arg(std::min(fromBase, 10) - 1);
    if (fromBase > 10) {
        const QChar last('a' + fromBase - 11);
        digits += QStringLiteral("a-%1A-%2").arg(last).arg(last.toUpper());
    }
    const QRegularExpression run(QLatin1Char('[') + digits + QStringLiteral("]+"));
    QString result;
    result.reserve(text.size() * 2);
    int copied = 0;
    QRegularExpressionMatchIterator it = run.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += QStringView(text).mid(copied, m.capturedStart() - copied);
        result += numberText(m.capturedRef().toLongLong(nullptr, fromBase), toBase);
        copied = m.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

QString convertCustom(const QString &text, const QStringList &from, const QStringList &to, bool sequential)
{
    const int count = std::min(from.size(), to.size());
    if (sequential) {
        QString result = text;
        for (int k = 0; k < count; ++k) {
            if (!from.at(k).isEmpty())
                result.replace(from.at(k), to.at(k));
        }
        return result;
    }
    // One character (one code point) per key; the first rule of a key wins.
    QHash<uint, int> rules;
    for (int k = 0; k < count; ++k) {
        const QString &key = from.at(k);
        const QVector<uint> points = key.toUcs4();
        if (points.size() == 1 && !rules.contains(points.at(0)))
            rules.insert(points.at(0), k);
    }
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size();) {
        int n = 1;
        uint point = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            point = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            n = 2;
        }
        const auto rule = rules.constFind(point);
        if (rule != rules.constEnd())
            result += to.at(*rule);
        else
            result += QStringView(text).mid(i, n);
        i += n;
    }
    return result;
}

std::optional<QString> convert(const QString &text, const TextToOption &options)
{
    switch (options.implement) {
    case TextToOption::Case:
        return convertCase(text, options.caseTo, options.caseWhich);
    case TextToOption::Half:
        return convertWidth(text, options.toHalf);
    case TextToOption::Base:
        if (!isValidBase(options.fromBase) || !isValidBase(options.toBase))
            return std::nullopt;
        if (options.lineFormat)
            return convertBaseLines(text, options.fromBase, options.toBase);
        return convertBaseRuns(text, options.fromBase, options.toBase);
    case TextToOption::Tradition:
        return options.tradition ? options.tradition->convert(text) : text;
    case TextToOption::Custom:
        return convertCustom(text, options.customFrom, options.customTo, options.sequential);
    default:
        return text;
    }
}

} // namespace TextConvert

QString TextTo::processText()
{
    const TextToOption *o = options<TextToOption>();
    if (o->implement != TextToOption::Tradition || !o->tradition)
        return CheckedTextJob::processText();
    int undecided = 0;
    QString result;
    if (isPreview()) {
        // A preview marks each such character with its forms.
        std::vector<TraditionConverter::Undecided> found;
        result = o->tradition->convert(m_text, &undecided, &found);
        QVector<PreviewMark> marks;
        marks.reserve(int(found.size()));
        for (TraditionConverter::Undecided &u : found)
            marks << PreviewMark{u.at, u.length, std::move(u.candidates)};
        setResultMarks(std::move(marks));
    } else {
        result = o->tradition->convert(m_text, &undecided);
    }
    if (undecided > 0)
        emitTip(Tips::UndecidedCharacters.withCount(undecided), m_fileName);
    return result;
}
