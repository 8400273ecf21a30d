#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <sys/resource.h>
#include <unistd.h>

#include "foldertestcase.h"
#include "testfolder.h"
#include "textjob.h"

namespace {

struct SuffixOptions : OptionRecord
{
    QString suffix;
};

QString addSuffix(const QString &text, const SuffixOptions &o)
{
    return text + o.suffix;
}

// Far more than the test lets the process have.
QString huge(const QString &text, const SuffixOptions &)
{
    return text.repeated(1 << 28);
}

// Refuses texts that hold no digit.
std::optional<QString> digitsOnly(const QString &text, const SuffixOptions &o)
{
    if (!text.contains(QRegularExpression(QStringLiteral("\\d"))))
        return std::nullopt;
    return text + o.suffix;
}

} // namespace

// The thin workers over a pure function: the result is written back, or a
// refused text leaves the file as it was with the refusal's tip.
class TestTextJob : public FolderTestCase
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void TestTextJob::run_data()
{
    QTest::addColumn<int>("kind"); // 0 plain, 1 checked, 2 running out of memory
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QList<int>>("tips"); // var1, var2 pairs in order
    QTest::newRow("plain") << 0 << QByteArray("ab\r\n") << QByteArray("ab\r\n!") << QList<int>{0, 4, -4, 0};
    QTest::newRow("checked, accepted") << 1 << QByteArray("a1") << QByteArray("a1!") << QList<int>{0, 4, -4, 0};
    QTest::newRow("checked, refused") << 1 << QByteArray("ab\n") << QByteArray("ab\n") << QList<int>{-2, 0};
    QTest::newRow("result beyond memory") << 2 << QByteArray("ab\n") << QByteArray("ab\n") << QList<int>{0, 8};
}

void TestTextJob::run()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, result);
    QFETCH(QList<int>, tips);
    const QString file = m_folder.path(QStringLiteral("f.txt"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();

    SuffixOptions options;
    options.suffix = QStringLiteral("!");
    const std::unique_ptr<TextBase> owned(
        kind == 1   ? static_cast<TextBase *>(new CheckedTextJob<SuffixOptions, digitsOnly, Tips::BaseFailed>(file, &options))
        : kind == 2 ? static_cast<TextBase *>(new TextJob<SuffixOptions, huge>(file, &options))
                    : new TextJob<SuffixOptions, addSuffix>(file, &options));
    TextBase *job = owned.get();
    QSignalSpy spy(job, &TextBase::tipSignal);
    if (kind == 2) {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer reserves more address space than the limit allows");
#endif
        // Address space for what the process has now and 256 MiB more.
        QFile statm(QStringLiteral("/proc/self/statm"));
        QVERIFY(statm.open(QIODevice::ReadOnly));
        const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_AS, &before), 0);
        rlimit tight = before;
        tight.rlim_cur = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + (qint64(256) << 20));
        QCOMPARE(::setrlimit(RLIMIT_AS, &tight), 0);
        job->run();
        QCOMPARE(::setrlimit(RLIMIT_AS, &before), 0);
    } else {
        job->run();
    }
    QList<int> sent;
    for (const QList<QVariant> &tip : spy) {
        sent << tip.at(0).toInt() << tip.at(1).toInt();
        QCOMPARE(tip.at(2).toString(), file);
    }
    QCOMPARE(sent, tips);
    QCOMPARE(job->succeeded(), tips.last() == 0 && tips.at(tips.size() - 2) == -4);
    QCOMPARE(TestFolder::bytesOf(file), result);
}

QTEST_MAIN(TestTextJob)
#include "tst_textjob.moc"
