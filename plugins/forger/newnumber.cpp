#include "newnumber.h"

#include <QTextCodec>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bufferedwriter.h"
#include "saturating.h"

namespace {

using namespace Saturating;

// Walks the enumeration from any line on, keeping the current line's bytes
// and rewriting only the positions that change.
class Enumeration
{
public:
    explicit Enumeration(const NewNumberOptions &o)
        : m_min(o.min)
        , m_max(o.max)
        , m_n(o.max - o.min + 1)
        , m_k(o.count)
        , m_sort(o.isSort)
        , m_repeat(o.isRepeat)
        , m_separator(o.separatorBytes)
    {
    }

    void write(quint64 first, quint64 lines, BufferedWriter &out)
    {
        const quint64 total = NewNumber::lineCount(optionsView());
        if (lines == 0 || first >= total)
            return;
        lines = std::min(lines, total - first);
        if (m_k == 0) {
            out.put('\n');
            return;
        }
        prepareTables();
        unrank(first);
        out.write(m_line.data(), m_lineLength + 1);
        while (--lines > 0) {
            advance();
            out.write(m_line.data(), m_lineLength + 1);
        }
    }

private:
    struct Digits {
        char text[4];
        int length;
    };

    NewNumberOptions optionsView() const
    {
        NewNumberOptions o;
        o.min = m_min;
        o.max = m_max;
        o.count = m_k;
        o.isSort = m_sort;
        o.isRepeat = m_repeat;
        return o;
    }

    void prepareTables()
    {
        m_digits.resize(size_t(m_n));
        for (int v = m_min; v <= m_max; ++v) {
            Digits &d = m_digits[size_t(v - m_min)];
            char buffer[16] = {};
            d.length = std::snprintf(buffer, sizeof buffer, "%d", v);
            std::copy(buffer, buffer + 4, d.text);
        }
        m_used.assign(size_t(m_n), 0);
        m_current.assign(size_t(m_k), 0);
        m_offset.assign(size_t(m_k) + 1, 0);
        m_line.assign(size_t(m_k) * size_t(4 + m_separator.size()) + 1, '\0');
    }

    // Smallest and largest value position d may take after the positions
    // before it (a strictly ascending group must leave room for the rest).
    int low(int d) const
    {
        if (!m_sort || d == 0)
            return m_min;
        return m_repeat ? m_current[size_t(d - 1)] : m_current[size_t(d - 1)] + 1;
    }
    int high(int d) const { return m_sort && !m_repeat ? m_max - (m_k - 1 - d) : m_max; }
    bool taken(int v) const { return !m_repeat && m_used[size_t(v - m_min)]; }

    // Lines that start with the current prefix and v at position d.
    quint64 completions(int d, int v) const
    {
        const quint64 rest = quint64(m_k - 1 - d);
        if (!m_sort && !m_repeat)
            return arrangements(quint64(m_n - 1 - d), rest);
        if (m_sort && !m_repeat)
            return binomial(quint64(m_max - v), rest);
        if (!m_repeat)
            return 0;
        if (!m_sort)
            return power(quint64(m_n), rest);
        return binomial(quint64(m_max - v) + rest, rest);
    }

    void set(int d, int v)
    {
        m_current[size_t(d)] = v;
        if (!m_repeat)
            m_used[size_t(v - m_min)] = 1;
        const Digits &digits = m_digits[size_t(v - m_min)];
        char *p = m_line.data() + m_offset[size_t(d)];
        std::copy(digits.text, digits.text + 4, p);
        if (d + 1 < m_k) {
            std::copy(m_separator.constData(), m_separator.constData() + m_separator.size(), p + digits.length);
            m_offset[size_t(d) + 1] = m_offset[size_t(d)] + digits.length + m_separator.size();
        } else {
            m_lineLength = size_t(m_offset[size_t(d)] + digits.length);
            m_line[m_lineLength] = '\n';
        }
    }

    void release(int d)
    {
        if (!m_repeat)
            m_used[size_t(m_current[size_t(d)] - m_min)] = 0;
    }

