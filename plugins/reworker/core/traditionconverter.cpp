#include "traditionconverter.h"

#include <algorithm>
#include <cstring>

namespace {

const int LongBit = 63;

// FNV-1a over UTF-16 units, extendable one unit at a time.
const quint32 hashStart = 2166136261u;
inline quint32 hashStep(quint32 h, char16_t c)
{
    return (h ^ c) * 16777619u;
}

inline quint32 slotOf(quint32 hash)
{
    return (hash ^ (hash >> 15)) * 0x9E3779B1u;
}

const char16_t *unitsOf(const QString &s)
{
    return reinterpret_cast<const char16_t *>(s.utf16());
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

int TraditionConverter::Dictionary::append(const QString &text)
{
    const int at = int(m_pool.size());
    m_pool.insert(m_pool.end(), unitsOf(text), unitsOf(text) + text.size());
    return at;
}

int TraditionConverter::Dictionary::find(const char16_t *key, int length, quint32 hash) const
{
    if (m_slots.empty())
        return -1;
    for (quint32 i = slotOf(hash) & m_slotMask;; i = (i + 1) & m_slotMask) {
        const Slot &slot = m_slots[i];
        if (slot.entry < 0)
            return -1;
        if (slot.hash == hash) {
            const Entry &e = m_entries[size_t(slot.entry)];
            if (e.keyLength == length && std::memcmp(m_pool.data() + e.key, key, size_t(length) * 2) == 0)
                return slot.entry;
        }
    }
}

void TraditionConverter::Dictionary::rebuildSlots()
{
    size_t capacity = 16;
    // At most a quarter full after a rebuild, at most half before the next.
    while (capacity < m_multi.size() * 4 + 4)
        capacity *= 2;
    m_slots.assign(capacity, Slot());
    m_slotMask = quint32(capacity - 1);
    for (int index : m_multi) {
        const Entry &e = m_entries[size_t(index)];
        quint32 hash = hashStart;
        for (int k = 0; k < e.keyLength; ++k)
            hash = hashStep(hash, m_pool[size_t(e.key + k)]);
        quint32 i = slotOf(hash) & m_slotMask;
        while (m_slots[i].entry >= 0)
            i = (i + 1) & m_slotMask;
        m_slots[i] = Slot{hash, index};
    }
}

void TraditionConverter::Dictionary::add(const QStringList &from, const QStringList &to)
{
    if (m_startOf.empty()) {
        m_startOf.assign(0x10000, 0);
        m_starts.reserve(0x1000);
    }
    const int count = std::min(from.size(), to.size());
    m_multi.reserve(m_multi.size() + size_t(count));
    m_entries.reserve(m_entries.size() + size_t(count));
    bool longAdded = false;
    for (int k = 0; k < count; ++k) {
        const QString &key = from.at(k);
        if (key.isEmpty())
            continue;
        const ushort first = key.at(0).unicode();
        const int length = key.size();
        const int index = int(m_entries.size());
        if (!m_startOf[first]) {
            if (m_starts.size() >= 0xFFFF)
                continue; // cannot happen with 65536 units and the 0 reserved
            m_starts.push_back(Start());
            m_startOf[first] = quint16(m_starts.size());
        }
        Start &start = m_starts[m_startOf[first] - 1u];
        if (length == 1) {
            if (start.single >= 0)
                continue;
            start.single = index;
        } else if (length <= LongBit) {
            if (m_slots.size() < m_multi.size() * 2 + 2)
                rebuildSlots();
            quint32 hash = hashStart;
            for (int u = 0; u < length; ++u)
                hash = hashStep(hash, unitsOf(key)[u]);
            if (find(unitsOf(key), length, hash) >= 0)
                continue;
            m_multi.push_back(index);
            quint32 i = slotOf(hash) & m_slotMask;
            while (m_slots[i].entry >= 0)
                i = (i + 1) & m_slotMask;
            m_slots[i] = Slot{hash, index};
        } else {
            const bool known = std::any_of(m_long.begin(), m_long.end(), [&](int e) {
                const Entry &entry = m_entries[size_t(e)];
                return entry.keyLength == length
                    && std::memcmp(m_pool.data() + entry.key, unitsOf(key), size_t(length) * 2) == 0;
            });
            if (known)
                continue;
            m_long.push_back(index);
            longAdded = true;
        }
        start.lengths |= quint64(1) << (std::min(length, LongBit + 1) - 1);
        const int keyAt = append(key);
        const int valueAt = append(to.at(k));
        m_entries.push_back(Entry{keyAt, length, valueAt, to.at(k).size()});
    }
    if (longAdded)
        std::stable_sort(m_long.begin(), m_long.end(), [this](int a, int b) {
            return m_entries[size_t(a)].keyLength > m_entries[size_t(b)].keyLength;
        });
}

int TraditionConverter::Dictionary::match(const char16_t *data, int pos, int end, const char16_t **value,
                                          int *valueLength) const
{
    if (m_entries.empty())
        return 0;
    const quint16 place = m_startOf[data[pos]];
    if (!place)
        return 0;
    const Start &start = m_starts[place - 1u];
    quint64 lengths = start.lengths;
    const int left = end - pos;
    auto found = [&](int entry) {
        const Entry &e = m_entries[size_t(entry)];
        *value = m_pool.data() + e.value;
        *valueLength = e.valueLength;
        return e.keyLength;
    };
    if (lengths >> LongBit) {
        for (int entry : m_long) {
            const Entry &e = m_entries[size_t(entry)];
            if (e.keyLength <= left && std::memcmp(m_pool.data() + e.key, data + pos, size_t(e.keyLength) * 2) == 0)
                return found(entry);
        }
        lengths &= ~(quint64(1) << LongBit);
    }
    if (left < LongBit)
        lengths &= (quint64(1) << left) - 1;
    if (!lengths)
        return 0;
    // Hashes of the prefixes of every candidate length, longest tried first.
    quint32 hashes[LongBit + 1];
    const int longest = 64 - __builtin_clzll(lengths);
    quint32 h = hashStart;
    for (int n = 1; n <= longest; ++n) {
        h = hashStep(h, data[pos + n - 1]);
        hashes[n] = h;
    }
    while (lengths) {
        const int bit = 63 - __builtin_clzll(lengths);
        const int n = bit + 1;
        if (n == 1)
            return found(start.single);
        const int entry = find(data + pos, n, hashes[n]);
        if (entry >= 0)
            return found(entry);
        lengths &= ~(quint64(1) << bit);
    }
    return 0;
}

QString TraditionConverter::convert(const QString &text) const
{
    const char16_t *data = unitsOf(text);
    const int end = text.size();
    QString out;
    int written = 0;
    int pos = 0;
    int copyFrom = 0; // start of the unconverted run not yet copied
    auto put = [&](const char16_t *units, int n) {
        if (written + n > out.size())
            out.resize(std::max(out.size() * 2, written + n + end / 8 + 16));
        std::memcpy(reinterpret_cast<char16_t *>(out.data()) + written, units, size_t(n) * 2);
        written += n;
    };
    while (pos < end) {
        const char16_t *value = nullptr;
        int valueLength = 0;
        int n = m_phrases.match(data, pos, end, &value, &valueLength);
        if (!n)
            n = m_characters.match(data, pos, end, &value, &valueLength);
        if (n) {
            if (out.isEmpty())
                out.resize(end + end / 8 + 16);
            put(data + copyFrom, pos - copyFrom);
            put(value, valueLength);
            pos += n;
            copyFrom = pos;
        } else {
            // A surrogate pair is kept whole, so a key never starts inside it.
            pos += (QChar::isHighSurrogate(data[pos]) && pos + 1 < end) ? 2 : 1;
        }
    }
    if (copyFrom == 0)
        return text;
    put(data + copyFrom, end - copyFrom);
    out.resize(written);
    return out;
}
