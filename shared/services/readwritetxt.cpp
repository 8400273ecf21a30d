#include "readwritetxt.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextCodec>

#include "atomicwriter.h"
#include "codesetting.h"
#include "utf8codec.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// When this code was loaded, at the start of the program; temporary files
// older than that cannot belong to a write of this process.
const qint64 g_loadTime = QDateTime::currentMSecsSinceEpoch();

qint64 processStart()
{
    return g_loadTime;
}

// The errors that mean "there is no such file (or folder)".
bool missing(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}

// The whole file of size bytes (as its status said at the open) into
// bytes: ReadOk, NotReadable, or TooLarge for more than LargestFile bytes
// (also when the file grows while being read).
int readAll(int fd, qint64 size, QByteArray &bytes)
{
    if (size > ReadWriteTxt::LargestFile)
        return ReadWriteTxt::TooLarge;
    // One more byte sees the end at once.
    bytes.resize(int(qMax<qint64>(size, 0) + 1));
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > ReadWriteTxt::LargestFile)
                return ReadWriteTxt::TooLarge;
            bytes.resize(int(qMin<qint64>(ReadWriteTxt::LargestFile + 1, bytes.size() + qMax(65536, bytes.size() / 2))));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return ReadWriteTxt::NotReadable;
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(int(filled));
    return ReadWriteTxt::ReadOk;
}

// Closes fd without losing the errno that explains why it is given up.
void closeKeepingErrno(int fd)
{
    const int error = errno;
    ::close(fd);
    errno = error;
}

int openRegularPath(const QByteArray &path, int flags, int *outcome, struct stat *status)
{
    const bool writes = (flags & O_ACCMODE) != O_RDONLY;
    const auto fail = [outcome, writes](int code) {
        if (outcome)
            *outcome = code != ReadWriteTxt::NotReadable ? code
                : writes ? int(ReadWriteTxt::NotWritable) : int(ReadWriteTxt::NotReadable);
        return -1;
    };
    // A special file already there is not opened at all: opening a device
    // can have effects of its own.
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return fail(missing(errno) ? ReadWriteTxt::NotFound : ReadWriteTxt::NotReadable);
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return fail(ReadWriteTxt::NotRegular);
    }
    // Non-blocking, so that a named pipe or device swapped in since the
    // check cannot hold the open (nor, later, the read).
    const int fd = ::open(path.constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // A pipe without reader opened for writing, a socket, a folder
        // opened for writing: all special files.
        if (errno == ENXIO || errno == EISDIR || errno == ENODEV)
            return fail(ReadWriteTxt::NotRegular);
        return fail(missing(errno) ? ReadWriteTxt::NotFound : ReadWriteTxt::NotReadable);
    }
    if (::fstat(fd, &st) != 0) {
        closeKeepingErrno(fd);
        return fail(ReadWriteTxt::NotReadable);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return fail(ReadWriteTxt::NotRegular);
    }
    // A regular file: reads and writes block as usual again.
    const int fileFlags = ::fcntl(fd, F_GETFL);
    if (fileFlags == -1 || ::fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK) != 0) {
        closeKeepingErrno(fd);
        return fail(ReadWriteTxt::NotReadable);
    }
    if (status)
        *status = st;
    if (outcome)
        *outcome = ReadWriteTxt::ReadOk;
    return fd;
}

bool writeAll(int fd, const QByteArray &bytes, off_t offset)
{
    return AtomicWriter::writeAllAt(fd, bytes.constData(), bytes.size(), offset);
}

// What a write puts into a file: its size, known before, and how to write
// it from the start of a descriptor.
struct Payload
{
    qint64 size = 0;
    std::function<bool(int fd)> write;
};

Payload payloadOf(const QByteArray &bytes)
{
    return Payload{ bytes.size(), [&bytes](int fd) { return writeAll(fd, bytes, 0); } };
}

// Files at least this large are read and written a piece at a time when
// their encoding is UTF-8, so that the text is their only whole copy in
// memory: not the file's bytes beside the text read from them, nor the
// new bytes beside the text they are made from.
constexpr qint64 piecesFrom = qint64(8) << 20; // bytes of a file; units of a text
constexpr int pieceSize = 1 << 20;             // bytes read, units encoded at a time

