#include "textnumber.h"

#include <cstring>
#include <optional>
#include <limits>
#include <vector>

#include "textlines.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Writes labels: the template's prefix and suffix around the serial in the
// chosen notation. Built once per text, so a line costs no allocation.
class LabelMaker
{
public:
    explicit LabelMaker(const NumberOptions &options)
        : m_bijective(options.serial == NumberOptions::Alpha)
    {
        // Only the first "i" is the variable: the prefix is what comes
        // before it, the suffix what comes between it and a second "i".
        const QStringList parts = options.templateText.split(QLatin1Char('i'));
        m_prefix = parts.value(0);
        m_suffix = parts.value(1);

        switch (options.serial) {
        case NumberOptions::Number:
            for (char c = '0'; c <= '9'; ++c)
                m_digits.push_back(QString(QLatin1Char(c)));
            break;
        case NumberOptions::Alpha:
            for (char c = 'A'; c <= 'Z'; ++c)
                m_digits.push_back(QString(QLatin1Char(c)));
            break;
        case NumberOptions::Custom:
            for (const QString &digit : options.customDigits())
                m_digits.push_back(digit);
            break;
        }
        for (const QString &digit : m_digits)
            m_singleCharDigits = m_singleCharDigits && digit.size() == 1;
        if (options.padEnabled && !options.padText.isEmpty()) {
            m_padText = options.padText;
            m_padLength = options.padLength;
        }
    }

    // The label of serial k, as the whole content of out (whose memory is
    // reused from one label to the next).
    void write(int k, QString &out) const
    {
        int digits[64];
        const int count = digitsOf(k, digits);
        const int serial = serialLength(digits, count);
        const int pad = qMax(m_padLength - serial, 0);
        if (qint64(m_prefix.size()) + pad + serial + m_suffix.size() > TextLines::MaxSize) {
            out.clear(); // no text can hold it
            return;
        }
        out.resize(m_prefix.size() + pad + serial + m_suffix.size());
        QChar *to = copy(out.data(), m_prefix);
        for (int i = 0; i < pad; ++i)
            *to++ = m_padText.at(i % m_padText.size());
        for (int i = count - 1; i >= 0; --i) {
            const QString &digit = m_digits[size_t(digits[i])];
            if (digit.size() == 1)
                *to++ = digit.at(0);
            else
                to = copy(to, digit);
        }
        copy(to, m_suffix);
    }

    // Whether labels can be counted down digit by digit (countdown()):
    // a positional notation of one-character digits.
    bool countsDown() const { return !m_bijective && m_singleCharDigits && m_digits.size() >= 2; }

    // The labels of k, k - 1, ..., 1 in turn, without working each out
    // from its number: the serial's digits are decremented in place.
    class Countdown
    {
    public:
        Countdown(const LabelMaker &maker, int k)
            : m_maker(maker)
        {
            m_count = maker.digitsOf(k, m_digits);
        }
        int length() const
        {
            return m_maker.m_prefix.size() + qMax(m_maker.m_padLength, m_count) + m_maker.m_suffix.size();
        }
        // Writes the current label at to.
        void write(QChar *to) const
        {
            to = copy(to, m_maker.m_prefix);
            for (int i = m_maker.m_padLength - m_count; i > 0; --i)
                *to++ = m_maker.m_padText.at((m_maker.m_padLength - m_count - i) % m_maker.m_padText.size());
            for (int i = m_count - 1; i >= 0; --i)
                *to++ = m_maker.m_digits[size_t(m_digits[i])].at(0);
            copy(to, m_maker.m_suffix);
        }
        void decrement()
        {
            const int base = int(m_maker.m_digits.size());
            int i = 0;
            while (i < m_count && m_digits[i] == 0)
                m_digits[i++] = base - 1;
            if (i < m_count && --m_digits[i] == 0 && i == m_count - 1 && m_count > 1)
                --m_count;
        }

    private:
        const LabelMaker &m_maker;
        int m_digits[64];
        int m_count = 0;
    };

    // The total length of the labels of 1 ... lines.
    qint64 totalLength(int lines) const
    {
        if (!countsDown()) {
            qint64 total = 0;
            for (int k = 1; k <= lines; ++k)
                total += length(k);
            return total;
        }
        // By the serials' number of digits: base^(d-1) ... base^d - 1.
        const qint64 base = qint64(m_digits.size());
        const qint64 fixed = qint64(m_prefix.size()) + m_suffix.size();
        qint64 total = 0;
        qint64 low = 1;
        for (int d = 1; low <= lines; ++d) {
            const qint64 high = qMin<qint64>(lines, low * base - 1);
            total += (high - low + 1) * (fixed + qMax(m_padLength, d));
            low *= base;
        }
        return total;
    }

