#include "traditionconverter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "lexicon.h"
#include "prefixtable.h"

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
TraditionConverter::~TraditionConverter() = default;

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

QString TraditionConverter::convert(const QString &text, int *undecided, std::vector<Undecided> *marks) const
{
    if (undecided)
        *undecided = 0;
    if (marks)
        marks->clear();
    return m_lexicon ? convertSegmented(text, undecided, marks) : convertLongest(text);
}

QString TraditionConverter::convertLongest(const QString &text) const
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

void TraditionConverter::useLexicon(std::shared_ptr<const Lexicon> lexicon, int source, int target)
{
    m_lexicon = std::move(lexicon);
    if (!m_lexicon)
        return;
    m_source = source;
    m_target = target;
    m_keys = &m_lexicon->keys(source);
    m_phraseOf.assign(size_t(m_lexicon->size()), {-1, 0});
    QStringList userFrom;
    QStringList userTo;
    m_phrases.forEach([&](const char16_t *key, int length, int entry) {
        const int word = m_keys->find(key, length);
        const std::pair<int, int> value = m_phrases.valueAt(entry);
        if (word >= 0) {
            if (m_phraseOf[size_t(word)].first < 0)
                m_phraseOf[size_t(word)] = value;
        } else {
            userFrom << QString::fromUtf16(key, length);
            userTo << QString::fromUtf16(m_phrases.units() + value.first, value.second);
        }
    });
    // Tables of the user's own, not grown from the shipped ones, keep the
    // longest match they were written for.
    if (userFrom.size() * 2 > m_phrases.size()) {
        m_lexicon.reset();
        m_keys = nullptr;
        m_phraseOf.clear();
        return;
    }
    m_userPhrases.add(userFrom, userTo);
}