// The UTF-8 bytes of text, after mark, made and written a piece at a
// time; null size when text holds a lone surrogate (not encodable).
Payload utf8Pieces(const QString &text, bool crlf, const QByteArray &mark, bool &encodable)
{
    const qint64 length = Utf8Codec::encodedSize(text.constData(), text.size(), crlf);
    encodable = length >= 0;
    if (!encodable)
        return Payload();
    return Payload{ mark.size() + length, [&text, crlf, mark](int fd) {
        off_t offset = 0;
        if (!writeAll(fd, mark, offset))
            return false;
        offset += mark.size();
        QByteArray piece;
        const QChar *units = text.constData();
        const int size = text.size();
        for (int from = 0; from < size;) {
            int count = qMin(pieceSize, size - from);
            // A surrogate pair stays in one piece.
            if (from + count < size && units[from + count - 1].isHighSurrogate())
                ++count;
            if (!Utf8Codec::encode(units + from, count, crlf, piece) || !writeAll(fd, piece, offset))
                return false;
            offset += piece.size();
            from += count;
        }
        return true;
    } };
}

// The file a write replaces: a symbolic link is followed, so the link
// stays a link and its target gets the new text. st receives the target's
// status; false when there is none (errno says why).
bool writeTarget(const QString &fileName, QByteArray &target, struct stat &st)
{
    target = QFile::encodeName(fileName);
    if (::lstat(target.constData(), &st) != 0)
        return false;
    if (!S_ISLNK(st.st_mode))
        return true;
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    target = QFile::encodeName(canonical.isEmpty() ? info.symLinkTarget() : canonical);
    return ::stat(target.constData(), &st) == 0;
}

int writeFailure(int error)
{
    return error == ENOENT || error == ENOTDIR ? ReadWriteTxt::NotFound : ReadWriteTxt::NotWritable;
}

// Hard-linked file: its content replaced through the same inode.
int rewriteInPlace(const QByteArray &target, const Payload &bytes, const struct stat &st, ReadWriteTxt::Sync sync,
                   const std::function<bool()> &beforeReplace)
{
    int outcome = ReadWriteTxt::ReadOk;
    const int fd = openRegularPath(target, O_WRONLY, &outcome, nullptr);
    if (fd < 0)
        return outcome;
    // Claim the space first, so a full disk stops the write before any
    // byte of the old text is overwritten.
    if (bytes.size > st.st_size && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, bytes.size) != 0
        && errno != EOPNOTSUPP && errno != ENOSYS) {
        ::close(fd);
        return ReadWriteTxt::NotWritable;
    }
    if (beforeReplace && !beforeReplace()) {
        ::close(fd);
        return ReadWriteTxt::NotKept;
    }
    bool ok = bytes.write(fd) && ::ftruncate(fd, bytes.size) == 0;
    if (ok && sync == ReadWriteTxt::SyncNow)
        ok = ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok ? ReadWriteTxt::Saved : ReadWriteTxt::NotWritable;
}

