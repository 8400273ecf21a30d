#include "qaesencryption.h"

#include <QtEndian>

#include <cstring>

namespace {

quint8 xtime(quint8 b)
{
    return quint8((b << 1) ^ ((b & 0x80) ? 0x1B : 0x00));
}

// Product in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1.
quint8 multiply(quint8 a, quint8 b)
{
    quint8 product = 0;
    while (b) {
        if (b & 1)
            product ^= a;
        a = xtime(a);
        b >>= 1;
    }
    return product;
}

quint32 rotateRight(quint32 word, int bits)
{
    return (word >> bits) | (word << (32 - bits));
}

quint32 word(quint8 b0, quint8 b1, quint8 b2, quint8 b3)
{
    return (quint32(b0) << 24) | (quint32(b1) << 16) | (quint32(b2) << 8) | quint32(b3);
}

// The S-boxes and the round tables. te[0][x] is the column that the byte x
// contributes to MixColumns after SubBytes (2·S(x), S(x), S(x), 3·S(x)),
// te[1..3] the same column rotated for the other three rows, so that one
// round of a column is four lookups and four XORs. td[] does the same for
// InvSubBytes and InvMixColumns (14, 9, 13, 11).
struct Tables
{
    quint8 s[256];
    quint8 inv[256];
    quint32 te[4][256];
    quint32 td[4][256];

