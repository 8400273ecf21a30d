#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "codesetting.h"
#include "ini.h"
#include "readwritetxt.h"
#include "pipewatchdog.h"
#include "smallmount.h"
#include "testfolder.h"
#include "utf8codec.h"

namespace {

struct stat statOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// UTF-16 code units in the given byte order, without a byte-order mark.
QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray(1, high) + low : QByteArray(1, low) + high;
    }
    return bytes;
}

// What a general codec makes of bytes, held to the reader's rule: the text
// when it encodes back to exactly these bytes, else a null string.
QString exactUtf8(const QByteArray &bytes)
{
    QTextCodec *codec = QTextCodec::codecForMib(106);
    QTextCodec::ConverterState in(QTextCodec::IgnoreHeader);
    const QString text = codec->toUnicode(bytes.constData(), bytes.size(), &in);
    QTextCodec::ConverterState out(QTextCodec::IgnoreHeader);
    if (in.invalidChars || in.remainingChars || codec->fromUnicode(text.constData(), text.size(), &out) != bytes
        || out.invalidChars)
        return QString();
    return text.isNull() ? QLatin1String("") : text;
}

} // namespace

class TestReadWriteTxt : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readFailures_data();
    void readFailures();
    void writeOutcomes_data();
    void writeOutcomes();
    void roundTrip_data();
    void roundTrip();
    void rewriteKeepsFormat_data();
    void rewriteKeepsFormat();
    void failedWriteKeepsOldContent();
    void unrepresentableTextIsRefused();
    void failureKinds_data();
    void failureKinds();
    void specialFilesRefusedAtOnce_data();
    void specialFilesRefusedAtOnce();
    void rewriteKeepsOwnerAndMode_data();
    void rewriteKeepsOwnerAndMode();
    void hardLinkedFileRewrittenInPlace();
    void leftoversRemoved();
    void detection_data();
    void detection();
    void newFileEncoding_data();
    void newFileEncoding();
    void utf8AgreesWithCodec_data();
    void utf8AgreesWithCodec();
    void utf8RandomAgreesWithCodec();
    void largeFileInPieces_data();
    void largeFileInPieces();

private:
    QTemporaryDir m_dir;
};

void TestReadWriteTxt::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QVERIFY(m_dir.isValid());
}

void TestReadWriteTxt::readFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("setting");    // [text] code; empty: none
    QTest::newRow("missing file") << QByteArray() << 0 << QString();
    QTest::newRow("GBK bytes read as UTF-8") << QByteArray("\xC4\xE3\xBA\xC3 abc") << 6 << "UTF-8";
    QTest::newRow("truncated UTF-8 sequence") << QByteArray("abc\xE4\xB8") << 6 << "UTF-8";
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9\n") << 6 << QString();
    // A sparse file of zero bytes just past the limit: refused before any
    // of it is read.
    QTest::newRow("larger than one text holds") << QByteArray("<sparse>") << 8 << QString();
}

void TestReadWriteTxt::readFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(QString, setting);
    TestFolder folder;
    QVERIFY(folder.enter());
    if (!setting.isEmpty())
        QVERIFY(writeIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), setting));
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
    if (content == "<sparse>") {
        QVERIFY(TestFolder::put(path, QByteArray()));
        QVERIFY(QFile::resize(path, ReadWriteTxt::LargestFile + 1));
        content.clear();
    } else if (!content.isEmpty()) {
        QVERIFY(TestFolder::put(path, content));
    }

    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QString text = QStringLiteral("untouched");
    QVERIFY(!rw.readText(path, text));
    QCOMPARE(text, QStringLiteral("untouched"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 0);
    QCOMPARE(spy.at(0).at(1).toInt(), code);
    QCOMPARE(spy.at(0).at(2).toString(), path);
    if (!content.isEmpty())
        QCOMPARE(TestFolder::bytesOf(path), content);
}

void TestReadWriteTxt::writeOutcomes_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("folder that does not exist") << "no/such/folder/a.txt" << "x" << 0;
    QTest::newRow("no file name") << "" << "x" << 0;
    QTest::newRow("empty string creates the file") << "empty.txt" << "" << 4;
    QTest::newRow("plain text") << "plain.txt" << "a\nb" << 4;
}