    // Positions the enumeration on line rank (0-based, below the total).
    void unrank(quint64 rank)
    {
        for (int d = 0; d < m_k; ++d) {
            const int hi = high(d);
            for (int v = low(d); v <= hi; ++v) {
                if (taken(v))
                    continue;
                const quint64 below = completions(d, v);
                if (rank < below) {
                    set(d, v);
                    break;
                }
                rank -= below;
            }
        }
    }

    // Moves to the next line; the caller knows that there is one.
    void advance()
    {
        int d = m_k - 1;
        for (; d >= 0; --d) {
            release(d);
            const int hi = high(d);
            int v = m_current[size_t(d)] + 1;
            while (v <= hi && taken(v))
                ++v;
            if (v <= hi) {
                set(d, v);
                break;
            }
        }
        for (int e = d + 1; e < m_k; ++e) {
            int v = low(e);
            while (taken(v))
                ++v;
            set(e, v);
        }
    }

    const int m_min;
    const int m_max;
    const int m_n;
    const int m_k;
    const bool m_sort;
    const bool m_repeat;
    const QByteArray m_separator;
    std::vector<Digits> m_digits;
    std::vector<char> m_used;
    std::vector<int> m_current;
    std::vector<int> m_offset;
    std::vector<char> m_line;
    size_t m_lineLength = 0;
};

int decimalLength(int v)
{
    int length = 1;
    while (v >= 10) {
        v /= 10;
        ++length;
    }
    return length;
}

} // namespace

NewNumber::NewNumber(const QString &fileName, const NewNumberOptions *options, quint64 first, quint64 lines,
                     QObject *parent)
    : NewJob(fileName, options, QStringLiteral("newNumber"), parent)
    , m_first(first)
    , m_lines(lines)
{
}

bool NewNumber::prepare(NewNumberOptions &options)
{
    if (options.min < 0 || options.max > LargestNumber || options.max < options.min)
        return false;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QByteArray separator = QTextCodec::codecForLocale()->fromUnicode(
        options.separator.constData(), options.separator.size(), &state);
    if (state.invalidChars > 0)
        return false;
    options.separatorBytes = separator;
    if (lineCount(options) > 0
        && qint64(options.count) * (4 + separator.size()) + 1 > LongestLine)
        return false;
    return true;
}

quint64 NewNumber::lineCount(const NewNumberOptions &o)
{
    const int k = o.count;
    if (k < 0 || o.max < o.min)
        return 0;
    if (k == 0)
        return 1;
    const quint64 n = quint64(o.max - o.min + 1);
    if (o.isSort)
        return o.isRepeat ? binomial(n + quint64(k) - 1, quint64(k)) : binomial(n, quint64(k));
    return o.isRepeat ? power(n, quint64(k)) : arrangements(n, quint64(k));
}

quint64 NewNumber::byteCount(const NewNumberOptions &o)
{
    const quint64 lines = lineCount(o);
    if (lines == 0 || o.count == 0)
        return lines;
    const quint64 k = quint64(o.count);
    const quint64 n = quint64(o.max - o.min + 1);
    quint64 digitSum = 0; // digits of every value of the range once
    for (int v = o.min; v <= o.max; ++v)
        digitSum += quint64(decimalLength(v));
    // Each value occurs equally often over all lines: this many times.
    quint64 perValue;
    if (o.isSort)
        perValue = o.isRepeat ? binomial(n + k - 1, k - 1) : binomial(n - 1, k - 1);
    else
        perValue = mul(k, o.isRepeat ? power(n, k - 1) : arrangements(n - 1, k - 1));
    const quint64 separators = mul(k - 1, quint64(o.separatorBytes.size()));
    return add(mul(perValue, digitSum), mul(lines, add(separators, 1)));
}

void NewNumber::write(const NewNumberOptions &options, quint64 first, quint64 lines, BufferedWriter &out)
{
    Enumeration(options).write(first, lines, out);
}

QByteArray NewNumber::text(const NewNumberOptions &options, quint64 first, quint64 lines)
{
    return BufferedWriter::collect([&](BufferedWriter &out) { write(options, first, lines, out); });
}

void NewNumber::generate(BufferedWriter &out) const
{
    write(*options<NewNumberOptions>(), m_first, m_lines, out);
}
