#ifndef TEXTCODE_H
#define TEXTCODE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#include "optionrecord.h"
#include "textjob.h"
#include "tipcodes.h"

// The options of one encode/decode start: direction, whole text or one
// result per paragraph, the method, and the password of AES.
struct TextCodeOption : OptionRecord
{
    enum Option {
        BASIC = 0,
        Hex,
        AES_128,
        ASCII,
        DES,
        Rabbit,
        RC4,
        TripleDes,
        Keccak_224,
        Keccak_256,
        Keccak_384,
        Keccak_512,
        RealSha3_224,
        RealSha3_256,
        RealSha3_384,
        RealSha3_512,
        Md4,
        Md5,
        Sha1,
        Sha224,
        Sha256,
        Sha384,
        Sha512
    };

    bool encode = true;
    bool perParagraph = true;
    int option = BASIC;
    QByteArray password; // UTF-8 bytes of the password as typed

    // Whether this direction of the method changes a text at all: Base64,
    // hex and AES both ways, digests only when encoding. The other methods
    // are listed for choice but have no transformation.
    bool transforms() const;

    // The entries of the method combo box; "-" separates the ciphers from
    // the digests and selects nothing.
    static QStringList comboEntries();
    // The method of a combo box position; -1 for the separator or a
    // position outside the list.
    static int optionAt(int comboIndex);
    // Combo box position of the AES entry, the one with a password.
    static constexpr int AesComboIndex = 2;
};

// The text encoded, encrypted or digested, or decoded again, per
// paragraph or as a whole. Texts become bytes as UTF-8 and decoded bytes
// are read back as UTF-8, so a round trip gives any text back exactly.
// Digests are written in lower-case hexadecimal.
//
// Decoding refuses (std::nullopt) input that is not what the method
// claims: characters outside the Base64 or hex alphabet (blanks and line
// breaks are allowed and ignored), an incomplete last group, AES cipher
// text whose length is not a whole number of blocks, or decoded bytes that
// are not valid UTF-8. A refused text is left as it was.
std::optional<QString> codeText(const QString &text, const TextCodeOption &options);

// The same on one piece of bytes, the unit that codeText() applies to the
// whole text or to each paragraph.
std::optional<QByteArray> codeBytes(const QByteArray &bytes, const TextCodeOption &options);

// The worker of one file: a text that cannot be decoded leaves the file
// untouched and is reported with the cannot-decode tip.
using TextCode = CheckedTextJob<TextCodeOption, &codeText, Tips::CannotDecode>;

#endif // TEXTCODE_H
