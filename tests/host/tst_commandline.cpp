#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include "batchbackup.h"
#include "presetstore.h"
#include "testfolder.h"

namespace {

struct Outcome
{
    int code = -1;
    QStringList lines; // stdout, sorted (jobs end in any order)
    QString err;
};

Outcome scrivel(const QStringList &arguments)
{
    QProcess program;
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/scrivel"), arguments);
    Outcome outcome;
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.code = program.exitCode();
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    outcome.lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    outcome.lines.sort();
    outcome.err = QString::fromUtf8(program.readAllStandardError());
    return outcome;
}

bool savePreset(const QString &name, const QString &operation, const QJsonObject &options = {})
{
    return PresetStore::save(PresetStore::pathOf(name), Preset{QStringLiteral("Delete V0.0.0.1"), operation, options},
                             nullptr);
}

} // namespace

// scrivel --run, --dry-run, --diff and --undo through the real program and
// its plug-ins, over real files in a folder of their own.
class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }
    void init() { QVERIFY(m_folder.enter()); }
    void cleanup()
    {
        QFile::setPermissions(m_folder.path("t/ro.txt"), QFile::ReadOwner | QFile::WriteOwner);
        m_folder.leave();
    }
    void runOverFolder();
    void dryRunListsWhatRunChangesAndUndo();
    void refusedPresetTouchesNothing();
    void wrongCommandLine_data();
    void wrongCommandLine();

private:
    void makeFiles();
    TestFolder m_folder;
};

void TestCommandLine::makeFiles()
{
    QVERIFY(TestFolder::put(m_folder.path("t/a.txt"), "abc123\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/b.txt"), "xyz\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/sub/c.txt"), "q9\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/d.txt"), QByteArray("bin\0ary 1\n", 10)));
    QVERIFY(TestFolder::put(m_folder.path("t/e.md"), "5\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/skip.txt"), "5\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/.hidden/h.txt"), "5\n"));
    QVERIFY(TestFolder::put(m_folder.path("t/ro.txt"), "77\n"));
    QVERIFY(QFile::setPermissions(m_folder.path("t/ro.txt"), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(savePreset("digits", "Label_arabicNumber"));
}

void TestCommandLine::runOverFolder()
{
    makeFiles();
    const Outcome run = scrivel({"--run", "digits", "--recursive", "--include", "*.txt", "--exclude", "skip*", "t"});
    QCOMPARE(run.code, 1); // the read-only file failed
    QCOMPARE(run.lines, QStringList({"changed\tt/a.txt", "changed\tt/sub/c.txt",
                                     QStringLiteral("failed\tt/ro.txt\t该文件不可写!"), "unchanged\tt/b.txt"}));
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc\n"));
    QCOMPARE(TestFolder::bytesOf("t/sub/c.txt"), QByteArray("q\n"));
    QCOMPARE(TestFolder::bytesOf("t/ro.txt"), QByteArray("77\n"));
    QCOMPARE(TestFolder::bytesOf("t/e.md"), QByteArray("5\n"));
    QCOMPARE(TestFolder::bytesOf("t/skip.txt"), QByteArray("5\n"));
    QCOMPARE(TestFolder::bytesOf("t/.hidden/h.txt"), QByteArray("5\n"));
    QCOMPARE(TestFolder::bytesOf("t/d.txt"), QByteArray("bin\0ary 1\n", 10));
    // The summary comes last and counts the binary file skipped.
    const QString last = run.err.trimmed().split(QLatin1Char('\n')).last();
    QVERIFY2(last.contains(QStringLiteral("完成 3 个文件")) && last.contains(QStringLiteral("失败 1 个"))
                 && last.contains(QStringLiteral("跳过二进制文件 1 个")),
             qPrintable(run.err));
}

void TestCommandLine::dryRunListsWhatRunChangesAndUndo()
{
    makeFiles();
    QFile::setPermissions(m_folder.path("t/ro.txt"), QFile::ReadOwner | QFile::WriteOwner);
    const QStringList arguments{"--recursive", "t"};
    const Outcome dry = scrivel(QStringList{"--run", "digits", "--dry-run", "--diff"} + arguments);
    QCOMPARE(dry.code, 0);
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc123\n"));
    QVERIFY(BatchBackup::batches(BatchBackup::defaultRoot()).isEmpty());
    QVERIFY2(dry.lines.contains("-abc123") && dry.lines.contains("+abc"), qPrintable(dry.lines.join('\n')));

    const Outcome run = scrivel(QStringList{"--run", "digits"} + arguments);
    QCOMPARE(run.code, 0);
    QStringList wouldChange = dry.lines.filter(QRegularExpression("^would-change\t"));
    wouldChange.replaceInStrings("would-change\t", "changed\t");
    QCOMPARE(wouldChange, run.lines.filter(QRegularExpression("^changed\t")));
    QCOMPARE(wouldChange.size(), 5);
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc\n"));

    // Undo gives every file back but the one changed since.
    QVERIFY(TestFolder::put(m_folder.path("t/e.md"), "mine\n"));
    const Outcome undo = scrivel({"--undo"});
    QCOMPARE(undo.code, 1);
    QCOMPARE(undo.lines.filter(QRegularExpression("^restored\t")).size(), 4);
    QCOMPARE(undo.lines.filter(QRegularExpression("^left\t.*/t/e.md\t")).size(), 1);
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc123\n"));
    QCOMPARE(TestFolder::bytesOf("t/e.md"), QByteArray("mine\n"));
}

void TestCommandLine::refusedPresetTouchesNothing()
{
    makeFiles();
    // A pattern that does not compile: the option getter refuses it.
    QVERIFY(savePreset("broken", "Label_regular", {{"plainTextEdit_custom", "[a-"}}));
    const Outcome run = scrivel({"--run", "broken", "t"});
    QCOMPARE(run.code, 2);
    QVERIFY(run.lines.isEmpty());
    QVERIFY2(run.err.contains(QStringLiteral("参数设置有误")), qPrintable(run.err));
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc123\n"));
    QVERIFY(BatchBackup::batches(BatchBackup::defaultRoot()).isEmpty());
    // Nor does a preset of an operation that does not exist run.
    QVERIFY(savePreset("gone", "Label_nothing"));
    QCOMPARE(scrivel({"--run", "gone", "t"}).code, 2);
    QCOMPARE(scrivel({"--run", "missing", "t"}).code, 2);
}

void TestCommandLine::wrongCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no path") << QStringList{"--run", "digits"};
    QTest::newRow("--diff alone") << QStringList{"--run", "digits", "--diff", "t"};
    QTest::newRow("--recursive without --run") << QStringList{"--recursive", "t"};
    QTest::newRow("unknown option") << QStringList{"--run", "digits", "--bogus", "t"};
    QTest::newRow("--run and --undo") << QStringList{"--run", "digits", "--undo", "t"};
}

void TestCommandLine::wrongCommandLine()
{
    QFETCH(QStringList, arguments);
    makeFiles();
    const Outcome run = scrivel(arguments);
    QCOMPARE(run.code, 2);
    QVERIFY(run.lines.isEmpty());
    QCOMPARE(TestFolder::bytesOf("t/a.txt"), QByteArray("abc123\n"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
