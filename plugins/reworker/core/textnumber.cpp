#include "textnumber.h"

#include <vector>

#include "linewriter.h"
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
        if (options.padEnabled && !options.padText.isEmpty()) {
            m_padText = options.padText;
            m_padLength = options.padLength;
        }
    }

    void write(int k, QString &out) const
    {
        const int base = int(m_digits.size());
        int digits[64];
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
        } else {
            do {
                digits[count++] = k % base;
                k /= base;
            } while (k >= 1 && count < 64);
        }

        out += m_prefix;
        if (m_padLength > 0) {
            int length = 0;
            for (int i = 0; i < count; ++i)
                length += m_digits[digits[i]].size();
            for (int i = 0; i < m_padLength - length; ++i)
                out += m_padText.at(i % m_padText.size());
        }
        for (int i = count - 1; i >= 0; --i)
            out += m_digits[digits[i]];
        out += m_suffix;
    }

private:
    QString m_prefix;
    QString m_suffix;
    std::vector<QString> m_digits;
    bool m_bijective;
    QString m_padText;
    int m_padLength = 0;
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
    if (!options.isValid() || text.isEmpty())
        return text;
    const LabelMaker maker(options);
    const bool increase = options.implement == NumberOptions::Increase;
    const bool left = options.index == NumberOptions::Left;

    // Room for every line's label, the last (longest) serial's at most.
    const int lines = text.count(QLatin1Char('\n')) + 1;
    QString label;
    maker.write(lines, label);
    LineWriter writer(increase ? text.size() + lines * (label.size() + 1) : text.size());

    int k = 0;
    const bool finalBreak = TextLines::forEach(text, [&](QStringView line) {
        label.resize(0);
        maker.write(++k, label);
        QString &out = writer.next();
        if (increase) {
            if (left) {
                out += label;
                out += line;
            } else {
                out += line;
                out += label;
            }
        } else if (left && line.startsWith(label)) {
            out += line.mid(label.size());
        } else if (!left && line.endsWith(label)) {
            out += line.left(line.size() - label.size());
        } else {
            out += line;
        }
    });
    return writer.finish(finalBreak);
}
