#include "lexicon.h"

#include <cmath>

namespace {

// The fields of a line split at tabs, as views into the text.
int splitFields(QStringView line, QStringView *fields, int most)
{
    int count = 0;
    int from = 0;
    while (count < most) {
        const int tab = line.indexOf(QLatin1Char('\t'), from);
        if (tab < 0) {
            fields[count++] = line.mid(from);
            break;
        }
        fields[count++] = line.mid(from, tab - from);
        from = tab + 1;
    }
    return count;
}

} // namespace

Lexicon::Lexicon()
{
    for (auto &bits : m_ambiguous)
        bits.assign(0x10000 / 64, 0);
}

Lexicon::Form Lexicon::append(QStringView text)
{
    Form f;
    f.at = int(m_pool.size());
    f.length = int(text.size());
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    m_pool.insert(m_pool.end(), units, units + text.size());
    return f;
}

std::shared_ptr<const Lexicon> Lexicon::fromText(const QString &text, const QStringList &charFrom,
                                                 const QStringList &charTo)
{
    // The first traditional form of each simplified character of one unit.
    std::vector<char16_t> first(0x10000);
    for (int u = 0; u < 0x10000; ++u)
        first[size_t(u)] = char16_t(u);
    std::vector<bool> seen(0x10000, false);
    for (int k = 0; k < std::min(charFrom.size(), charTo.size()); ++k) {
        const QString &from = charFrom.at(k);
        const QString &to = charTo.at(k);
        if (from.size() != 1 || seen[from.at(0).unicode()])
            continue;
        seen[from.at(0).unicode()] = true;
        if (to.size() == 1)
            first[from.at(0).unicode()] = to.at(0).unicode();
    }

    std::shared_ptr<Lexicon> lexicon(new Lexicon);
    lexicon->m_words.reserve(size_t(text.size() / 12));
    lexicon->m_pool.reserve(size_t(text.size() / 2));
    double logTotal = 0;
    QString derived;
    const QStringView all(text);
    int from = 0;
    while (from < all.size()) {
        int end = all.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = int(all.size());
        const QStringView line = all.mid(from, end - from);
        from = end + 1;
        if (line.isEmpty())
            continue;
        QStringView fields[5];
        const int count = splitFields(line, fields, 5);
        const QChar lead = line.at(0);
        if (lead == QLatin1Char('#')) {
            if (count >= 2 && fields[0] == QLatin1String("#total"))
                logTotal = std::log(std::max(1.0, fields[1].toString().toDouble()));
            continue;
        }
        if ((lead == QLatin1Char('>') || lead == QLatin1Char('<')) && count >= 2 && fields[0].size() == 2) {
            const int side = lead == QLatin1Char('>') ? 0 : 1;
            const ushort unit = fields[0].at(1).unicode();
            lexicon->m_ambiguous[size_t(side)][unit >> 6] |= quint64(1) << (unit & 63);
            lexicon->m_candidates[size_t(side)].insert(unit, fields[1].toString());
            continue;
        }
        if (count < 2 || fields[0].isEmpty())
            continue;
        double frequency = 0;
        bool ok = !fields[1].isEmpty();
        for (QChar digit : fields[1]) {
            ok = ok && digit >= QLatin1Char('0') && digit <= QLatin1Char('9');
            frequency = frequency * 10 + (digit.unicode() - '0');
        }
        if (!ok)
            continue;
        Word word;
        lexicon->m_weights.push_back(float(std::log(std::max(1.0, frequency))));
        const QStringView simplified = fields[0];
        word.forms[Simplified] = lexicon->append(simplified);
        word.given = 1u << Simplified;
        const QStringView t = count > 2 ? fields[2] : QStringView();
        if (t.isEmpty() || t == QLatin1String("=")) {
            derived.resize(simplified.size());
            for (int k = 0; k < simplified.size(); ++k)
                derived[k] = QChar(first[simplified.at(k).unicode()]);
            word.forms[Traditional] = lexicon->append(derived);
            word.decided = !t.isEmpty();
        } else {
            word.forms[Traditional] = lexicon->append(t);
            word.decided = true;
        }
        if (word.decided)
            word.given |= 1u << Traditional;
        for (int script : {HongKong, Taiwan}) {
            const int field = script == HongKong ? 3 : 4;
            if (count > field && !fields[field].isEmpty()) {
                word.forms[size_t(script)] = lexicon->append(fields[field]);
                word.given |= quint8(1u << script);
            } else {
                word.forms[size_t(script)] = word.forms[Traditional];
            }
        }
        lexicon->m_words.push_back(word);
    }
    if (lexicon->m_words.empty())
        return nullptr;
    for (float &weight : lexicon->m_weights)
        weight -= float(logTotal);
    lexicon->m_unknownWeight = float(-logTotal);
    return lexicon;
}

QString Lexicon::candidates(QChar c, bool simplified) const
{
    return m_candidates[simplified ? 0 : 1].value(c.unicode());
}

const PrefixTable &Lexicon::keys(int script) const
{
    const size_t s = size_t(qBound(0, script, ScriptCount - 1));
    std::call_once(m_built[s], [this, s] {
        auto table = std::make_unique<PrefixTable>();
        table->reserve(size());
        for (int w = 0; w < size(); ++w) {
            const QStringView key = form(w, int(s));
            const char16_t *units = reinterpret_cast<const char16_t *>(key.utf16());
            const int had = table->add(units, int(key.size()), w, weight(w));
            if (had >= 0 && had != w && weight(w) > weight(had))
                table->reassign(units, int(key.size()), w, weight(w));
        }
        table->squeeze();
        m_keys[s] = std::move(table);
    });
    return *m_keys[s];
}
