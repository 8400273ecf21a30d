#include <QRandomGenerator>
#include <QtTest>

#include <functional>

#include "absearch.h"
#include "articlearrangements.h"

// The AB lookup and the Article arrangements, called directly.
class TestTailorCore : public QObject
{
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void lookupMatchesLineByLineSearch_data();
    void lookupMatchesLineByLineSearch();
    void arrangementsInOrder_data();
    void arrangementsInOrder();
    void articleBounds_data();
    void articleBounds();
    void outputsNeverOverwriteDocuments();
};

void TestTailorCore::lookup_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QStringList>("b");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("rewritten");

    QTest::newRow("explanation's example")
        << "dlcnd\nfdgrr" << QStringList{ "dlcnd----weasr\ntocl----t46gf5\ndetb----56t" }
        << "dlcnd----weasr\n" << "dlcnd\nfdgrr not find!\n";
    QTest::newRow("pattern characters keep their meaning")
        << "a.c" << QStringList{ "x\nabc-1 2\n" } << "abc-1 2\n" << "a.c\n";
    QTest::newRow("followed by a blank, not found")
        << "abc\n" << QStringList{ "abc def-1\nabc -2" } << "" << "abc not find!\n";
    QTest::newRow("several matches, B file after B file")
        << "k" << QStringList{ "k-1\nx-k\nk-2", "k-3\r" } << "k-1\nk-2\nk-3\r\n" << "k\n";
    QTest::newRow("starts at a word boundary, not inside a word")
        << "abc" << QStringList{ "x abc-1\nxabc-2\n_abc-3" } << "abc-1\n" << "abc\n";
    QTest::newRow("leftmost match takes the rest of its line")
        << "a\na-b" << QStringList{ "a-b-c" } << "a-b-c\na-b-c\n" << "a\na-b\n";
    QTest::newRow("empty A lines dropped")
        << "\na\n\n\nb\n\n" << QStringList{ "b-1" } << "b-1\n" << "a not find!\nb\n";
    QTest::newRow("invalid expression finds nothing")
        << "a(b" << QStringList{ "a(b-1" } << "" << "a(b not find!\n";
    QTest::newRow("alternation at the top level")
        << "x|b" << QStringList{ "b-1\nx" } << "b-1\nx\n" << "x|b\n";
}

void TestTailorCore::lookup()
{
    QFETCH(QString, a);
    QFETCH(QStringList, b);
    QFETCH(QString, output);
    QFETCH(QString, rewritten);
    const AbSearch::Result result = AbSearch::run({ a }, b);
    QCOMPARE(result.output, output);
    QCOMPARE(result.aTexts, QStringList{ rewritten });
}

void TestTailorCore::lookupMatchesLineByLineSearch_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::newRow("plain keys") << QString::fromUtf8("ab-_ 1é中\r");
    QTest::newRow("with pattern characters") << QString::fromUtf8("ab-. *|(1中");
}

// Random A lines against random B texts: the one-pass lookup gives what
// searching B once per A line gives, for every A line in order.
void TestTailorCore::lookupMatchesLineByLineSearch()
{
    QFETCH(QString, alphabet);
    QRandomGenerator random(20261208);
    auto word = [&](int maxLength) {
        QString s;
        for (int n = int(random.bounded(1, maxLength + 1)); n > 0; --n)
            s += alphabet.at(int(random.bounded(alphabet.size())));
        return s;
    };
    for (int round = 0; round < 20; ++round) {
        QStringList a;
        for (int i = 0; i < 30; ++i)
            a << word(3);
        QStringList b;
        for (int file = 0; file < 3; ++file) {
            QStringList lines;
            for (int i = 0; i < 40; ++i)
                lines << (random.bounded(2) ? a.at(int(random.bounded(a.size()))) + word(6) : word(8));
            b << lines.join(QLatin1Char('\n'));
        }
        QString expected;
        for (const QString &line : a) {
            for (const QString &match : AbSearch::searchLine(line, b))
                expected += match + QLatin1Char('\n');
        }
        const AbSearch::Result result = AbSearch::run({ a.join(QLatin1Char('\n')) }, b);
        QCOMPARE(result.output, expected);
        QCOMPARE(result.found + result.notFound, a.size());
    }
}

void TestTailorCore::arrangementsInOrder_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("count");
    for (int size = 1; size <= 5; ++size) {
        for (int count = 0; count <= size; ++count)
            QTest::newRow(qPrintable(QString("P(%1,%2)").arg(size).arg(count))) << size << count;
    }
}

// The arrangements come in the order of the depth-first choice of unused
// documents, lowest first.
void TestTailorCore::arrangementsInOrder()
{
    QFETCH(int, size);
    QFETCH(int, count);
    QList<QVector<int>> expected;
    QVector<int> chosen(count);
    QVector<bool> used(size);
    std::function<void(int)> combine = [&](int depth) {
        if (depth == count) {
            expected << chosen;
            return;
        }
        for (int d = 0; d < size; ++d) {
            if (!used[d]) {
                chosen[depth] = d;
                used[d] = true;
                combine(depth + 1);
                used[d] = false;
            }
        }
    };
    combine(0);

    QList<QVector<int>> produced;
    QVector<int> current = ArticleArrangements::first(count);
    do
        produced << current;
    while (ArticleArrangements::next(current, size));
    QCOMPARE(produced, expected);
    QCOMPARE(ArticleArrangements::fileCount(size, count), qint64(expected.size()));
}

void TestTailorCore::articleBounds_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("count 0") << 3 << 0 << true;
    QTest::newRow("count below 0") << 3 << -1 << false;
    QTest::newRow("count above the list size") << 3 << 4 << false;
    QTest::newRow("no documents") << 0 << 0 << false;
    QTest::newRow("28 documents") << 28 << 3 << true;
    QTest::newRow("29 documents") << 29 << 1 << false;
    QTest::newRow("more than 100,000 files") << 28 << 4 << false;
    QTest::newRow("30,240 files") << 10 << 5 << true;
    QTest::newRow("362,880 files") << 9 << 9 << false;
}

void TestTailorCore::articleBounds()
{
    QFETCH(int, size);
    QFETCH(int, count);
    QFETCH(bool, acceptable);
    QCOMPARE(ArticleArrangements::acceptable(size, count), acceptable);
}

void TestTailorCore::outputsNeverOverwriteDocuments()
{
    const QString folder = QDir::tempPath();
    const QStringList documents = { folder + "/x.txt", folder + "/6.txt", folder + "/03.txt" };
    QCOMPARE(ArticleArrangements::overwritten(documents, folder, 5), -1);
    QCOMPARE(ArticleArrangements::overwritten(documents, folder, 6), 1);
    QCOMPARE(ArticleArrangements::overwritten(documents, folder + "/sub", 6), -1);
    QCOMPARE(ArticleArrangements::compose("H", { "X", "Y", "Z" }, { 2, 0 }, "T"), QString("HZXT"));
}

QTEST_APPLESS_MAIN(TestTailorCore)
#include "tst_tailorcore.moc"
