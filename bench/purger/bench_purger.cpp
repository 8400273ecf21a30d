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
#include "mixedtext.h"
#include "rewritebench.h"

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
    return rewritebench::run(argc, argv, "bench_purger", 0x5C21E1u, [](QRandomGenerator &random) { return mixedText(random, 64 * 1024); }, { digits });
}
