#include "absearch.h"

#include <QHash>
#include <QRegularExpressionMatchIterator>

#include <vector>

namespace {

// A word character as the expression engine sees one for "\b": without
// Unicode properties only ASCII letters, digits and "_" are word characters.
inline bool isWord(ushort c)
{
    return c < 128 && (c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'));
}

// Whether a match may start at p: the lookahead "(?=(^|\b|\n))" holds at
// the start of the text, at a word boundary, or before a line feed.
inline bool mayStart(const ushort *s, int n, int p)
{
    if (p == 0)
        return true;
    if (p < n && s[p] == '\n')
        return true;
    const bool after = p < n && isWord(s[p]);
    return isWord(s[p - 1]) != after;
}

// (node, code unit) -> child node, open addressing with linear probing:
// the trie's lookups are most of the scan's work.
class EdgeTable
{
public:
    EdgeTable() : m_slots(1024) {}

    // The child, or -1.
    int find(int node, ushort c) const
    {
        const quint64 k = key(node, c);
        for (size_t i = hash(k) & mask();; i = (i + 1) & mask()) {
            const Slot &slot = m_slots[i];
            if (slot.child < 0)
                return -1;
            if (slot.key == k)
                return slot.child;
        }
    }

    // The child, created as next when there is none.
    int findOrAdd(int node, ushort c, int next)
    {
        if ((m_used + 1) * 2 > m_slots.size())
            grow();
        const quint64 k = key(node, c);
        for (size_t i = hash(k) & mask();; i = (i + 1) & mask()) {
            Slot &slot = m_slots[i];
            if (slot.child < 0) {
                slot.key = k;
                slot.child = next;
                ++m_used;
                return next;
            }
            if (slot.key == k)
                return slot.child;
        }
    }

private:
    struct Slot {
        quint64 key = 0;
        int child = -1;
    };

    static quint64 key(int node, ushort c) { return (quint64(quint32(node)) << 16) | c; }
    static size_t hash(quint64 k) { return size_t((k * 0x9E3779B97F4A7C15ull) >> 32); }
    size_t mask() const { return m_slots.size() - 1; }

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        for (const Slot &slot : old) {
            if (slot.child < 0)
                continue;
            size_t i = hash(slot.key) & mask();
            while (m_slots[i].child >= 0)
                i = (i + 1) & mask();
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

// The plain A lines, reversed, in one trie: walking back from a "-" of a B
// line meets, at each node that ends a line, a place where that line's
// text stands right before the "-".
class ReverseIndex
{
public:
    ReverseIndex() : m_root(0x10000, -1) {}

    void add(const QString &line, int id)
    {
        const ushort *s = line.utf16();
        int node = -1;
        for (int i = line.size() - 1; i >= 0; --i) {
            const int next = int(m_ends.size());
            if (node < 0) {
                int &child = m_root[s[i]];
                if (child < 0)
                    child = next;
                node = child;
            } else {
                node = m_edges.findOrAdd(node, s[i], next);
            }
            if (node == next)
                m_ends.push_back(-1);
        }
        if (node >= 0)
            m_ends[size_t(node)] = id;
    }

    bool isEmpty() const { return m_ends.empty(); }

    // Calls found(id, start) for every indexed line that ends right before
    // position dash, from the shortest to the longest; lineStart bounds the
    // walk.
    template <typename Found>
    void walk(const ushort *s, int lineStart, int dash, Found found) const
    {
        int k = dash - 1;
        if (k < lineStart)
            return;
        int node = m_root[s[k]];
        while (node >= 0) {
            const int id = m_ends[size_t(node)];
            if (id >= 0)
                found(id, k);
            if (--k < lineStart)
                return;
            node = m_edges.find(node, s[k]);
        }
    }

private:
    std::vector<int> m_root; // child of the root per code unit
    EdgeTable m_edges;       // the other nodes' children
    std::vector<int> m_ends; // per node: the line ending there, or -1
};

// Plain lines up to this length always make a valid pattern.
const int longestSurePlain = 1000;

struct Hit {
    int b;     // which B text
    int start; // where the match starts
    int end;   // the end of its line
};

} // namespace

const QLatin1String AbSearch::notFoundMark(" not find!");

QString AbSearch::pattern(const QString &aLine)
{
    return QStringLiteral("(?=(^|\\b|\\n))") + aLine + QStringLiteral("-.*(?=($|\\b|\\n))");
}

bool AbSearch::isPlain(const QString &aLine)
{
    for (const QChar c : aLine) {
        switch (c.unicode()) {
        case '\\': case '^': case '$': case '.': case '|': case '?': case '*':
        case '+': case '(': case ')': case '[': case ']': case '{': case '}':
            return false;
        default:
            break;
        }
    }
    return true;
}

void AbSearch::collect(const QRegularExpression &expression, const QStringList &bTexts, QStringList &matches)
{
    if (!expression.isValid())
        return;
    // Compiled to machine code once, before the first of many searches.
    expression.optimize();
    for (const QString &b : bTexts) {
        QRegularExpressionMatchIterator it = expression.globalMatch(b);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            if (match.capturedLength() > 0)
                matches << match.captured();
        }
    }
}

QStringList AbSearch::searchLine(const QString &aLine, const QStringList &bTexts)
{
    QStringList matches;
    collect(QRegularExpression(pattern(aLine)), bTexts, matches);
    return matches;
}

AbSearch::Result AbSearch::run(const QStringList &aTexts, const QStringList &bTexts)
{
    // The distinct non-empty A lines, each sorted to the index or to the
    // expression engine once.
    QList<QStringList> aLines;
    QHash<QString, int> ids;
    QStringList distinct;
    for (const QString &text : aTexts) {
        aLines << text.split(QLatin1Char('\n'));
        for (const QString &line : aLines.last()) {
            if (!line.isEmpty() && !ids.contains(line)) {
                ids.insert(line, distinct.size());
                distinct << line;
            }
        }
    }

    const int count = distinct.size();
    std::vector<std::vector<Hit>> hits(static_cast<size_t>(count));
    std::vector<QStringList> matched(static_cast<size_t>(count));
    ReverseIndex index;
    for (int id = 0; id < count; ++id) {
        const QString &line = distinct.at(id);
        const bool plain = isPlain(line);
        // A line the engine refuses finds nothing, whatever its text. A
        // plain line is refused only when it is too long for a pattern.
        if (plain && line.size() <= longestSurePlain) {
            index.add(line, id);
            continue;
        }
        QRegularExpression expression(pattern(line));
        if (!expression.isValid())
            continue;
        if (plain)
            index.add(line, id);
        else
            collect(expression, bTexts, matched[size_t(id)]);
    }

    if (!index.isEmpty()) {
        // A match of a plain line runs from its start to the end of its B
        // line, so each B line gives a line at most one match: the leftmost.
        std::vector<qint64> lastLine(size_t(count), -1);
        qint64 serial = 0;
        for (int b = 0; b < bTexts.size(); ++b) {
            const QString &text = bTexts.at(b);
            const ushort *s = text.utf16();
            const int n = text.size();
            int lineStart = 0;
            while (lineStart <= n) {
                int lineEnd = lineStart;
                while (lineEnd < n && s[lineEnd] != '\n')
                    ++lineEnd;
                for (int d = lineStart; d < lineEnd; ++d) {
                    if (s[d] != '-')
                        continue;
                    index.walk(s, lineStart, d, [&](int id, int start) {
                        if (lastLine[size_t(id)] == serial || !mayStart(s, n, start))
                            return;
                        lastLine[size_t(id)] = serial;
                        hits[size_t(id)].push_back(Hit{ b, start, lineEnd });
                    });
                }
                ++serial;
                lineStart = lineEnd + 1;
            }
        }
    }

    Result result;
    for (const QStringList &lines : aLines) {
        QString rewritten;
        for (const QString &line : lines) {
            if (line.isEmpty())
                continue;
            const int id = ids.value(line);
            bool found = false;
            for (const Hit &hit : hits[size_t(id)]) {
                result.output.append(bTexts.at(hit.b).constData() + hit.start, hit.end - hit.start);
                result.output += QLatin1Char('\n');
                found = true;
            }
            for (const QString &match : matched[size_t(id)]) {
                result.output += match;
                result.output += QLatin1Char('\n');
                found = true;
            }
            rewritten += line;
            if (found) {
                ++result.found;
            } else {
                rewritten += notFoundMark;
                ++result.notFound;
            }
            rewritten += QLatin1Char('\n');
        }
        result.aTexts << rewritten;
    }
    return result;
}
