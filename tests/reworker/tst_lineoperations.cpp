#include <QtTest>

#include <algorithm>
#include <limits>

#include "textadd.h"
#include "textchar.h"
#include "textdiscombobulated.h"
#include "textenter.h"
#include "textextraction.h"
#include "textlines.h"
#include "textnumber.h"
#include "textrepeat.h"
#include "textspace.h"

namespace {

QString u(const char *utf8) { return QString::fromUtf8(utf8); }

QStringList sortedLines(const QString &text)
{
    QStringList lines = TextLines::split(text).lines;
    lines.sort();
    return lines;
}

QString sortedChars(QString s)
{
    std::sort(s.begin(), s.end());
    return s;
}

// Ten one-letter lines, a to j.
const char *const tenLines = "a\nb\nc\nd\ne\nf\ng\nh\ni\nj";

} // namespace

// The line and character operations called directly, over their edge cases.
class TestLineOperations : public QObject
{
    Q_OBJECT
private slots:
    void viewsMatchSplit_data();
    void viewsMatchSplit();
    void chars_data();
    void chars();
    void spaces_data();
    void spaces();
    void blankLines_data();
    void blankLines();
    void append_data();
    void append();
    void labels_data();
    void labels();
    void numbering_data();
    void numbering();
    void numberingAcrossDigitCounts_data();
    void numberingAcrossDigitCounts();
    void shuffleKeepsEveryPiece_data();
    void shuffleKeepsEveryPiece();
    void shuffleJobsAreIndependent();
    void extraction_data();
    void extraction();
    void primeRuleOverManyLines();
    void repeat_data();
    void repeat();
    void refusedOptions();
};

void TestLineOperations::viewsMatchSplit_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : { "", "\n", "\n\n", "a", "a\n", "a\n\nb", "\nb\n" })
        QTest::addRow("%s", QByteArray(text).replace('\n', "\\n").constData()) << QString::fromUtf8(text);
}

void TestLineOperations::viewsMatchSplit()
{
    QFETCH(QString, text);
    QStringList seen;
    const bool finalBreak = TextLines::forEach(text, [&seen](QStringView line) { seen << line.toString(); });
    const TextLines lines = TextLines::split(text);
    QCOMPARE(seen, lines.lines);
    QCOMPARE(finalBreak, lines.finalBreak);
}

void TestLineOperations::chars_data()
{
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("implement");
    QTest::addColumn<int>("lengthOption");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using C = CharOptions;
    QTest::newRow("empty lines get the text") << true << int(C::Left) << 0 << int(C::Increase) << 0 << "> " << "a\n\nb" << "> a\n> \n> b";
    QTest::newRow("final break not a line") << true << int(C::Right) << 0 << int(C::Increase) << 0 << "!" << "a\nb\n" << "a!\nb!\n";
    QTest::newRow("whole end before final break") << false << int(C::Right) << 0 << int(C::Increase) << 0 << "!" << "a\nb\n" << "a\nb!\n";
    QTest::newRow("whole delete end") << false << int(C::Right) << 0 << int(C::Delete) << int(C::fixLength) << "3" << "abc\ndef" << "abc\n";
    QTest::newRow("keep last n") << true << int(C::Left) << 0 << int(C::Delete) << int(C::TotalLengthMinus) << "2" << "abcdef" << "ef";
    QTest::newRow("keep first n") << true << int(C::Right) << 0 << int(C::Delete) << int(C::TotalLengthMinus) << "2" << "abcdef" << "ab";
    QTest::newRow("retain at position") << true << int(C::Pos) << 2 << int(C::Retain) << 0 << "3" << "abcdefg" << "cde";
    QTest::newRow("delete none") << true << int(C::Left) << 0 << int(C::Delete) << int(C::fixLength) << "" << "abc" << "abc";
    QTest::newRow("delete all but none") << true << int(C::Left) << 0 << int(C::Delete) << int(C::TotalLengthMinus) << "x" << "abc\nd" << "\n";
    QTest::newRow("delete past end") << true << int(C::Right) << 0 << int(C::Delete) << int(C::fixLength) << "9" << "abc\nde" << "\n";
    QTest::newRow("delete from position past end") << true << int(C::Pos) << 2 << int(C::Delete) << int(C::fixLength) << "9" << "abcd\na" << "ab\na";
    QTest::newRow("total minus more than length") << true << int(C::Pos) << 1 << int(C::Delete) << int(C::TotalLengthMinus) << "9" << "abc" << "abc";
    QTest::newRow("retain past end") << true << int(C::Right) << 0 << int(C::Retain) << 0 << "9" << "abc" << "abc";
    QTest::newRow("insert past end") << true << int(C::Pos) << 5 << int(C::Increase) << 0 << "X" << "abc\n" << "abcX\n";
    QTest::newRow("insert inside") << true << int(C::Pos) << 1 << int(C::Increase) << 0 << "X" << "abc" << "aXbc";
}

