#ifndef LEXICON_H
#define LEXICON_H

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include "prefixtable.h"

// The words the script converter segments a text into: for each, its
// frequency in a large word list and its forms in the four scripts of the
// phrase tables (simplified, literal traditional, Hong Kong, Taiwan), and
// whether its traditional form is decided (by the word, or by a phrase
// inside it) or only what converting it character by character gives.
// Also which characters have more than one form in the other script.
//
// The text format is the one scripts/make_lexicon.py writes (see there): a
// form left out is derived, the traditional one from the simplified one by
// the first forms of the character table, the Hong Kong and Taiwan ones
// from the traditional one.
//
// Read-only once made; the key table of a script is built on first use
// (under a lock), so one lexicon serves every conversion of the process.
class Lexicon
{
public:
    enum Script { Simplified, Traditional, HongKong, Taiwan, ScriptCount };

    // Nothing when the text holds no word.
    static std::shared_ptr<const Lexicon> fromText(const QString &text, const QStringList &charFrom,
                                                   const QStringList &charTo);

    int size() const { return int(m_words.size()); }
    QStringView form(int word, int script) const
    {
        const Form &f = m_words[size_t(word)].forms[size_t(script)];
        return QStringView(m_pool.data() + f.at, f.length);
    }
    // Whether the word's form in the script was written down in the
    // lexicon rather than derived.
    bool given(int word, int script) const { return m_words[size_t(word)].given >> script & 1; }
    // Whether the word, or a phrase inside it, decides how its characters
    // are written in traditional script.
    bool decided(int word) const { return m_words[size_t(word)].decided; }
    // Natural logarithm of the word's share of the word list.
    float weight(int word) const { return m_weights[size_t(word)]; }
    // The share of a character the list does not know.
    float unknownWeight() const { return m_unknownWeight; }

    // Whether a character of the script (Simplified, or any traditional
    // one) has more than one form in the other script, and which.
    bool isAmbiguous(char16_t unit, bool simplified) const
    {
        const std::vector<quint64> &bits = m_ambiguous[simplified ? 0 : 1];
        return bits[unit >> 6] >> (unit & 63) & 1;
    }
    QString candidates(QChar c, bool simplified) const;

    // Every word by its form in the script. Of words with one form there,
    // the most frequent counts.
    const PrefixTable &keys(int script) const;

private:
    Lexicon();

    struct Form
    {
        int at = 0;
        int length = 0;
    };
    struct Word
    {
        std::array<Form, ScriptCount> forms;
        quint8 given = 0; // bit per script
        bool decided = false;
    };

    Form append(QStringView text);

    std::vector<Word> m_words;
    std::vector<float> m_weights; // apart, so that segmenting reads few cache lines
    std::vector<char16_t> m_pool;
    float m_unknownWeight = 0;
    std::array<std::vector<quint64>, 2> m_ambiguous;
    std::array<QHash<ushort, QString>, 2> m_candidates;

    mutable std::array<std::unique_ptr<PrefixTable>, ScriptCount> m_keys;
    mutable std::array<std::once_flag, ScriptCount> m_built;
};

#endif // LEXICON_H
