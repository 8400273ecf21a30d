#include "textnumber.h"

#include <cstring>
#include <limits>
#include <vector>

#include "textlines.h"

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
    int lines = 0;
    qint64 growth = 0;
    const bool finalBreak = TextLines::forEach(text, [&](QStringView) { growth += maker.length(++lines); });
    const int oldSize = text.size();
    if (oldSize + growth > TextLines::MaxSize)
        return false;
    text.resize(oldSize + int(growth));
    QChar *data = text.data();
    int from = oldSize;     // end of the part still to be moved
    int to = text.size();   // end of the part still to be written
    if (finalBreak)
        data[--to] = data[--from];
    for (int k = lines; k >= 1; --k) {
        int start = from;
        while (start > 0 && data[start - 1] != QLatin1Char('\n'))
            --start;
        const int length = from - start;
        maker.write(k, label);
        if (!left) {
            to -= label.size();
            std::memcpy(data + to, label.constData(), size_t(label.size()) * sizeof(QChar));
        }
        to -= length;
        std::memmove(data + to, data + start, size_t(length) * sizeof(QChar));
        if (left) {
            to -= label.size();
            std::memcpy(data + to, label.constData(), size_t(label.size()) * sizeof(QChar));
        }
        if (start > 0)
            data[--to] = data[--start];
        from = start;
    }
    Q_ASSERT(to == 0 && from == 0);
    return true;
}
