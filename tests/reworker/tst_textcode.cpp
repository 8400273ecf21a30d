#include <QtTest>

#include "textcode.h"

namespace {

TextCodeOption options(int option, bool encode, bool perParagraph, const QByteArray &password = QByteArray())
{
    TextCodeOption o;
    o.option = option;
    o.encode = encode;
    o.perParagraph = perParagraph;
    o.password = password;
    return o;
}

const QString chinese = QString::fromUtf8("第一段：中文与English混排，含全角标点。\n\n"
                                          "第二段 😀 é ß\t制表\n"
                                          "末段没有换行");

} // namespace

// Encoding, encryption and digests as pure functions of text and options.
class TestTextCode : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void knownResults_data();
    void knownResults();
    void refusedInput_data();
    void refusedInput();
    void methodsWithoutTransformation();
    void comboPositions();
};

void TestTextCode::roundTrip_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("perParagraph");
    QTest::addColumn<QString>("text");

    const QList<QPair<const char *, int>> methods = {
        {"base64", TextCodeOption::BASIC}, {"hex", TextCodeOption::Hex}, {"aes", TextCodeOption::AES_128}};
    for (const auto &method : methods) {
        for (bool perParagraph : {true, false}) {
            const QByteArray name = QByteArray(method.first) + (perParagraph ? " per paragraph" : " whole");
            QTest::newRow(name + " chinese") << method.second << perParagraph << chinese;
            QTest::newRow(name + " final break") << method.second << perParagraph << chinese + QLatin1Char('\n');
            QTest::newRow(name + " 16-byte line") << method.second << perParagraph << QStringLiteral("0123456789abcdef\nx");
            QTest::newRow(name + " empty") << method.second << perParagraph << QString();
        }
    }
}

void TestTextCode::roundTrip()
{
    QFETCH(int, option);
    QFETCH(bool, perParagraph);
    QFETCH(QString, text);

    const QByteArray password = QString::fromUtf8("口令").toUtf8();
    const std::optional<QString> encoded = codeText(text, options(option, true, perParagraph, password));
    QVERIFY(encoded);
    if (!text.isEmpty())
        QVERIFY(*encoded != text);
    const std::optional<QString> decoded = codeText(*encoded, options(option, false, perParagraph, password));
    QVERIFY(decoded);
    QCOMPARE(*decoded, text);
}

void TestTextCode::knownResults_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("encode");
    QTest::addColumn<bool>("perParagraph");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("base64 lines") << int(TextCodeOption::BASIC) << true << true << "abc\nxyz" << "YWJj\neHl6";
    QTest::newRow("base64 chinese as utf-8") << int(TextCodeOption::BASIC) << true << true << QString::fromUtf8("中") << "5Lit";
    QTest::newRow("base64 decode wrapped") << int(TextCodeOption::BASIC) << false << false << "YWJj\neHl6\n" << "abcxyz";
    QTest::newRow("hex whole") << int(TextCodeOption::Hex) << true << false << "A\nB" << "410a42";
    QTest::newRow("hex decode upper") << int(TextCodeOption::Hex) << false << true << "E4B8AD 41" << QString::fromUtf8("中A");
    QTest::newRow("md5 abc") << int(TextCodeOption::Md5) << true << true << "abc" << "900150983cd24fb0d6963f7d28e17f72";
    QTest::newRow("sha1 abc") << int(TextCodeOption::Sha1) << true << true << "abc" << "a9993e364706816aba3e25717850c26c9cd0d89d";
    QTest::newRow("sha256 abc") << int(TextCodeOption::Sha256) << true << true << "abc"
                                << "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    QTest::newRow("sha3-256 abc") << int(TextCodeOption::RealSha3_256) << true << true << "abc"
                                  << "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532";
    QTest::newRow("keccak-256 abc") << int(TextCodeOption::Keccak_256) << true << true << "abc"
                                    << "4e03657aea45a94fc7d47ba826c8d667c0d1e6e33a64a036ec44f58fa12d6c45";
    QTest::newRow("md5 per line") << int(TextCodeOption::Md5) << true << true << "abc\nabc\n"
                                  << "900150983cd24fb0d6963f7d28e17f72\n900150983cd24fb0d6963f7d28e17f72\n";
}

void TestTextCode::knownResults()
{
    QFETCH(int, option);
    QFETCH(bool, encode);
    QFETCH(bool, perParagraph);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(codeText(text, options(option, encode, perParagraph)), std::optional<QString>(result));
}

void TestTextCode::refusedInput_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("text");

    const QString cipher = *codeText(QStringLiteral("secret"), options(TextCodeOption::AES_128, true, false, "right"));
    QTest::newRow("base64 outside alphabet") << int(TextCodeOption::BASIC) << "YW*j";
    QTest::newRow("base64 lone last character") << int(TextCodeOption::BASIC) << "YWJjZ";
    QTest::newRow("base64 not utf-8") << int(TextCodeOption::BASIC) << "/w==";
    QTest::newRow("hex outside alphabet") << int(TextCodeOption::Hex) << "4g";
    QTest::newRow("hex odd") << int(TextCodeOption::Hex) << "410";
    QTest::newRow("aes partial block") << int(TextCodeOption::AES_128) << "YWJj";
    QTest::newRow("aes not base64") << int(TextCodeOption::AES_128) << QString::fromUtf8("中文");
    QTest::newRow("aes bad line among good") << int(TextCodeOption::AES_128) << cipher + "\nYWJj";
}

void TestTextCode::refusedInput()
{
    QFETCH(int, option);
    QFETCH(QString, text);
    QVERIFY(!codeText(text, options(option, false, true, "right")));
    QVERIFY(!codeText(text, options(option, false, false, "right")));
}

void TestTextCode::methodsWithoutTransformation()
{
    for (int option : {TextCodeOption::ASCII, TextCodeOption::DES, TextCodeOption::Rabbit, TextCodeOption::RC4,
                       TextCodeOption::TripleDes}) {
        QVERIFY(!options(option, true, true).transforms());
        QVERIFY(!options(option, false, true).transforms());
    }
    QVERIFY(options(TextCodeOption::Sha512, true, true).transforms());
    QVERIFY(!options(TextCodeOption::Sha512, false, true).transforms());
    QVERIFY(options(TextCodeOption::AES_128, false, true).transforms());
}

void TestTextCode::comboPositions()
{
    const QStringList entries = TextCodeOption::comboEntries();
    QCOMPARE(entries.size(), 24);
    QCOMPARE(entries.at(8), QStringLiteral("-"));
    QCOMPARE(entries.at(TextCodeOption::AesComboIndex), QStringLiteral("AES_128"));
    QCOMPARE(TextCodeOption::optionAt(0), int(TextCodeOption::BASIC));
    QCOMPARE(TextCodeOption::optionAt(7), int(TextCodeOption::TripleDes));
    QCOMPARE(TextCodeOption::optionAt(8), -1);
    QCOMPARE(TextCodeOption::optionAt(9), int(TextCodeOption::Keccak_224));
    QCOMPARE(TextCodeOption::optionAt(23), int(TextCodeOption::Sha512));
    QCOMPARE(TextCodeOption::optionAt(24), -1);
}

QTEST_GUILESS_MAIN(TestTextCode)
#include "tst_textcode.moc"