void TestReadWriteTxt::writeOutcomes()
{
    QFETCH(QString, relativePath);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QString path = relativePath.isEmpty() ? QString() : m_dir.filePath(relativePath);
    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QCOMPARE(rw.writeText(path, text), code == 4);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), code);
    QCOMPARE(!path.isEmpty() && QFile::exists(path), code == 4);
    if (code == 4)
        QCOMPARE(TestFolder::bytesOf(path), text.toUtf8());
}

void TestReadWriteTxt::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << QStringLiteral("纯文本批量处理\n第二行：《测试》，“引号”");
    QTest::newRow("supplementary plane") << QStringLiteral("𠀀𝄞 emoji 😀");
    QTest::newRow("trailing newline") << QStringLiteral("a\n\n");
    QTest::newRow("lone carriage return kept") << QStringLiteral("a\rb");
}

void TestReadWriteTxt::roundTrip()
{
    QFETCH(QString, text);
    const QString path = m_dir.filePath(QStringLiteral("round.txt"));
    ReadWriteTxt rw;
    QVERIFY(rw.writeText(path, text));
    QString back;
    QVERIFY(rw.readText(path, back));
    QCOMPARE(back, text);
}

void TestReadWriteTxt::rewriteKeepsFormat_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QByteArray>("rewritten"); // after appending "!" to the text
    QTest::newRow("UTF-8 BOM and CRLF")
        << QByteArray("\xEF\xBB\xBF\xE4\xB8\xAD\r\nb\r\n") << QStringLiteral("中\nb\n")
        << QByteArray("\xEF\xBB\xBF\xE4\xB8\xAD\r\nb\r\n!");
    QTest::newRow("LF only, no BOM")
        << QByteArray("a\nb") << QStringLiteral("a\nb") << QByteArray("a\nb!");
    QTest::newRow("UTF-16LE with BOM")
        << QByteArray("\xFF\xFE" "a\0\r\0\n\0", 8) << QStringLiteral("a\n")
        << QByteArray("\xFF\xFE" "a\0\r\0\n\0!\0", 10);
}

void TestReadWriteTxt::rewriteKeepsFormat()
{
    QFETCH(QByteArray, original);
    QFETCH(QString, expectedText);
    QFETCH(QByteArray, rewritten);
    const QString path = m_dir.filePath(QStringLiteral("format.txt"));
    QVERIFY(TestFolder::put(path, original));
    ReadWriteTxt rw;
    QString text;
    TextFormat format;
    QVERIFY(rw.readText(path, text, &format));
    QCOMPARE(text, expectedText);
    QVERIFY(rw.writeText(path, text + QLatin1Char('!'), &format));
    QCOMPARE(TestFolder::bytesOf(path), rewritten);

    // A brand-new file gets no BOM and "\n".
    const QString fresh = m_dir.filePath(QStringLiteral("fresh.txt"));
    QVERIFY(rw.writeText(fresh, expectedText));
    QCOMPARE(TestFolder::bytesOf(fresh), expectedText.toUtf8());
}

void TestReadWriteTxt::failedWriteKeepsOldContent()
{
    // Make the old file impossible to replace: immutable where the file
    // system allows it (works for root too), else a read-only folder.
    const QString path = m_dir.filePath(QStringLiteral("keep.txt"));
    QVERIFY(TestFolder::put(path, "old content"));
    const bool immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
    if (!immutable)
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    const bool written = rw.writeText(path, QStringLiteral("new"));
    if (immutable)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    else
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (written && !immutable)
        QSKIP("running with rights that ignore folder permissions");
    QVERIFY(!written);
    QCOMPARE(spy.count(), 1);
    QVERIFY(spy.at(0).at(1).toInt() != 4);
    QCOMPARE(TestFolder::bytesOf(path), QByteArray("old content"));
}

void TestReadWriteTxt::unrepresentableTextIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("latin1.txt"));
    QVERIFY(TestFolder::put(path, "caf\xE9"));
    TextFormat format;
    format.codecName = "ISO-8859-1";
    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QVERIFY(!rw.writeText(path, QStringLiteral("汉字"), &format));
    QCOMPARE(spy.at(0).at(1).toInt(), 2);
    QCOMPARE(TestFolder::bytesOf(path), QByteArray("caf\xE9"));
}

