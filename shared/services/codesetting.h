#ifndef CODESETTING_H
#define CODESETTING_H

#include <QString>
#include <QStringList>

class QTextCodec;
struct TextFormat;

// The encoding choice of [text] code: how a file without a byte-order mark
// is read and how a brand-new file is written.
//
//   "UTF-8"    UTF-8
//   "ANSI"     the system's local 8-bit encoding
//   "GB18030"  GB18030 (which covers GBK and GB2312)
//   "自动"     decided per file: a byte-order mark, else UTF-8 when the
//              bytes are valid UTF-8, else GB18030 when they are valid
//              GB18030, else the file is refused; new files are UTF-8
//
// Without a [text] code the choice is "自动": most Chinese text from
// Windows is GB18030, and a fixed UTF-8 would refuse every such file.
// Any other name a codec knows (say "GBK") is used as the locale's codec,
// as the older settings did. The choice is read afresh from
// "./configure.ini" whenever it is needed, so the host and every plug-in
// follow a saved change at once.
class CodeSetting
{
public:
    enum Mode { Utf8, Locale, Gb18030, Automatic };

    // The choices offered in the options window, in their order (the
    // default first).
    static QStringList names();
    static QString utf8Name() { return QStringLiteral("UTF-8"); }
    static QString automaticName() { return QStringLiteral("自动"); }
    static QString defaultName() { return automaticName(); }

    static Mode mode(const QString &name);
    // [text] code of "./configure.ini", default "自动".
    static QString setting();
    static Mode current() { return mode(setting()); }

    // Makes name the process's choice where Qt keeps it: "UTF-8" (or any
    // other name of a codec) becomes the locale's codec, "ANSI" puts the
    // system's own back. "GB18030" and "自动" concern file contents only
    // and leave the locale's codec, which also encodes file names, alone.
    static void apply(const QString &name);

    // The codec that reads files without a byte-order mark under a fixed
    // mode, and that writes new files under any mode (UTF-8 under "自动").
    static QTextCodec *codecFor(Mode mode);

    // How the status bar names a file's encoding: the codec's name, with
    // " BOM" when the file starts with a byte-order mark.
    static QString describe(const TextFormat &format);
};

#endif // CODESETTING_H
