#include "readwritetxt.h"

#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

namespace {

QTextCodec *codecFor(const QByteArray &name)
{
    QTextCodec *codec = name.isEmpty() ? nullptr : QTextCodec::codecForName(name);
    return codec ? codec : QTextCodec::codecForLocale();
}

QByteArray byteOrderMark(const QTextCodec *codec)
{
    switch (codec->mibEnum()) {
    case 106: return QByteArray("\xEF\xBB\xBF", 3);          // UTF-8
    case 1013: return QByteArray("\xFE\xFF", 2);             // UTF-16BE
    case 1014: case 1015: return QByteArray("\xFF\xFE", 2);  // UTF-16LE, UTF-16 (written little endian)
    case 1018: return QByteArray("\x00\x00\xFE\xFF", 4);     // UTF-32BE
    case 1019: case 1017: return QByteArray("\xFF\xFE\x00\x00", 4); // UTF-32LE, UTF-32
    default: return QByteArray();
    }
}

} // namespace

ReadWriteTxt::ReadWriteTxt(QObject *parent)
    : QObject(parent)
{
}

ReadWriteTxt *ReadWriteTxt::shared()
{
    static ReadWriteTxt *instance = new ReadWriteTxt;
    return instance;
}

bool ReadWriteTxt::decode(const QByteArray &bytes, QString &text, TextFormat *format)
{
    TextFormat found;
    QTextCodec *locale = QTextCodec::codecForLocale();
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, nullptr);
    QByteArray body = bytes;
    if (codec) {
        const QByteArray bom = byteOrderMark(codec);
        found.bom = true;
        found.codecName = codec->name();
        body = bytes.mid(bom.size());
    } else {
        codec = locale;
    }

    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QString decoded = codec->toUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return false;

    // Line ends become "\n"; the file keeps "\r\n" on rewrite when most of
    // its line ends were written that way.
    const int crlf = decoded.count(QLatin1String("\r\n"));
    if (crlf > 0) {
        const int lf = decoded.count(QLatin1Char('\n'));
        found.crlf = crlf * 2 >= lf;
        decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    text = decoded;
    if (format)
        *format = found;
    return true;
}

bool ReadWriteTxt::encode(const QString &text, const TextFormat &format, QByteArray &bytes)
{
    QTextCodec *codec = codecFor(format.codecName);
    QString body = text;
    if (format.crlf)
        body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QByteArray encoded = codec->fromUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars > 0)
        return false; // a character the encoding cannot hold would be lost
    bytes = format.bom ? byteOrderMark(codec) + encoded : encoded;
    return true;
}

int ReadWriteTxt::readFile(const QString &fileName, QString &text, TextFormat *format)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return NotFound;
    if (!file.isReadable())
        return NotReadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return NotReadable;
    file.close();
    return decode(bytes, text, format) ? ReadOk : NotReadable;
}

int ReadWriteTxt::writeFile(const QString &fileName, const QString &text, const TextFormat *format)
{
    if (fileName.isEmpty())
        return NotFound; // e.g. a cancelled save dialog: nothing to open
    QByteArray bytes;
    const bool encoded = encode(text, format ? *format : TextFormat(), bytes);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return NotFound;
    if (!encoded || file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return NotWritable;
    }
    return file.commit() ? Saved : NotWritable;
}

bool ReadWriteTxt::readText(const QString &fileName, QString &text, TextFormat *format)
{
    const int outcome = readFile(fileName, text, format);
    if (outcome == ReadOk)
        return true;
    emit tipSignal(0, outcome, fileName);
    return false;
}

bool ReadWriteTxt::writeText(const QString &fileName, const QString &text, const TextFormat *format)
{
    const int outcome = writeFile(fileName, text, format);
    emit tipSignal(0, outcome, fileName);
    return outcome == Saved;
}