void TestReadWriteTxt::failureKinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("code");
    QTest::newRow("missing file") << "missing" << 0;
    QTest::newRow("undecodable bytes") << "undecodable" << 6;
    QTest::newRow("read-only file") << "read-only file" << 2;
    QTest::newRow("read-only folder") << "read-only folder" << 2;
    QTest::newRow("full file system") << "full" << 2;
    QTest::newRow("no inodes left") << "no inodes" << 2;
    QTest::newRow("a folder, not a file") << "folder" << 9;
}

// A job's read and write, as a worker does them: the first failing step's
// tip is the one reported, and the file is left exactly as it was.
void TestReadWriteTxt::failureKinds()
{
    QFETCH(QString, kind);
    QFETCH(int, code);
    const bool root = ::geteuid() == 0;
    std::unique_ptr<SmallMount> mount;
    QString folder = m_dir.filePath(kind);
    if (kind == "full" || kind == "no inodes" || (kind == "read-only folder" && root)) {
        mount.reset(new SmallMount(kind == "full" ? "size=64k" : kind == "no inodes" ? "nr_inodes=2" : "size=1m"));
        if (!mount->isMounted())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        folder = mount->path();
    }
    QDir().mkpath(folder);
    const QString path = folder + "/a.txt";
    const QByteArray old = kind == "undecodable" ? QByteArray("caf\xE9") : QByteArray(20000, 'a');
    if (kind == "folder")
        QDir().mkpath(path);
    else if (kind != "missing")
        QVERIFY(TestFolder::put(path, old));
    if (kind == "read-only file")
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (kind == "read-only folder") {
        if (root)
            QVERIFY(mount->makeReadOnly());
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    if (kind == "full")
        mount->fill(); // so the new (longer) text has no room
    const struct stat before = statOf(path);

    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QString text;
    if (rw.readText(path, text))
        QVERIFY(!rw.writeText(path, text + QString(30000, QLatin1Char('b'))));
    if (kind == "read-only folder" && !root)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 0);
    QCOMPARE(spy.at(0).at(1).toInt(), code);
    QCOMPARE(spy.at(0).at(2).toString(), path);
    if (kind != "missing" && kind != "folder") {
        QCOMPARE(TestFolder::bytesOf(path), old);
        QCOMPARE(statOf(path).st_ino, before.st_ino);
        // Nothing of the failed write is left beside the file.
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names)
            QVERIFY2(!ReadWriteTxt::isTemporaryName(name), qPrintable(name));
    }
}

void TestReadWriteTxt::specialFilesRefusedAtOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("named pipe with a silent writer") << "held pipe";
    QTest::newRow("socket") << "socket";
    QTest::newRow("device") << "device";
    QTest::newRow("folder") << "folder";
}

// Reading or writing a file that is not a regular one is refused with
// (0, 9) at once: a pipe is never waited on, and nothing is put in place.
void TestReadWriteTxt::specialFilesRefusedAtOnce()
{
    QFETCH(QString, kind);
    const QString path = m_dir.filePath(QStringLiteral("special-") + QString(kind).replace(' ', '-'));
    QVERIFY(TestFolder::putSpecial(path, kind == "held pipe" ? QStringLiteral("pipe") : kind));
    const struct stat before = statOf(path);
    PipeWatchdog watchdog({ path }, 5000);
    if (kind == "held pipe")
        QVERIFY(watchdog.hold(path));

    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QString text = QStringLiteral("untouched");
    QVERIFY(!rw.readText(path, text));
    QVERIFY(!rw.writeText(path, QStringLiteral("new")));
    QVERIFY(!watchdog.fired());
    QCOMPARE(text, QStringLiteral("untouched"));
    QCOMPARE(spy.count(), 2);
    for (const QList<QVariant> &tip : spy)
        QCOMPARE(tip, (QList<QVariant>{ 0, int(ReadWriteTxt::NotRegular), path }));
    const struct stat after = statOf(path);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
        QVERIFY2(!ReadWriteTxt::isTemporaryName(name), qPrintable(name));
}

