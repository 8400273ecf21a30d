#include "newvariableint.h"

#include <QTextCodec>

#include "bufferedwriter.h"
#include "saturating.h"

namespace {

using Segment = NewVariableOptions::Segment;

// The template cut at the variables' names, name by name in table order;
// a piece is literal text or the place of one variable's value.
struct Piece {
    QString literal;
    int variable = -1;
};

QVector<Piece> cut(const QString &model, const QList<NewVariable> &variables)
{
    QVector<Piece> pieces{ Piece{ model, -1 } };
    for (int i = 0; i < variables.size(); ++i) {
        const QString &name = variables.at(i).name;
        QVector<Piece> next;
        for (const Piece &piece : pieces) {
            if (piece.variable >= 0) {
                next << piece;
                continue;
            }
            int from = 0;
            int at;
            while ((at = piece.literal.indexOf(name, from)) >= 0) {
                next << Piece{ piece.literal.mid(from, at - from), -1 } << Piece{ QString(), i };
                from = at + name.size();
            }
            next << Piece{ piece.literal.mid(from), -1 };
        }
        pieces = next;
    }
    return pieces;
}

// The characters variable i's values are made of.
QString valueChars(const NewVariable &variable)
{
    return QStringLiteral("0123456789-") + variable.padContent;
}

bool sharesChar(const QString &a, const QString &b)
{
    for (const QChar c : a) {
        if (b.contains(c))
            return true;
    }
    return false;
}

// The characters that can stand right beside piece `at` (step -1: on its
// left, +1: on its right) at the moment variable k is replaced; empty at
// the line's edge.
QString neighbour(const QVector<Piece> &pieces, const QList<NewVariable> &variables, int at, int step, int k)
{
    for (int p = at + step; p >= 0 && p < pieces.size(); p += step) {
        const Piece &piece = pieces.at(p);
        if (piece.variable < 0) {
            if (piece.literal.isEmpty())
                continue;
            return step < 0 ? piece.literal.right(1) : piece.literal.left(1);
        }
        if (piece.variable < k)
            return valueChars(variables.at(piece.variable));
        // Not replaced yet at that moment: still the variable's name.
        const QString &name = variables.at(piece.variable).name;
        return step < 0 ? name.right(1) : name.left(1);
    }
    return QString();
}

// Whether replacing variable k could find its name across a value of an
// earlier variable that sits at piece `at`. The part of the name that
// covers the value is made of value characters; the line must offer,
// right beside the value, a character that the name has next to that part.
bool mayOverlap(const QVector<Piece> &pieces, const QList<NewVariable> &variables, int at, int k)
{
    const QString chars = valueChars(variables.at(pieces.at(at).variable));
    const QString &name = variables.at(k).name;
    int start = 0;
    while (start < name.size()) {
        if (!chars.contains(name.at(start))) {
            ++start;
            continue;
        }
        int end = start;
        while (end < name.size() && chars.contains(name.at(end)))
            ++end;
        if (start == 0 || end == name.size())
            return true;
        const QString run = name.mid(start, end - start);
        const bool left = sharesChar(neighbour(pieces, variables, at, -1, k), name.at(start - 1) + run);
        const bool right = sharesChar(neighbour(pieces, variables, at, +1, k), name.at(end) + run);
        if (left && right)
            return true;
        start = end;
    }
    return false;
}

bool encode(QTextCodec *codec, const QString &text, QByteArray &bytes)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    bytes = codec->fromUnicode(text.constData(), text.size(), &state);
    return state.invalidChars == 0;
}

// Decimal digits of value into the end of buffer; returns where they start.
char *formatDecimal(qint64 value, char *end)
{
    char *p = end;
    quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    return p;
}

quint64 paddedLength(int length, int padLength, int padBytes)
{
    if (padLength != 0 && padLength > length)
        return quint64(length) + quint64(padLength - length) * quint64(padBytes);
    return quint64(length);
}

// Sum of the padded text lengths of the values a .. b.
quint64 lengthSum(qint64 a, qint64 b, int padLength, int padBytes)
{
    using namespace Saturating;
    quint64 total = 0;
    qint64 low = 0;
    qint64 high = 9;
    for (int digits = 1; digits <= 18; ++digits) {
        // Non-negative values with this many digits, and negative ones
        // whose magnitude has them (one character more for the sign).
        const qint64 from = qMax(a, low), to = qMin(b, high);
        if (from <= to)
            total = add(total, mul(quint64(to - from + 1), paddedLength(digits, padLength, padBytes)));
        const qint64 negFrom = qMax(a, -high), negTo = qMin(b, digits == 1 ? qint64(-1) : -low);
        if (negFrom <= negTo)
            total = add(total, mul(quint64(negTo - negFrom + 1), paddedLength(digits + 1, padLength, padBytes)));
        low = high + 1;
        high = high * 10 + 9;
    }
    return total;
}

} // namespace