    Tables()
    {
        // Powers of the generator 3 give every non-zero element and its
        // logarithm, hence the multiplicative inverse.
        quint8 power[255];
        quint8 log[256] = {};
        quint8 x = 1;
        for (int i = 0; i < 255; ++i) {
            power[i] = x;
            log[x] = quint8(i);
            x = multiply(x, 3);
        }
        for (int v = 0; v < 256; ++v) {
            const quint8 b = v ? power[(255 - log[v]) % 255] : 0;
            // The affine map: b ^ rotl(b,1) ^ rotl(b,2) ^ rotl(b,3) ^ rotl(b,4) ^ 0x63.
            quint8 a = b;
            for (int r = 1; r <= 4; ++r)
                a ^= quint8((b << r) | (b >> (8 - r)));
            a ^= 0x63;
            s[v] = a;
            inv[a] = quint8(v);
        }
        for (int v = 0; v < 256; ++v) {
            const quint8 f = s[v];
            const quint32 e = word(multiply(f, 2), f, f, multiply(f, 3));
            const quint8 g = inv[v];
            const quint32 d = word(multiply(g, 14), multiply(g, 9), multiply(g, 13), multiply(g, 11));
            for (int r = 0; r < 4; ++r) {
                te[r][v] = r ? rotateRight(e, 8 * r) : e;
                td[r][v] = r ? rotateRight(d, 8 * r) : d;
            }
        }
    }
};

const Tables &tables()
{
    static const Tables instance;
    return instance;
}

quint32 load(const uchar *p)
{
    return qFromBigEndian<quint32>(p);
}

void store(quint32 v, uchar *p)
{
    qToBigEndian<quint32>(v, p);
}

// The largest schedule: AES-256, 15 round keys of 4 words.
const int MaxWords = 60;

void encryptBlock(const Tables &t, const quint32 *rk, int rounds, const uchar *in, uchar *out)
{
    quint32 s0 = load(in) ^ rk[0];
    quint32 s1 = load(in + 4) ^ rk[1];
    quint32 s2 = load(in + 8) ^ rk[2];
    quint32 s3 = load(in + 12) ^ rk[3];
    for (int r = 1; r < rounds; ++r) {
        rk += 4;
        const quint32 t0 = t.te[0][s0 >> 24] ^ t.te[1][(s1 >> 16) & 0xFF] ^ t.te[2][(s2 >> 8) & 0xFF] ^ t.te[3][s3 & 0xFF] ^ rk[0];
        const quint32 t1 = t.te[0][s1 >> 24] ^ t.te[1][(s2 >> 16) & 0xFF] ^ t.te[2][(s3 >> 8) & 0xFF] ^ t.te[3][s0 & 0xFF] ^ rk[1];
        const quint32 t2 = t.te[0][s2 >> 24] ^ t.te[1][(s3 >> 16) & 0xFF] ^ t.te[2][(s0 >> 8) & 0xFF] ^ t.te[3][s1 & 0xFF] ^ rk[2];
        const quint32 t3 = t.te[0][s3 >> 24] ^ t.te[1][(s0 >> 16) & 0xFF] ^ t.te[2][(s1 >> 8) & 0xFF] ^ t.te[3][s2 & 0xFF] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += 4;
    // Last round: SubBytes and ShiftRows without MixColumns.
    const quint8 *s = t.s;
    store(word(s[s0 >> 24], s[(s1 >> 16) & 0xFF], s[(s2 >> 8) & 0xFF], s[s3 & 0xFF]) ^ rk[0], out);
    store(word(s[s1 >> 24], s[(s2 >> 16) & 0xFF], s[(s3 >> 8) & 0xFF], s[s0 & 0xFF]) ^ rk[1], out + 4);
    store(word(s[s2 >> 24], s[(s3 >> 16) & 0xFF], s[(s0 >> 8) & 0xFF], s[s1 & 0xFF]) ^ rk[2], out + 8);
    store(word(s[s3 >> 24], s[(s0 >> 16) & 0xFF], s[(s1 >> 8) & 0xFF], s[s2 & 0xFF]) ^ rk[3], out + 12);
}

// The equivalent inverse cipher: InvShiftRows moves row r of column c to
// column c + r, so column c gathers row r from column c - r.
void decryptBlock(const Tables &t, const quint32 *dk, int rounds, const uchar *in, uchar *out)
{
    quint32 s0 = load(in) ^ dk[0];
    quint32 s1 = load(in + 4) ^ dk[1];
    quint32 s2 = load(in + 8) ^ dk[2];
    quint32 s3 = load(in + 12) ^ dk[3];
    for (int r = 1; r < rounds; ++r) {
        dk += 4;
        const quint32 t0 = t.td[0][s0 >> 24] ^ t.td[1][(s3 >> 16) & 0xFF] ^ t.td[2][(s2 >> 8) & 0xFF] ^ t.td[3][s1 & 0xFF] ^ dk[0];
        const quint32 t1 = t.td[0][s1 >> 24] ^ t.td[1][(s0 >> 16) & 0xFF] ^ t.td[2][(s3 >> 8) & 0xFF] ^ t.td[3][s2 & 0xFF] ^ dk[1];
        const quint32 t2 = t.td[0][s2 >> 24] ^ t.td[1][(s1 >> 16) & 0xFF] ^ t.td[2][(s0 >> 8) & 0xFF] ^ t.td[3][s3 & 0xFF] ^ dk[2];
        const quint32 t3 = t.td[0][s3 >> 24] ^ t.td[1][(s2 >> 16) & 0xFF] ^ t.td[2][(s1 >> 8) & 0xFF] ^ t.td[3][s0 & 0xFF] ^ dk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    dk += 4;
    const quint8 *v = t.inv;
    store(word(v[s0 >> 24], v[(s3 >> 16) & 0xFF], v[(s2 >> 8) & 0xFF], v[s1 & 0xFF]) ^ dk[0], out);
    store(word(v[s1 >> 24], v[(s0 >> 16) & 0xFF], v[(s3 >> 8) & 0xFF], v[s2 & 0xFF]) ^ dk[1], out + 4);
    store(word(v[s2 >> 24], v[(s1 >> 16) & 0xFF], v[(s0 >> 8) & 0xFF], v[s3 & 0xFF]) ^ dk[2], out + 8);
    store(word(v[s3 >> 24], v[(s2 >> 16) & 0xFF], v[(s1 >> 8) & 0xFF], v[s0 & 0xFF]) ^ dk[3], out + 12);
}

void xorBlock(uchar *target, const uchar *with)
{
    for (int i = 0; i < QAESEncryption::BlockLength; ++i)
        target[i] ^= with[i];
}

} // namespace

QAESEncryption::QAESEncryption(int level, int mode, int padding, QObject *parent)
    : QObject(parent)
    , m_level(level == AES_192 || level == AES_256 ? level : AES_128)
    , m_mode(mode >= ECB && mode <= OFB ? mode : ECB)
    , m_padding(padding >= ZERO && padding <= ISO ? padding : ZERO)
{
    switch (m_level) {
    case AES_192:
        m_keyWords = 6;
        m_rounds = 12;
        break;
    case AES_256:
        m_keyWords = 8;
        m_rounds = 14;
        break;
    default:
        m_keyWords = 4;
        m_rounds = 10;
        break;
    }
}

const quint8 *QAESEncryption::sBox()
{
    return tables().s;
}

const quint8 *QAESEncryption::inverseSBox()
{
    return tables().inv;
}

void QAESEncryption::expandKey(const QByteArray &key, quint32 *words) const
{
    const Tables &t = tables();
    uchar bytes[32] = {};
    std::memcpy(bytes, key.constData(), size_t(qMin(key.size(), keyLength())));
    for (int i = 0; i < m_keyWords; ++i)
        words[i] = load(bytes + 4 * i);

    const int total = 4 * (m_rounds + 1);
    quint8 roundConstant = 0x01;
    for (int i = m_keyWords; i < total; ++i) {
        quint32 temp = words[i - 1];
        if (i % m_keyWords == 0) {
            // RotWord, SubWord, then the round constant on the first byte.
            temp = (temp << 8) | (temp >> 24);
            temp = word(t.s[temp >> 24], t.s[(temp >> 16) & 0xFF], t.s[(temp >> 8) & 0xFF], t.s[temp & 0xFF]);
            temp ^= quint32(roundConstant) << 24;
            roundConstant = xtime(roundConstant);
        } else if (m_keyWords > 6 && i % m_keyWords == 4) {
            temp = word(t.s[temp >> 24], t.s[(temp >> 16) & 0xFF], t.s[(temp >> 8) & 0xFF], t.s[temp & 0xFF]);
        }
        words[i] = words[i - m_keyWords] ^ temp;
    }
}

void QAESEncryption::inverseKey(const quint32 *encryption, quint32 *decryption) const
{
    // Round keys in reverse order; the inner ones pass through
    // InvMixColumns so that the rounds can use the combined td tables.
    for (int r = 0; r <= m_rounds; ++r) {
        const quint32 *from = encryption + 4 * (m_rounds - r);
        quint32 *to = decryption + 4 * r;
        for (int c = 0; c < 4; ++c) {
            const quint32 w = from[c];
            if (r == 0 || r == m_rounds) {
                to[c] = w;
                continue;
            }
            const quint8 a0 = quint8(w >> 24), a1 = quint8(w >> 16), a2 = quint8(w >> 8), a3 = quint8(w);
            to[c] = word(multiply(a0, 14) ^ multiply(a1, 11) ^ multiply(a2, 13) ^ multiply(a3, 9),
                         multiply(a0, 9) ^ multiply(a1, 14) ^ multiply(a2, 11) ^ multiply(a3, 13),
                         multiply(a0, 13) ^ multiply(a1, 9) ^ multiply(a2, 14) ^ multiply(a3, 11),
                         multiply(a0, 11) ^ multiply(a1, 13) ^ multiply(a2, 9) ^ multiply(a3, 14));
        }
    }
}

QByteArray QAESEncryption::keySchedule(const QByteArray &key) const
{
    quint32 words[MaxWords];
    expandKey(key, words);
    const int total = 4 * (m_rounds + 1);
    QByteArray bytes(4 * total, Qt::Uninitialized);
    for (int i = 0; i < total; ++i)
        store(words[i], reinterpret_cast<uchar *>(bytes.data()) + 4 * i);
    return bytes;
}

QByteArray QAESEncryption::padded(const QByteArray &plain) const
{
    int k = (BlockLength - plain.size() % BlockLength) % BlockLength;
    QByteArray data = plain;
    switch (m_padding) {
    case PKCS7:
        if (k == 0)
            k = BlockLength;
        data.append(QByteArray(k, char(k)));
        break;
    case ISO:
        if (k > 0) {
            data.append(char(0x80));
            data.append(QByteArray(k - 1, '\0'));
        }
        break;
    default:
        data.append(QByteArray(k, '\0'));
        break;
    }
    return data;
}

bool QAESEncryption::ivUsable(const QByteArray &iv) const
{
    return m_mode == ECB || (!iv.isNull() && iv.size() == BlockLength);
}

QByteArray QAESEncryption::encryptBytes(const QByteArray &plain, const QByteArray &key, const QByteArray &iv) const
{
    if (!ivUsable(iv))
        return QByteArray();
    quint32 rk[MaxWords];
    expandKey(key, rk);
    const Tables &t = tables();

    QByteArray data = padded(plain);
    uchar *p = reinterpret_cast<uchar *>(data.data());
    const int blocks = data.size() / BlockLength;
    uchar chain[BlockLength];
    if (m_mode != ECB)
        std::memcpy(chain, iv.constData(), BlockLength);

    if (m_mode == ECB) {
        for (int b = 0; b < blocks; ++b, p += BlockLength)
            encryptBlock(t, rk, m_rounds, p, p);
        return data;
    }
    for (int b = 0; b < blocks; ++b, p += BlockLength) {
        switch (m_mode) {
        case CBC:
            xorBlock(p, chain);
            encryptBlock(t, rk, m_rounds, p, p);
            std::memcpy(chain, p, BlockLength);
            break;
        case CFB:
            encryptBlock(t, rk, m_rounds, chain, chain);
            xorBlock(p, chain);
            std::memcpy(chain, p, BlockLength);
            break;
        case OFB:
            encryptBlock(t, rk, m_rounds, chain, chain);
            xorBlock(p, chain);
            break;
        default:
            break;
        }
    }
    return data;
}

QByteArray QAESEncryption::decryptBytes(const QByteArray &cipher, const QByteArray &key, const QByteArray &iv) const
{
    if (!ivUsable(iv) || cipher.size() % BlockLength != 0)
        return QByteArray();
    quint32 rk[MaxWords];
    expandKey(key, rk);
    quint32 dk[MaxWords];
    const bool inverse = m_mode == ECB || m_mode == CBC;
    if (inverse)
        inverseKey(rk, dk);
    const Tables &t = tables();

    QByteArray data = cipher;
    uchar *p = reinterpret_cast<uchar *>(data.data());
    const int blocks = data.size() / BlockLength;
    uchar chain[BlockLength];
    uchar saved[BlockLength];
    if (m_mode != ECB)
        std::memcpy(chain, iv.constData(), BlockLength);

    if (m_mode == ECB) {
        for (int b = 0; b < blocks; ++b, p += BlockLength)
            decryptBlock(t, dk, m_rounds, p, p);
        return data;
    }
    for (int b = 0; b < blocks; ++b, p += BlockLength) {
        switch (m_mode) {
        case CBC:
            std::memcpy(saved, p, BlockLength);
            decryptBlock(t, dk, m_rounds, p, p);
            xorBlock(p, chain);
            std::memcpy(chain, saved, BlockLength);
            break;
        case CFB:
            encryptBlock(t, rk, m_rounds, chain, chain);
            std::memcpy(saved, p, BlockLength);
            xorBlock(p, chain);
            std::memcpy(chain, saved, BlockLength);
            break;
        case OFB:
            encryptBlock(t, rk, m_rounds, chain, chain);
            xorBlock(p, chain);
            break;
        default:
            break;
        }
    }
    return data;
}

QByteArray QAESEncryption::stripPadding(const QByteArray &bytes) const
{
    return stripPaddingOnce(bytes, m_padding);
}

QByteArray QAESEncryption::stripPaddingOnce(const QByteArray &bytes, int padding)
{
    int end = bytes.size();
    if (end == 0)
        return bytes;
    const char *d = bytes.constData();
    switch (padding) {
    case PKCS7: {
        const int v = quint8(d[end - 1]);
        if (v == 0 || v > BlockLength || v > end)
            return bytes;
        for (int i = end - v; i < end; ++i) {
            if (quint8(d[i]) != v)
                return bytes;
        }
        return bytes.left(end - v);
    }
    case ISO:
        while (end > 0 && d[end - 1] == '\0')
            --end;
        if (end > 0 && quint8(d[end - 1]) == 0x80)
            return bytes.left(end - 1);
        return bytes;
    default:
        while (end > 0 && d[end - 1] == '\0')
            --end;
        return bytes.left(end);
    }
}

QByteArray QAESEncryption::cryptOnce(int level, int mode, const QByteArray &plain, const QByteArray &key,
                                     const QByteArray &iv, int padding)
{
    return QAESEncryption(level, mode, padding).encryptBytes(plain, key, iv);
}

QByteArray QAESEncryption::decryptOnce(int level, int mode, const QByteArray &cipher, const QByteArray &key,
                                       const QByteArray &iv, int padding)
{
    return QAESEncryption(level, mode, padding).decryptBytes(cipher, key, iv);
}

QByteArray QAESEncryption::keyScheduleOnce(int level, int mode, const QByteArray &key)
{
    return QAESEncryption(level, mode, ISO).keySchedule(key);
}