void TestReadWriteTxt::rewriteKeepsOwnerAndMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0640") << 0640;
    QTest::newRow("0604") << 0604;
    QTest::newRow("0755 executable") << 0755;
    QTest::newRow("0200 write only for the owner") << 0200;
}

void TestReadWriteTxt::rewriteKeepsOwnerAndMode()
{
    QFETCH(int, mode);
    const QString path = m_dir.filePath(QStringLiteral("owned.txt"));
    QFile::remove(path);
    QVERIFY(TestFolder::put(path, "old"));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 1234, 5678), 0);
    const struct stat before = statOf(path);

    ReadWriteTxt rw;
    QVERIFY(rw.writeText(path, QStringLiteral("new")));
    const struct stat after = statOf(path);
    QCOMPARE(int(after.st_mode & 07777), mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(TestFolder::bytesOf(path), QByteArray("new"));
    if (!root)
        QSKIP("owner kept only checked as root; mode and group checked");
}

void TestReadWriteTxt::hardLinkedFileRewrittenInPlace()
{
    const QString path = m_dir.filePath(QStringLiteral("linked.txt"));
    const QString other = m_dir.filePath(QStringLiteral("other name.txt"));
    QVERIFY(TestFolder::put(path, "old old old"));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    const ino_t inode = statOf(path).st_ino;

    ReadWriteTxt rw;
    QVERIFY(rw.writeText(path, QStringLiteral("new")));
    QCOMPARE(TestFolder::bytesOf(path), QByteArray("new"));
    QCOMPARE(TestFolder::bytesOf(other), QByteArray("new"));
    QCOMPARE(statOf(path).st_ino, inode);
    QVERIFY(rw.writeText(other, QStringLiteral("longer than before, from the other name")));
    QCOMPARE(TestFolder::bytesOf(path), QByteArray("longer than before, from the other name"));
}