void TestLineOperations::chars()
{
    QFETCH(bool, perLine);
    QFETCH(int, index);
    QFETCH(int, position);
    QFETCH(int, implement);
    QFETCH(int, lengthOption);
    QFETCH(QString, value);
    QFETCH(QString, text);
    CharOptions options;
    options.perLine = perLine;
    options.index = CharOptions::Index(index);
    options.position = position;
    options.implement = CharOptions::Implement(implement);
    options.lengthOption = CharOptions::LengthOption(lengthOption);
    options.value = value;
    QTEST(TextChar::process(text, options).value_or(QStringLiteral("refused")), "expected");
}

void TestLineOperations::spaces_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("implement");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using S = SpaceOptions;
    QTest::newRow("fixde left") << int(S::Left) << int(S::Fixde) << 2 << "    a\na\n" << "  a\n  a\n";
    QTest::newRow("fixde right") << int(S::Right) << int(S::Fixde) << 1 << "a   \nb" << "a \nb ";
    QTest::newRow("retain right") << int(S::Right) << int(S::Retain) << 1 << "a   \na" << "a \na";
    QTest::newRow("delete right") << int(S::Right) << int(S::Delete) << 2 << "a    " << "a  ";
    QTest::newRow("delete all at side") << int(S::Left) << int(S::Delete) << 0 << "   a  \n\t a" << "a  \n\t a";
    QTest::newRow("increase left") << int(S::Left) << int(S::Increase) << 1 << " a\n" << "  a\n";
    QTest::newRow("longer than a text") << int(S::Left) << int(S::Fixde) << 1500000000 << "a" << "refused";
    QTest::newRow("all") << int(S::All) << int(S::Increase) << 3 << " a b \n c" << "ab\nc";
    // Lines that grow and lines that shrink, in either order: the result
    // made in the text's own memory must not overwrite what is still to
    // be read.
    QTest::newRow("shrink then grow") << int(S::Left) << int(S::Fixde) << 2 << "      x\ny\nz\nw"
                                      << "  x\n  y\n  z\n  w";
    QTest::newRow("grow then shrink") << int(S::Left) << int(S::Fixde) << 3 << "a\nb\n        c\n\n"
                                      << "   a\n   b\n   c\n   \n";
    QTest::newRow("right, grow then shrink") << int(S::Right) << int(S::Fixde) << 2 << "a\nb     \nc"
                                             << "a  \nb  \nc  ";
    QTest::newRow("nothing to change") << int(S::Left) << int(S::Retain) << 4 << "  a\nb\n" << "  a\nb\n";
}

void TestLineOperations::spaces()
{
    QFETCH(int, index);
    QFETCH(int, implement);
    QFETCH(int, count);
    QFETCH(QString, text);
    SpaceOptions options;
    options.index = SpaceOptions::Index(index);
    options.implement = SpaceOptions::Implement(implement);
    options.count = count;
    QTEST(TextSpace::process(text, options).value_or(QStringLiteral("refused")), "expected");
    QFETCH(QString, expected);
    QString inPlace = text;
    bool changed = false;
    const bool ok = TextSpace::processInPlace(inPlace, options, changed);
    QCOMPARE(ok ? inPlace : QStringLiteral("refused"), expected);
    QCOMPARE(changed, ok && expected != text);
}

