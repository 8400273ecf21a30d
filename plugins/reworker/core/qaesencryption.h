#ifndef QAESENCRYPTION_H
#define QAESENCRYPTION_H

#include <QByteArray>
#include <QObject>

// The AES block cipher (128-, 192- and 256-bit keys) over byte arrays, with
// the block modes ECB, CBC, CFB (full-block feedback) and OFB and three
// paddings. Encryption pads the plain bytes to whole 16-byte blocks;
// decryption returns the padding as it is, and stripPadding() removes it.
//
// The rounds run on 32-bit words through lookup tables that combine
// SubBytes, ShiftRows and MixColumns; the tables are built once from the
// S-box, which is itself computed from its definition (inverse in GF(2^8)
// followed by the affine map) and shared read-only by every object.
//
// Inputs that cannot be processed give an empty result and never make the
// engine read or write outside its data: a mode other than ECB without an
// IV of exactly 16 bytes, and cipher bytes whose length is not a multiple
// of 16. A key longer than the level's key length is cut to it; a shorter
// key is filled up with zero bytes.
class QAESEncryption : public QObject
{
    Q_OBJECT
public:
    enum Aes { AES_128 = 0, AES_192 = 1, AES_256 = 2 };
    Q_ENUM(Aes)
    enum Mode { ECB = 0, CBC = 1, CFB = 2, OFB = 3 };
    Q_ENUM(Mode)
    enum Padding { ZERO = 0, PKCS7 = 1, ISO = 2 };
    Q_ENUM(Padding)

    static constexpr int BlockLength = 16;

    // Any level other than AES_192 and AES_256 works as AES_128; any mode
    // outside the enumeration as ECB, any padding as ZERO.
    explicit QAESEncryption(int level, int mode = ECB, int padding = ISO, QObject *parent = nullptr);

    // Pads plain, then encrypts it in the object's mode.
    QByteArray encryptBytes(const QByteArray &plain, const QByteArray &key, const QByteArray &iv = QByteArray()) const;
    // Decrypts cipher in the object's mode; the padding is left in place.
    QByteArray decryptBytes(const QByteArray &cipher, const QByteArray &key, const QByteArray &iv = QByteArray()) const;
    // bytes without the object's padding; bytes unchanged when they do not
    // end in a well-formed padding.
    QByteArray stripPadding(const QByteArray &bytes) const;
    // The round keys, 16 bytes per round plus the initial one.
    QByteArray keySchedule(const QByteArray &key) const;

    int level() const { return m_level; }
    int mode() const { return m_mode; }
    int padding() const { return m_padding; }
    int keyLength() const { return 4 * m_keyWords; }
    int rounds() const { return m_rounds; }

    // The same operations on a temporary object.
    static QByteArray cryptOnce(int level, int mode, const QByteArray &plain, const QByteArray &key,
                                const QByteArray &iv = QByteArray(), int padding = ISO);
    static QByteArray decryptOnce(int level, int mode, const QByteArray &cipher, const QByteArray &key,
                                  const QByteArray &iv = QByteArray(), int padding = ISO);
    static QByteArray keyScheduleOnce(int level, int mode, const QByteArray &key);
    static QByteArray stripPaddingOnce(const QByteArray &bytes, int padding);

    // The forward and inverse S-boxes.
    static const quint8 *sBox();
    static const quint8 *inverseSBox();

private:
    // Encryption round keys as big-endian words, 4 * (rounds + 1) of them.
    void expandKey(const QByteArray &key, quint32 *words) const;
    // The round keys of the equivalent inverse cipher.
    void inverseKey(const quint32 *encryption, quint32 *decryption) const;
    QByteArray padded(const QByteArray &plain) const;
    bool ivUsable(const QByteArray &iv) const;

    int m_level;
    int m_mode;
    int m_padding;
    int m_keyWords; // 4, 6 or 8 words of 32 bits
    int m_rounds;   // 10, 12 or 14
};

#endif // QAESENCRYPTION_H
