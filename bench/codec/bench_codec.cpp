// The reader's and writer's text conversion of mixed Chinese/ASCII text
// (the text of bench_purger), per file of 64 KiB: the strict UTF-8
// decoder and encoder against QTextCodec's UTF-8 with the round-trip check
// a general codec needs before a file may be rewritten, and the undo
// journal's XXH3-128 digest against a SHA-1 of the same text. Every
// conversion's result is compared with the codec's.
//
// bench_codec [files [rounds]]   defaults: 500 files, 3 rounds

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextCodec>

#include <cstdio>

#include "batchbackup.h"
#include "mixedtext.h"
#include "utf8codec.h"

namespace {

const int fileSize = 64 * 1024;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 500;
    const int rounds = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;
    QRandomGenerator random(0xC0DEC);
    QList<QByteArray> inputs;
    for (int i = 0; i < files; ++i)
        inputs << mixedText(random, fileSize);
    QTextCodec *codec = QTextCodec::codecForMib(106);
    std::printf("%d files of about %d KiB of mixed Chinese/ASCII UTF-8; microseconds per file, best of %d rounds\n",
                files, fileSize / 1024, rounds);

    double best[6] = { 1e18, 1e18, 1e18, 1e18, 1e18, 1e18 };
    bool same = true;
    for (int round = 0; round < rounds; ++round) {
        qint64 ns[6] = {};
        QElapsedTimer timer;
        for (const QByteArray &bytes : inputs) {
            // Scrivel: decode, encode, digest.
            timer.start();
            QString text;
            const bool decoded = Utf8Codec::decode(bytes.constData(), bytes.size(), text);
            ns[0] += timer.nsecsElapsed();
            timer.start();
            QByteArray back;
            const bool encoded = Utf8Codec::encode(text, false, back);
            ns[1] += timer.nsecsElapsed();
            timer.start();
            const QByteArray digest = BatchBackup::digest(text);
            ns[2] += timer.nsecsElapsed();

            // The general codec: decode with the round-trip check, encode,
            // and a SHA-1 of the text.
            timer.start();
            QTextCodec::ConverterState in(QTextCodec::IgnoreHeader);
            const QString reference = codec->toUnicode(bytes.constData(), bytes.size(), &in);
            QTextCodec::ConverterState check(QTextCodec::IgnoreHeader);
            const bool exact = in.invalidChars == 0 && in.remainingChars == 0
                && codec->fromUnicode(reference.constData(), reference.size(), &check) == bytes;
            ns[3] += timer.nsecsElapsed();
            timer.start();
            QTextCodec::ConverterState out(QTextCodec::IgnoreHeader);
            const QByteArray referenceBack = codec->fromUnicode(reference.constData(), reference.size(), &out);
            ns[4] += timer.nsecsElapsed();
            timer.start();
            const QByteArray sha1 = QCryptographicHash::hash(
                QByteArray::fromRawData(reinterpret_cast<const char *>(reference.constData()), reference.size() * 2),
                QCryptographicHash::Sha1);
            ns[5] += timer.nsecsElapsed();

            same = same && decoded && encoded && exact && text == reference && back == referenceBack
                && !digest.isEmpty() && !sha1.isEmpty();
        }
        for (int i = 0; i < 6; ++i)
            best[i] = qMin(best[i], ns[i] / 1000.0 / files);
    }
    std::printf("decode   Scrivel %7.1f   codec with round-trip check %7.1f   ratio %.2f\n", best[0], best[3],
                best[0] / best[3]);
    std::printf("encode   Scrivel %7.1f   codec %7.1f   ratio %.2f\n", best[1], best[4], best[1] / best[4]);
    std::printf("digest   XXH3-128 %6.1f   SHA-1 %7.1f   ratio %.2f\n", best[2], best[5], best[2] / best[5]);
    std::printf(same ? "results identical to the codec's\n" : "RESULTS DIFFER FROM THE CODEC'S\n");
    return same ? 0 : 1;
}
