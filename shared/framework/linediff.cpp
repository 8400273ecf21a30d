#include "linediff.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <dtl/dtl.hpp>
#include <xxhash.h>

namespace {

// One line of a text: where it starts, its length and a hash, so that most
// comparisons of two different lines stop at the hash.
struct Line
{
    const QChar *data = nullptr;
    int size = 0;
    XXH64_hash_t hash = 0;

    bool operator==(const Line &other) const
    {
        return hash == other.hash && size == other.size
            && std::memcmp(data, other.data, size_t(size) * sizeof(QChar)) == 0;
    }
};

std::vector<Line> linesOf(const QString &text)
{
    std::vector<Line> lines;
    const QChar *begin = text.constData();
    const int n = text.size();
    int start = 0;
    for (;;) {
        const int end = text.indexOf(QLatin1Char('\n'), start);
        const int stop = end < 0 ? n : end;
        Line line;
        line.data = begin + start;
        line.size = stop - start;
        line.hash = XXH3_64bits(line.data, size_t(line.size) * sizeof(QChar));
        lines.push_back(line);
        if (end < 0)
            break;
        start = end + 1;
    }
    return lines;
}

// The keys of one side's elements, asked whether an element of the other
// side has a match: an open-addressed table, so each question costs a
// probe or two instead of a binary search through sorted keys.
class KeySet
{
public:
    template <class T, class KeyOf>
    KeySet(const T *elements, int count, KeyOf keyOf)
    {
        int bits = 4;
        while ((size_t(1) << bits) < size_t(count) * 2)
            ++bits;
        m_shift = 64 - bits;
        m_mask = (size_t(1) << bits) - 1;
        m_keys.assign(m_mask + 1, 0);
        m_used.assign(m_mask + 1, 0);
        for (int k = 0; k < count; ++k)
            insert(keyOf(elements[k]));
    }

    bool contains(XXH64_hash_t key) const
    {
        for (size_t i = slotOf(key);; i = (i + 1) & m_mask) {
            if (!m_used[i])
                return false;
            if (m_keys[i] == key)
                return true;
        }
    }

private:
    // Keys of code points are small numbers: mixed, so that they spread.
    size_t slotOf(XXH64_hash_t key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> m_shift); }

    void insert(XXH64_hash_t key)
    {
        size_t i = slotOf(key);
        while (m_used[i] && m_keys[i] != key)
            i = (i + 1) & m_mask;
        m_keys[i] = key;
        m_used[i] = 1;
    }

    int m_shift = 60;
    size_t m_mask = 0;
    std::vector<XXH64_hash_t> m_keys;
    std::vector<unsigned char> m_used;
};

// The edit script of a[0, aCount) against b[0, bCount), one step per
// element of either side. An element whose key (equal for equal elements)
// occurs nowhere on the other side cannot be common to both, so such
// elements are set aside before dtl runs and put back as removed or added
// after it: the common elements found are as many as dtl alone finds, and
// two runs with little in common (every line of a window changed, two
// unrelated lines) cost a pass over them instead of a search whose time
// grows with the square of their length.
template <class T, class KeyOf>
std::vector<dtl::edit_t> editScript(const T *a, int aCount, const T *b, int bCount, KeyOf keyOf)
{
    // The elements of one side that may have a match on the other, and
    // where each stands.
    const auto matchable = [&keyOf](const T *elements, int count, const KeySet &other, std::vector<T> &kept,
                                    std::vector<int> &at) {
        for (int k = 0; k < count; ++k) {
            if (other.contains(keyOf(elements[k]))) {
                kept.push_back(elements[k]);
                at.push_back(k);
            }
        }
    };
    std::vector<T> sa, sb;
    std::vector<int> atA, atB;
    matchable(a, aCount, KeySet(b, bCount, keyOf), sa, atA);
    matchable(b, bCount, KeySet(a, aCount, keyOf), sb, atB);

    std::vector<dtl::edit_t> script;
    script.reserve(size_t(aCount) + size_t(bCount));
    int ia = 0;
    int ib = 0;
    // The elements of both sides before (toA, toB) not yet in the script
    // are common to neither.
    const auto changedUpTo = [&](int toA, int toB) {
        for (; ia < toA; ++ia)
            script.push_back(dtl::SES_DELETE);
        for (; ib < toB; ++ib)
            script.push_back(dtl::SES_ADD);
    };
    if (!sa.empty() && !sb.empty()) {
        dtl::Diff<T> diff(sa, sb);
        diff.compose();
        size_t ka = 0;
        size_t kb = 0;
        for (const auto &step : diff.getSes().getSequence()) {
            switch (step.second.type) {
            case dtl::SES_COMMON:
                changedUpTo(atA[ka], atB[kb]);
                script.push_back(dtl::SES_COMMON);
                ++ia;
                ++ib;
                ++ka;
                ++kb;
                break;
            case dtl::SES_DELETE:
                ++ka;
                break;
            default:
                ++kb;
                break;
            }
        }
    }
    changedUpTo(aCount, bCount);
    return script;
}

