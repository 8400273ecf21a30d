#ifndef PREFIXTABLE_H
#define PREFIXTABLE_H

#include <QtGlobal>

#include <vector>

// A set of keys (runs of UTF-16 units), each with a number and a weight, that finds every
// key starting at a position of a text in one walk along it. Keys of one
// unit sit in a table by unit; longer keys and each of their proper
// prefixes (marked as such) sit in one open-addressing table, probed with
// the hash of the text's prefix grown one unit at a time, so the walk stops
// as soon as the text leaves every key; a bitmap of the hashes answers
// most probes for what is not there.
//
// The table keeps pointers to the keys, not copies: the memory of the
// keys must outlive it. Built once, then only read: any number of threads
// may search it.
class PrefixTable
{
public:
    PrefixTable();

    // Room for about this many keys of several units, so that adding them
    // does not grow the table again and again.
    void reserve(int keys);
    // Once every key is added: the smallest table at most half full, so
    // that searching reads as little memory as it can.
    void squeeze();

    // Adds key with number id (below 2^23) and its weight; a key already
    // there keeps its number, which is returned (id when the key is new).
    // Keys of more than 255 units are no keys.
    int add(const char16_t *key, int length, int id, float weight = 0);
    // Gives a key already there another number and weight.
    void reassign(const char16_t *key, int length, int id, float weight);
    // The number of key, or -1.
    int find(const char16_t *key, int length) const;
    // Whether some key holds the unit.
    bool holds(char16_t unit) const { return m_units[unit >> 6] >> (unit & 63) & 1; }
    int size() const { return m_count; }

    // Calls found(length, id, weight) for every key that starts at
    // data[pos] and ends at or before end, shortest first.
    template <class Found>
    void matches(const char16_t *data, int pos, int end, Found found) const
    {
        const char16_t first = data[pos];
        const Single &single = m_single[first];
        if (single.id >= 0)
            found(1, single.id, single.weight);
        if (!single.longer)
            return;
        quint32 h = step(start, first);
        for (int n = 2; pos + n <= end; ++n) {
            h = step(h, data[pos + n - 1]);
            const Slot *slot = lookup(data + pos, n, h);
            if (!slot)
                return;
            if (slot->packed & IdMask)
                found(n, int(slot->packed & IdMask) - 1, slot->weight);
            if (!(slot->packed & LongerBit))
                return;
        }
    }

private:
    struct Single
    {
        int id = -1;
        float weight = 0;
        bool longer = false; // some longer key starts with the unit
    };
    // One key of two units or more, or a proper prefix of one, with its
    // first units kept in the slot itself, so that most probes touch one
    // cache line and no key memory.
    static constexpr int Head = 4;
    // packed: id + 1 (0 for a prefix that is no key itself), the length
    // (0: a free slot), and whether some longer key goes on from here.
    static constexpr quint32 IdMask = (1u << 23) - 1;
    static constexpr int LengthShift = 23;
    static constexpr quint32 LongerBit = 1u << 31;
    struct Slot
    {
        char16_t head[Head] = {};
        float weight = 0;
        quint32 packed = 0;
        int length() const { return int(packed >> LengthShift & 0xFF); }
    };

    static constexpr quint32 start = 2166136261u;
    // FNV-1a over UTF-16 units, extendable one unit at a time.
    static quint32 step(quint32 h, char16_t c) { return (h ^ c) * 16777619u; }
    static quint32 slotOf(quint32 hash) { return (hash ^ (hash >> 15)) * 0x9E3779B1u; }

    // One bit per hash of a key or prefix in the table: most probes for what
    // is not there stop at this small bitmap, which stays in the cache,
    // instead of at a slot of the large table, which does not.
    static constexpr int FilterBits = 22;
    bool mayHold(quint32 hash) const
    {
        const quint32 bit = (hash * 0x85EBCA6Bu) >> (32 - FilterBits);
        return m_filter[bit >> 6] >> (bit & 63) & 1;
    }
    const Slot *lookup(const char16_t *key, int length, quint32 hash) const
    {
        if (!mayHold(hash))
            return nullptr;
        for (quint32 i = slotOf(hash) & m_mask;; i = (i + 1) & m_mask) {
            const Slot &slot = m_slots[i];
            const int used = slot.length();
            if (!used)
                return nullptr;
            if (used == length && same(slot, i, key, length))
                return &slot;
        }
    }
    bool same(const Slot &slot, quint32 i, const char16_t *key, int length) const;
    Slot *insert(const char16_t *key, int length, quint32 hash);
    void grow(size_t capacity);

    std::vector<Single> m_single;
    std::vector<quint64> m_units; // one bit per unit held by some key
    std::vector<quint64> m_filter;
    std::vector<Slot> m_slots;
    std::vector<const char16_t *> m_keyOf; // per slot: the key's units
    quint32 m_mask = 0;
    int m_used = 0;  // slots in use
    int m_count = 0; // keys
};

#endif // PREFIXTABLE_H
