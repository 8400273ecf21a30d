#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include "newnumber.h"
#include "newplan.h"
#include "newvariableint.h"
#include "testfolder.h"

Q_DECLARE_METATYPE(NewPlan::Range)
Q_DECLARE_METATYPE(NewVariable)

namespace {

NewNumberOptions numbers(int min, int max, int count, const QString &separator = QStringLiteral(","),
                         bool sort = false, bool repeat = false)
{
    NewNumberOptions o;
    o.min = min;
    o.max = max;
    o.count = count;
    o.separator = separator;
    o.isSort = sort;
    o.isRepeat = repeat;
    return o;
}

// The enumeration written the plain recursive way, for comparison.
void reference(const NewNumberOptions &o, QVector<int> &group, QStringList &lines)
{
    if (group.size() == o.count) {
        QStringList parts;
        for (int v : group)
            parts << QString::number(v);
        lines << parts.join(o.separator) + QLatin1Char('\n');
        return;
    }
    const int from = o.isSort && !group.isEmpty() ? group.last() + (o.isRepeat ? 0 : 1) : o.min;
    for (int v = from; v <= o.max; ++v) {
        if (!o.isRepeat && group.contains(v))
            continue;
        group << v;
        reference(o, group, lines);
        group.removeLast();
    }
}

QByteArray reference(const NewNumberOptions &o)
{
    if (o.count < 0)
        return QByteArray();
    QVector<int> group;
    QStringList lines;
    reference(o, group, lines);
    return lines.join(QString()).toUtf8();
}

NewVariable variable(const QString &name, int start, const QString &pad = QString(), int padLength = 0)
{
    NewVariable v;
    v.name = name;
    v.startValue = start;
    v.padContent = pad;
    v.padLength = padLength;
    return v;
}

} // namespace

class TestForgerCore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }

    void split_data();
    void split();
    void runNumbersAcrossDays();
    void fileNames_data();
    void fileNames();

    void numberExamples_data();
    void numberExamples();
    void numberModes_data();
    void numberModes();
    void numberBounds_data();
    void numberBounds();

    void variableExamples_data();
    void variableExamples();
    void variablesReplacedInTurn();
    void variablesRefused();
    void jobWritesItsFile();
};

void TestForgerCore::split_data()
{
    using R = NewPlan::Range;
    QTest::addColumn<qint64>("items");
    QTest::addColumn<qint64>("perFile");
    QTest::addColumn<QList<R>>("ranges");
    QTest::newRow("25/10") << qint64(25) << qint64(10) << QList<R>{ { 1, 10 }, { 11, 20 }, { 21, 25 } };
    QTest::newRow("20/10") << qint64(20) << qint64(10) << QList<R>{ { 1, 10 }, { 11, 20 } };
    QTest::newRow("0") << qint64(0) << qint64(10) << QList<R>{ { 0, 0 } };
    QTest::newRow("per file 0") << qint64(5) << qint64(0) << QList<R>{};
    QTest::newRow("too many files") << qint64(NewPlan::MostFiles + 1) << qint64(1) << QList<R>{};
}

void TestForgerCore::split()
{
    QFETCH(qint64, items);
    QFETCH(qint64, perFile);
    QFETCH(QList<NewPlan::Range>, ranges);
    QCOMPARE(NewPlan::split(items, perFile), ranges);
}

void TestForgerCore::runNumbersAcrossDays()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("configure.ini"));
    const QDate day(2026, 3, 1);
    QCOMPARE(NewPlan::nextRunNumber(ini, day), 0);
    QCOMPARE(NewPlan::nextRunNumber(ini, day), 1);
    QCOMPARE(NewPlan::nextRunNumber(ini, day), 2);
    QCOMPARE(NewPlan::nextRunNumber(ini, day.addDays(1)), 0);
    QCOMPARE(NewPlan::nextRunNumber(ini, day.addDays(1)), 1);
    QSettings settings(ini, QSettings::IniFormat);
    QCOMPARE(settings.value("day/date").toString(), QStringLiteral("20260302"));
    QCOMPARE(settings.value("day/batch").toString(), QStringLiteral("1"));
}