// New content in a temporary file beside the target, renamed over it.
// old: the target's status, or null for a new file.
int replaceAtomically(const QByteArray &target, const Payload &bytes, const struct stat *old, ReadWriteTxt::Sync sync,
                      const std::function<bool()> &beforeReplace,
                      AtomicWriter::Placing placing = AtomicWriter::Replace)
{
    // A new file gets the usual 0666 less the umask. A replaced one asks
    // for its predecessor's bits: all of them when the process already
    // owns it with its own group, so usually no change of mode follows;
    // otherwise only the owner's, keeping others out until the owner and
    // group are right. The umask may still take some, corrected below.
    const mode_t requested = !old ? 0666
        : old->st_uid == ::geteuid() && old->st_gid == ::getegid() ? (old->st_mode & 0777)
                                                                   : (old->st_mode & 0700);
    QByteArray temporary;
    const int fd = AtomicWriter::openTemporary(target, requested, &temporary);
    if (fd < 0)
        return writeFailure(errno);

    bool ok = true;
    if (old) {
        // Owner and group as far as allowed (root: both; a user: a group
        // of theirs), then the mode, since a change of owner clears the
        // set-user and set-group bits. Each change is a journalled
        // metadata write, so only what differs is changed.
        struct stat made;
        ok = ::fstat(fd, &made) == 0;
        const bool owned = ok && made.st_uid == old->st_uid && made.st_gid == old->st_gid;
        if (ok && !owned && ::fchown(fd, old->st_uid, old->st_gid) != 0
            && ::fchown(fd, uid_t(-1), old->st_gid) != 0) {
            // Kept as the process's own: nothing better is allowed.
        }
        if (ok && (!owned || (made.st_mode & 07777) != (old->st_mode & 07777)))
            ok = ::fchmod(fd, old->st_mode & 07777) == 0;
    }
    ok = ok && bytes.write(fd);
    if (ok && sync == ReadWriteTxt::SyncNow)
        ok = ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && beforeReplace && !beforeReplace()) {
        ::unlink(temporary.constData());
        return ReadWriteTxt::NotKept;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return ReadWriteTxt::NotWritable;
    }
    if (!AtomicWriter::moveIntoPlace(temporary, target, placing))
        return writeFailure(errno);
    // The rename itself is durable once the folder is.
    if (sync == ReadWriteTxt::SyncNow)
        AtomicWriter::syncFolder(target);
    return ReadWriteTxt::Saved;
}

// Decodes bytes with codec only when they are a faithful encoding of the
// result: no invalid or unfinished sequence, and encoding the text again
// gives back exactly the same bytes. Some codecs substitute bad input
// without counting it, so the flag alone is not trusted; a text that would
// not come back byte for byte would also be altered by a rewrite.
bool decodeExactly(QTextCodec *codec, const char *bytes, int size, QString &text)
{
    QTextCodec::ConverterState in(QTextCodec::IgnoreHeader);
    const QString decoded = codec->toUnicode(bytes, size, &in);
    if (in.invalidChars > 0 || in.remainingChars > 0)
        return false;
    QTextCodec::ConverterState out(QTextCodec::IgnoreHeader);
    const QByteArray again = codec->fromUnicode(decoded.constData(), decoded.size(), &out);
    if (out.invalidChars > 0 || again.size() != size || std::memcmp(again.constData(), bytes, size_t(size)) != 0)
        return false;
    text = decoded;
    return true;
}

bool isUtf8(const QTextCodec *codec)
{
    return codec->mibEnum() == 106;
}

