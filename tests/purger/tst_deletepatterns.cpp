#include <QRandomGenerator>
#include <QRegExp>
#include <QtTest>

#include "deletepatterns.h"

namespace {

// The engine's own removal, the reference for the fixed matchers.
QString engineRemoval(const QString &text, int index)
{
    QString result = text;
    result.remove(QRegExp(DeletePatterns::pattern(index), Qt::CaseSensitive, QRegExp::RegExp));
    return result;
}

QString units(std::initializer_list<ushort> codes)
{
    QString text;
    for (ushort c : codes)
        text.append(QChar(c));
    return text;
}

// Random text weighted towards what the patterns care about: both edges of
// every class, quotes and angle brackets, all kinds of blanks, whole and
// broken surrogate pairs.
class TextSource
{
public:
    explicit TextSource(quint32 seed) : m_random(seed) {}

    QString next(int maxLength)
    {
        const int length = int(m_random.bounded(maxLength + 1));
        QString text;
        text.reserve(length * 2);
        for (int i = 0; i < length; ++i)
            appendPiece(text);
        return text;
    }

    // Text made almost only of markup characters, so that tags open, close,
    // nest and break off inside quotes far more often than in the mix.
    QString nextMarkup(int maxLength)
    {
        static const ushort markup[] = { '<', '<', '>', '>', '"', '"', '\'', '\'', 'a', '=', ' ', '\n', 0x4E2D, 0xE9 };
        const int length = int(m_random.bounded(maxLength + 1));
        QString text;
        for (int i = 0; i < length; ++i)
            text.append(QChar(markup[m_random.bounded(int(sizeof markup / sizeof *markup))]));
        return text;
    }

private:
    void appendPiece(QString &text)
    {
        static const ushort special[] = {
            '<', '>', '"', '\'', '<', '>', '"', '\'', '=', '/', '\\', ' ', '\t', '\n', '\r',
            0x0B, 0x0C, 0x1C, 0x1F, 0x85, 0xA0, 0x1680, 0x2028, 0x2029, 0x3000, 0xFEFF,
            '+', ',', '-', '.', '/', ':', ';', '@', '[', ']', '^', '_', '`', '{', '|', '}', '~',
            0x4DFF, 0x4E00, 0x9FA5, 0x9FA6, 0x3007, 0xFF, 0x100, 0xFFFF,
            0xFF1A, 0x300A, 0x300B, 0xFF1F, 0x3001, 0x201C, 0x201D, 0xFF0C, 0x3002, 0xFF01,
            0xD800, 0xDBFF, 0xDC00, 0xDFFF,
        };
        switch (m_random.bounded(8)) {
        case 0:
        case 1:
            text.append(QChar(ushort(0x20 + m_random.bounded(0x5F)))); // printable ASCII
            break;
        case 2:
            text.append(QChar(ushort(m_random.bounded(0x100)))); // ASCII controls, Latin-1
            break;
        case 3:
            text.append(QChar(ushort(0x4E00 + m_random.bounded(0x51A6)))); // Chinese
            break;
        case 4:
            text.append(QChar(ushort(0xFF01 + m_random.bounded(0x5E)))); // full width
            break;
        case 5:
        case 6:
            text.append(QChar(special[m_random.bounded(int(sizeof special / sizeof *special))]));
            break;
        default:
            text.append(QChar(ushort(0xD83D)));
            text.append(QChar(ushort(0xDE00 + m_random.bounded(0x50)))); // a pair
            break;
        }
    }

    QRandomGenerator m_random;
};

} // namespace

class TestDeletePatterns : public QObject
{
    Q_OBJECT
private slots:
    void removal_data();
    void removal();
    void customValidity_data();
    void customValidity();
    void classMembership_data();
    void classMembership();
    void sameAsEngine_data();
    void sameAsEngine();
    void unclosedTagsStayLinearAndExact();
    void untouchedTextIsNotCopied();
    void explanations();
};

