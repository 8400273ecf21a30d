#ifndef TRADITIONCONVERTER_H
#define TRADITIONCONVERTER_H

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <utility>
#include <vector>

class Lexicon;
class PrefixTable;

// Converts a text in one left-to-right pass over two tables of pairs: a
// phrase table and a character table.
//
// Without a lexicon, at each position the longest phrase key that starts
// there wins; where no phrase key starts, the longest character key does;
// otherwise the character is kept.
//
// With a lexicon (useLexicon), each run of characters that some word or
// phrase of the lexicon holds is first cut into the pieces of highest
// probability: the words and phrases of the lexicon, written in the source
// script, each weighing its share of the word list, and a character that
// starts none of them as a piece of its own. A piece that is a phrase of
// the phrase table takes the phrase's conversion; else a word whose form in
// the target script the lexicon decides takes that form; else the piece
// goes through the character table. So 前头发生 is cut 前头|发生, where the
// longest match takes the phrase 头发 and writes 前頭髮生. A phrase of the
// table that the lexicon does not know (one the user added) still wins by
// longest match wherever it starts, before any cutting; and a phrase table
// of which the lexicon knows less than half keeps longest match throughout
// (tables of the user's own, for another purpose than the shipped ones).
//
// What a pair wrote is never looked at again, so no output is converted
// twice. Of several pairs with the same key the first one counts, and an
// empty key is no key at all. The converter is built once per start and
// then only read, so any number of threads may convert with it at the same
// time.
class TraditionConverter
{
public:
    TraditionConverter();
    ~TraditionConverter();

    // Pairs entry k of from with entry k of to (both lists of equal length).
    void addPhrases(const QStringList &from, const QStringList &to);
    void addCharacters(const QStringList &from, const QStringList &to);
    // Segments with the lexicon from now on, for text in the source script
    // converted to the target script (Lexicon::Script). Called once the
    // tables are added.
    void useLexicon(std::shared_ptr<const Lexicon> lexicon, int source, int target);

    // A character of more than one form in the target script that the
    // character table chose: where what it became lies in the output
    // (units [at, at + length)), and its forms there (one per code point).
    struct Undecided
    {
        int at = 0;
        int length = 0;
        QString candidates;
    };

    // With a lexicon, undecided (when given) counts the characters of more
    // than one form in the target script that the character table chose,
    // since neither a phrase nor a word decided them; marks (when given)
    // receives each of them, in the order of the output. Without marks
    // the conversion collects nothing.
    QString convert(const QString &text, int *undecided = nullptr, std::vector<Undecided> *marks = nullptr) const;

    int phraseCount() const { return m_phrases.size(); }
    int characterCount() const { return m_characters.size(); }
    bool segments() const { return bool(m_lexicon); }

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
        // Calls f(key, keyLength, entry) for every key, in the order added.
        template <class F>
        void forEach(F f) const
        {
            for (size_t e = 0; e < m_entries.size(); ++e)
                f(m_pool.data() + m_entries[e].key, m_entries[e].keyLength, int(e));
        }
        // Where the value of an entry lies in units() (offset, length).
        std::pair<int, int> valueAt(int entry) const
        {
            const Entry &e = m_entries[size_t(entry)];
            return { e.value, e.valueLength };
        }
        const char16_t *units() const { return m_pool.data(); }

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

    QString convertLongest(const QString &text) const;
    QString convertSegmented(const QString &text, int *undecided, std::vector<Undecided> *marks) const;

    Dictionary m_phrases;
    Dictionary m_characters;

    std::shared_ptr<const Lexicon> m_lexicon;
    const PrefixTable *m_keys = nullptr; // the lexicon's words in the source script
    int m_source = 0;
    int m_target = 0;
    // Per word of the lexicon: where its phrase's value lies in the phrase
    // table's units (offset, length), offset -1 for none.
    std::vector<std::pair<int, int>> m_phraseOf;
    Dictionary m_userPhrases;    // phrases the lexicon does not know
};

#endif // TRADITIONCONVERTER_H