NewVariableInt::NewVariableInt(const QString &fileName, const NewVariableOptions *options, qint64 first,
                               qint64 last, QObject *parent)
    : NewJob(fileName, options, QStringLiteral("variableInt"), parent)
    , m_first(first)
    , m_last(last)
{
}

bool NewVariableInt::prepare(NewVariableOptions &options)
{
    if (options.variables.isEmpty())
        return false;
    QTextCodec *codec = QTextCodec::codecForLocale();
    QByteArray bytes;
    if (!encode(codec, options.model, bytes))
        return false;
    options.padBytes.clear();
    for (const NewVariable &variable : options.variables) {
        if (variable.name.isEmpty() || !encode(codec, variable.padContent, bytes))
            return false;
        options.padBytes << bytes;
    }

    const QVector<Piece> pieces = cut(options.model, options.variables);
    options.segmented = true;
    for (int at = 0; at < pieces.size() && options.segmented; ++at) {
        const int i = pieces.at(at).variable;
        if (i < 0)
            continue;
        for (int k = i + 1; k < options.variables.size(); ++k) {
            if (mayOverlap(pieces, options.variables, at, k)) {
                options.segmented = false;
                break;
            }
        }
    }
    options.segments.clear();
    for (const Piece &piece : pieces) {
        if (piece.variable >= 0) {
            Segment segment;
            segment.variable = piece.variable;
            options.segments << segment;
        } else if (!piece.literal.isEmpty()) {
            Segment segment;
            encode(codec, piece.literal, segment.literal);
            options.segments << segment;
        }
    }
    return true;
}

QString NewVariableInt::value(const NewVariable &variable, qint64 g)
{
    QString s = QString::number(g + variable.startValue - 1);
    const int missing = variable.padLength - s.size();
    if (variable.padLength != 0 && missing > 0)
        s.prepend(variable.padContent.repeated(missing));
    return s;
}

quint64 NewVariableInt::byteCount(const NewVariableOptions &options, qint64 first, qint64 last)
{
    using namespace Saturating;
    if (last < first)
        return 0;
    const quint64 items = quint64(last - first + 1);
    quint64 literal = 0;
    quint64 total = items - 1; // line breaks
    for (const Segment &segment : options.segments) {
        if (segment.variable < 0) {
            literal += quint64(segment.literal.size());
            continue;
        }
        const NewVariable &v = options.variables.at(segment.variable);
        total = add(total, lengthSum(first + v.startValue - 1, last + v.startValue - 1, v.padLength,
                                     options.padBytes.value(segment.variable).size()));
    }
    return add(total, mul(items, literal));
}

void NewVariableInt::write(const NewVariableOptions &options, qint64 first, qint64 last, BufferedWriter &out)
{
    QTextCodec *codec = options.segmented ? nullptr : QTextCodec::codecForLocale();
    char buffer[32];
    char *const end = buffer + sizeof buffer;
    for (qint64 g = first; g <= last; ++g) {
        if (g != first)
            out.put('\n');
        if (codec) {
            QString line = options.model;
            for (const NewVariable &variable : options.variables)
                line.replace(variable.name, value(variable, g));
            QByteArray bytes;
            encode(codec, line, bytes);
            out.write(bytes);
            continue;
        }
        for (const Segment &segment : options.segments) {
            if (segment.variable < 0) {
                out.write(segment.literal);
                continue;
            }
            const NewVariable &variable = options.variables.at(segment.variable);
            const char *digits = formatDecimal(g + variable.startValue - 1, end);
            const int missing = variable.padLength - int(end - digits);
            if (variable.padLength != 0 && missing > 0) {
                const QByteArray &pad = options.padBytes.at(segment.variable);
                for (int i = 0; i < missing; ++i)
                    out.write(pad);
            }
            out.write(digits, size_t(end - digits));
        }
    }
}

QByteArray NewVariableInt::text(const NewVariableOptions &options, qint64 first, qint64 last)
{
    return BufferedWriter::collect([&](BufferedWriter &out) { write(options, first, last, out); });
}

void NewVariableInt::generate(BufferedWriter &out) const
{
    write(*options<NewVariableOptions>(), m_first, m_last, out);
}
