// Replacing in many mixed Chinese/ASCII files with the text plug-in's
// replace: the floor of an atomic rewrite, sed -i in both locales and
// Scrivel through the real path, with and without its backups for undo
// (see rewritebench.h). Two cases: three ordinary keys, and a regular
// expression with a back-reference.
//
// bench_replace [files [rounds [settle seconds]]]
//   defaults: 2000 files of 64 KiB, 3 rounds, 6 s

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include "replace.h"
#include "rewritebench.h"
#include "textjob.h"

namespace {

using ReplaceJob = TextJob<ReplaceOptions, Replace::apply>;

const int fileSize = 64 * 1024;

// Lines of Chinese and English words, numbers and "name@number" tokens,
// exactly fileSize bytes of UTF-8, every key of both cases present.
QByteArray makeText(QRandomGenerator &random)
{
    static const char *const words[] = {"苹果", "香蕉", "文本", "处理", "apple", "pear", "text", "batch",
                                        "2024", "17", "，", "。", "user@42", "abc@7", "x@", "@9", "the"};
    const int n = int(sizeof words / sizeof *words);
    QByteArray bytes;
    bytes.reserve(fileSize);
    int lineLength = 0;
    while (bytes.size() < fileSize - 16) {
        bytes += words[random.bounded(n)];
        bytes += ' ';
        if (++lineLength > 8 + int(random.bounded(10))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < fileSize - 1)
        bytes += 'x';
    bytes += '\n';
    return bytes;
}

rewritebench::Case replaceCase(const QString &name, const ReplaceOptions &options, const QStringList &sedArguments)
{
    rewritebench::Case c;
    c.name = name;
    c.sedArguments = sedArguments;
    c.addJobs = [options](JobBatch &batch, const QStringList &paths) {
        auto *record = new ReplaceOptions(options);
        batch.adopt(record);
        for (const QString &path : paths)
            batch.add(new ReplaceJob(path, record));
    };
    return c;
}

} // namespace

int main(int argc, char *argv[])
{
    ReplaceOptions ordinary;
    ordinary.pairs = { { "apple", "orange" }, { "苹果", "橙子" }, { "2024", "2025" } };
    ReplaceOptions regular;
    regular.pattern = Pattern::Regular;
    regular.pairs = { { "([a-z]+)@([0-9]+)", "\\2#\\1" } };
    return rewritebench::run(
        argc, argv, "bench_replace", 0x2E91ACu, makeText,
        { replaceCase(QStringLiteral("3 ordinary keys"), ordinary,
                      { "-e", "s/apple/orange/g", "-e", "s/苹果/橙子/g", "-e", "s/2024/2025/g" }),
          replaceCase(QStringLiteral("regex with back-reference"), regular,
                      { "-E", "s/([a-z]+)@([0-9]+)/\\2#\\1/g" }) });
}
