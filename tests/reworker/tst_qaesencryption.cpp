#include <QtTest>

#include "qaesencryption.h"

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

const QByteArray nistKey = hex("2b7e151628aed2a6abf7158809cf4f3c");
const QByteArray nistIv = hex("000102030405060708090a0b0c0d0e0f");
const QByteArray nistPlain = hex("6bc1bee22e409f96e93d7e117393172a"
                                 "ae2d8a571e03ac9c9eb76fac45af8e51"
                                 "30c81c46a35ce411e5fbc1191a0a52ef"
                                 "f69f2445df4f9b17ad2b417be66c3710");

} // namespace

// The engine against the published vectors, its paddings and the inputs
// it must refuse.
class TestQAESEncryption : public QObject
{
    Q_OBJECT
private slots:
    void sBoxes();
    void standardVectors_data();
    void standardVectors();
    void keyScheduleLastRoundKey();
    void padding_data();
    void padding();
    void stripPadding_data();
    void stripPadding();
    void unusableInputGivesEmpty();
};

void TestQAESEncryption::sBoxes()
{
    const quint8 *s = QAESEncryption::sBox();
    const quint8 *inv = QAESEncryption::inverseSBox();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(s), 4), hex("637c777b"));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(inv), 4), hex("52096ad5"));
    QCOMPARE(int(s[0xff]), 0x16);
}

void TestQAESEncryption::standardVectors_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("iv");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("cipher");

    const QByteArray block = hex("00112233445566778899aabbccddeeff");
    QTest::newRow("AES-128 block") << int(QAESEncryption::AES_128) << int(QAESEncryption::ECB)
        << hex("000102030405060708090a0b0c0d0e0f") << QByteArray() << block
        << hex("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("AES-192 block") << int(QAESEncryption::AES_192) << int(QAESEncryption::ECB)
        << hex("000102030405060708090a0b0c0d0e0f1011121314151617") << QByteArray() << block
        << hex("dda97ca4864cdfe06eaf70a0ec0d7191");
    QTest::newRow("AES-256 block") << int(QAESEncryption::AES_256) << int(QAESEncryption::ECB)
        << hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f") << QByteArray() << block
        << hex("8ea2b7ca516745bfeafc49904b496089");
    QTest::newRow("ECB") << int(QAESEncryption::AES_128) << int(QAESEncryption::ECB) << nistKey << QByteArray() << nistPlain
        << hex("3ad77bb40d7a3660a89ecaf32466ef97f5d3d58503b9699de785895a96fdbaaf"
               "43b1cd7f598ece23881b00e3ed0306887b0c785e27e8ad3f8223207104725dd4");
    QTest::newRow("CBC") << int(QAESEncryption::AES_128) << int(QAESEncryption::CBC) << nistKey << nistIv << nistPlain
        << hex("7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
               "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7");
    QTest::newRow("CFB") << int(QAESEncryption::AES_128) << int(QAESEncryption::CFB) << nistKey << nistIv << nistPlain
        << hex("3b3fd92eb72dad20333449f8e83cfb4ac8a64537a0b3a93fcde3cdad9f1ce58b"
               "26751f67a3cbb140b1808cf187a4f4dfc04b05357c5d1c0eeac4c66f9ff7f2e6");
    QTest::newRow("OFB") << int(QAESEncryption::AES_128) << int(QAESEncryption::OFB) << nistKey << nistIv << nistPlain
        << hex("3b3fd92eb72dad20333449f8e83cfb4a7789508d16918f03f53c52dac54ed825"
               "9740051e9c5fecf64344f7a82260edcc304c6528f659c77866a510d9c1d6ae5e");
}

void TestQAESEncryption::standardVectors()
{
    QFETCH(int, level);
    QFETCH(int, mode);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, iv);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, cipher);

    const QAESEncryption aes(level, mode, QAESEncryption::ZERO);
    QCOMPARE(aes.encryptBytes(plain, key, iv).toHex(), cipher.toHex());
    QCOMPARE(aes.decryptBytes(cipher, key, iv).toHex(), plain.toHex());
    QCOMPARE(QAESEncryption::cryptOnce(level, mode, plain, key, iv, QAESEncryption::ZERO), cipher);
    QCOMPARE(QAESEncryption::decryptOnce(level, mode, cipher, key, iv, QAESEncryption::ZERO), plain);
}

void TestQAESEncryption::keyScheduleLastRoundKey()
{
    const QByteArray schedule = QAESEncryption::keyScheduleOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistKey);
    QCOMPARE(schedule.size(), 176);
    QCOMPARE(schedule.left(16), nistKey);
    QCOMPARE(schedule.right(16).toHex(), QByteArray("d014f9a8c9ee2589e13f0cc8b6630ca6"));
    QCOMPARE(QAESEncryption::keyScheduleOnce(QAESEncryption::AES_192, QAESEncryption::ECB, QByteArray(24, 'k')).size(), 208);
    QCOMPARE(QAESEncryption::keyScheduleOnce(QAESEncryption::AES_256, QAESEncryption::ECB, QByteArray(32, 'k')).size(), 240);
}

