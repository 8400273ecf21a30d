#include "textcode.h"

#include <QCryptographicHash>
#include <QTextCodec>

#include "qaesencryption.h"
#include "textlines.h"

namespace {

bool isDigest(int option)
{
    return option >= TextCodeOption::Keccak_224 && option <= TextCodeOption::Sha512;
}

QCryptographicHash::Algorithm digestAlgorithm(int option)
{
    switch (option) {
    case TextCodeOption::Keccak_224: return QCryptographicHash::Keccak_224;
    case TextCodeOption::Keccak_256: return QCryptographicHash::Keccak_256;
    case TextCodeOption::Keccak_384: return QCryptographicHash::Keccak_384;
    case TextCodeOption::Keccak_512: return QCryptographicHash::Keccak_512;
    case TextCodeOption::RealSha3_224: return QCryptographicHash::RealSha3_224;
    case TextCodeOption::RealSha3_256: return QCryptographicHash::RealSha3_256;
    case TextCodeOption::RealSha3_384: return QCryptographicHash::RealSha3_384;
    case TextCodeOption::RealSha3_512: return QCryptographicHash::RealSha3_512;
    case TextCodeOption::Md4: return QCryptographicHash::Md4;
    case TextCodeOption::Md5: return QCryptographicHash::Md5;
    case TextCodeOption::Sha1: return QCryptographicHash::Sha1;
    case TextCodeOption::Sha224: return QCryptographicHash::Sha224;
    case TextCodeOption::Sha256: return QCryptographicHash::Sha256;
    case TextCodeOption::Sha384: return QCryptographicHash::Sha384;
    default: return QCryptographicHash::Sha512;
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray withoutBlanks(const QByteArray &bytes)
{
    QByteArray result;
    result.reserve(bytes.size());
    for (char c : bytes) {
        if (!isBlank(c))
            result.append(c);
    }
    return result;
}

// Strict Base64: only the standard alphabet, at most two "=" at the end,
// and no lone character in the last group (it would carry no whole byte).
// The final "=" may be left out.
std::optional<QByteArray> fromBase64(const QByteArray &bytes)
{
    const QByteArray data = withoutBlanks(bytes);
    int body = data.size();
    while (body > 0 && data.at(body - 1) == '=' && data.size() - body < 2)
        --body;
    if (body % 4 == 1 || (body < data.size() && data.size() % 4 != 0))
        return std::nullopt;
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return result.decoded;
}

std::optional<QByteArray> fromHex(const QByteArray &bytes)
{
    const QByteArray data = withoutBlanks(bytes);
    if (data.size() % 2 != 0)
        return std::nullopt;
    for (char c : data) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return std::nullopt;
    }
    return QByteArray::fromHex(data);
}

// The AES format: the MD5 digest of the password as key, ECB, zero
// padding, the cipher text in Base64.
QByteArray aesKey(const QByteArray &password)
{
    return QCryptographicHash::hash(password, QCryptographicHash::Md5);
}

QByteArray aesEncrypt(const QByteArray &plain, const QByteArray &password)
{
    const QAESEncryption aes(QAESEncryption::AES_128, QAESEncryption::ECB, QAESEncryption::ZERO);
    return aes.encryptBytes(plain, aesKey(password)).toBase64();
}

std::optional<QByteArray> aesDecrypt(const QByteArray &text, const QByteArray &password)
{
    const std::optional<QByteArray> cipher = fromBase64(text);
    if (!cipher || cipher->size() % QAESEncryption::BlockLength != 0)
        return std::nullopt;
    const QAESEncryption aes(QAESEncryption::AES_128, QAESEncryption::ECB, QAESEncryption::ZERO);
    return aes.stripPadding(aes.decryptBytes(*cipher, aesKey(password)));
}

// Valid UTF-8 only; a leading byte-order mark stays a character.
std::optional<QString> fromUtf8(const QByteArray &bytes)
{
    QTextCodec *codec = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return std::nullopt;
    return text;
}

std::optional<QString> codePiece(const QString &piece, const TextCodeOption &options)
{
    const std::optional<QByteArray> bytes = codeBytes(piece.toUtf8(), options);
    if (!bytes)
        return std::nullopt;
    if (options.encode)
        return QString::fromLatin1(*bytes);
    return fromUtf8(*bytes);
}

} // namespace

bool TextCodeOption::transforms() const
{
    if (option == BASIC || option == Hex || option == AES_128)
        return true;
    return encode && isDigest(option);
}

QStringList TextCodeOption::comboEntries()
{
    return {QStringLiteral("BASIC64"), QStringLiteral("Hex"), QStringLiteral("AES_128"),
            QStringLiteral("ASCII"), QStringLiteral("DES"), QStringLiteral("Rabbit"),
            QStringLiteral("RC4"), QStringLiteral("TripleDes"), QStringLiteral("-"),
            QStringLiteral("Keccak_224"), QStringLiteral("Keccak_256"), QStringLiteral("Keccak_384"),
            QStringLiteral("Keccak_512"), QStringLiteral("RealSha3_224"), QStringLiteral("RealSha3_256"),
            QStringLiteral("RealSha3_384"), QStringLiteral("RealSha3_512"), QStringLiteral("Md4"),
            QStringLiteral("Md5"), QStringLiteral("Sha1"), QStringLiteral("Sha224"),
            QStringLiteral("Sha256"), QStringLiteral("Sha384"), QStringLiteral("Sha512")};
}

int TextCodeOption::optionAt(int comboIndex)
{
    const int separator = TripleDes + 1;
    if (comboIndex < 0 || comboIndex == separator || comboIndex > Sha512 + 1)
        return -1;
    return comboIndex < separator ? comboIndex : comboIndex - 1;
}

std::optional<QByteArray> codeBytes(const QByteArray &bytes, const TextCodeOption &options)
{
    if (options.encode) {
        switch (options.option) {
        case TextCodeOption::BASIC: return bytes.toBase64();
        case TextCodeOption::Hex: return bytes.toHex();
        case TextCodeOption::AES_128: return aesEncrypt(bytes, options.password);
        default:
            if (isDigest(options.option))
                return QCryptographicHash::hash(bytes, digestAlgorithm(options.option)).toHex();
            return bytes;
        }
    }
    switch (options.option) {
    case TextCodeOption::BASIC: return fromBase64(bytes);
    case TextCodeOption::Hex: return fromHex(bytes);
    case TextCodeOption::AES_128: return aesDecrypt(bytes, options.password);
    default: return bytes;
    }
}

std::optional<QString> codeText(const QString &text, const TextCodeOption &options)
{
    if (!options.transforms())
        return text;
    if (!options.perParagraph)
        return codePiece(text, options);

    const TextLines split = TextLines::split(text);
    QStringList lines;
    lines.reserve(split.lines.size());
    for (const QString &line : split.lines) {
        const std::optional<QString> coded = codePiece(line, options);
        if (!coded)
            return std::nullopt;
        lines.append(*coded);
    }
    return split.join(lines);
}
