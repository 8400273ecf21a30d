#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "readwritetxt.h"

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
    QTest::newRow("missing file") << QByteArray() << 0;
    QTest::newRow("GBK bytes read as UTF-8") << QByteArray("\xC4\xE3\xBA\xC3 abc") << 1;
    QTest::newRow("truncated UTF-8 sequence") << QByteArray("abc\xE4\xB8") << 1;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9\n") << 1;
}

void TestReadWriteTxt::readFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
    if (!content.isEmpty())
        put(path, content);

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
        QCOMPARE(bytesOf(path), content);
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
        QCOMPARE(bytesOf(path), text.toUtf8());
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
    put(path, original);
    ReadWriteTxt rw;
    QString text;
    TextFormat format;
    QVERIFY(rw.readText(path, text, &format));
    QCOMPARE(text, expectedText);
    QVERIFY(rw.writeText(path, text + QLatin1Char('!'), &format));
    QCOMPARE(bytesOf(path), rewritten);

    // A brand-new file gets no BOM and "\n".
    const QString fresh = m_dir.filePath(QStringLiteral("fresh.txt"));
    QVERIFY(rw.writeText(fresh, expectedText));
    QCOMPARE(bytesOf(fresh), expectedText.toUtf8());
}

void TestReadWriteTxt::failedWriteKeepsOldContent()
{
    // Make the old file impossible to replace: immutable where the file
    // system allows it (works for root too), else a read-only folder.
    const QString path = m_dir.filePath(QStringLiteral("keep.txt"));
    put(path, "old content");
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
    QCOMPARE(bytesOf(path), QByteArray("old content"));
}

void TestReadWriteTxt::unrepresentableTextIsRefused()
{
    const QString path = m_dir.filePath(QStringLiteral("latin1.txt"));
    put(path, "caf\xE9");
    TextFormat format;
    format.codecName = "ISO-8859-1";
    ReadWriteTxt rw;
    QSignalSpy spy(&rw, &ReadWriteTxt::tipSignal);
    QVERIFY(!rw.writeText(path, QStringLiteral("汉字"), &format));
    QCOMPARE(spy.at(0).at(1).toInt(), 2);
    QCOMPARE(bytesOf(path), QByteArray("caf\xE9"));
}

QTEST_GUILESS_MAIN(TestReadWriteTxt)
#include "tst_readwritetxt.moc"
