#include "deletepatterns.h"

#include <QRegExp>
#include <QStringList>

#include <vector>

namespace {

const DeletePatterns::Operation operations[DeletePatterns::Count + 1] = {
    { "", "", "处理-说明", 0, "", "", "" },
    { "Label_chinese", "汉字", "删除选项 - 中文", 0,
      "[一-龥]{0,}",
      "<b>删除：中文</b><br>删除指定文本文件中的【中文】",
      "删除汉字：删除文件中的所有汉字" },
    { "Label_arabicNumber", "数字", "删除选项 - 数字", 0,
      "[0-9]+",
      "<b>删除：数字</b><br>删除指定文本文件中的【数字】",
      "删除数字：删除文件中的所有数字 0-9" },
    { "Label_capitalize", "大写字母", "删除选项 - 大写字母", 0,
      "[A-Z]+",
      "<b>删除：大写字母</b><br>删除指定文本文件中的【大写字母】",
      "删除大写字母：删除文件中的所有大写字母 A-Z" },
    { "Label_lowercase", "小写字母", "删除选项 - 小写字母", 0,
      "[a-z]+",
      "<b>删除：小写字母</b><br>删除指定文本文件中的【小写字母】",
      "删除小写字母：删除文件中的所有小写字母 a-z" },
    { "Label_html", "HTML标签", "删除选项 - HTML", 0,
      "<(?:[^\"'>]|\"[^\"]*\"|'[^']*')*>",
      "<b>删除：HTML</b><br>删除指定文本文件中的HTML标签",
      "删除HTML标签：删除文件中的 HTML 标签，标签之间的文字保留" },
    { "Label_double", "双字节", "删除选项 - 双字节", 0,
      "[\\x0100-\\xffff]",
      "<b>删除：双字节</b><br>删除指定文本文件中的【双字节】内容，包括汉字在内",
      "删除双字节字符：删除编码大于 0xFF 的字符，包括汉字和全角符号" },
    { "Label_empty", "空白字符", "删除选项 - 空白字符", 0,
      "\\s",
      "<b>删除：空白字符</b><br>删除指定文本文件中的【空白字符】内容，包括换页、换行符、回车符、制表符、垂直制表符",
      "删除空白字符：删除空格、制表符、换行、回车、换页等所有空白，整个文件连成一行" },
    { "Label_symbol", "可见符号", "删除选项 - 可见符号", 0,
      "[`~!@#\\$%\\^&*()_+-=\\{\\}\\:\"<>?|\\[\\]\\;',./：《》？、“”]",
      "<b>删除：可见字符</b><br>删除指定文本文件中的【可见字符】内容，包括"
      "[`~!@#$%^&*()_+-={}:\"<>?|[];',./：《》？、“”]\\",
      "删除可见符号：删除常见的英文与中文标点和符号" },
    { "Label_regular", "自定义", "删除选项 - 正则表达式", 1,
      nullptr,
      "<b>删除：正则表达式</b><br>删除指定文本文件中正则表达式匹配的内容",
      "自定义删除：删除与自己填写的正则表达式匹配的内容" },
};

// Character classes of the fixed single-character patterns, on UTF-16 code
// units exactly as the regular-expression engine sees them (each half of a
// surrogate pair is a unit of its own). Function objects rather than
// function pointers, so that removeClass inlines them.

struct IsChinese {
    bool operator()(ushort c) const { return ushort(c - 0x4E00) <= 0x9FA5 - 0x4E00; }
};
struct IsDigit {
    bool operator()(ushort c) const { return ushort(c - '0') < 10; }
};
struct IsCapital {
    bool operator()(ushort c) const { return ushort(c - 'A') < 26; }
};
struct IsLower {
    bool operator()(ushort c) const { return ushort(c - 'a') < 26; }
};
struct IsDoubleByte {
    bool operator()(ushort c) const { return c > 0xFF; }
};
struct IsBlank {
    bool operator()(ushort c) const { return QChar::isSpace(c); }
};

struct IsSymbol {
    bool operator()(ushort c) const
    {
        if (c < 0x80) {
            // "!" .. "@" (the class's "+-=" is the range "+" .. "=", which
            // takes in the digits and ",-./:;<"), "[", "]" .. "`",
            // "{" .. "~"; not "\".
            return (c >= 0x21 && c <= 0x40) || c == 0x5B || (c >= 0x5D && c <= 0x60)
                    || (c >= 0x7B && c <= 0x7E);
        }
        switch (c) {
        case 0xFF1A: // ：
        case 0x300A: // 《
        case 0x300B: // 》
        case 0xFF1F: // ？
        case 0x3001: // 、
        case 0x201C: // “
        case 0x201D: // ”
            return true;
        default:
            return false;
        }
    }
};

// Drops every code unit of the class. Scans without writing up to the first
// member, so a text without one is neither detached nor copied. The
// compaction stores every unit and advances only past kept ones: members
// come at random in real text, and a branch on each would be mispredicted.
template <typename Member>
void removeClass(QString &text, Member member)
{
    const int n = text.size();
    const ushort *in = text.utf16();
    int i = 0;
    while (i < n && !member(in[i]))
        ++i;
    if (i == n)
        return;
    ushort *d = reinterpret_cast<ushort *>(text.data());
    int w = i;
    for (++i; i < n; ++i) {
        const ushort c = d[i];
        d[w] = c;
        w += !member(c);
    }
    text.truncate(w);
}

// HTML tags: '<', then any run of characters other than quotes and '>' or
// of quoted strings ("..." or '...', which may hold '>'), then '>'.
// Reading from a '<' is deterministic: outside quotes a quote opens a
// string, the first '>' closes the tag. A start whose scan reaches the end
// of the text (an unterminated tag or string) matches nothing, and the
// search goes on with the next '<', as the regular-expression engine does.
//
// Each failed scan marks the (position, state) pairs it went through as
// dead, because every scan that reaches one of them fails the same way.
// Later scans stop there, which keeps texts with many unclosed tags linear.
class TagScanner
{
public:
    TagScanner(const ushort *text, int size) : m_text(text), m_size(size) {}

