#include "prefixtable.h"

#include <algorithm>
#include <cstring>

PrefixTable::PrefixTable()
    : m_single(0x10000), m_units(0x10000 / 64, 0), m_filter((size_t(1) << FilterBits) / 64, 0), m_slots(16), m_keyOf(16, nullptr), m_mask(15)
{
}

void PrefixTable::reserve(int keys)
{
    // Words bring about one prefix for every two or three of them; at most
    // half full.
    const size_t entries = size_t(std::max(keys, 0)) * 3 / 2;
    size_t capacity = m_slots.size();
    while (capacity < entries * 2)
        capacity *= 2;
    if (capacity > m_slots.size())
        grow(capacity);
}

void PrefixTable::squeeze()
{
    size_t capacity = 16;
    while (capacity < size_t(m_used) * 2)
        capacity *= 2;
    if (capacity < m_slots.size())
        grow(capacity);
}

bool PrefixTable::same(const Slot &slot, quint32 i, const char16_t *key, int length) const
{
    const int inHead = std::min(length, Head);
    for (int k = 0; k < inHead; ++k) {
        if (slot.head[k] != key[k])
            return false;
    }
    return length <= Head || std::memcmp(m_keyOf[i] + Head, key + Head, size_t(length - Head) * 2) == 0;
}

void PrefixTable::grow(size_t capacity)
{
    std::vector<Slot> old;
    std::vector<const char16_t *> oldKeys;
    old.swap(m_slots);
    oldKeys.swap(m_keyOf);
    m_slots.assign(capacity, Slot());
    m_keyOf.assign(capacity, nullptr);
    m_mask = quint32(capacity - 1);
    for (size_t k = 0; k < old.size(); ++k) {
        if (!old[k].length())
            continue;
        quint32 h = start;
        for (int n = 0; n < old[k].length(); ++n)
            h = step(h, oldKeys[k][n]);
        quint32 i = slotOf(h) & m_mask;
        while (m_slots[i].length())
            i = (i + 1) & m_mask;
        m_slots[i] = old[k];
        m_keyOf[i] = oldKeys[k];
    }
}

PrefixTable::Slot *PrefixTable::insert(const char16_t *key, int length, quint32 hash)
{
    if (size_t(m_used + 1) * 2 > m_slots.size())
        grow(m_slots.size() * 2);
    // One walk finds the key or the free slot it goes into.
    const bool known = mayHold(hash);
    quint32 i = slotOf(hash) & m_mask;
    for (;; i = (i + 1) & m_mask) {
        Slot &slot = m_slots[i];
        const int used = slot.length();
        if (!used)
            break;
        if (known && used == length && same(slot, i, key, length))
            return &slot;
    }
    Slot &slot = m_slots[i];
    for (int k = 0; k < std::min(length, Head); ++k)
        slot.head[k] = key[k];
    slot.packed = quint32(length) << LengthShift;
    const quint32 bit = (hash * 0x85EBCA6Bu) >> (32 - FilterBits);
    m_filter[bit >> 6] |= quint64(1) << (bit & 63);
    m_keyOf[i] = key;
    ++m_used;
    return &slot;
}

int PrefixTable::add(const char16_t *key, int length, int id, float weight)
{
    if (length <= 0 || length > 0xFF || id < 0 || quint32(id) >= IdMask)
        return -1;
    for (int k = 0; k < length; ++k)
        m_units[key[k] >> 6] |= quint64(1) << (key[k] & 63);
    Single &single = m_single[key[0]];
    if (length == 1) {
        if (single.id < 0) {
            single.id = id;
            single.weight = weight;
            ++m_count;
        }
        return single.id;
    }
    single.longer = true;
    quint32 h = step(start, key[0]);
    for (int n = 2; n <= length; ++n) {
        h = step(h, key[n - 1]);
        Slot *slot = insert(key, n, h);
        if (n < length) {
            slot->packed |= LongerBit;
        } else {
            if (!(slot->packed & IdMask)) {
                slot->packed |= quint32(id) + 1;
                slot->weight = weight;
                ++m_count;
            }
            return int(slot->packed & IdMask) - 1;
        }
    }
    return -1;
}

int PrefixTable::find(const char16_t *key, int length) const
{
    if (length <= 0 || length > 0xFF)
        return -1;
    if (length == 1)
        return m_single[key[0]].id;
    quint32 h = start;
    for (int n = 0; n < length; ++n)
        h = step(h, key[n]);
    const Slot *slot = lookup(key, length, h);
    return slot ? int(slot->packed & IdMask) - 1 : -1;
}

void PrefixTable::reassign(const char16_t *key, int length, int id, float weight)
{
    if (length <= 0 || length > 0xFF || id < 0 || quint32(id) >= IdMask)
        return;
    if (length == 1) {
        if (m_single[key[0]].id >= 0) {
            m_single[key[0]].id = id;
            m_single[key[0]].weight = weight;
        }
        return;
    }
    quint32 h = start;
    for (int n = 0; n < length; ++n)
        h = step(h, key[n]);
    Slot *slot = const_cast<Slot *>(lookup(key, length, h));
    if (slot && (slot->packed & IdMask)) {
        slot->packed = (slot->packed & ~IdMask) | (quint32(id) + 1);
        slot->weight = weight;
    }
}