void TestLineOperations::blankLines_data()
{
    QTest::addColumn<int>("breaks");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two, final break kept") << 2 << "a\n\n\nb\n" << "a\n\nb\n";
    QTest::newRow("space line is no blank") << 1 << "a\n \nb" << "a\n \nb";
    QTest::newRow("zero joins") << 0 << "a\n\nb" << "ab";
    QTest::newRow("only blank lines") << 1 << "\n\n\n" << "";
    QTest::newRow("longer than a text") << std::numeric_limits<int>::max() << "a\nb" << "refused";
}

void TestLineOperations::blankLines()
{
    QFETCH(int, breaks);
    QFETCH(QString, text);
    EnterOptions options;
    options.breaks = breaks;
    QTEST(TextEnter::process(text, options).value_or(QStringLiteral("refused")), "expected");
}

void TestLineOperations::append_data()
{
    QTest::addColumn<bool>("perLine");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("lengthOption");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using A = AddOptions;
    QTest::newRow("right fixed") << true << int(A::Right) << 0 << int(A::fixLength) << 2 << "abc\n\nd\n" << "abcab\n\ndd\n";
    QTest::newRow("left total minus") << true << int(A::Left) << 1 << int(A::TotalLengthMinus) << 1 << "abcd" << "bcdabcd";
    QTest::newRow("whole, nothing") << false << int(A::Right) << 0 << int(A::fixLength) << 0 << "ab\nc" << "ab\nc";
    QTest::newRow("whole before final break") << false << int(A::Right) << 0 << int(A::fixLength) << 2 << "ab\nc\n" << "ab\ncab\n";
    QTest::newRow("start beyond line") << true << int(A::Left) << 3 << int(A::fixLength) << 2 << "abc\nabcde" << "abc\ndeabcde";
    QTest::newRow("minus more than length") << true << int(A::Right) << 0 << int(A::TotalLengthMinus) << 5 << "abc" << "abc";
}

void TestLineOperations::append()
{
    QFETCH(bool, perLine);
    QFETCH(int, index);
    QFETCH(int, start);
    QFETCH(int, lengthOption);
    QFETCH(int, length);
    QFETCH(QString, text);
    AddOptions options;
    options.perLine = perLine;
    options.index = AddOptions::Index(index);
    options.start = start;
    options.lengthOption = AddOptions::LengthOption(lengthOption);
    options.length = length;
    QTEST(TextAdd::process(text, options), "expected");
}

void TestLineOperations::labels_data()
{
    QTest::addColumn<int>("serial");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("pad");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("expected");
    using N = NumberOptions;
    const QString circled = u("〇,①,②,③,④,⑤,⑥,⑦,⑧,⑨");
    const QString chinese = u("零,壹,贰,叁,肆,伍,陆,柒,捌,玖");
    QTest::newRow("Z") << int(N::Alpha) << "" << "" << 26 << "Z.";
    QTest::newRow("AA") << int(N::Alpha) << "" << "" << 27 << "AA.";
    QTest::newRow("AB") << int(N::Alpha) << "" << "" << 28 << "AB.";
    QTest::newRow("AZ") << int(N::Alpha) << "" << "" << 52 << "AZ.";
    QTest::newRow("BA") << int(N::Alpha) << "" << "" << 53 << "BA.";
    QTest::newRow("circled 20") << int(N::Custom) << circled << "" << 20 << u("②〇.");
    QTest::newRow("chinese 10") << int(N::Custom) << chinese << "" << 10 << u("壹零.");
    QTest::newRow("binary 6") << int(N::Custom) << "0,1" << "" << 6 << "110.";
    QTest::newRow("padded") << int(N::Number) << "" << "0" << 7 << "007.";
    QTest::newRow("longer than pad") << int(N::Number) << "" << "0" << 1234 << "1234.";
    QTest::newRow("padded letters") << int(N::Alpha) << "" << "-" << 28 << "-AB.";
}

