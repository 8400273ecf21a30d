// Random bytes into every decoder of the encode/decode operation and into
// the AES engine's decryption and padding removal, in every level, mode
// and padding. Crashes, sanitizer reports and broken round trips abort.
//
// Build and run (clang, AddressSanitizer and UBSan):
//   CXX=clang++ cmake -S . -B build-fuzz -DSCRIVEL_FUZZ=ON -DSCRIVEL_SANITIZE=ON
//   cmake --build build-fuzz --target fuzz_textcode
//   build-fuzz/bin/fuzz_textcode -runs=1000000

#include <QByteArray>
#include <QString>

#include <cstdlib>

#include "qaesencryption.h"
#include "textcode.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void decodeText(const QByteArray &input, int option, bool perParagraph)
{
    TextCodeOption o;
    o.option = option;
    o.encode = false;
    o.perParagraph = perParagraph;
    o.password = "fuzz";
    const QString text = QString::fromLatin1(input);
    const std::optional<QString> decoded = codeText(text, o);
    if (!decoded)
        return;
    // Whatever decodes encodes again to the same bytes, up to blanks
    // (ignored by decoding) and, for hex, letter case.
    o.encode = true;
    check(codeText(*decoded, o).has_value());
}

void roundTrip(const QByteArray &input, int option, bool perParagraph)
{
    const QString text = QString::fromUtf8(input);
    // Zero padding cannot tell trailing zero characters from padding.
    if (option == TextCodeOption::AES_128 && text.contains(QChar(0)))
        return;
    TextCodeOption o;
    o.option = option;
    o.perParagraph = perParagraph;
    o.password = input.left(8);
    const std::optional<QString> encoded = codeText(text, o);
    check(encoded.has_value());
    o.encode = false;
    const std::optional<QString> decoded = codeText(*encoded, o);
    check(decoded.has_value() && *decoded == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int selector = data[0];
    const int setting = data[1];
    const QByteArray rest(reinterpret_cast<const char *>(data + 2), int(size - 2));
    const int level = setting % 3;
    const int mode = (setting / 3) % 4;
    const int padding = (setting / 12) % 3;
    const bool perParagraph = setting & 0x80;

    switch (selector % 6) {
    case 0:
        decodeText(rest, TextCodeOption::BASIC, perParagraph);
        break;
    case 1:
        decodeText(rest, TextCodeOption::Hex, perParagraph);
        break;
    case 2:
        decodeText(rest, TextCodeOption::AES_128, perParagraph);
        break;
    case 3: {
        // Key and IV of any length, taken from the front of the input.
        const int keyLength = (selector / 6) % 40;
        const int ivLength = rest.isEmpty() ? 0 : quint8(rest.at(0)) % 20;
        const QByteArray key = rest.mid(1, keyLength);
        const QByteArray iv = rest.mid(1 + keyLength, ivLength);
        const QByteArray cipher = rest.mid(1 + keyLength + ivLength);
        const QAESEncryption aes(level, mode, padding);
        const QByteArray plain = aes.decryptBytes(cipher, key, iv);
        check(plain.isEmpty() || plain.size() == cipher.size());
        aes.stripPadding(plain);
        if (iv.size() == QAESEncryption::BlockLength || mode == QAESEncryption::ECB) {
            const QAESEncryption pkcs7(level, mode, QAESEncryption::PKCS7);
            check(pkcs7.stripPadding(pkcs7.decryptBytes(pkcs7.encryptBytes(cipher, key, iv), key, iv)) == cipher);
        }
        break;
    }
    case 4:
        check(QAESEncryption::stripPaddingOnce(rest, padding).size() <= rest.size());
        break;
    default: {
        static const int methods[3] = {TextCodeOption::BASIC, TextCodeOption::Hex, TextCodeOption::AES_128};
        roundTrip(rest, methods[level], perParagraph);
        break;
    }
    }
    return 0;
}
