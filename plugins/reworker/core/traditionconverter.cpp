#include "traditionconverter.h"

#include <algorithm>

namespace {

const int LongBit = 63;

std::u16string_view viewOf(const QString &s)
{
    return std::u16string_view(reinterpret_cast<const char16_t *>(s.utf16()), size_t(s.size()));
}

} // namespace

TraditionConverter::TraditionConverter() = default;

void TraditionConverter::addPhrases(const QStringList &from, const QStringList &to)
{
    m_phrases.add(from, to);
}

void TraditionConverter::addCharacters(const QStringList &from, const QStringList &to)
{
    m_characters.add(from, to);
}

void TraditionConverter::Dictionary::add(const QStringList &from, const QStringList &to)
{
    if (m_lengths.empty()) {
        m_lengths.assign(0x10000, 0);
        m_single.assign(0x10000, -1);
    }
    const int count = std::min(from.size(), to.size());
    m_keys.reserve(m_keys.size() + size_t(count));
    m_values.reserve(m_values.size() + size_t(count));
    m_multi.reserve(m_multi.size() + size_t(count));
    bool longAdded = false;
    for (int k = 0; k < count; ++k) {
        const QString &key = from.at(k);
        if (key.isEmpty())
            continue;
        const ushort first = key.at(0).unicode();
        const int index = int(m_values.size());
        if (key.size() == 1) {
            if (m_single[first] >= 0)
                continue;
            m_single[first] = index;
        } else if (key.size() <= LongBit) {
            if (m_multi.count(viewOf(key)))
                continue;
            // The view points into the kept copy, which holds the data.
            m_keys.push_back(key);
            m_multi.emplace(viewOf(m_keys.back()), index);
        } else {
            const bool known = std::any_of(m_long.begin(), m_long.end(),
                                           [&](const std::pair<QString, int> &p) { return p.first == key; });
            if (known)
                continue;
            m_long.emplace_back(key, index);
            longAdded = true;
        }
        m_lengths[first] |= quint64(1) << (std::min(key.size(), LongBit + 1) - 1);
        m_values.push_back(to.at(k));
    }
    if (longAdded)
        std::stable_sort(m_long.begin(), m_long.end(),
                         [](const std::pair<QString, int> &a, const std::pair<QString, int> &b) {
                             return a.first.size() > b.first.size();
                         });
}

int TraditionConverter::Dictionary::match(const char16_t *data, int pos, int end, const QString **value) const
{
    if (m_values.empty())
        return 0;
    const ushort first = data[pos];
    quint64 lengths = m_lengths[first];
    if (!lengths)
        return 0;
    const int left = end - pos;
    if (lengths >> LongBit) {
        for (const auto &entry : m_long) {
            const int n = entry.first.size();
            if (n <= left && viewOf(entry.first) == std::u16string_view(data + pos, size_t(n))) {
                *value = &m_values[size_t(entry.second)];
                return n;
            }
        }
        lengths &= ~(quint64(1) << LongBit);
    }
    if (left < LongBit)
        lengths &= (quint64(1) << left) - 1;
    while (lengths) {
        const int bit = 63 - __builtin_clzll(lengths);
        const int n = bit + 1;
        if (n == 1) {
            *value = &m_values[size_t(m_single[first])];
            return 1;
        }
        const auto found = m_multi.find(std::u16string_view(data + pos, size_t(n)));
        if (found != m_multi.end()) {
            *value = &m_values[size_t(found->second)];
            return n;
        }
        lengths &= ~(quint64(1) << bit);
    }
    return 0;
}

QString TraditionConverter::convert(const QString &text) const
{
    const char16_t *data = reinterpret_cast<const char16_t *>(text.utf16());
    const int end = text.size();
    QString out;
    out.reserve(end + end / 8);
    int pos = 0;
    int copyFrom = 0; // start of the unconverted run not yet copied
    while (pos < end) {
        const QString *value = nullptr;
        int n = m_phrases.match(data, pos, end, &value);
        if (!n)
            n = m_characters.match(data, pos, end, &value);
        if (n) {
            if (copyFrom < pos)
                out.append(text.constData() + copyFrom, pos - copyFrom);
            out.append(*value);
            pos += n;
            copyFrom = pos;
        } else {
            // A surrogate pair is kept whole, so a key never starts inside it.
            pos += (QChar::isHighSurrogate(data[pos]) && pos + 1 < end) ? 2 : 1;
        }
    }
    if (copyFrom == 0)
        return text;
    if (copyFrom < end)
        out.append(text.constData() + copyFrom, end - copyFrom);
    return out;
}