XXH64_hash_t keyOfLine(const Line &line)
{
    return line.hash;
}

XXH64_hash_t keyOfCodePoint(uint point)
{
    return point;
}

// Appends the blocks of the first `upTo` steps of an edit script (lines of
// a starting at aBase, of b at bBase) to out; aUsed and bUsed get the lines
// of each side those steps cover.
void appendBlocks(const std::vector<dtl::edit_t> &script, size_t upTo, int aBase, int bBase,
                  QVector<LineDiff::Block> &out, int *aUsed, int *bUsed)
{
    int ia = 0;
    int ib = 0;
    LineDiff::Block open;
    bool inBlock = false;
    for (size_t k = 0; k < upTo; ++k) {
        const dtl::edit_t type = script[k];
        if (type == dtl::SES_COMMON) {
            if (inBlock) {
                out << open;
                inBlock = false;
            }
            ++ia;
            ++ib;
            continue;
        }
        if (!inBlock) {
            open = LineDiff::Block{aBase + ia, 0, bBase + ib, 0};
            inBlock = true;
        }
        if (type == dtl::SES_DELETE) {
            ++open.oldCount;
            ++ia;
        } else {
            ++open.newCount;
            ++ib;
        }
    }
    if (inBlock)
        out << open;
    *aUsed = ia;
    *bUsed = ib;
}

// The blocks of a[aFrom, aTo) against b[bFrom, bTo), window by window.
void diffMiddle(const std::vector<Line> &a, int aFrom, int aTo, const std::vector<Line> &b, int bFrom, int bTo,
                QVector<LineDiff::Block> &out)
{
    int i = aFrom;
    int j = bFrom;
    while (i < aTo || j < bTo) {
        if (i == aTo || j == bTo) {
            out << LineDiff::Block{i, aTo - i, j, bTo - j};
            return;
        }
        const int wa = std::min(LineDiff::window, aTo - i);
        const int wb = std::min(LineDiff::window, bTo - j);
        const std::vector<dtl::edit_t> script = editScript(a.data() + i, wa, b.data() + j, wb, keyOfLine);
        const bool last = i + wa == aTo && j + wb == bTo;
        if (last) {
            int ua = 0, ub = 0;
            appendBlocks(script, script.size(), i, j, out, &ua, &ub);
            return;
        }
        // Not the last window: what follows its last common line may pair
        // with lines beyond it, so only the script up to that line is
        // taken, unless that leaves too little (then the whole window).
        // A window without a common line is taken whole even when one side
        // has only a few lines left, or nothing would move on.
        size_t upTo = 0;
        int ca = 0, cb = 0, ia = 0, ib = 0;
        for (size_t k = 0; k < script.size(); ++k) {
            const dtl::edit_t type = script[k];
            if (type != dtl::SES_ADD)
                ++ia;
            if (type != dtl::SES_DELETE)
                ++ib;
            if (type == dtl::SES_COMMON) {
                upTo = k + 1;
                ca = ia;
                cb = ib;
            }
        }
        if (upTo == 0 || (ca < wa / 4 && cb < wb / 4))
            upTo = script.size();
        int ua = 0, ub = 0;
        appendBlocks(script, upTo, i, j, out, &ua, &ub);
        i += ua;
        j += ub;
    }
}

} // namespace