void TestReadWriteTxt::leftoversRemoved()
{
    const QString folder = m_dir.filePath(QStringLiteral("leftovers"));
    QDir().mkpath(folder);
    const QString file = folder + "/a.txt";
    const QString old = folder + "/.scrivel.a.txt.k3x9q0";
    const QString fresh = folder + "/.scrivel.b.txt.zz12ab";
    const QString unrelated = folder + "/.scrivel.notes";
    for (const QString &p : {file, old, fresh, unrelated})
        QVERIFY(TestFolder::put(p, "x"));
    // Written before this process started.
    QFile oldFile(old);
    QVERIFY(oldFile.open(QIODevice::ReadWrite));
    QVERIFY(oldFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    oldFile.close();

    QCOMPARE(ReadWriteTxt::removeLeftovers({file, folder + "/b.txt"}), QStringList(old));
    QVERIFY(!QFile::exists(old));
    QVERIFY(QFile::exists(fresh));
    QVERIFY(QFile::exists(unrelated));
    QVERIFY(QFile::exists(file));
}

void TestReadWriteTxt::detection_data()
{
    QTest::addColumn<QString>("code");          // [text] code
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<QString>("expectedText");  // null: refused
    QTest::addColumn<QByteArray>("codecName");
    QTest::addColumn<QByteArray>("exclaimed");  // the file after appending "!"
    const QString automatic = CodeSetting::automaticName();
    const QByteArray bom8("\xEF\xBB\xBF");
    const QString zh = QStringLiteral("中文 a\n");

    QTest::newRow("UTF-8") << automatic << zh.toUtf8() << zh << QByteArray("UTF-8") << zh.toUtf8() + '!';
    QTest::newRow("plain ASCII is UTF-8") << automatic << QByteArray("a\r\nb") << "a\nb" << QByteArray("UTF-8")
                                          << QByteArray("a\r\nb!");
    QTest::newRow("UTF-8 with BOM") << automatic << bom8 + zh.toUtf8() << zh << QByteArray("UTF-8")
                                    << bom8 + zh.toUtf8() + '!';
    QTest::newRow("GBK with CRLF") << automatic << QByteArray("\xD6\xD0\xCE\xC4 a\r\n") << zh
                                   << QByteArray("GB18030") << QByteArray("\xD6\xD0\xCE\xC4 a\r\n!");
    QTest::newRow("GB18030 four-byte character")
        << automatic << QByteArray("\x95\x32\x82\x36\xD6\xD0") << QStringLiteral("𠀀中")
        << QByteArray("GB18030") << QByteArray("\x95\x32\x82\x36\xD6\xD0!");
    QTest::newRow("UTF-16LE with BOM") << automatic << "\xFF\xFE" + utf16(zh, false) << zh
                                       << QByteArray("UTF-16LE") << "\xFF\xFE" + utf16(zh + '!', false);
    QTest::newRow("UTF-16BE with BOM") << automatic << "\xFE\xFF" + utf16(zh, true) << zh
                                       << QByteArray("UTF-16BE") << "\xFE\xFF" + utf16(zh + '!', true);
    QTest::newRow("valid in neither") << automatic << QByteArray("1abc\x80\xFF 2") << QString()
                                      << QByteArray() << QByteArray();
    QTest::newRow("cut-off GB18030 sequence") << automatic << QByteArray("a\xD6\xD0\xCE") << QString()
                                              << QByteArray() << QByteArray();
    QTest::newRow("fixed GB18030") << "GB18030" << QByteArray("\xD6\xD0\xCE\xC4 a\n") << zh
                                   << QByteArray("GB18030") << QByteArray("\xD6\xD0\xCE\xC4 a\n!");
    QTest::newRow("GBK under UTF-8") << "UTF-8" << QByteArray("\xD6\xD0\xCE\xC4") << QString()
                                     << QByteArray() << QByteArray();
}

// A file is read in the encoding its bytes are exact in, and a rewrite
// keeps that encoding, its byte-order mark and its line ends; a file that
// fits no encoding is refused (0, 6) and left as it was.
void TestReadWriteTxt::detection()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, original);
    QFETCH(QString, expectedText);
    QFETCH(QByteArray, codecName);
    QFETCH(QByteArray, exclaimed);
    TestFolder folder;
    QVERIFY(folder.enter());
    QVERIFY(writeIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), code));
    const QString path = folder.path(QStringLiteral("file.txt"));
    QVERIFY(TestFolder::put(path, original));

    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QString text = QStringLiteral("untouched");
    TextFormat format;
    QCOMPARE(rw.readText(path, text, &format), !expectedText.isNull());
    if (expectedText.isNull()) {
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(1).toInt(), int(ReadWriteTxt::EncodingMismatch));
        QCOMPARE(text, QStringLiteral("untouched"));
        QCOMPARE(TestFolder::bytesOf(path), original);
        return;
    }
    QCOMPARE(text, expectedText);
    QCOMPARE(format.codecName, codecName);
    QVERIFY(rw.writeText(path, text + QLatin1Char('!'), &format));
    QCOMPARE(TestFolder::bytesOf(path), exclaimed);
}

void TestReadWriteTxt::newFileEncoding_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << "UTF-8" << QByteArray("\xE4\xB8\xAD\n");
    QTest::newRow("GB18030") << "GB18030" << QByteArray("\xD6\xD0\n");
    QTest::newRow("automatic writes UTF-8") << CodeSetting::automaticName() << QByteArray("\xE4\xB8\xAD\n");
}

void TestReadWriteTxt::newFileEncoding()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, bytes);
    TestFolder folder;
    QVERIFY(folder.enter());
    QVERIFY(writeIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), code));
    const QString path = folder.path(QStringLiteral("new.txt"));
    ReadWriteTxt rw;
    QVERIFY(rw.writeText(path, QStringLiteral("中\n")));
    QCOMPARE(TestFolder::bytesOf(path), bytes);
    QString back;
    QVERIFY(rw.readText(path, back));
    QCOMPARE(back, QStringLiteral("中\n"));
}