void TestLineOperations::labels()
{
    QFETCH(int, serial);
    QFETCH(QString, digits);
    QFETCH(QString, pad);
    QFETCH(int, k);
    NumberOptions options;
    options.serial = NumberOptions::Serial(serial);
    options.customSequence = digits;
    options.padEnabled = !pad.isEmpty();
    options.padText = pad;
    options.padLength = 3;
    QTEST(TextNumber::label(k, options), "expected");
}

void TestLineOperations::numbering_data()
{
    QTest::addColumn<int>("implement");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<bool>("pad");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using N = NumberOptions;
    QTest::newRow("parentheses") << int(N::Increase) << int(N::Left) << "(i)" << false << "a\nb" << "(1)a\n(2)b";
    QTest::newRow("final break unnumbered") << int(N::Increase) << int(N::Left) << "i." << false << "a\n" << "1.a\n";
    QTest::newRow("no variable") << int(N::Increase) << int(N::Left) << "-" << false << "a\nb" << "-1a\n-2b";
    QTest::newRow("first i only") << int(N::Increase) << int(N::Right) << "[i]i" << false << "a\nb" << "a[1]\nb[2]";
    QTest::newRow("padded") << int(N::Increase) << int(N::Left) << "i." << true << "a\nb\n" << "001.a\n002.b\n";
    QTest::newRow("remove own labels") << int(N::Delete) << int(N::Left) << "i." << false << "1.a\nx\n3.c" << "a\nx\nc";
    QTest::newRow("remove not others'") << int(N::Delete) << int(N::Left) << "i." << false << "2.a\n1.b\n" << "2.a\n1.b\n";
    QTest::newRow("remove padded") << int(N::Delete) << int(N::Left) << "i." << true << "001.a\n2.b" << "a\n2.b";
    QTest::newRow("remove right") << int(N::Delete) << int(N::Right) << "(i)" << false << "a(1)\nb(1)\n(3)c(3)" << "a\nb(1)\n(3)c";
}

void TestLineOperations::numbering()
{
    QFETCH(int, implement);
    QFETCH(int, index);
    QFETCH(QString, templateText);
    QFETCH(bool, pad);
    QFETCH(QString, text);
    NumberOptions options;
    options.implement = NumberOptions::Implement(implement);
    options.index = NumberOptions::Index(index);
    options.templateText = templateText;
    options.padEnabled = pad;
    options.padText = QStringLiteral("0");
    options.padLength = 3;
    QTEST(TextNumber::process(text, options), "expected");
}

// Many lines numbered at once agree with the labels one by one, across the
// points where the serial gains a digit, in every notation, padded or not.
void TestLineOperations::numberingAcrossDigitCounts_data()
{
    QTest::addColumn<int>("serial");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("padLength");
    QTest::addColumn<int>("index");
    using N = NumberOptions;
    QTest::newRow("decimal") << int(N::Number) << QString() << 0 << int(N::Left);
    QTest::newRow("decimal padded to 2, right") << int(N::Number) << QString() << 2 << int(N::Right);
    QTest::newRow("letters") << int(N::Alpha) << QString() << 0 << int(N::Left);
    QTest::newRow("binary digits") << int(N::Custom) << QStringLiteral("o,x") << 3 << int(N::Left);
    QTest::newRow("digits of two characters") << int(N::Custom) << QStringLiteral("甲乙,丙丁,戊") << 0 << int(N::Right);
}

void TestLineOperations::numberingAcrossDigitCounts()
{
    QFETCH(int, serial);
    QFETCH(QString, digits);
    QFETCH(int, padLength);
    QFETCH(int, index);
    NumberOptions options;
    options.serial = NumberOptions::Serial(serial);
    options.customSequence = digits;
    options.index = NumberOptions::Index(index);
    options.templateText = QStringLiteral("[i]");
    options.padEnabled = padLength > 0;
    options.padText = QStringLiteral("_-");
    options.padLength = padLength;
    for (const int lines : { 1, 9, 10, 11, 26, 27, 100, 703, 1025 }) {
        for (const bool finalBreak : { false, true }) {
            QStringList in, expected;
            for (int k = 1; k <= lines; ++k) {
                const QString line = k % 7 == 0 ? QString() : QStringLiteral("line %1").arg(k);
                in << line;
                const QString label = TextNumber::label(k, options);
                expected << (index == NumberOptions::Left ? label + line : line + label);
            }
            const QString tail = finalBreak ? QStringLiteral("\n") : QString();
            QString text = in.join(QLatin1Char('\n')) + tail;
            QVERIFY(TextNumber::processInPlace(text, options));
            QCOMPARE(text, expected.join(QLatin1Char('\n')) + tail);
        }
    }
}