QVector<LineDiff::Block> LineDiff::blocks(const QString &oldText, const QString &newText)
{
    QVector<Block> out;
    if (oldText == newText)
        return out;
    const std::vector<Line> a = linesOf(oldText);
    const std::vector<Line> b = linesOf(newText);
    const int na = int(a.size());
    const int nb = int(b.size());
    int head = 0;
    while (head < na && head < nb && a[size_t(head)] == b[size_t(head)])
        ++head;
    int tail = 0;
    while (tail < na - head && tail < nb - head && a[size_t(na - 1 - tail)] == b[size_t(nb - 1 - tail)])
        ++tail;
    diffMiddle(a, head, na - tail, b, head, nb - tail, out);
    return out;
}

int LineDiff::changedLines(const QVector<Block> &blocks)
{
    int n = 0;
    for (const Block &block : blocks)
        n += std::max(block.oldCount, block.newCount);
    return n;
}

int LineDiff::changedLines(const QString &oldText, const QString &newText)
{
    return changedLines(blocks(oldText, newText));
}

namespace {

// Moves a unit index off the second half of a surrogate pair.
int backToCodePoint(const QString &s, int at)
{
    if (at > 0 && at < s.size() && s.at(at).isLowSurrogate() && s.at(at - 1).isHighSurrogate())
        return at - 1;
    return at;
}

int forwardToCodePoint(const QString &s, int at)
{
    if (at > 0 && at < s.size() && s.at(at).isLowSurrogate() && s.at(at - 1).isHighSurrogate())
        return at + 1;
    return at;
}

// Code points of s[from, to) and the unit offset where each starts.
void codePoints(const QString &s, int from, int to, std::vector<uint> &points, std::vector<int> &starts)
{
    for (int k = from; k < to; ++k) {
        starts.push_back(k);
        const QChar c = s.at(k);
        if (c.isHighSurrogate() && k + 1 < to && s.at(k + 1).isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(c, s.at(k + 1)));
            ++k;
        } else {
            points.push_back(c.unicode());
        }
    }
    starts.push_back(to);
}

void addRun(QVector<LineDiff::Run> &runs, int from, int to)
{
    if (from >= to)
        return;
    if (!runs.isEmpty() && runs.last().to == from)
        runs.last().to = to;
    else
        runs << LineDiff::Run{from, to};
}

} // namespace

void LineDiff::characterRuns(const QString &a, const QString &b, QVector<Run> &inA, QVector<Run> &inB)
{
    inA.clear();
    inB.clear();
    int head = 0;
    const int limit = std::min(a.size(), b.size());
    while (head < limit && a.at(head) == b.at(head))
        ++head;
    head = backToCodePoint(a, head);
    int tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a.at(a.size() - 1 - tail) == b.at(b.size() - 1 - tail))
        ++tail;
    int aEnd = forwardToCodePoint(a, a.size() - tail);
    int bEnd = forwardToCodePoint(b, b.size() - tail);
    if (aEnd < head)
        aEnd = head;
    if (bEnd < head)
        bEnd = head;
    // A fine comparison of long middles would cost their product.
    const qint64 aMiddle = aEnd - head;
    const qint64 bMiddle = bEnd - head;
    if (aMiddle == 0 || bMiddle == 0 || aMiddle * bMiddle > 4000000) {
        addRun(inA, head, aEnd);
        addRun(inB, head, bEnd);
        return;
    }
    std::vector<uint> pa, pb;
    std::vector<int> sa, sb;
    codePoints(a, head, aEnd, pa, sa);
    codePoints(b, head, bEnd, pb, sb);
    size_t ia = 0;
    size_t ib = 0;
    for (const dtl::edit_t step : editScript(pa.data(), int(pa.size()), pb.data(), int(pb.size()), keyOfCodePoint)) {
        switch (step) {
        case dtl::SES_DELETE:
            addRun(inA, sa[ia], sa[ia + 1]);
            ++ia;
            break;
        case dtl::SES_ADD:
            addRun(inB, sb[ib], sb[ib + 1]);
            ++ib;
            break;
        default:
            ++ia;
            ++ib;
            break;
        }
    }
}
