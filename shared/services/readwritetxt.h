#ifndef READWRITETXT_H
#define READWRITETXT_H

#include <QObject>
#include <QString>

#include <functional>
#include <QStringList>

#include "textformat.h"
#include "tipcodes.h"

struct stat;

// Whole-file text reading and writing with outcome tips (tipOf):
//   NotFound: the file does not exist (or its folder does not),
//   NotReadable: the file exists but cannot be read (permission, I/O error),
//   NotWritable: no write permission, read-only folder or file system,
//     no space or inodes left, or a character the encoding cannot hold,
//   Saved, EncodingMismatch: the bytes are not valid in the encoding in
//     force, TooLarge: larger than LargestFile, more than one text can hold,
//   NotRegular: not a regular file (a named pipe, socket, device or folder),
//   NotKept: its previous content could not be kept for undo: not rewritten.
//
// Only regular files are read or rewritten. The type is checked on the
// opened descriptor, which is opened without blocking, so a named pipe or
// device put in a file's place after it was listed is refused at once
// instead of holding the job (and the batch) for good.
//
// Reading refuses bytes that are not valid in the encoding in force (see
// CodeSetting; under "自动" each file's own is detected), so a damaged text
// can never be written back over the original. Writing puts
// the complete new content into a temporary file beside the target (named
// ".scrivel." + file name + "." + six letters) and renames it over the
// target, so a failed or interrupted write leaves the previous content
// intact; the file keeps its owner, group (as far as the process may set
// them) and permission bits. A file without any write permission is not
// rewritten, not even by root. A file with more than one hard link is
// rewritten in place instead, through the same inode, so every name sees
// the new text: the space is reserved first, so a full disk is found
// before a byte changes, but a crash in the middle of that write can leave
// the file part old, part new.
//
// A TextFormat record taken from a read can be handed to the write to keep
// the file's own byte-order mark, encoding and line-ending style.
class ReadWriteTxt : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        NotFound = 0,
        NotReadable = 1,
        NotWritable = 2,
        SaveFailed = 3,
        Saved = 4,
        Unchanged = 5,        // the operation left the text as it was; not rewritten
        EncodingMismatch = 6, // the bytes are not valid in the encoding in force
        LeftoverRemoved = 7,  // a temporary file of an interrupted write was removed
        TooLarge = 8,         // more than LargestFile bytes: not read, left as it is
        NotRegular = 9,       // a named pipe, socket, device or folder: left as it is
        NotKept = 10,         // its previous content could not be kept for undo: left as it is
        ReadOk = -1
    };
    // The tip that reports an outcome (a read that succeeded has none).
    static TipCode tipOf(int outcome);

    // When a written file is made durable: at once (a single save), or
    // later by whoever writes a whole batch, once per file system
    // (syncFileSystem).
    enum Sync { SyncNow, SyncLater };

    // The largest file read as one text: its characters must fit one
    // string (some 2^30 UTF-16 units), whatever its encoding.
    static constexpr qint64 LargestFile = (qint64(1) << 30) - (qint64(1) << 16);

    explicit ReadWriteTxt(QObject *parent = nullptr);

    // The host's instance, created on first use; GUI thread only.
    static ReadWriteTxt *shared();

    bool readText(const QString &fileName, QString &text, TextFormat *format = nullptr);
    bool writeText(const QString &fileName, const QString &text, const TextFormat *format = nullptr);

    // Signal-free cores, safe on any thread; they return the outcome code
    // (ReadOk for a successful read).
    // mode: a CodeSetting::Mode fixed by the caller (a batch takes the
    // setting once, at its start), or CurrentSetting to read it now.
    enum { CurrentSetting = -1 };
    static int readFile(const QString &fileName, QString &text, TextFormat *format = nullptr,
                        int mode = CurrentSetting);
    // beforeReplace, when given, is called once the new content is
    // complete and just before it replaces an existing file (the old
    // content is still there): the moment to keep the old content. When
    // it returns false the file is not replaced and the outcome is NotKept.
    static int writeFile(const QString &fileName, const QString &text, const TextFormat *format = nullptr,
                         Sync sync = SyncNow, const std::function<bool()> &beforeReplace = {});
    // Which files a write may go to: any (an existing one is replaced, a
    // missing one made), only an existing one, or only a new one.
    enum Target { AnyTarget, ExistingOnly, NewOnly };
    // Writes bytes, already encoded, as the whole of fileName in the same
    // way as writeFile (atomic replacement or in-place rewrite, owner,
    // group and mode kept, beforeReplace just before an existing file is
    // replaced), to the target required.
    static int writeBytes(const QString &fileName, const QByteArray &bytes, Sync sync = SyncNow,
                          const std::function<bool()> &beforeReplace = {}, Target target = AnyTarget);
    // What writeFile would say before it writes anything, writing nothing
    // (for a dry run): NotFound, NotWritable (the text cannot be encoded,
    // the file or, for a new file, its folder may not be written) or
    // NotRegular; Saved when the write would go ahead.
    // When it would go ahead and encoded is given, the bytes the writer
    // would write are left there, so a caller keeping them encodes once.
    static int checkWrite(const QString &fileName, const QString &text, const TextFormat *format = nullptr,
                          QByteArray *encoded = nullptr);

    // Opens fileName, which must be a regular file, with flags (O_RDONLY,
    // O_WRONLY or O_RDWR; close-on-exec is added). A special file is never
    // waited on and, when it is one already at the check, not opened at
    // all: the type is checked before the open and again on the opened
    // descriptor, which is opened non-blocking and made blocking again
    // only once it is known to be a regular file. Returns the descriptor,
    // or -1 with errno set; outcome, when given, receives ReadOk, or
    // NotFound, NotReadable (NotWritable for flags that write) or
    // NotRegular. st, when given, receives the opened file's status.
    static int openRegular(const QString &fileName, int flags, int *outcome = nullptr, struct stat *st = nullptr);
    // The whole of a regular file as bytes (as openRegular opens it):
    // ReadOk, NotFound, NotReadable, NotRegular, or TooLarge for more
    // than LargestFile bytes.
    static int readBytes(const QString &fileName, QByteArray &bytes);

    // Conversions between file bytes and text. decode() refuses bytes that
    // are not a faithful encoding under the given CodeSetting::Mode (without
    // one: the [text] code setting in force) and records in format the
    // encoding, byte-order mark and line ends it found; encode() writes a
    // format without an encoding in the setting's encoding for new files.
    static bool decode(const QByteArray &bytes, QString &text, TextFormat *format = nullptr);
    static bool decode(const QByteArray &bytes, int mode, QString &text, TextFormat *format = nullptr);
    static bool encode(const QString &text, const TextFormat &format, QByteArray &bytes);

    // Whether a file looks binary rather than text: a NUL byte among its
    // first binaryProbe bytes, unless it starts with a UTF-16 or UTF-32
    // byte-order mark (text in those encodings is full of NUL bytes). A
    // file that cannot be read does not look binary: reading it later
    // says what is wrong with it.
    static constexpr int binaryProbe = 8192;
    static bool looksBinary(const QString &fileName);
    // The same for the file name in the folder open as folderFd (AT_FDCWD
    // for a path): one open that does not block, one read of a regular
    // file (a short read is its end). With noAtime set the file is opened
    // without updating its access time where the system allows that, and
    // noAtime is cleared once it refuses, so a scan asks only once.
    static bool looksBinaryAt(int folderFd, const char *name, bool *noAtime = nullptr);
    // The same for the first bytes of a file.
    static bool looksBinary(const char *data, qint64 size);

    // Whether name (without folder) is one of the writer's temporary files.
    static bool isTemporaryName(const QString &name);
    // Removes the writer's temporary files older than this process from
    // the folders of files (left by a write that was killed); returns the
    // paths removed.
    static QStringList removeLeftovers(const QStringList &files);
    // The first folder of each file system among folders (existing ones).
    static QStringList oneFolderPerFileSystem(const QStringList &folders);
    // Makes everything written so far to the file system of folder durable
    // (one syncfs); false when it cannot.
    static bool syncFileSystem(const QString &folder);

signals:
    void tipSignal(int var1, int var2, const QString &fileName);
};

#endif // READWRITETXT_H
