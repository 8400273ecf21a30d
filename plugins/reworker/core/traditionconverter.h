#ifndef TRADITIONCONVERTER_H
#define TRADITIONCONVERTER_H

#include <QString>
#include <QStringList>

#include <vector>

// Converts a text in one left-to-right pass over two tables of pairs: a
// phrase table and a character table. At each position the longest phrase
// key that starts there wins; where no phrase key starts, the longest
// character key does; otherwise the character is kept. What a pair wrote is
// never looked at again, so no output is converted twice.
//
// Of several pairs with the same key the first one counts, and an empty key
// is no key at all. The converter is built once per start and then only
// read, so any number of threads may convert with it at the same time.
class TraditionConverter
{
public:
    TraditionConverter();

    // Pairs entry k of from with entry k of to (both lists of equal length).
    void addPhrases(const QStringList &from, const QStringList &to);
    void addCharacters(const QStringList &from, const QStringList &to);

    QString convert(const QString &text) const;

    int phraseCount() const { return m_phrases.size(); }
    int characterCount() const { return m_characters.size(); }

private:
    // Keys by first UTF-16 unit: which key lengths start with that unit
    // (bit L - 1 for length L; bit 63 for every length of 64 and more) and
    // the one-unit key; longer keys in an open-addressing table
    // over one pool of UTF-16 units, probed with the hash of the text's
    // prefix of each candidate length (the prefix hashes are computed once
    // per position).
    class Dictionary
    {
    public:
        void add(const QStringList &from, const QStringList &to);
        int size() const { return int(m_entries.size()); }
        // The length matched at data[pos] (0 for none), and where its value
        // lies in the pool.
        int match(const char16_t *data, int pos, int end, const char16_t **value, int *valueLength) const;

    private:
        struct Entry
        {
            int key;    // pool offset
            int keyLength;
            int value;  // pool offset
            int valueLength;
        };
        struct Slot
        {
            quint32 hash = 0;
            int entry = -1;
        };

        int find(const char16_t *key, int length, quint32 hash) const;
        void rebuildSlots();
        int append(const QString &text);

        // Per first unit: 0, or 1 + its place in m_starts (a small table
        // that stays in the cache, unlike one record per possible unit).
        struct Start
        {
            quint64 lengths = 0;
            int single = -1; // entry of the one-unit key, -1 for none
        };
        std::vector<quint16> m_startOf;
        std::vector<Start> m_starts;
        std::vector<Slot> m_slots;
        quint32 m_slotMask = 0;
        std::vector<int> m_multi; // entries of the keys of 2 to 63 units
        std::vector<int> m_long;  // entries of longer keys, longest first
        std::vector<Entry> m_entries;
        std::vector<char16_t> m_pool;
    };

    Dictionary m_phrases;
    Dictionary m_characters;
};

#endif // TRADITIONCONVERTER_H
