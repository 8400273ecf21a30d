// Replacing in many mixed Chinese/ASCII files with the text plug-in's
// replace: the floor of an atomic rewrite, sed -i in both locales and
// Scrivel through the real path, with and without its backups for undo
// (see rewritebench.h). Two cases: three ordinary keys, and a regular
// expression with a back-reference.
//
// bench_replace [files [rounds [settle seconds]]]
//   defaults: 2000 files of 64 KiB, 3 rounds, 6 s

#include "replacecase.h"

using namespace replacecase;

int main(int argc, char *argv[])
{
    ReplaceOptions regular;
    regular.pattern = Pattern::Regular;
    regular.pairs = { { "([a-z]+)@([0-9]+)", "\\2#\\1" } };
    return rewritebench::run(
        argc, argv, "bench_replace", 0x2E91ACu, makeText,
        { replaceCase(QStringLiteral("3 ordinary keys"), ordinaryKeys(), ordinarySed()),
          replaceCase(QStringLiteral("regex with back-reference"), regular,
                      { "-E", "s/([a-z]+)@([0-9]+)/\\2#\\1/g" }) });
}