void TestDeletePatterns::removal_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("custom");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits") << 2 << "" << "a1b22c333" << "abc";
    QTest::newRow("capitals") << 3 << "" << "AbC" << "b";
    QTest::newRow("lower case") << 4 << "" << "AbC" << "AC";
    QTest::newRow("chinese keeps latin") << 1 << "" << "中文abc汉字" << "abc";
    QTest::newRow("chinese keeps full-width punctuation")
            << 1 << "" << "你好，世界。！“引”" << "，。！“”";
    QTest::newRow("chinese range edges")
            << 1 << "" << units({ 0x4DFF, 0x4E00, 0x9FA5, 0x9FA6, 0x3007 })
            << units({ 0x4DFF, 0x9FA6, 0x3007 });
    QTest::newRow("double-byte removes chinese and punctuation, keeps latin-1")
            << 6 << "" << "中文，é！abc。ÿ" << "éabcÿ";
    QTest::newRow("double-byte removes both halves of a pair")
            << 6 << "" << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << "ab";
    QTest::newRow("whitespace joins lines")
            << 7 << "" << "one two\tthree\nfour\r\nfive\f\vsix\n" << "onetwothreefourfivesix";
    QTest::newRow("whitespace includes wide blanks")
            << 7 << "" << units({ 'a', 0x3000, 'b', 0xA0, 'c', 0x2028, 'd' }) << "abcd";
    QTest::newRow("html quoted > in attribute")
            << 5 << "" << "<p class=\"a>b\">x</p>" << "x";
    QTest::newRow("html single-quoted attribute") << 5 << "" << "<a title='>'>y</a>" << "y";
    QTest::newRow("html tag over lines") << 5 << "" << "<div\nid=1\n>z</div>" << "z";
    QTest::newRow("html unterminated quote skips to the next tag")
            << 5 << "" << "<a \"> <b>z" << "<a \"> z";
    QTest::newRow("html lone brackets stay") << 5 << "" << "a < b > c" << "a  c";
    QTest::newRow("html no closing bracket") << 5 << "" << "x < y" << "x < y";
    QTest::newRow("html nested opener") << 5 << "" << "<<b>>" << ">";
    QTest::newRow("symbols also remove digits and the range")
            << 8 << "" << "a+b=1,2.3-4/5:6;7<8>9" << "ab";
    QTest::newRow("symbols keep backslash, letters and chinese")
            << 8 << "" << "x\\y中：文《》？、“”（）" << "x\\y中文（）";
    QTest::newRow("empty custom pattern changes nothing") << 9 << "" << "a1 b2\n" << "a1 b2\n";
    QTest::newRow("custom pattern") << 9 << "b+|[0-9]" << "abbbc12d" << "acd";
    QTest::newRow("custom is case sensitive") << 9 << "abc" << "ABCabc" << "ABC";
    QTest::newRow("invalid custom pattern changes nothing") << 9 << "[a-" << "a[a-" << "a[a-";
    QTest::newRow("no operation") << 0 << "" << "a1" << "a1";
    QTest::newRow("unknown operation") << 10 << "" << "a1" << "a1";
}

void TestDeletePatterns::removal()
{
    QFETCH(int, index);
    QFETCH(QString, custom);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QCOMPARE(DeletePatterns::apply(text, index, custom), expected);
    QString inPlace = text;
    DeletePatterns::applyInPlace(inPlace, index, custom);
    QCOMPARE(inPlace, expected);
}

void TestDeletePatterns::customValidity_data()
{
    QTest::addColumn<QString>("custom");
    QTest::addColumn<bool>("valid");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("class") << "[0-9]+" << true;
    QTest::newRow("alternation") << "foo|ba(r)" << true;
    QTest::newRow("open class") << "[a-" << false;
    QTest::newRow("open group") << "(ab" << false;
    QTest::newRow("stray close") << "ab)" << false;
    QTest::newRow("dangling quantifier") << "*a" << false;
}

