#include <QtTest>

#include "blocks.h"
#include "regexreplace.h"
#include "replace.h"

Q_DECLARE_METATYPE(Pattern)

// The keys-page operations as pure functions: replace and delete, per-file
// replace from the table, retain, and keep/delete lines.
class TestKeysOps : public QObject
{
    Q_OBJECT
private slots:
    void pairsOf_data();
    void pairsOf();
    void tablePairs();
    void replace_data();
    void replace();
    void regexReplaceAsQt_data();
    void regexReplaceAsQt();
    void filterLines_data();
    void filterLines();
    void retainMatches_data();
    void retainMatches();
    void unusable();
};

void TestKeysOps::pairsOf_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("replacements");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("flat"); // key, replacement, key, ...
    QTest::newRow("keys share their line's replacement") << "a,b\nc" << "x\ny" << "," << QStringList{"a", "x", "b", "x", "c", "y"};
    QTest::newRow("missing replacement line is empty") << "a\nb" << "x" << "," << QStringList{"a", "x", "b", ""};
    QTest::newRow("separators only give nothing") << ",,\na" << "x\ny" << "," << QStringList{"a", "y"};
    QTest::newRow("empty separator: every character") << "ab" << "x" << "" << QStringList{"a", "x", "b", "x"};
    QTest::newRow("longer separator") << "a||b|c" << "x" << "||" << QStringList{"a", "x", "b|c", "x"};
}

void TestKeysOps::pairsOf()
{
    QFETCH(QString, keys);
    QFETCH(QString, replacements);
    QFETCH(QString, separator);
    QFETCH(QStringList, flat);
    QStringList got;
    for (const ReplacePair &pair : Replace::pairsOf(keys, replacements, separator))
        got << pair.first << pair.second;
    QCOMPARE(got, flat);
}

// Two data rows and three files: file 2 uses column 3; missing cells are
// empty replacements.
void TestKeysOps::tablePairs()
{
    const QList<QStringList> rows{{"a,b", "1", "2", "3"}, {"c", "4"}};
    const QList<ReplacePair> third = Replace::tablePairs(rows, 3, ",");
    QCOMPARE(third, (QList<ReplacePair>{{"a", "3"}, {"b", "3"}, {"c", ""}}));
    QCOMPARE(Replace::tablePairs(rows, 1, ",").last(), ReplacePair("c", "4"));
}

void TestKeysOps::replace_data()
{
    QTest::addColumn<Pattern>("pattern");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("greedy");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("replacements");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const Pattern o = Pattern::Ordinary, e = Pattern::Extend, r = Pattern::Regular;
    QTest::newRow("ordinary") << o << true << false << true << "a,b" << "x" << "abc" << "xxc";
    QTest::newRow("pairs in order") << o << true << false << true << "a\nb" << "b\nc" << "ab" << "cc";
    QTest::newRow("delete") << o << true << false << true << "x" << "" << "xaxbx" << "ab";
    QTest::newRow("ordinary, case-insensitive") << o << false << false << true << "ab" << "x" << "Ab aB" << "x x";
    QTest::newRow("ordinary, case-sensitive") << o << true << false << true << "ab" << "x" << "Ab ab" << "Ab x";
    QTest::newRow("whole word") << o << true << true << true << "ab" << "X" << "cab ab ab1" << "cab X X1";
    QTest::newRow("whole word, classes mixed") << o << true << true << true << "12" << "X" << "a12b" << "aXb";
    QTest::newRow("whole word, digits joined") << o << true << true << true << "12" << "X" << "312 12" << "312 X";
    QTest::newRow("whole word, ideographs") << o << true << true << true << "中" << "X" << "中文 中," << "中文 X,";
    QTest::newRow("whole word, case-insensitive") << o << false << true << true << "ab" << "X" << "AB cab" << "X cab";
    QTest::newRow("extended line breaks") << e << true << false << true << "\\n\\n" << "\\n" << "a\n\nb\n\nc" << "a\nb\nc";
    QTest::newRow("extended tab, case-insensitive") << e << false << false << true << "A\\t" << "-" << "a\tb" << "-b";
    QTest::newRow("regular back-reference") << r << true << false << true << "(\\d+)-(\\d+)" << "\\2-\\1" << "12-34" << "34-12";
    QTest::newRow("regular, case-insensitive") << r << false << false << true << "ab" << "x" << "AB" << "x";
    QTest::newRow("regular, case-sensitive") << r << true << false << true << "ab" << "x" << "AB" << "AB";
    QTest::newRow("regular, greedy") << r << true << false << true << "a.*b" << "X" << "ab ab" << "X";
    QTest::newRow("regular, lazy") << r << true << false << false << "a.*b" << "X" << "ab ab" << "X X";
}

