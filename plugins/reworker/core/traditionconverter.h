#ifndef TRADITIONCONVERTER_H
#define TRADITIONCONVERTER_H

#include <QString>
#include <QStringList>

#include <string_view>
#include <unordered_map>
#include <utility>
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
    // (bit L - 1 for length L; bit 63 for every length of 64 and more),
    // one-unit keys in a flat array, longer ones in a hash of views into
    // the kept key strings.
    class Dictionary
    {
    public:
        void add(const QStringList &from, const QStringList &to);
        int size() const { return int(m_values.size()); }
        // The length matched at data[pos] (0 for none) and its value.
        int match(const char16_t *data, int pos, int end, const QString **value) const;

    private:
        std::vector<quint64> m_lengths;
        std::vector<int> m_single;
        std::unordered_map<std::u16string_view, int> m_multi;
        std::vector<std::pair<QString, int>> m_long; // keys of 64 units and more, longest first
        std::vector<QString> m_keys;
        std::vector<QString> m_values;
    };

    Dictionary m_phrases;
    Dictionary m_characters;
};

#endif // TRADITIONCONVERTER_H