// The text of size bytes in codec, only when they are its faithful
// encoding, with each "\r\n" read as "\n"; ends counts the line ends. UTF-8
// has its own strict decoder, which guarantees the round trip by itself.
bool decodeText(QTextCodec *codec, const char *bytes, int size, QString &text, Utf8Codec::LineEnds &ends)
{
    if (isUtf8(codec))
        return Utf8Codec::decode(bytes, size, text, &ends);
    QString decoded;
    if (!decodeExactly(codec, bytes, size, decoded))
        return false;
    ends.crlf = decoded.count(QLatin1String("\r\n"));
    if (ends.crlf > 0) {
        ends.lf = decoded.count(QLatin1Char('\n'));
        decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }
    text = decoded;
    return true;
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

// The codec a text is written in: its file's, else the setting's.
QTextCodec *codecOf(const TextFormat &format)
{
    QTextCodec *codec = format.codecName.isEmpty() ? nullptr : QTextCodec::codecForName(format.codecName);
    return codec ? codec : CodeSetting::codecFor(CodeSetting::current());
}

enum { NotUtf8 = -2 };

// A large file read as UTF-8 a piece at a time, from offset (past a
// byte-order mark) to its end: ReadOk, EncodingMismatch, NotReadable or
// TooLarge.
int readUtf8Pieces(int fd, qint64 offset, qint64 size, QString &text, Utf8Codec::LineEnds &ends)
{
    // Never more units than bytes.
    QString out(int(qMax<qint64>(0, size - offset)), Qt::Uninitialized);
    qint64 filled = 0;
    std::unique_ptr<char[]> buffer(new char[pieceSize + 8]);
    int carry = 0;
    int crlf = 0;
    off_t at = off_t(offset);
    for (;;) {
        const ssize_t got = ::pread(fd, buffer.get() + carry, size_t(pieceSize), at);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return ReadWriteTxt::NotReadable;
        }
        at += got;
        const bool last = got == 0;
        const int available = carry + int(got);
        if (filled + available > out.size()) {
            // The file grew while it was read.
            if (filled + available > ReadWriteTxt::LargestFile)
                return ReadWriteTxt::TooLarge;
            out.resize(int(qMin<qint64>(ReadWriteTxt::LargestFile, qMax<qint64>(filled + available, out.size() + out.size() / 2))));
        }
        int consumed = 0, written = 0;
        if (!Utf8Codec::decodePiece(buffer.get(), available, last, reinterpret_cast<ushort *>(out.data()) + filled,
                                    consumed, written, crlf))
            return ReadWriteTxt::EncodingMismatch;
        filled += written;
        carry = available - consumed;
        if (last)
            break;
        std::memmove(buffer.get(), buffer.get() + consumed, size_t(carry));
    }
    out.resize(int(filled));
    ends.crlf = crlf;
    ends.lf = crlf > 0 ? int(out.count(QLatin1Char('\n'))) : 0;
    text = std::move(out);
    return ReadWriteTxt::ReadOk;
}

// A large file read a piece at a time when it is UTF-8 (by its mark, by
// the setting, or under "自动" when it decodes as such); NotUtf8 when it
// must be read whole instead (another encoding, or "自动" and not UTF-8).
int readLargeUtf8(int fd, qint64 size, int mode, QString &text, TextFormat *format)
{
    unsigned char head[4] = { 0, 0, 0, 0 };
    const ssize_t got = ::pread(fd, head, sizeof head, 0);
    if (got < 0)
        return NotUtf8;
    const QByteArray start(reinterpret_cast<const char *>(head), int(got));
    QTextCodec *utf8 = QTextCodec::codecForMib(106);
    TextFormat found;
    qint64 offset = 0;
    if (QTextCodec *marked = QTextCodec::codecForUtfText(start, nullptr)) {
        if (!isUtf8(marked))
            return NotUtf8;
        found.bom = true;
        offset = 3;
    } else if (mode != CodeSetting::Automatic) {
        QTextCodec *codec = CodeSetting::codecFor(CodeSetting::Mode(mode));
        if (!codec || !isUtf8(codec))
            return NotUtf8;
    }
    found.codecName = utf8->name();
    Utf8Codec::LineEnds ends;
    const int outcome = readUtf8Pieces(fd, offset, size, text, ends);
    if (outcome == ReadWriteTxt::EncodingMismatch && !found.bom && mode == CodeSetting::Automatic)
        return NotUtf8; // perhaps GB18030
    if (outcome != ReadWriteTxt::ReadOk)
        return outcome;
    found.crlf = ends.crlf > 0 && ends.crlf * 2 >= ends.lf;
    if (format)
        *format = found;
    return ReadWriteTxt::ReadOk;
}