QString TraditionConverter::convertSegmented(const QString &text, int *undecided, std::vector<Undecided> *marks) const
{
    const char16_t *data = unitsOf(text);
    const int end = text.size();
    const Lexicon &lexicon = *m_lexicon;
    const PrefixTable &keys = *m_keys;
    const bool fromSimplified = m_source == Lexicon::Simplified;
    const bool countAmbiguous = (undecided || marks) && m_characters.size() > 0;
    // Marks are collected apart from the count, so that counting alone
    // stays one pass over the bits.
    const bool collect = marks && countAmbiguous;
    const bool userPhrases = m_userPhrases.size() > 0;
    int count = 0;

    QString out;
    out.resize(end + end / 8 + 16);
    char16_t *outData = reinterpret_cast<char16_t *>(out.data());
    int written = 0;
    // Pieces are a few units long: a loop beats a call to memcpy.
    auto put = [&](const char16_t *units, int n) {
        if (written + n > out.size()) {
            out.resize(std::max(out.size() * 2, written + n + end / 8 + 16));
            outData = reinterpret_cast<char16_t *>(out.data());
        }
        for (int k = 0; k < n; ++k)
            outData[written + k] = units[k];
        written += n;
    };
    auto unitLength = [&](int pos) {
        return (QChar::isHighSurrogate(data[pos]) && pos + 1 < end) ? 2 : 1;
    };
    // Marks the source unit at k, when it has several forms, as written at
    // output [outAt, outAt + outLength).
    auto note = [&](int k, int outAt, int outLength) {
        if (!lexicon.isAmbiguous(data[k], fromSimplified))
            return;
        ++count;
        marks->push_back(Undecided{outAt, outLength, lexicon.candidates(QChar(data[k]), fromSimplified)});
    };
    auto userPhraseAt = [&](int pos, const char16_t **value, int *valueLength) {
        return userPhrases ? m_userPhrases.match(data, pos, end, value, valueLength) : 0;
    };
    // [from, to) through the character table, whose keys stay inside it.
    // Every character of several forms there is the table's choice, also
    // where the table keeps it as it is (面, 只).
    auto byCharacters = [&](int from, int to) {
        if (countAmbiguous && !collect) {
            for (int k = from; k < to; ++k)
                count += lexicon.isAmbiguous(data[k], fromSimplified);
        }
        for (int pos = from; pos < to;) {
            const char16_t *value = nullptr;
            int valueLength = 0;
            const int outAt = written;
            int n = m_characters.match(data, pos, to, &value, &valueLength);
            if (n) {
                put(value, valueLength);
            } else {
                n = std::min(unitLength(pos), to - pos);
                put(data + pos, n);
            }
            if (collect) {
                for (int k = pos; k < pos + n; ++k)
                    note(k, outAt, written - outAt);
            }
            pos += n;
        }
    };

    std::vector<float> best;
    std::vector<int> pieceLength;
    std::vector<int> pieceWord;
    int pos = 0;
    while (pos < end) {
        const char16_t *value = nullptr;
        int valueLength = 0;
        if (int n = userPhraseAt(pos, &value, &valueLength)) {
            put(value, valueLength);
            pos += n;
            continue;
        }
        if (!keys.holds(data[pos])) {
            const int u = unitLength(pos);
            byCharacters(pos, pos + u);
            pos += u;
            continue;
        }
        // The run: up to a unit no word holds, or a user phrase.
        int runEnd = pos + 1;
        while (runEnd < end && keys.holds(data[runEnd]) && !userPhraseAt(runEnd, &value, &valueLength))
            ++runEnd;
        if (QChar::isHighSurrogate(data[runEnd - 1]) && runEnd < end && QChar::isLowSurrogate(data[runEnd]))
            ++runEnd; // a pair stays whole

        const int length = runEnd - pos;
        best.assign(size_t(length + 1), 0.0f);
        pieceLength.assign(size_t(length), 1);
        pieceWord.assign(size_t(length), -1);
        for (int i = length - 1; i >= 0; --i) {
            float score = -std::numeric_limits<float>::infinity();
            int chosen = 0;
            int word = -1;
            keys.matches(data, pos + i, runEnd, [&](int n, int id, float weight) {
                const float s = weight + best[size_t(i + n)];
                if (s >= score) {
                    score = s;
                    chosen = n;
                    word = id;
                }
            });
            if (!chosen) {
                chosen = std::min(unitLength(pos + i), length - i);
                score = lexicon.unknownWeight() + best[size_t(i + chosen)];
            }
            best[size_t(i)] = score;
            pieceLength[size_t(i)] = chosen;
            pieceWord[size_t(i)] = word;
        }
        for (int i = 0; i < length;) {
            const int n = pieceLength[size_t(i)];
            const int word = pieceWord[size_t(i)];
            const int at = pos + i;
            i += n;
            const std::pair<int, int> phrase = word < 0 ? std::pair<int, int>(-1, 0) : m_phraseOf[size_t(word)];
            if (phrase.first >= 0) {
                const int outAt = written;
                put(m_phrases.units() + phrase.first, phrase.second);
                // A phrase of one character (a variant form) decides nothing.
                if (collect && n == unitLength(at))
                    note(at, outAt, phrase.second);
                else if (countAmbiguous && n == unitLength(at))
                    count += lexicon.isAmbiguous(data[at], fromSimplified);
                continue;
            }
            // A character alone decides nothing: the character table has it.
            if (word < 0 || n == unitLength(at)) {
                byCharacters(at, at + n);
                continue;
            }
            // A word takes its own form where the lexicon decides it; between
            // traditional scripts there is no character table, and the form
            // is all there is.
            bool own = true;
            if (fromSimplified)
                own = lexicon.decided(word) || lexicon.given(word, m_target);
            if (!own) {
                byCharacters(at, at + n);
                continue;
            }
            const QStringView v = lexicon.form(word, m_target);
            const int outAt = written;
            put(reinterpret_cast<const char16_t *>(v.utf16()), int(v.size()));
            if (collect && fromSimplified && !lexicon.decided(word)) {
                // A form as long as the word is its characters one for one;
                // otherwise the whole form is the one place to check.
                const bool aligned = int(v.size()) == n;
                for (int k = at; k < at + n; ++k)
                    note(k, aligned ? outAt + (k - at) : outAt, aligned ? 1 : int(v.size()));
            } else if (countAmbiguous && fromSimplified && !lexicon.decided(word)) {
                for (int k = at; k < at + n; ++k)
                    count += lexicon.isAmbiguous(data[k], true);
            }
        }
        pos = runEnd;
    }
    if (undecided)
        *undecided = count;
    out.resize(written);
    return out;
}
