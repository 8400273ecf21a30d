#ifndef LINEWRITER_H
#define LINEWRITER_H

#include <QString>

// Builds the text of a line operation one line at a time: a "\n" goes
// between lines, and the final break goes after the last line only when
// the source text had one and at least one line was written (the same
// rule as TextLines::join).
class LineWriter
{
public:
    explicit LineWriter(int reserve = 0)
    {
        if (reserve > 0)
            m_text.reserve(reserve);
    }

    // Starts a new line and returns the text to append its content to.
    QString &next()
    {
        if (m_lines > 0)
            m_text += QLatin1Char('\n');
        ++m_lines;
        return m_text;
    }

    int lines() const { return m_lines; }

    QString finish(bool finalBreak)
    {
        if (finalBreak && m_lines > 0)
            m_text += QLatin1Char('\n');
        m_text.squeeze();
        return std::move(m_text);
    }

private:
    QString m_text;
    int m_lines = 0;
};

#endif // LINEWRITER_H