// What each padding appends, seen through decryption, which keeps it.
void TestQAESEncryption::padding_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("padded");

    const QByteArray five("12345");
    const QByteArray full(16, 'x');
    QTest::newRow("zero 5") << int(QAESEncryption::ZERO) << five << five + QByteArray(11, '\0');
    QTest::newRow("zero 16") << int(QAESEncryption::ZERO) << full << full;
    QTest::newRow("pkcs7 5") << int(QAESEncryption::PKCS7) << five << five + QByteArray(11, '\x0b');
    QTest::newRow("pkcs7 16: full block") << int(QAESEncryption::PKCS7) << full << full + QByteArray(16, '\x10');
    QTest::newRow("pkcs7 empty") << int(QAESEncryption::PKCS7) << QByteArray() << QByteArray(16, '\x10');
    QTest::newRow("iso 5") << int(QAESEncryption::ISO) << five << five + '\x80' + QByteArray(10, '\0');
    QTest::newRow("iso 16: nothing") << int(QAESEncryption::ISO) << full << full;
}

void TestQAESEncryption::padding()
{
    QFETCH(int, padding);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, padded);

    const QAESEncryption aes(QAESEncryption::AES_128, QAESEncryption::CBC, padding);
    const QByteArray cipher = aes.encryptBytes(plain, nistKey, nistIv);
    QCOMPARE(cipher.size(), padded.size());
    const QByteArray decrypted = aes.decryptBytes(cipher, nistKey, nistIv);
    QCOMPARE(decrypted.toHex(), padded.toHex());
    QCOMPARE(aes.stripPadding(decrypted), plain);
}

void TestQAESEncryption::stripPadding_data()
{
    QTest::addColumn<int>("padding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("stripped");

    QTest::newRow("zero: trailing zeros of the text too") << int(QAESEncryption::ZERO) << QByteArray("ab\0\0\0", 5) << QByteArray("ab");
    QTest::newRow("zero: only zeros") << int(QAESEncryption::ZERO) << QByteArray(16, '\0') << QByteArray("");
    QTest::newRow("zero: empty") << int(QAESEncryption::ZERO) << QByteArray() << QByteArray();
    QTest::newRow("pkcs7: value beyond the data") << int(QAESEncryption::PKCS7) << QByteArray("ab\x05", 3) << QByteArray("ab\x05", 3);
    QTest::newRow("pkcs7: zero value") << int(QAESEncryption::PKCS7) << QByteArray("ab\0", 3) << QByteArray("ab\0", 3);
    QTest::newRow("pkcs7: mixed bytes") << int(QAESEncryption::PKCS7) << QByteArray("a\x01\x02", 3) << QByteArray("a\x01\x02", 3);
    QTest::newRow("iso: no marker") << int(QAESEncryption::ISO) << QByteArray("ab\0\0", 4) << QByteArray("ab\0\0", 4);
    QTest::newRow("iso: only zeros") << int(QAESEncryption::ISO) << QByteArray(3, '\0') << QByteArray(3, '\0');
    QTest::newRow("iso: marker first") << int(QAESEncryption::ISO) << QByteArray("\x80\0", 2) << QByteArray("");
}

void TestQAESEncryption::stripPadding()
{
    QFETCH(int, padding);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, stripped);
    QCOMPARE(QAESEncryption::stripPaddingOnce(bytes, padding).toHex(), stripped.toHex());
}

void TestQAESEncryption::unusableInputGivesEmpty()
{
    const QByteArray shortIv = nistIv.left(15);
    for (int mode : {QAESEncryption::CBC, QAESEncryption::CFB, QAESEncryption::OFB}) {
        QVERIFY(QAESEncryption::cryptOnce(QAESEncryption::AES_128, mode, nistPlain, nistKey, shortIv).isEmpty());
        QVERIFY(QAESEncryption::cryptOnce(QAESEncryption::AES_128, mode, nistPlain, nistKey, QByteArray()).isEmpty());
        QVERIFY(QAESEncryption::decryptOnce(QAESEncryption::AES_128, mode, nistPlain, nistKey, shortIv).isEmpty());
    }
    // Cipher text that is not a whole number of blocks.
    QVERIFY(QAESEncryption::decryptOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistPlain.left(17), nistKey).isEmpty());
    // A short key is filled with zeros, a long one cut.
    QCOMPARE(QAESEncryption::cryptOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistPlain, nistKey.left(3)),
             QAESEncryption::cryptOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistPlain, nistKey.left(3) + QByteArray(13, '\0')));
    QCOMPARE(QAESEncryption::cryptOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistPlain, nistKey + "surplus"),
             QAESEncryption::cryptOnce(QAESEncryption::AES_128, QAESEncryption::ECB, nistPlain, nistKey));
}

QTEST_GUILESS_MAIN(TestQAESEncryption)
#include "tst_qaesencryption.moc"
