#ifndef REGEXREPLACE_H
#define REGEXREPLACE_H

#include <QRegularExpression>
#include <QString>

struct pcre2_real_code_16;

// Replaces every match of a regular expression in a text, "\1" to "\99" in
// the replacement standing for the captured groups, with the same matches
// and the same result as QString::replace(QRegularExpression, QString).
// It drives PCRE2 (the engine under QRegularExpression) directly: one match
// block per text and the result built in one pass, where Qt makes a match
// object and a list of pieces per match, which cost more than the matching
// itself on texts with thousands of matches. Whenever PCRE2 reports
// anything but a match or no match (a subject it will not take, a JIT stack
// or match limit), the text is replaced by Qt instead, so the result is
// always Qt's.
class RegexReplace
{
public:
    RegexReplace(const QString &pattern, QRegularExpression::PatternOptions options);
    ~RegexReplace();
    RegexReplace(const RegexReplace &) = delete;
    RegexReplace &operator=(const RegexReplace &) = delete;

    bool isValid() const { return m_code != nullptr; }

    // text with every match replaced by replacement; text itself when the
    // pattern is not valid or nothing matches.
    QString apply(const QString &text, const QString &replacement) const;

private:
    QString m_pattern;
    QRegularExpression::PatternOptions m_options;
    pcre2_real_code_16 *m_code = nullptr;
    bool m_jit = false;
    int m_captureCount = 0;
    bool m_crLfNewlines = false;
};

#endif // REGEXREPLACE_H
