#include <QSignalSpy>
#include <QtTest>

#include "foldertestcase.h"
#include "merge.h"
#include "split.h"
#include "testfolder.h"

namespace {

} // namespace

// Merge and split: the pure joining and splitting, and their jobs over
// real files.
class TestMultiFile : public FolderTestCase
{
    Q_OBJECT
private slots:
    void expand_data();
    void expand();
    void join_data();
    void join();
    void parts_data();
    void parts();
    void partName();
    void mergeJob();
    void splitJob();
};

void TestMultiFile::expand_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("number and name") << "---[i] [N]" << "---2 b.c";
    QTest::newRow("suffix and path") << "[S]|[P]" << "txt|/x/b.c.txt";
    QTest::newRow("others as they are") << "[x][i" << "[x][i";
    QTest::newRow("no variables") << "---" << "---";
}

void TestMultiFile::expand()
{
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(Merge::expand(separator, 2, QStringLiteral("/x/b.c.txt")), expected);
}

void TestMultiFile::join_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no final breaks") << "A" << "B" << "" << "A\nB";
    QTest::newRow("no final breaks, separator") << "A" << "B" << "---" << "A\n---\nB";
    QTest::newRow("final breaks") << "a\n" << "b\n" << "" << "a\nb\n";
    QTest::newRow("final breaks, separator") << "a\n" << "b\n" << "---" << "a\n---\nb\n";
    QTest::newRow("variables") << "a\n" << "b\n" << "---[i] [N]" << "a\n---2 b\nb\n";
}

void TestMultiFile::join()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    const QList<MergeInput> inputs{{"/x/a.txt", 1, first}, {"/x/b.txt", 2, second}};
    QCOMPARE(Merge::join(inputs, separator), expected);
}

void TestMultiFile::parts_data()
{
    QTest::addColumn<int>("count"); // 0: split at the line "---"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("by count") << 2 << "a\nb\nc\n" << QStringList{"a\nb\n", "c\n"};
    QTest::newRow("by count, no final break") << 2 << "a\nb\nc" << QStringList{"a\nb\n", "c"};
    QTest::newRow("by count, exact") << 1 << "a\nb\n" << QStringList{"a\n", "b\n"};
    QTest::newRow("by line, dividing lines dropped") << 0 << "a\n---\nb\nc\n" << QStringList{"a\n", "b\nc\n"};
    QTest::newRow("by line, no empty parts") << 0 << "---\na\n---\n---\nb" << QStringList{"a\n", "b"};
    QTest::newRow("by line, none there") << 0 << "a\nb" << QStringList{"a\nb"};
    QTest::newRow("by line, only a similar line") << 0 << "a\n--- \n" << QStringList{"a\n--- \n"};
    QTest::newRow("empty text") << 3 << "" << QStringList();
}

void TestMultiFile::parts()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    SplitOptions options;
    options.mode = count > 0 ? SplitOptions::ByCount : SplitOptions::ByLine;
    options.count = count;
    options.splitText = QStringLiteral("---");
    QVERIFY(Split::isUsable(options));
    QCOMPARE(Split::parts(text, options), expected);
}

void TestMultiFile::partName()
{
    QCOMPARE(Split::partName(QStringLiteral("/x/a.b.txt"), 2), QStringLiteral("/x/a.b_2.txt"));
    QCOMPARE(Split::partName(QStringLiteral("/x/README"), 1), QStringLiteral("/x/README_1"));
    SplitOptions options;
    QVERIFY(!Split::isUsable(options));
    options.mode = SplitOptions::ByLine;
    QVERIFY(!Split::isUsable(options));
}

// An unreadable input is reported and left out, the output itself is
// never read, and line ends follow the inputs when they agree.
void TestMultiFile::mergeJob()
{
    const QString a = m_folder.path("a.txt"), b = m_folder.path("b.txt"), bad = m_folder.path("bad.txt");
    const QString out = m_folder.path("merge7.txt");
    QVERIFY(TestFolder::put(a, "a\r\n"));
    QVERIFY(TestFolder::put(b, "b\r\n"));
    QVERIFY(TestFolder::put(bad, "\xC3\x28"));
    QVERIFY(TestFolder::put(out, "old\r\n"));
    MergeOptions options;
    options.separator = QStringLiteral("--[i]");
    TextMerge job(out, {a, m_folder.path("missing.txt"), bad, out, b}, &options);
    QSignalSpy tips(&job, &TextBase::tipSignal);
    job.run();
    QVERIFY(job.succeeded());
    QCOMPARE(TestFolder::bytesOf(out), QByteArray("a\r\n--5\r\nb\r\n"));
    QCOMPARE(job.producedFiles(), QStringList{out});
    QStringList codes;
    for (const QList<QVariant> &tip : tips)
        codes << QStringLiteral("%1,%2").arg(tip.at(0).toInt()).arg(tip.at(1).toInt());
    QCOMPARE(codes, (QStringList{"0,0", "0,6", "0,4", "-4,0"}));

    QVERIFY(TestFolder::put(b, "b\n"));
    job.run();
    QCOMPARE(TestFolder::bytesOf(out), QByteArray("a\n--5\nb\n"));
}

// The parts keep the source's byte-order mark and line ends; the source
// stays as it was.
void TestMultiFile::splitJob()
{
    const QString source = m_folder.path("s.txt");
    const QByteArray bytes("\xEF\xBB\xBF" "a\r\n#\r\nb\r\n");
    QVERIFY(TestFolder::put(source, bytes));
    SplitOptions options;
    options.mode = SplitOptions::ByLine;
    options.splitText = QStringLiteral("#");
    TextSplit job(source, &options);
    job.run();
    QVERIFY(job.succeeded());
    QCOMPARE(job.producedFiles(), (QStringList{m_folder.path("s_1.txt"), m_folder.path("s_2.txt")}));
    QCOMPARE(TestFolder::bytesOf(m_folder.path("s_1.txt")), QByteArray("\xEF\xBB\xBF" "a\r\n"));
    QCOMPARE(TestFolder::bytesOf(m_folder.path("s_2.txt")), QByteArray("\xEF\xBB\xBF" "b\r\n"));
    QCOMPARE(TestFolder::bytesOf(source), bytes);
}

QTEST_MAIN(TestMultiFile)
#include "tst_multifile.moc"