void TestReadWriteTxt::utf8AgreesWithCodec_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray ascii15("abcdefghijklmno");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("NUL and controls") << QByteArray("a\0b\x01\x7F", 5);
    QTest::newRow("largest of each length") << QByteArray("\x7F" "\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF");
    QTest::newRow("noncharacter and BOM inside") << QByteArray("a\xEF\xBF\xBE\xEF\xBB\xBF");
    QTest::newRow("overlong two bytes") << QByteArray("\xC1\xBF");
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x9F\xBF");
    QTest::newRow("overlong four bytes") << QByteArray("\xF0\x8F\xBF\xBF");
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80\xED\xB0\x80");
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("F5 lead") << QByteArray("\xF5\x80\x80\x80");
    QTest::newRow("stray continuation") << QByteArray("ab\x80");
    QTest::newRow("cut off at the end") << QByteArray("ab\xE4\xB8");
    QTest::newRow("lead then ASCII") << QByteArray("\xE4" "a\xAD");
    QTest::newRow("CR LF forms") << QByteArray("a\r\nb\r\r\nc\rd\r");
    QTest::newRow("character across a 16-byte step") << ascii15 + "\xE4\xB8\xAD" + ascii15 + "\r\n" + ascii15;
    QTest::newRow("bad byte after a clean step") << ascii15 + ascii15 + "ab\xFF";
}

// The reader's own UTF-8 decoder takes exactly the bytes a general codec
// decodes and re-encodes to themselves, to the same text ("\r\n" read as
// "\n"); the writer's encoder gives the bytes back.
void TestReadWriteTxt::utf8AgreesWithCodec()
{
    QFETCH(QByteArray, bytes);
    const QString expected = exactUtf8(bytes);
    QString text = QStringLiteral("untouched");
    Utf8Codec::LineEnds ends;
    QCOMPARE(Utf8Codec::decode(bytes.constData(), bytes.size(), text, &ends), !expected.isNull());
    if (expected.isNull()) {
        QCOMPARE(text, QStringLiteral("untouched"));
        return;
    }
    QCOMPARE(text, QString(expected).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    QCOMPARE(ends.crlf, expected.count(QLatin1String("\r\n")));
    QCOMPARE(ends.lf, expected.count(QLatin1Char('\n')));
    QByteArray again;
    QVERIFY(Utf8Codec::encode(expected, false, again, "<>"));
    QCOMPARE(again, "<>" + bytes);
}

// Random byte strings, mostly well-formed with faults mixed in, and random
// UTF-16 with lone surrogates: the two directions agree with a general
// codec on every one.
void TestReadWriteTxt::utf8RandomAgreesWithCodec()
{
    QRandomGenerator random(20261208);
    QTextCodec *codec = QTextCodec::codecForMib(106);
    static const char *const pieces[] = { "a", "\n", "\r", "\r\n", "0123456789abcdef", "\xC3\xA9", "\xE4\xB8\xAD",
                                          "\xF0\x9F\x98\x80", "\x80", "\xE4\xB8", "\xED\xB2\x80", "\xC0\x80", "\xFF" };
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int count = int(random.bounded(40));
        for (int i = 0; i < count; ++i) {
            const quint32 kind = random.bounded(100);
            bytes += pieces[kind < 92 ? kind % 8 : 8 + kind % 5];
        }
        const QString expected = exactUtf8(bytes);
        QString text;
        Utf8Codec::LineEnds ends;
        const bool ok = Utf8Codec::decode(bytes.constData(), bytes.size(), text, &ends);
        QVERIFY2(ok == !expected.isNull(), bytes.toHex().constData());
        if (ok) {
            ++accepted;
            QCOMPARE(text, QString(expected).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        }
        // The same bytes in pieces cut anywhere, a cut-off sequence or
        // "\r" carried into the next piece: the same verdict and text.
        {
            QVector<ushort> out(bytes.size() + 16);
            QByteArray rest;
            int written = 0, crlf = 0;
            bool piecesOk = true;
            for (int from = 0; piecesOk;) {
                const int cut = from >= bytes.size() ? 0 : 1 + int(random.bounded(quint32(bytes.size() - from)));
                rest += bytes.mid(from, cut);
                from += cut;
                const bool last = from >= bytes.size();
                int consumed = 0, units = 0;
                piecesOk = Utf8Codec::decodePiece(rest.constData(), rest.size(), last, out.data() + written,
                                                  consumed, units, crlf);
                written += units;
                rest.remove(0, consumed);
                if (last)
                    break;
            }
            QVERIFY2(piecesOk == ok, bytes.toHex().constData());
            if (ok) {
                QCOMPARE(QString(reinterpret_cast<const QChar *>(out.constData()), written), text);
                QCOMPARE(crlf, ends.crlf);
            }
        }

        QString units;
        for (int i = int(random.bounded(40)); i > 0; --i) {
            const quint32 kind = random.bounded(10);
            units += kind < 4 ? QChar(ushort(random.bounded(0x80)))
                : kind < 8    ? QChar(ushort(0x80 + random.bounded(0xFF80)))
                              : QChar(ushort(0xD800 + random.bounded(0x800)));
        }
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QByteArray reference = codec->fromUnicode(units.constData(), units.size(), &state);
        // A high surrogate at the very end is held back by the codec, not
        // counted: lost all the same.
        const bool whole = state.invalidChars == 0 && state.remainingChars == 0;
        for (const bool crlf : { false, true }) {
            QByteArray encoded;
            QCOMPARE(Utf8Codec::encode(units, crlf, encoded), whole);
            if (whole)
                QCOMPARE(encoded, crlf ? QByteArray(reference).replace("\n", "\r\n") : reference);
        }
    }
    QVERIFY(accepted > 500); // the valid side was tried too
}

// Files large enough to be read and written a piece at a time: the same
// text, format and verdict as the whole-file path, and a rewrite gives
// back the same bytes.
void TestReadWriteTxt::largeFileInPieces_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("head");   // before the body
    QTest::addColumn<QByteArray>("line");   // repeated to past 8 MiB
    QTest::addColumn<QByteArray>("tail");   // after the body
    QTest::addColumn<QByteArray>("codecName"); // empty: refused
    const QString automatic = CodeSetting::automaticName();
    const QByteArray zh("\xE4\xB8\xAD\xE6\x96\x87 text \xF0\x9F\x98\x80 1234567\n");
    QTest::newRow("UTF-8, CRLF, BOM") << automatic << QByteArray("\xEF\xBB\xBF") << QByteArray(zh).replace("\n", "\r\n")
                                      << QByteArray("end") << QByteArray("UTF-8");
    QTest::newRow("UTF-8 setting") << "UTF-8" << QByteArray() << zh << QByteArray("\r") << QByteArray("UTF-8");
    QTest::newRow("GB18030 under automatic") << automatic << QByteArray() << QByteArray("\xD6\xD0\xCE\xC4 abc\r\n")
                                             << QByteArray() << QByteArray("GB18030");
    QTest::newRow("cut-off sequence at the end") << "UTF-8" << QByteArray() << zh << QByteArray("\xE4\xB8")
                                                 << QByteArray();
    QTest::newRow("stray byte deep inside") << automatic << QByteArray("\xEF\xBB\xBF") << zh
                                            << QByteArray("\x80") + zh << QByteArray();
}

