// AES-128-ECB throughput of the text plug-in's engine beside openssl on the
// same bytes in the same run: encrypts and decrypts a block of random data
// (50 MB by default), checks that both give the same cipher text, and
// prints MB/s and the ratio to openssl. openssl's time includes starting
// the process and reading and writing its files in a temporary folder.
// Besides wall-clock time, CPU time is measured (this process for the
// engine, the finished child for openssl), which a busy machine disturbs
// much less.
//
// Usage: bench_aes [megabytes [rounds]]   (the best of the rounds counts)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>

#include "qaesencryption.h"

namespace {

double megabytesPerSecond(qint64 bytes, qint64 nanoseconds)
{
    return nanoseconds > 0 ? (bytes / 1e6) / (nanoseconds / 1e9) : 0.0;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 processCpuNanoseconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 childrenCpuNanoseconds()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000000000
        + (qint64(usage.ru_utime.tv_usec) + usage.ru_stime.tv_usec) * 1000;
}

struct Timing
{
    qint64 wall = -1;
    qint64 cpu = -1;
};

// Wall and CPU nanoseconds of one openssl run; -1 when it failed.
Timing runOpenssl(const QStringList &arguments)
{
    const qint64 cpuBefore = childrenCpuNanoseconds();
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(QStringLiteral("openssl"), arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "openssl failed: %s\n", process.readAllStandardError().constData());
        return Timing();
    }
    Timing timing;
    timing.wall = timer.nsecsElapsed();
    timing.cpu = childrenCpuNanoseconds() - cpuBefore;
    return timing;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int megabytes = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 50;
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 3;
    const qint64 size = qint64(megabytes) * 1000 * 1000 / 16 * 16;

    QByteArray plain(int(size), Qt::Uninitialized);
    QRandomGenerator random(20261208);
    random.fillRange(reinterpret_cast<quint32 *>(plain.data()), int(size / 4));
    const QByteArray key = QByteArray::fromHex("2b7e151628aed2a6abf7158809cf4f3c");
    const QAESEncryption aes(QAESEncryption::AES_128, QAESEncryption::ECB, QAESEncryption::ZERO);

    QTemporaryDir folder;
    const QString plainPath = folder.filePath(QStringLiteral("plain.bin"));
    const QString cipherPath = folder.filePath(QStringLiteral("cipher.bin"));
    const QString backPath = folder.filePath(QStringLiteral("back.bin"));
    if (!folder.isValid() || !writeFile(plainPath, plain)) {
        std::fprintf(stderr, "cannot write the test data\n");
        return 1;
    }
    const QStringList common = {QStringLiteral("enc"), QStringLiteral("-aes-128-ecb"), QStringLiteral("-nopad"),
                                QStringLiteral("-K"), QString::fromLatin1(key.toHex())};

    Timing best[4]; // engine encrypt, decrypt, openssl encrypt, decrypt
    auto keep = [&best](int i, const Timing &t) {
        if (t.wall >= 0 && (best[i].wall < 0 || t.wall < best[i].wall))
            best[i].wall = t.wall;
        if (t.cpu >= 0 && (best[i].cpu < 0 || t.cpu < best[i].cpu))
            best[i].cpu = t.cpu;
    };
    QByteArray cipher;
    bool same = true;
    for (int r = 0; r < rounds; ++r) {
        Timing t;
        QElapsedTimer timer;
        timer.start();
        qint64 cpu = processCpuNanoseconds();
        cipher = aes.encryptBytes(plain, key);
        t.cpu = processCpuNanoseconds() - cpu;
        t.wall = timer.nsecsElapsed();
        keep(0, t);
        timer.restart();
        cpu = processCpuNanoseconds();
        const QByteArray back = aes.decryptBytes(cipher, key);
        t.cpu = processCpuNanoseconds() - cpu;
        t.wall = timer.nsecsElapsed();
        keep(1, t);
        same = same && back == plain;

        keep(2, runOpenssl(common + QStringList{QStringLiteral("-in"), plainPath, QStringLiteral("-out"), cipherPath}));
        keep(3, runOpenssl(common + QStringList{QStringLiteral("-d"), QStringLiteral("-in"), cipherPath,
                                                QStringLiteral("-out"), backPath}));
    }
    const bool matches = readFile(cipherPath) == cipher && readFile(backPath) == plain;

    std::printf("AES-128-ECB over %.1f MB, best of %d rounds\n", size / 1e6, rounds);
    const char *names[2] = {"encrypt", "decrypt"};
    for (int i = 0; i < 2; ++i) {
        for (int cpu = 0; cpu < 2; ++cpu) {
            const qint64 engineNs = cpu ? best[i].cpu : best[i].wall;
            const qint64 opensslNs = cpu ? best[2 + i].cpu : best[2 + i].wall;
            const double engine = megabytesPerSecond(size, engineNs);
            const double openssl = opensslNs < 0 ? 0.0 : megabytesPerSecond(size, opensslNs);
            std::printf("%s (%s): engine %8.1f MB/s   openssl %8.1f MB/s   engine/openssl %.2f\n", names[i],
                        cpu ? "cpu " : "wall", engine, openssl, openssl > 0 ? engine / openssl : 0.0);
        }
    }
    std::printf("engine round trip %s; cipher text %s openssl's\n", same ? "exact" : "WRONG",
                matches ? "equals" : "DIFFERS FROM");
    return same && matches ? 0 : 1;
}