void TestForgerCore::fileNames_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("run");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("00:10") << QTime(0, 10) << 0 << 0 << "a00.txt";
    QTest::newRow("14:05") << QTime(14, 5) << 2 << 1 << "o21.txt";
    QTest::newRow("19:59") << QTime(19, 59) << 0 << 3 << "t03.txt";
    QTest::newRow("20:00") << QTime(20, 0) << 1 << 0 << "y10.txt";
    QTest::newRow("23:30") << QTime(23, 30) << 12 << 4 << "x124.txt";
}

void TestForgerCore::fileNames()
{
    QFETCH(QTime, time);
    QFETCH(int, run);
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(NewPlan::fileName(QStringLiteral("/d/data"), time, run, index), QStringLiteral("/d/data/") + name);
}

void TestForgerCore::numberExamples_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<int>("lines");
    QTest::newRow("defaults") << 1 << 5 << 3 << "," << QByteArray("1,2,3\n1,2,4\n1,2,5\n1,3,2\n")
                              << QByteArray("\n5,4,3\n") << 60;
    QTest::newRow("0..2 by 2") << 0 << 2 << 2 << "-" << QByteArray("0-1\n0-2\n1-0\n1-2\n2-0\n2-1\n")
                               << QByteArray("2-1\n") << 6;
    QTest::newRow("count 0") << 1 << 5 << 0 << "," << QByteArray("\n") << QByteArray("\n") << 1;
    QTest::newRow("count above range") << 1 << 3 << 4 << "," << QByteArray() << QByteArray() << 0;
    QTest::newRow("count below 0") << 1 << 3 << -1 << "," << QByteArray() << QByteArray() << 0;
    QTest::newRow("min = max") << 7 << 7 << 1 << "," << QByteArray("7\n") << QByteArray("7\n") << 1;
    QTest::newRow("no separator") << 1 << 5 << 3 << "" << QByteArray("123\n124\n") << QByteArray("543\n") << 60;
    QTest::newRow("wide separator") << 8 << 11 << 2 << "、" << QByteArray("8、9\n8、10\n")
                                    << QByteArray("11、10\n") << 12;
}

void TestForgerCore::numberExamples()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, count);
    QFETCH(QString, separator);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, end);
    QFETCH(int, lines);
    NewNumberOptions o = numbers(min, max, count, separator);
    QVERIFY(NewNumber::prepare(o));
    const QByteArray text = NewNumber::text(o);
    QVERIFY2(text.startsWith(start) && text.endsWith(end), text.left(200).constData());
    QCOMPARE(text.count('\n'), lines);
    QCOMPARE(NewNumber::lineCount(o), quint64(lines));
    QCOMPARE(NewNumber::byteCount(o), quint64(text.size()));
}

void TestForgerCore::numberModes_data()
{
    QTest::addColumn<bool>("sort");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lines");
    // P(n, k), C(n, k), n^k, C(n + k - 1, k)
    QTest::newRow("arrangements 0..9 by 3") << false << false << 0 << 9 << 3 << 720;
    QTest::newRow("sorted 1..5 by 3") << true << false << 1 << 5 << 3 << 10;
    QTest::newRow("sorted 3..14 by 4") << true << false << 3 << 14 << 4 << 495;
    QTest::newRow("repeated 1..5 by 3") << false << true << 1 << 5 << 3 << 125;
    QTest::newRow("repeated 1..2 by 4") << false << true << 1 << 2 << 4 << 16;
    QTest::newRow("both 1..5 by 3") << true << true << 1 << 5 << 3 << 35;
    QTest::newRow("both 1..3 by 5") << true << true << 1 << 3 << 5 << 21;
    QTest::newRow("sorted, count above range") << true << false << 1 << 3 << 4 << 0;
}