// The write of a complete payload to fileName (see writeFile), the target
// as required: AnyTarget replaces a file or makes a new one, ExistingOnly
// never makes one (NotFound when it is gone), NewOnly never replaces one
// (NotWritable when the name is taken, also by a file that appears
// meanwhile).
int writePayload(const QString &fileName, const Payload &payload, ReadWriteTxt::Sync sync,
                 const std::function<bool()> &beforeReplace, ReadWriteTxt::Target required)
{
    QByteArray target;
    struct stat st;
    if (!writeTarget(fileName, target, st)) {
        if (errno != ENOENT)
            return missing(errno) ? ReadWriteTxt::NotFound : ReadWriteTxt::NotWritable;
        if (required == ReadWriteTxt::ExistingOnly)
            return ReadWriteTxt::NotFound;
        return replaceAtomically(target, payload, nullptr, sync, {},
                                 required == ReadWriteTxt::NewOnly ? AtomicWriter::NoReplace : AtomicWriter::Replace);
    }
    if (required == ReadWriteTxt::NewOnly)
        return ReadWriteTxt::NotWritable;
    if (!S_ISREG(st.st_mode))
        return ReadWriteTxt::NotRegular;
    // Root may write anything; a file nobody may write is still left alone.
    if ((st.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0)
        return ReadWriteTxt::NotWritable;
    if (st.st_nlink > 1)
        return rewriteInPlace(target, payload, st, sync, beforeReplace);
    return replaceAtomically(target, payload, &st, sync, beforeReplace);
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
    return decode(bytes, CodeSetting::current(), text, format);
}

bool ReadWriteTxt::decode(const QByteArray &bytes, int mode, QString &text, TextFormat *format)
{
    TextFormat found;
    QString decoded;
    Utf8Codec::LineEnds ends;
    if (QTextCodec *marked = QTextCodec::codecForUtfText(bytes, nullptr)) {
        // A byte-order mark decides.
        found.bom = true;
        found.codecName = marked->name();
        const int mark = byteOrderMark(marked).size();
        if (!decodeText(marked, bytes.constData() + mark, bytes.size() - mark, decoded, ends))
            return false;
    } else if (mode == CodeSetting::Automatic) {
        QTextCodec *utf8 = QTextCodec::codecForMib(106);
        QTextCodec *gb18030 = QTextCodec::codecForName("GB18030");
        if (decodeText(utf8, bytes.constData(), bytes.size(), decoded, ends))
            found.codecName = utf8->name();
        else if (gb18030 && decodeText(gb18030, bytes.constData(), bytes.size(), decoded, ends))
            found.codecName = gb18030->name();
        else
            return false;
    } else {
        QTextCodec *codec = CodeSetting::codecFor(CodeSetting::Mode(mode));
        if (!codec || !decodeText(codec, bytes.constData(), bytes.size(), decoded, ends))
            return false;
        found.codecName = codec->name();
    }

    // Line ends became "\n"; the file keeps "\r\n" on rewrite when most of
    // its line ends were written that way.
    found.crlf = ends.crlf > 0 && ends.crlf * 2 >= ends.lf;
    text = std::move(decoded);
    if (format)
        *format = found;
    return true;
}

bool ReadWriteTxt::encode(const QString &text, const TextFormat &format, QByteArray &bytes)
{
    QTextCodec *codec = codecOf(format);
    if (!codec)
        return false;
    const QByteArray mark = format.bom ? byteOrderMark(codec) : QByteArray();
    if (isUtf8(codec))
        return Utf8Codec::encode(text, format.crlf, bytes, mark);
    QString body = text;
    if (format.crlf)
        body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QByteArray encoded = codec->fromUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return false; // a character the encoding cannot hold would be lost
    bytes = mark + encoded;
    return true;
}

int ReadWriteTxt::readFile(const QString &fileName, QString &text, TextFormat *format, int mode)
{
    if (fileName.isEmpty())
        return NotFound;
    if (mode == CurrentSetting)
        mode = CodeSetting::current();
    int outcome = ReadOk;
    struct stat st;
    const int fd = openRegular(fileName, O_RDONLY, &outcome, &st);
    if (fd < 0)
        return outcome;
    if (st.st_size >= piecesFrom && st.st_size <= LargestFile) {
        QString decoded;
        try {
            outcome = readLargeUtf8(fd, st.st_size, mode, decoded, format);
        } catch (const std::bad_alloc &) {
            outcome = TooLarge; // its text does not fit in the memory left
        }
        if (outcome != NotUtf8) {
            ::close(fd);
            if (outcome == ReadOk)
                text = std::move(decoded);
            return outcome;
        }
    }
    QByteArray bytes;
    try {
        outcome = readAll(fd, st.st_size, bytes);
    } catch (const std::bad_alloc &) {
        outcome = TooLarge;
    }
    ::close(fd);
    if (outcome != ReadOk)
        return outcome;
    try {
        return decode(bytes, mode, text, format) ? ReadOk : EncodingMismatch;
    } catch (const std::bad_alloc &) {
        return TooLarge; // its text does not fit in the memory left
    }
}

int ReadWriteTxt::openRegular(const QString &fileName, int flags, int *outcome, struct stat *st)
{
    return openRegularPath(QFile::encodeName(fileName), flags, outcome, st);
}

int ReadWriteTxt::readBytes(const QString &fileName, QByteArray &bytes)
{
    if (fileName.isEmpty())
        return NotFound;
    int outcome = ReadOk;
    struct stat st;
    const int fd = openRegular(fileName, O_RDONLY, &outcome, &st);
    if (fd < 0)
        return outcome;
    outcome = readAll(fd, st.st_size, bytes);
    ::close(fd);
    return outcome;
}

int ReadWriteTxt::writeFile(const QString &fileName, const QString &text, const TextFormat *format, Sync sync,
                           const std::function<bool()> &beforeReplace)
{
    if (fileName.isEmpty())
        return NotFound; // e.g. a cancelled save dialog: nothing to open
    const TextFormat used = format ? *format : TextFormat();
    QByteArray bytes;
    Payload payload;
    QTextCodec *codec = codecOf(used);
    if (codec && isUtf8(codec) && text.size() >= piecesFrom) {
        bool encodable = false;
        payload = utf8Pieces(text, used.crlf, used.bom ? byteOrderMark(codec) : QByteArray(), encodable);
        if (!encodable)
            return NotWritable; // a lone surrogate would be lost
    } else {
        try {
            if (!encode(text, used, bytes))
                return NotWritable; // a character the encoding cannot hold would be lost
        } catch (const std::bad_alloc &) {
            return NotWritable; // no memory left for the encoded bytes
        }
        payload = payloadOf(bytes);
    }
    return writePayload(fileName, payload, sync, beforeReplace, AnyTarget);
}

int ReadWriteTxt::writeBytes(const QString &fileName, const QByteArray &bytes, Sync sync,
                             const std::function<bool()> &beforeReplace, Target target)
{
    if (fileName.isEmpty())
        return NotFound;
    return writePayload(fileName, payloadOf(bytes), sync, beforeReplace, target);
}

bool ReadWriteTxt::looksBinary(const char *data, qint64 size)
{
    const auto startsWith = [data, size](const char *mark, int length) {
        return size >= length && std::memcmp(data, mark, size_t(length)) == 0;
    };
    // UTF-32 first: its little-endian mark begins with UTF-16's.
    if (startsWith("\xFF\xFE\x00\x00", 4) || startsWith("\x00\x00\xFE\xFF", 4)
        || startsWith("\xFF\xFE", 2) || startsWith("\xFE\xFF", 2))
        return false;
    return std::memchr(data, 0, size_t(qMin<qint64>(size, binaryProbe))) != nullptr;
}

bool ReadWriteTxt::looksBinary(const QString &fileName)
{
    return looksBinaryAt(AT_FDCWD, QFile::encodeName(fileName).constData());
}

bool ReadWriteTxt::looksBinaryAt(int folderFd, const char *name, bool *noAtime)
{
    // Non-blocking: a named pipe met in a scan must not hold it.
    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = -1;
    if (noAtime && *noAtime) {
        fd = ::openat(folderFd, name, flags | O_NOATIME);
        if (fd < 0 && errno == EPERM)
            *noAtime = false;
    }
    if (fd < 0 && !(noAtime && *noAtime))
        fd = ::openat(folderFd, name, flags);
    if (fd < 0)
        return false;
    char buffer[binaryProbe];
    ssize_t got = 0;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        do
            got = ::read(fd, buffer, sizeof buffer);
        while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    return got > 0 && looksBinary(buffer, got);
}

namespace {

// Whether fileName may be written (or, for a new file, its folder):
// Saved, or the writer's reason why not.
int checkTarget(const QString &fileName)
{
    QByteArray target;
    struct stat st;
    if (!writeTarget(fileName, target, st)) {
        if (errno != ENOENT)
            return missing(errno) ? ReadWriteTxt::NotFound : ReadWriteTxt::NotWritable;
    } else {
        if (!S_ISREG(st.st_mode))
            return ReadWriteTxt::NotRegular;
        if ((st.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0)
            return ReadWriteTxt::NotWritable;
        if (st.st_nlink > 1)
            return ReadWriteTxt::Saved; // rewritten in place: the folder does not matter
    }
    // The new content goes into a temporary file beside the target.
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
    return ::access(folder.constData(), W_OK | X_OK) == 0 ? int(ReadWriteTxt::Saved) : int(ReadWriteTxt::NotWritable);
}

} // namespace

int ReadWriteTxt::checkWrite(const QString &fileName, const QString &text, const TextFormat *format,
                             QByteArray *encoded)
{
    if (fileName.isEmpty())
        return NotFound;
    QByteArray bytes;
    try {
        if (!encode(text, format ? *format : TextFormat(), bytes))
            return NotWritable;
    } catch (const std::bad_alloc &) {
        return NotWritable;
    }
    const int verdict = checkTarget(fileName);
    if (verdict == Saved && encoded)
        *encoded = std::move(bytes);
    return verdict;
}

bool ReadWriteTxt::isTemporaryName(const QString &name)
{
    return AtomicWriter::isTemporaryName(name);
}

QStringList ReadWriteTxt::removeLeftovers(const QStringList &files)
{
    QSet<QString> folders;
    for (const QString &file : files) {
        if (!file.isEmpty())
            folders.insert(QFileInfo(file).absolutePath());
    }
    QStringList removed;
    for (const QString &folder : qAsConst(folders)) {
        const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral(".scrivel.*")},
                                                                 QDir::Files | QDir::Hidden | QDir::System);
        for (const QFileInfo &entry : entries) {
            if (!isTemporaryName(entry.fileName()) || entry.isSymLink())
                continue;
            // A newer one may belong to a write still running in this or
            // another process.
            if (entry.lastModified().toMSecsSinceEpoch() >= processStart())
                continue;
            if (QFile::remove(entry.absoluteFilePath()))
                removed << entry.absoluteFilePath();
        }
    }
    return removed;
}