void TestLineOperations::shuffleKeepsEveryPiece_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    using D = DiscombobulatedOptions;
    QTest::newRow("lines") << int(D::Paragraph) << 1 << "a\nb\n\nc\nd\ne\n";
    QTest::newRow("one line") << int(D::Paragraph) << 1 << "abc";
    QTest::newRow("pieces of 2") << int(D::Fixed) << 2 << "abcde\n\nfg\n";
    QTest::newRow("characters, pairs whole") << int(D::Fixed) << 1 << u("a😀b😀c\n中文字");
}

void TestLineOperations::shuffleKeepsEveryPiece()
{
    QFETCH(int, pattern);
    QFETCH(int, count);
    QFETCH(QString, text);
    DiscombobulatedOptions options;
    options.pattern = DiscombobulatedOptions::Pattern(pattern);
    options.count = count;
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        const QString result = TextDiscombobulated::shuffle(text, options, random);
        QCOMPARE(result.endsWith(QLatin1Char('\n')), text.endsWith(QLatin1Char('\n')));
        if (pattern == DiscombobulatedOptions::Paragraph) {
            QCOMPARE(sortedLines(result), sortedLines(text));
            continue;
        }
        const QStringList before = TextLines::split(text).lines;
        const QStringList after = TextLines::split(result).lines;
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            QCOMPARE(sortedChars(after[i]), sortedChars(before[i]));
            if (count == 1) // no surrogate pair is broken apart
                QCOMPARE(after[i].toUcs4().size(), before[i].toUcs4().size());
        }
    }
}

void TestLineOperations::shuffleJobsAreIndependent()
{
    // Two jobs of one start must not draw the same order.
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QString::number(i);
    const QString text = lines.join(QLatin1Char('\n'));
    const DiscombobulatedOptions options;
    QVERIFY(TextDiscombobulated::shuffle(text, options) != TextDiscombobulated::shuffle(text, options));
}

void TestLineOperations::extraction_data()
{
    QTest::addColumn<bool>("retain");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("choice"); // given or pos
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using E = TextExtractionOption;
    QTest::newRow("prime retain") << true << int(E::Given) << int(E::PrimeNumber) << "" << tenLines << "b\nc\ne\ng";
    QTest::newRow("prime delete") << false << int(E::Given) << int(E::PrimeNumber) << "" << tenLines << "a\nd\nf\nh\ni\nj";
    QTest::newRow("odd") << true << int(E::Given) << int(E::UnevenNumber) << "" << "a\nb\nc\n" << "a\nc\n";
    QTest::newRow("even") << true << int(E::Given) << int(E::EvenNumbers) << "" << "a\nb\nc\n" << "b\n";
    QTest::newRow("none left") << true << int(E::Given) << int(E::EvenNumbers) << "" << "a\n" << "";
    QTest::newRow("list from 0") << true << int(E::Custom) << 0 << "1" << "a\nb\nc" << "b";
    QTest::newRow("list unordered") << true << int(E::Custom) << 0 << "2,0" << "a\nb\nc" << "a\nc";
    QTest::newRow("list framed") << true << int(E::Custom) << 0 << ",0,2," << "a\nb\nc" << "a\nc";
    QTest::newRow("list past end") << false << int(E::Custom) << 0 << "7,1" << "a\nb\nc" << "a\nc";
    QTest::newRow("ends with") << true << int(E::Pos) << int(E::Right) << u("。") << u("一。\n二\n三。\n") << u("一。\n三。\n");
    QTest::newRow("starts with") << false << int(E::Pos) << int(E::Left) << "#" << "#a\nb#\n#" << "b#";
    QTest::newRow("empty content") << true << int(E::Pos) << int(E::Have) << "" << "a\n\nb" << "a\n\nb";
}