// Each mode against the plain recursive enumeration, whole and cut into
// pieces of 7 lines, as the files of a start cut it.
void TestForgerCore::numberModes()
{
    QFETCH(bool, sort);
    QFETCH(bool, repeat);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, count);
    QFETCH(int, lines);
    NewNumberOptions o = numbers(min, max, count, QStringLiteral(", "), sort, repeat);
    QVERIFY(NewNumber::prepare(o));
    const QByteArray whole = NewNumber::text(o);
    QCOMPARE(whole, reference(o));
    QCOMPARE(NewNumber::lineCount(o), quint64(lines));
    QCOMPARE(NewNumber::byteCount(o), quint64(whole.size()));
    QByteArray pieces;
    for (quint64 first = 0; first < quint64(lines); first += 7)
        pieces += NewNumber::text(o, first, 7);
    QCOMPARE(pieces, whole);
}

void TestForgerCore::numberBounds_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("usable");
    QTest::newRow("0..9999") << 0 << 9999 << true;
    QTest::newRow("max 10000") << 0 << 10000 << false;
    QTest::newRow("min -1") << -1 << 5 << false;
    QTest::newRow("max below min") << 5 << 4 << false;
}

void TestForgerCore::numberBounds()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(bool, usable);
    NewNumberOptions o = numbers(min, max, 2);
    QCOMPARE(NewNumber::prepare(o), usable);
    if (usable) {
        // The last lines of a large range, reached without writing the rest.
        const quint64 lines = NewNumber::lineCount(o);
        QCOMPARE(lines, quint64(10000) * 9999);
        QCOMPARE(NewNumber::text(o, lines - 2), QByteArray("9999,9997\n9999,9998\n"));
    }
}

void TestForgerCore::variableExamples_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<NewVariable>>("variables");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<QByteArray>("text");
    const QString quotes(27, QLatin1Char('\''));
    QTest::newRow("default page") << quotes + "{@%0}" << QList<NewVariable>{ variable("{@%0}", 1) } << qint64(1)
                                  << qint64(10) << (quotes + "1\n" + quotes + "2\n").toUtf8();
    QTest::newRow("padding") << "{@%0}" << QList<NewVariable>{ variable("{@%0}", 5, "0", 3) } << qint64(1)
                             << qint64(97) << QByteArray("005\n006\n");
    QTest::newRow("pad repeated") << "x{@%0}x" << QList<NewVariable>{ variable("{@%0}", 7, "ab", 4) } << qint64(1)
                                  << qint64(1) << QByteArray("xababab7x");
    QTest::newRow("two variables")
        << "{@%0}-{@%1};{@%0}" << QList<NewVariable>{ variable("{@%0}", 1), variable("{@%1}", 100) } << qint64(1)
        << qint64(2) << QByteArray("1-100;1\n2-101;2");
    QTest::newRow("third file of 25/10") << "n={@%0}" << QList<NewVariable>{ variable("{@%0}", 3) } << qint64(21)
                                         << qint64(25) << QByteArray("n=23\nn=24\nn=25\nn=26\nn=27");
    QTest::newRow("item count 0") << "v{@%0}" << QList<NewVariable>{ variable("{@%0}", 5) } << qint64(0) << qint64(0)
                                  << QByteArray("v4");
    QTest::newRow("negative, padded") << "{@%0}" << QList<NewVariable>{ variable("{@%0}", -1, "0", 3) }
                                      << qint64(1) << qint64(3) << QByteArray("0-1\n000\n001");
    QTest::newRow("wide text") << "第{@%0}行" << QList<NewVariable>{ variable("{@%0}", 1, "〇", 2) } << qint64(9)
                               << qint64(10) << QString("第〇9行\n第10行").toUtf8();
}