void TestKeysOps::replace()
{
    QFETCH(Pattern, pattern);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, wholeWord);
    QFETCH(bool, greedy);
    QFETCH(QString, keys);
    QFETCH(QString, replacements);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    ReplaceOptions options;
    options.pattern = pattern;
    options.caseSensitive = caseSensitive;
    options.wholeWord = wholeWord;
    options.greedy = greedy;
    options.pairs = Replace::pairsOf(keys, replacements, QStringLiteral(","));
    QVERIFY(Replace::isUsable(options));
    QCOMPARE(Replace::apply(text, options), expected);
}

// The direct regular-expression replace gives QString::replace's result,
// empty matches, surrogate pairs, line ends and odd references included.
void TestKeysOps::regexReplaceAsQt_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("text");
    const int none = QRegularExpression::NoPatternOption;
    const int multi = QRegularExpression::MultilineOption;
    const QString mixed = QString::fromUtf8("ab@12 中文@3 😀x@ y@9\r\nZ@7\n");
    QTest::newRow("two groups swapped") << "([a-z]+)@([0-9]+)" << none << "\\2#\\1" << mixed;
    QTest::newRow("case-insensitive, lazy") << "[a-z]+?" << int(QRegularExpression::CaseInsensitiveOption | QRegularExpression::InvertedGreedinessOption) << "<\\0>" << mixed;
    QTest::newRow("empty pattern around surrogates") << "" << none << "-" << QString::fromUtf8("a😀b");
    QTest::newRow("empty and non-empty matches") << "x*" << none << "[\\1]" << "axxbx";
    QTest::newRow("line starts and ends") << "^|$" << multi << "|" << "a\nb\r\n\nc";
    QTest::newRow("CR LF line ends") << "(*CRLF)^|$" << multi << "|" << "a\r\nb\r\n";
    QTest::newRow("unset group is empty") << "(a)|(b)" << none << "[\\1\\2]" << "abc";
    QTest::newRow("two-digit reference only when it exists") << "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)" << none << "\\11\\1" << "abcdefghijkz";
    QTest::newRow("reference past the groups is literal") << "(a)" << none << "\\2\\\\1\\" << "aba";
    QTest::newRow("no match keeps the text") << "q" << none << "x" << "abc";
    QTest::newRow("empty text") << "a*" << none << "x" << "";
    QTest::newRow("lone surrogate in the text") << "a" << none << "b" << QString("a") + QChar(0xD800) + "a";
    QTest::newRow("invalid pattern keeps the text") << "(" << none << "x" << "(a(";
}

void TestKeysOps::regexReplaceAsQt()
{
    QFETCH(QString, pattern);
    QFETCH(int, options);
    QFETCH(QString, replacement);
    QFETCH(QString, text);
    const auto patternOptions = QRegularExpression::PatternOptions(options);
    const QRegularExpression qt(pattern, patternOptions);
    const QString expected = qt.isValid() ? QString(text).replace(qt, replacement) : text;
    QCOMPARE(RegexReplace(pattern, patternOptions).apply(text, replacement), expected);
}