void TestDeletePatterns::customValidity()
{
    QFETCH(QString, custom);
    QFETCH(bool, valid);
    QCOMPARE(DeletePatterns::isValidCustom(custom), valid);
}

void TestDeletePatterns::classMembership_data()
{
    QTest::addColumn<int>("index");
    for (int index : { 1, 2, 3, 4, 6, 7, 8 })
        QTest::newRow(qPrintable(DeletePatterns::caption(index))) << index;
}

// Every one of the 65536 code units, alone, is removed by the matcher
// exactly when the engine's pattern matches it.
void TestDeletePatterns::classMembership()
{
    QFETCH(int, index);
    QRegExp rx(DeletePatterns::pattern(index), Qt::CaseSensitive, QRegExp::RegExp);
    QVERIFY(rx.isValid());
    for (uint code = 0; code <= 0xFFFF; ++code) {
        const QString one = QChar(ushort(code));
        const bool member = rx.exactMatch(one);
        const bool removed = DeletePatterns::apply(one, index).isEmpty();
        if (member != removed)
            QFAIL(qPrintable(QString::asprintf("U+%04X: engine %d, matcher %d", code, member, removed)));
    }
}

void TestDeletePatterns::sameAsEngine_data()
{
    QTest::addColumn<int>("index");
    for (int index = 1; index <= 8; ++index)
        QTest::newRow(qPrintable(DeletePatterns::caption(index))) << index;
}

void TestDeletePatterns::sameAsEngine()
{
    QFETCH(int, index);
    TextSource source(20240517u + quint32(index));
    for (int round = 0; round < 4000; ++round) {
        const int maxLength = round % 10 == 0 ? 200 : 30;
        const QString text = round % 2 ? source.nextMarkup(maxLength) : source.next(maxLength);
        const QString expected = engineRemoval(text, index);
        const QString actual = DeletePatterns::apply(text, index);
        if (actual != expected) {
            QFAIL(qPrintable(QStringLiteral("round %1\ntext:     %2\nengine:   %3\nmatcher:  %4")
                                     .arg(round)
                                     .arg(QString::fromLatin1(text.toUtf8().toPercentEncoding()),
                                          QString::fromLatin1(expected.toUtf8().toPercentEncoding()),
                                          QString::fromLatin1(actual.toUtf8().toPercentEncoding()))));
        }
    }
}

// Texts full of tags that never close: every start fails, yet the result
// stays the engine's and the work stays proportional to the length.
void TestDeletePatterns::unclosedTagsStayLinearAndExact()
{
    const QStringList units = { "<\"", "<'\"", "<\"'<'", "<a \"b\" '" };
    for (const QString &unit : units) {
        const QString small = unit.repeated(300) + "<i>" + unit.repeated(50);
        QCOMPARE(DeletePatterns::apply(small, 5), engineRemoval(small, 5));

        const QString big = unit.repeated(200000);
        QCOMPARE(DeletePatterns::apply(big, 5), big);
    }
}

void TestDeletePatterns::untouchedTextIsNotCopied()
{
    const QString text = QStringLiteral("没有数字 no digits");
    QString copy = text;
    DeletePatterns::applyInPlace(copy, 2);
    QVERIFY(copy.constData() == text.constData());
    QVERIFY(DeletePatterns::apply(text, 2).constData() == text.constData());
}

void TestDeletePatterns::explanations()
{
    const QStringList parts = DeletePatterns::explanation(0).split("<br>");
    QCOMPARE(parts.size(), 18); // each explanation holds one "<br>" itself
    for (int index = 1; index <= DeletePatterns::Count; ++index) {
        QVERIFY(DeletePatterns::explanation(0).contains(DeletePatterns::explanation(index)));
        if (index != DeletePatterns::Regular)
            QVERIFY(QRegExp(DeletePatterns::pattern(index)).isValid());
    }
    QVERIFY(DeletePatterns::explanation(8).endsWith("“”]\\"));
}

QTEST_APPLESS_MAIN(TestDeletePatterns)
#include "tst_deletepatterns.moc"