    // The length of the label of serial k.
    qint64 length(int k) const
    {
        int digits[64];
        const int count = digitsOf(k, digits);
        return qint64(m_prefix.size()) + qMax(m_padLength, serialLength(digits, count)) + m_suffix.size();
    }

private:
    // The digits of k, least significant first, as indexes into m_digits.
    int digitsOf(int k, int *digits) const
    {
        const int base = int(m_digits.size());
        int count = 0;
        if (m_bijective) {
            // Bijective base 26: A = 1 … Z = 26, no zero digit.
            while (k > 0 && count < 64) {
                int r = k % base;
                if (r == 0)
                    r = base;
                digits[count++] = r - 1;
                k = (k - r) / base;
            }
        } else if (base == 10) {
            // The usual case, with a constant divisor the compiler turns
            // into multiplications.
            do {
                digits[count++] = k % 10;
                k /= 10;
            } while (k >= 1);
        } else {
            do {
                digits[count++] = k % base;
                k /= base;
            } while (k >= 1 && count < 64);
        }
        return count;
    }

    int serialLength(const int *digits, int count) const
    {
        if (m_singleCharDigits)
            return count;
        int length = 0;
        for (int i = 0; i < count; ++i)
            length += m_digits[size_t(digits[i])].size();
        return length;
    }

    static QChar *copy(QChar *to, const QString &part)
    {
        std::memcpy(to, part.constData(), size_t(part.size()) * sizeof(QChar));
        return to + part.size();
    }

    QString m_prefix;
    QString m_suffix;
    std::vector<QString> m_digits;
    bool m_bijective;
    QString m_padText;
    int m_padLength = 0;
    bool m_singleCharDigits = true;
};

// The start of the line that ends at from: just after the "\n" before it,
// or 0. Looks eight units at a time.
int lineStart(const QChar *data, int from)
{
    int start = from;
#ifdef __SSE2__
    const __m128i lineFeed = _mm_set1_epi16('\n');
    while (start >= 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + start - 8));
        const uint mask = uint(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, lineFeed)));
        if (mask) {
            // The highest unit that is a "\n" (two mask bits per unit).
            const int unit = (31 - __builtin_clz(mask)) / 2;
            return start - 8 + unit + 1;
        }
        start -= 8;
    }
#endif
    while (start > 0 && data[start - 1] != QLatin1Char('\n'))
        --start;
    return start;
}

} // namespace

QString TextNumber::label(int k, const NumberOptions &options)
{
    QString result;
    if (options.isValid())
        LabelMaker(options).write(k, result);
    return result;
}

QString TextNumber::process(const QString &text, const NumberOptions &options)
{
    QString result = text;
    processInPlace(result, options);
    return result;
}

bool TextNumber::processInPlace(QString &text, const NumberOptions &options)
{
    if (!options.isValid() || text.isEmpty())
        return true;
    const LabelMaker maker(options);
    const bool left = options.index == NumberOptions::Left;
    QString label;

    if (options.implement == NumberOptions::Delete) {
        // Lines only get shorter: each is moved down over what was removed
        // before it, never past the line still to be read.
        QChar *data = text.data();
        int written = 0;
        int k = 0;
        const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
            // A label longer than the line cannot be on it (nor is it
            // written out when a huge padding makes it so).
            if (maker.length(++k) <= line.size()) {
                maker.write(k, label);
                if (left && line.startsWith(label))
                    line = line.mid(label.size());
                else if (!left && line.endsWith(label))
                    line.chop(label.size());
            }
            if (k > 1)
                data[written++] = QLatin1Char('\n');
            std::memmove(data + written, line.data(), size_t(line.size()) * sizeof(QChar));
            written += line.size();
        });
        if (finalBreak)
            data[written++] = QLatin1Char('\n');
        text.truncate(written);
        return true;
    }

    // Adding labels: the text grows by all labels at once, then the lines
    // move up from the last one down, each to its final place, with its
    // label beside it.
    const int oldSize = text.size();
    const bool finalBreak = text.at(oldSize - 1) == QLatin1Char('\n');
    const int lines = int(text.count(QLatin1Char('\n'))) + (finalBreak ? 0 : 1);
    const qint64 growth = maker.totalLength(lines);
    if (oldSize + growth > TextLines::MaxSize)
        return false;
    text.resize(oldSize + int(growth));
    QChar *data = text.data();
    int from = oldSize;     // end of the part still to be moved
    int to = text.size();   // end of the part still to be written
    if (finalBreak)
        data[--to] = data[--from];
    std::optional<LabelMaker::Countdown> countdown;
    if (maker.countsDown())
        countdown.emplace(maker, lines);
    int labelSize = 0;
    for (int k = lines; k >= 1; --k) {
        int start = lineStart(data, from);
        const int length = from - start;
        if (countdown) {
            labelSize = countdown->length();
        } else {
            maker.write(k, label);
            labelSize = label.size();
        }
        const auto putLabel = [&] {
            to -= labelSize;
            if (countdown)
                countdown->write(data + to);
            else
                std::memcpy(data + to, label.constData(), size_t(labelSize) * sizeof(QChar));
        };
        if (!left)
            putLabel();
        to -= length;
        std::memmove(data + to, data + start, size_t(length) * sizeof(QChar));
        if (left)
            putLabel();
        if (countdown)
            countdown->decrement();
        if (start > 0)
            data[--to] = data[--start];
        from = start;
    }
    Q_ASSERT(to == 0 && from == 0);
    return true;
}