QStringList ReadWriteTxt::oneFolderPerFileSystem(const QStringList &folders)
{
    QStringList result;
    QSet<quint64> devices;
    for (const QString &folder : folders) {
        struct stat st;
        if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
            continue;
        const quint64 device = quint64(st.st_dev);
        if (devices.contains(device))
            continue;
        devices.insert(device);
        result << folder;
    }
    return result;
}

bool ReadWriteTxt::syncFileSystem(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

TipCode ReadWriteTxt::tipOf(int outcome)
{
    switch (outcome) {
    case NotFound: return Tips::FileMissing;
    case NotReadable: return Tips::FileUnreadable;
    case NotWritable: return Tips::FileUnwritable;
    case SaveFailed: return Tips::SaveFailed;
    case Saved: return Tips::Saved;
    case Unchanged: return Tips::Unchanged;
    case EncodingMismatch: return Tips::EncodingMismatch;
    case LeftoverRemoved: return Tips::LeftoverRemoved;
    case TooLarge: return Tips::FileTooLarge;
    case NotRegular: return Tips::NotRegular;
    case NotKept: return Tips::NotKept;
    default: return TipCode{Tips::FileMissing.var1, outcome}; // reported as an unknown file outcome
    }
}

bool ReadWriteTxt::readText(const QString &fileName, QString &text, TextFormat *format)
{
    const int outcome = readFile(fileName, text, format);
    if (outcome == ReadOk)
        return true;
    const TipCode tip = tipOf(outcome);
    emit tipSignal(tip.var1, tip.var2, fileName);
    return false;
}

bool ReadWriteTxt::writeText(const QString &fileName, const QString &text, const TextFormat *format)
{
    const int outcome = writeFile(fileName, text, format);
    const TipCode tip = tipOf(outcome);
    emit tipSignal(tip.var1, tip.var2, fileName);
    return outcome == Saved;
}