void TestReadWriteTxt::largeFileInPieces()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, tail);
    QFETCH(QByteArray, codecName);
    TestFolder folder;
    QVERIFY(folder.enter());
    QVERIFY(writeIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), code));
    QByteArray bytes = head;
    // Past 8 MiB of bytes to read, and past 8 Mi units to write.
    bytes.reserve(12 << 20);
    while (bytes.size() < (12 << 20))
        bytes += line;
    bytes += tail;
    const QString path = folder.path(QStringLiteral("large.txt"));
    QVERIFY(TestFolder::put(path, bytes));

    QString whole;
    TextFormat wholeFormat;
    const bool decodes = ReadWriteTxt::decode(bytes, CodeSetting::current(), whole, &wholeFormat);
    QString text = QStringLiteral("untouched");
    TextFormat format;
    const int outcome = ReadWriteTxt::readFile(path, text, &format);
    if (codecName.isEmpty()) {
        QVERIFY(!decodes);
        QCOMPARE(outcome, int(ReadWriteTxt::EncodingMismatch));
        QCOMPARE(text, QStringLiteral("untouched"));
        return;
    }
    QVERIFY(decodes);
    QCOMPARE(outcome, int(ReadWriteTxt::ReadOk));
    QCOMPARE(format.codecName, codecName);
    QVERIFY(format == wholeFormat);
    QVERIFY(text == whole);
    QVERIFY(text.size() >= (8 << 20));
    QCOMPARE(ReadWriteTxt::writeFile(path, text, &format), int(ReadWriteTxt::Saved));
    QVERIFY(TestFolder::bytesOf(path) == bytes);
}

QTEST_GUILESS_MAIN(TestReadWriteTxt)
#include "tst_readwritetxt.moc"