    // The same text at another address (after a detach).
    void rebind(const ushort *text) { m_text = text; }

    // Position of the '>' that closes the tag opened at open, or -1.
    int close(int open)
    {
        int state = Outside;
        int i = open + 1;
        for (; i < m_size; ++i) {
            if (!m_dead.empty() && (m_dead[i] & (1 << state)))
                break;
            const ushort c = m_text[i];
            if (state == Outside) {
                if (c == '>')
                    return i;
                if (c == '"')
                    state = InDouble;
                else if (c == '\'')
                    state = InSingle;
            } else if ((state == InDouble && c == '"') || (state == InSingle && c == '\'')) {
                state = Outside;
            }
        }
        markDead(open, i);
        return -1;
    }

private:
    enum State { Outside = 0, InDouble = 1, InSingle = 2 };

    void markDead(int open, int end)
    {
        if (end <= open + 1)
            return;
        if (m_dead.empty())
            m_dead.assign(size_t(m_size) + 1, 0);
        int state = Outside;
        for (int i = open + 1; i < end; ++i) {
            m_dead[i] |= uchar(1 << state);
            const ushort c = m_text[i];
            if (state == Outside) {
                if (c == '"')
                    state = InDouble;
                else if (c == '\'')
                    state = InSingle;
            } else if ((state == InDouble && c == '"') || (state == InSingle && c == '\'')) {
                state = Outside;
            }
        }
    }

    const ushort *m_text;
    int m_size;
    std::vector<uchar> m_dead;
};

void removeTags(QString &text)
{
    const int n = text.size();
    const ushort *in = text.utf16();
    TagScanner scanner(in, n);

    // The first tag, found before anything is written.
    int open = -1;
    int close = -1;
    for (int i = 0; i < n; ++i) {
        if (in[i] == '<' && (close = scanner.close(i)) >= 0) {
            open = i;
            break;
        }
    }
    if (open < 0)
        return;

    // Matches and scans only read at or after the read position, and
    // writing stays behind it, so the text can be compacted in place.
    ushort *d = reinterpret_cast<ushort *>(text.data());
    scanner.rebind(d);
    int w = open;
    int r = close + 1;
    while (r < n) {
        const ushort c = d[r];
        int end;
        if (c == '<' && (end = scanner.close(r)) >= 0) {
            r = end + 1;
        } else {
            d[w++] = c;
            ++r;
        }
    }
    text.truncate(w);
}

} // namespace

const DeletePatterns::Operation &DeletePatterns::operation(int index)
{
    return operations[isValidIndex(index) ? index : 0];
}

QString DeletePatterns::labelObjectName(int index)
{
    return QString::fromUtf8(operation(index).labelObject);
}

QString DeletePatterns::caption(int index)
{
    return QString::fromUtf8(operation(index).caption);
}

QString DeletePatterns::title(int index)
{
    return QString::fromUtf8(operation(index).title);
}

int DeletePatterns::page(int index)
{
    return operation(index).page;
}

QString DeletePatterns::toolTip(int index)
{
    return QString::fromUtf8(operation(index).toolTip);
}

QString DeletePatterns::pattern(int index, const QString &custom)
{
    if (index == Regular)
        return custom;
    return QString::fromUtf8(operation(index).pattern);
}

QString DeletePatterns::explanation(int index)
{
    if (index >= 1 && index <= Count)
        return QString::fromUtf8(operations[index].explanation);
    QStringList all;
    for (int i = 1; i <= Count; ++i)
        all << QString::fromUtf8(operations[i].explanation);
    return all.join(QStringLiteral("<br>"));
}

QString DeletePatterns::initialTitle()
{
    return QStringLiteral("处理选项");
}

bool DeletePatterns::isValidCustom(const QString &custom)
{
    return QRegExp(custom, Qt::CaseSensitive, QRegExp::RegExp).isValid();
}

QString DeletePatterns::apply(const QString &text, int index, const QString &custom)
{
    QString result = text;
    applyInPlace(result, index, custom);
    return result;
}

void DeletePatterns::applyInPlace(QString &text, int index, const QString &custom)
{
    switch (index) {
    case Chinese: removeClass(text, IsChinese()); break;
    case ArabicNumber: removeClass(text, IsDigit()); break;
    case Capitalize: removeClass(text, IsCapital()); break;
    case Lowercase: removeClass(text, IsLower()); break;
    case Html: removeTags(text); break;
    case DoubleByte: removeClass(text, IsDoubleByte()); break;
    case Empty: removeClass(text, IsBlank()); break;
    case Symbol: removeClass(text, IsSymbol()); break;
    case Regular: text = removeRegExp(text, custom); break;
    default: break;
    }
}

QString DeletePatterns::removeRegExp(const QString &text, const QString &pattern)
{
    const QRegExp rx(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    if (!rx.isValid())
        return text;
    QString result = text;
    result.remove(rx);
    return result;
}