void TestLineOperations::extraction()
{
    QFETCH(bool, retain);
    QFETCH(int, index);
    QFETCH(int, choice);
    QFETCH(QString, list);
    QFETCH(QString, text);
    TextExtractionOption options;
    options.retain = retain;
    options.index = index;
    options.given = choice;
    options.pos = choice;
    options.numberList = list;
    options.content = list;
    QTEST(TextExtraction::process(text, options), "expected");
}

void TestLineOperations::primeRuleOverManyLines()
{
    // Exact for every number: 1229 primes below 10000, and by remainder
    // every third line from the first.
    QStringList lines;
    for (int i = 1; i <= 10000; ++i)
        lines << QString::number(i);
    const QString text = lines.join(QLatin1Char('\n'));
    TextExtractionOption options;
    options.given = TextExtractionOption::PrimeNumber;
    const QStringList primes = TextLines::split(TextExtraction::process(text, options)).lines;
    QCOMPARE(primes.size(), 1229);
    QCOMPARE(primes.mid(0, 5), QStringList({ "2", "3", "5", "7", "11" }));
    QCOMPARE(primes.last(), QStringLiteral("9973"));

    options.index = TextExtractionOption::Modulus;
    options.divisor = 3;
    options.modulus = 1;
    QCOMPARE(TextExtraction::process(QString::fromLatin1(tenLines), options), QStringLiteral("a\nd\ng\nj"));
}

void TestLineOperations::repeat_data()
{
    QTest::addColumn<bool>("ignoreOuterSpace");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first kept") << false << "a\nb\na\nc\nb\n" << "a\nb\nc\n";
    QTest::newRow("blank lines too") << false << "a\n\nb\n\n" << "a\n\nb\n";
    QTest::newRow("space differs") << false << " a\na \na" << " a\na \na";
    QTest::newRow("space ignored") << true << " a\na \n\ta\nb" << " a\nb";
    QTest::newRow("never empty") << false << "\n" << "\n";
}

void TestLineOperations::repeat()
{
    QFETCH(bool, ignoreOuterSpace);
    QFETCH(QString, text);
    RepeatOptions options;
    options.ignoreOuterSpace = ignoreOuterSpace;
    QTEST(TextRepeat::process(text, options), "expected");
}

void TestLineOperations::refusedOptions()
{
    // Options the getter refuses; the functions themselves leave the text.
    NumberOptions number;
    number.serial = NumberOptions::Custom;
    number.customSequence = QStringLiteral("a");
    QVERIFY(!number.isValid());
    QCOMPARE(TextNumber::process(QStringLiteral("x\ny"), number), QStringLiteral("x\ny"));
    number.customSequence = QStringLiteral("a,b");
    QVERIFY(number.isValid());

    // Labels that cannot fit: the text stays, and the caller is told.
    NumberOptions padded;
    padded.padEnabled = true;
    padded.padText = QStringLiteral("0");
    padded.padLength = std::numeric_limits<int>::max();
    QString text = QStringLiteral("a\nb");
    QVERIFY(!TextNumber::processInPlace(text, padded));
    QCOMPARE(text, QStringLiteral("a\nb"));
    padded.implement = NumberOptions::Delete;
    QVERIFY(TextNumber::processInPlace(text, padded));
    QCOMPARE(text, QStringLiteral("a\nb"));

    DiscombobulatedOptions shuffle;
    shuffle.pattern = DiscombobulatedOptions::Fixed;
    shuffle.count = 0;
    QVERIFY(!shuffle.isValid());
    QCOMPARE(TextDiscombobulated::shuffle(QStringLiteral("abc"), shuffle), QStringLiteral("abc"));

    TextExtractionOption extraction;
    extraction.index = TextExtractionOption::Modulus;
    QVERIFY(!extraction.isValid());
    QCOMPARE(TextExtraction::process(QStringLiteral("a\nb"), extraction), QStringLiteral("a\nb"));
}

QTEST_GUILESS_MAIN(TestLineOperations)
#include "tst_lineoperations.moc"