void TestForgerCore::variableExamples()
{
    QFETCH(QString, model);
    QFETCH(QList<NewVariable>, variables);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(QByteArray, text);
    NewVariableOptions o;
    o.model = model;
    o.variables = variables;
    QVERIFY(NewVariableInt::prepare(o));
    QVERIFY(o.segmented);
    const QByteArray out = NewVariableInt::text(o, first, last);
    QVERIFY2(out.startsWith(text), out.left(200).constData());
    QCOMPARE(out.count('\n'), int(last - first));
    QCOMPARE(NewVariableInt::byteCount(o, first, last), quint64(out.size()));
    if (QTest::currentDataTag() == QLatin1String("padding"))
        QVERIFY(out.endsWith("\n099\n100\n101"));
}

// A later name that a value completes is found as a name-by-name
// replacement finds it.
void TestForgerCore::variablesReplacedInTurn()
{
    NewVariableOptions o;
    o.model = QStringLiteral("A|xA|B");
    o.variables = { variable("A", 1), variable("x1", 50), variable("B", 7) };
    QVERIFY(NewVariableInt::prepare(o));
    QVERIFY(!o.segmented);
    QCOMPARE(NewVariableInt::text(o, 1, 2), QByteArray("1|50|7\n2|x2|8"));
    // Names that cannot meet a value keep the fast path.
    o.model = QStringLiteral("{@%0}{@%1}%{@%0}");
    o.variables = { variable("{@%0}", 1), variable("{@%1}", 5) };
    QVERIFY(NewVariableInt::prepare(o));
    QVERIFY(o.segmented);
    QCOMPARE(NewVariableInt::text(o, 1, 1), QByteArray("15%1"));
}

void TestForgerCore::variablesRefused()
{
    NewVariableOptions o;
    o.model = QStringLiteral("x");
    QVERIFY(!NewVariableInt::prepare(o)); // no variable
    o.variables = { variable("{@%0}", 1), variable("", 1) };
    QVERIFY(!NewVariableInt::prepare(o)); // an empty name
}

void TestForgerCore::jobWritesItsFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a00.txt"));
    NewNumberOptions o = numbers(1, 5, 3);
    QVERIFY(NewNumber::prepare(o));
    NewNumber job(name, &o, 10, 20);
    QList<QPair<int, int>> tips;
    connect(&job, &TextBase::tipSignal, this, [&tips](int a, int b) { tips << qMakePair(a, b); });
    job.run();
    QVERIFY(job.succeeded());
    QCOMPARE((tips), (QList<QPair<int, int>>{ { 0, 4 }, { -4, 0 } }));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), NewNumber::text(o, 10, 20));

    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{ "a00.txt" });

    // A folder in the way of the target: nothing replaced, nothing left.
    tips.clear();
    QVERIFY(QDir(dir.path()).mkdir("b00.txt"));
    NewNumber blocked(dir.filePath(QStringLiteral("b00.txt")), &o, 0, 5);
    connect(&blocked, &TextBase::tipSignal, this, [&tips](int a, int b) { tips << qMakePair(a, b); });
    blocked.run();
    QCOMPARE((tips), (QList<QPair<int, int>>{ { 0, 2 } }));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{ "a00.txt" });

    // A file made under the name after it was chosen: kept as it is.
    tips.clear();
    QFile earlier(dir.filePath(QStringLiteral("c00.txt")));
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    earlier.close();
    NewNumber late(earlier.fileName(), &o, 0, 5);
    connect(&late, &TextBase::tipSignal, this, [&tips](int a, int b) { tips << qMakePair(a, b); });
    late.run();
    QCOMPARE((tips), (QList<QPair<int, int>>{ { 0, 2 } }));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{ "a00.txt", "c00.txt" }));

    // A folder that does not exist: the open fails, no completion.
    tips.clear();
    NewNumber lost(dir.filePath(QStringLiteral("none/a01.txt")), &o, 0, 5);
    connect(&lost, &TextBase::tipSignal, this, [&tips](int a, int b) { tips << qMakePair(a, b); });
    lost.run();
    QVERIFY(!lost.succeeded());
    QCOMPARE((tips), (QList<QPair<int, int>>{ { 0, 0 } }));
}

QTEST_GUILESS_MAIN(TestForgerCore)
#include "tst_forgercore.moc"