void TestKeysOps::filterLines_data()
{
    QTest::addColumn<int>("implement");
    QTest::addColumn<Pattern>("pattern");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const int keep = BlockOptions::Retain, drop = BlockOptions::Delete;
    const Pattern o = Pattern::Ordinary;
    QTest::newRow("keep: all of a group") << keep << o << true << "a,b" << "ab\na\nb x a" << "ab\nb x a";
    QTest::newRow("delete: any keyword") << drop << o << true << "a,b" << "ab\nc\nb" << "c";
    QTest::newRow("final line break kept") << drop << o << true << "a" << "a\nb\n" << "b\n";
    QTest::newRow("empty lines stay lines") << drop << o << true << "a" << "a\n\nb\n" << "\nb\n";
    QTest::newRow("nothing left, no line break") << drop << o << true << "a" << "a\n" << "";
    QTest::newRow("keep: any group, each line once") << keep << o << true << "a\nb" << "a\nb\nc\nab\n" << "a\nb\nab\n";
    QTest::newRow("delete: any group") << drop << o << true << "a\nb\n" << "a\nb\nc\n" << "c\n";
    QTest::newRow("case-insensitive") << keep << o << false << "A" << "a\nb" << "a";
    QTest::newRow("case-sensitive") << keep << o << true << "A" << "a\nA" << "A";
    QTest::newRow("extended tab") << keep << Pattern::Extend << true << "\\t" << "a\tb\nc" << "a\tb";
    QTest::newRow("regular") << keep << Pattern::Regular << true << "^\\d+$" << "12\nx1\n3\n" << "12\n3\n";
}

void TestKeysOps::filterLines()
{
    QFETCH(int, implement);
    QFETCH(Pattern, pattern);
    QFETCH(bool, caseSensitive);
    QFETCH(QString, keywords);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    BlockOptions options;
    options.implement = BlockOptions::Implement(implement);
    options.pattern = pattern;
    options.caseSensitive = caseSensitive;
    options.keywords = keywords;
    QVERIFY(Blocks::isUsable(options));
    QCOMPARE(Blocks::filterLines(text, options), expected);
}

void TestKeysOps::retainMatches_data()
{
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("greedy");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("runs of digits") << "\\d+" << true << true << "a12b3" << "12\n3";
    QTest::newRow("pattern by pattern") << "\\d\n[a-z]\n" << true << true << "a1b" << "1\na\nb";
    QTest::newRow("lazy") << "a.*b" << true << false << "aXbYb" << "aXb";
    QTest::newRow("greedy") << "a.*b" << true << true << "aXbYb" << "aXbYb";
    QTest::newRow("case-insensitive") << "x" << false << true << "xX" << "x\nX";
    QTest::newRow("final line feed dropped") << "b\\n?" << true << true << "ab\n" << "b";
}

void TestKeysOps::retainMatches()
{
    QFETCH(QString, patterns);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, greedy);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    RetainOptions options;
    options.patterns = patterns;
    options.caseSensitive = caseSensitive;
    options.greedy = greedy;
    QCOMPARE(Blocks::retainMatches(text, options), expected);
}

// Options that would rewrite files to no purpose are refused.
void TestKeysOps::unusable()
{
    ReplaceOptions replace;
    replace.pattern = Pattern::Regular;
    replace.pairs = {{"(", "x"}};
    QVERIFY(!Replace::isUsable(replace));
    replace.pattern = Pattern::Ordinary;
    QVERIFY(Replace::isUsable(replace));

    BlockOptions block;
    QVERIFY(!Blocks::isUsable(block)); // no keyword
    block.keywords = QStringLiteral(",\n");
    QVERIFY(!Blocks::isUsable(block));
    block.keywords = QStringLiteral("a\n[");
    block.pattern = Pattern::Regular;
    QVERIFY(!Blocks::isUsable(block));

    RetainOptions retain;
    QVERIFY(!Blocks::isUsable(retain));
    retain.patterns = QStringLiteral("\\d\n(");
    QVERIFY(!Blocks::isUsable(retain));
}

QTEST_APPLESS_MAIN(TestKeysOps)
#include "tst_keysops.moc"
