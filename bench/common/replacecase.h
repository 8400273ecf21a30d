#ifndef REPLACECASE_H
#define REPLACECASE_H

// The files and the cases of the benchmarks that replace with the text
// plug-in's replace in many files (bench_replace, bench_preview_job).

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include "mixedtext.h"
#include "replace.h"
#include "rewritebench.h"
#include "textjob.h"

namespace replacecase {

using ReplaceJob = TextJob<ReplaceOptions, Replace::apply>;

const int fileSize = 64 * 1024;

// Lines of Chinese and English words, numbers and "name@number" tokens,
// exactly fileSize bytes of UTF-8, every key of both cases present.
inline QByteArray makeText(QRandomGenerator &random)
{
    static const char *const words[] = {"苹果", "香蕉", "文本", "处理", "apple", "pear", "text", "batch",
                                        "2024", "17", "，", "。", "user@42", "abc@7", "x@", "@9", "the"};
    const int n = int(sizeof words / sizeof *words);
    return linesOfPieces(random, fileSize, 16, 8, 10, 'x', [&random, n](QByteArray &bytes) {
        bytes += words[random.bounded(n)];
        bytes += ' ';
    });
}

inline rewritebench::Case replaceCase(const QString &name, const ReplaceOptions &options,
                                      const QStringList &sedArguments)
{
    rewritebench::Case c;
    c.name = name;
    c.sedArguments = sedArguments;
    // As the plug-ins add a start's files: each worker made when its turn
    // comes, so a batch holds at most JobBatch::maxAlive of them.
    c.addJobs = [options](JobBatch &batch, const QStringList &paths) {
        auto *record = new ReplaceOptions(options);
        batch.adopt(record);
        batch.addFiles(paths, [record](const QString &path, int) { return new ReplaceJob(path, record); });
    };
    return c;
}

// Three ordinary keys, Chinese and ASCII, and the sed arguments doing the same.
inline ReplaceOptions ordinaryKeys()
{
    ReplaceOptions ordinary;
    ordinary.pairs = { { "apple", "orange" }, { "苹果", "橙子" }, { "2024", "2025" } };
    return ordinary;
}

inline QStringList ordinarySed()
{
    return { "-e", "s/apple/orange/g", "-e", "s/苹果/橙子/g", "-e", "s/2024/2025/g" };
}

} // namespace replacecase

#endif // REPLACECASE_H
