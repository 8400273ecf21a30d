#include "regexreplace.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QVector>


namespace {

// The compile options QRegularExpression gives PCRE2 for its pattern options.
uint32_t compileOptions(QRegularExpression::PatternOptions options)
{
    static const struct {
        QRegularExpression::PatternOption qt;
        uint32_t pcre;
    } table[] = {
        { QRegularExpression::CaseInsensitiveOption, PCRE2_CASELESS },
        { QRegularExpression::DotMatchesEverythingOption, PCRE2_DOTALL },
        { QRegularExpression::MultilineOption, PCRE2_MULTILINE },
        { QRegularExpression::ExtendedPatternSyntaxOption, PCRE2_EXTENDED },
        { QRegularExpression::InvertedGreedinessOption, PCRE2_UNGREEDY },
        { QRegularExpression::DontCaptureOption, PCRE2_NO_AUTO_CAPTURE },
        { QRegularExpression::UseUnicodePropertiesOption, PCRE2_UCP },
    };
    uint32_t flags = PCRE2_UTF;
    for (const auto &row : table) {
        if (options & row.qt)
            flags |= row.pcre;
    }
    return flags;
}

// A back-reference in the replacement: group no at [pos, pos + length).
struct Reference {
    int pos;
    int length;
    int no;
};

// The back-references of replacement, read as Qt reads them: a backslash
// and one digit from 1, or two digits while the number stays within the
// groups; anything else is literal text.
QVector<Reference> referencesOf(const QString &replacement, int captureCount)
{
    QVector<Reference> references;
    for (int i = 0; i < replacement.size() - 1; ++i) {
        if (replacement.at(i) != QLatin1Char('\\'))
            continue;
        int no = replacement.at(i + 1).digitValue();
        if (no <= 0 || no > captureCount)
            continue;
        Reference reference{i, 2, no};
        if (i < replacement.size() - 2) {
            const int second = replacement.at(i + 2).digitValue();
            if (second != -1 && no * 10 + second <= captureCount) {
                reference.no = no * 10 + second;
                ++reference.length;
            }
        }
        references.append(reference);
    }
    return references;
}

struct MatchData {
    pcre2_match_data *data;
    explicit MatchData(const pcre2_code *code) : data(pcre2_match_data_create_from_pattern(code, nullptr)) {}
    ~MatchData() { pcre2_match_data_free(data); }
};

} // namespace

RegexReplace::RegexReplace(const QString &pattern, QRegularExpression::PatternOptions options)
    : m_pattern(pattern), m_options(options)
{
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.utf16()), PCRE2_SIZE(pattern.size()),
                           compileOptions(options), &error, &errorOffset, nullptr);
    if (!m_code)
        return;
    // Without JIT (not built for this machine, or no memory for it) the
    // interpreter runs the pattern.
    m_jit = pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE) == 0;
    uint32_t count = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &count);
    m_captureCount = int(count);
    // After an empty match the next search starts one character on, two at
    // a CR LF pair when the pattern's line ends include it.
    uint32_t newline = 0;
    if (pcre2_pattern_info(m_code, PCRE2_INFO_NEWLINE, &newline) != 0)
        pcre2_config(PCRE2_CONFIG_NEWLINE, &newline);
    m_crLfNewlines = newline == PCRE2_NEWLINE_CRLF || newline == PCRE2_NEWLINE_ANY || newline == PCRE2_NEWLINE_ANYCRLF;
}

RegexReplace::~RegexReplace()
{
    pcre2_code_free(m_code);
}

QString RegexReplace::apply(const QString &text, const QString &replacement) const
{
    if (!m_code)
        return text;
    const MatchData match(m_code);
    if (!match.data)
        return QString(text).replace(QRegularExpression(m_pattern, m_options), replacement);
    const QVector<Reference> references = referencesOf(replacement, m_captureCount);
    const auto *subject = reinterpret_cast<PCRE2_SPTR>(text.utf16());
    const PCRE2_SIZE length = PCRE2_SIZE(text.size());
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(match.data);
    const QChar *chars = text.constData();

    QString result;
    PCRE2_SIZE offset = 0; // where the next search starts
    PCRE2_SIZE copied = 0; // text before this is in result
    // Until something matched, a search checks that the subject is valid
    // UTF-16; the later ones go straight to the JIT code, which checks
    // nothing.
    bool matched = false;
    const auto search = [&](PCRE2_SIZE from) {
        if (matched && m_jit)
            return pcre2_jit_match(m_code, subject, length, from, 0, match.data, nullptr);
        return pcre2_match(m_code, subject, length, from, matched ? PCRE2_NO_UTF_CHECK : 0, match.data, nullptr);
    };
    bool previousEmpty = false;
    while (true) {
        int rc;
        if (previousEmpty) {
            // No second empty match at the same place: try a non-empty one
            // there, else search on from the next character. (An anchored
            // search runs in the interpreter.)
            rc = pcre2_match(m_code, subject, length, offset,
                             PCRE2_NO_UTF_CHECK | PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED, match.data, nullptr);
            if (rc == PCRE2_ERROR_NOMATCH) {
                ++offset;
                if (m_crLfNewlines && offset < length && chars[offset - 1] == QLatin1Char('\r')
                    && chars[offset] == QLatin1Char('\n'))
                    ++offset;
                else if (offset < length && chars[offset].isLowSurrogate())
                    ++offset;
                if (offset > length)
                    break;
                rc = search(offset);
            }
        } else {
            rc = search(offset);
        }
        if (rc == PCRE2_ERROR_NOMATCH)
            break;
        const PCRE2_SIZE start = ovector[0], end = ovector[1];
        if (rc <= 0 || start < copied || end < start)
            return QString(text).replace(QRegularExpression(m_pattern, m_options), replacement);
        if (!matched)
            result.reserve(text.size() + text.size() / 8);
        matched = true;
        result.append(chars + copied, int(start - copied));
        int literal = 0;
        for (const Reference &reference : references) {
            result.append(replacement.constData() + literal, reference.pos - literal);
            const PCRE2_SIZE from = ovector[2 * reference.no], to = ovector[2 * reference.no + 1];
            if (reference.no < rc && from != PCRE2_UNSET && to > from)
                result.append(chars + from, int(to - from));
            literal = reference.pos + reference.length;
        }
        result.append(replacement.constData() + literal, replacement.size() - literal);
        copied = end;
        offset = end;
        previousEmpty = start == end;
    }
    if (!matched)
        return text;
    result.append(chars + copied, int(length - copied));
    return result;
}
