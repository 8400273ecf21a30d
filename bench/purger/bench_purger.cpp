// Deleting the digits of many mixed Chinese/ASCII files: the floor of an
// atomic rewrite, sed -i in both locales and Scrivel through the real path,
// with and without its backups for undo (see rewritebench.h).
//
// bench_purger [files [rounds [settle seconds]]]
//   defaults: 2000 files of 64 KiB, 3 rounds, 6 s

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include "deleteoptions.h"
#include "deletepatterns.h"
#include "deleteregular.h"
#include "rewritebench.h"

namespace {

const int fileSize = 64 * 1024;

// One file's worth of text: lines of Chinese words, ASCII words, numbers,
// blanks and punctuation, exactly fileSize bytes of UTF-8.
QByteArray makeText(QRandomGenerator &random)
{
    static const char *const punctuation[] = { "，", "。", "！", "：", "“", "”", ", ", ". ", "; " };
    QByteArray bytes;
    bytes.reserve(fileSize);
    int lineLength = 0;
    // A piece and a line end take at most 19 bytes; ASCII fills the rest.
    while (bytes.size() < fileSize - 24) {
        const quint32 kind = random.bounded(10);
        if (kind < 5) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += QString(QChar(ushort(0x4E00 + random.bounded(0x51A6)))).toUtf8();
        } else if (kind < 7) {
            for (int i = 1 + int(random.bounded(8)); i > 0; --i)
                bytes += char('a' + random.bounded(26) - (random.bounded(5) == 0 ? 32 : 0));
            bytes += ' ';
        } else if (kind < 9) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += char('0' + random.bounded(10));
        } else {
            bytes += punctuation[random.bounded(int(sizeof punctuation / sizeof *punctuation))];
        }
        if (++lineLength > 30 + int(random.bounded(40))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < fileSize - 1)
        bytes += 'x';
    bytes += '\n';
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    rewritebench::Case digits;
    digits.name = QStringLiteral("digits deleted");
    digits.sedArguments = QStringList{ "-E", "s/[0-9]+//g" };
    digits.addJobs = [](JobBatch &batch, const QStringList &paths) {
        auto *options = new DeleteOptions;
        options->index = DeletePatterns::ArabicNumber;
        batch.adopt(options);
        for (const QString &path : paths)
            batch.add(new DeleteRegular(path, options));
    };
    return rewritebench::run(argc, argv, "bench_purger", 0x5C21E1u, makeText, { digits });
}
