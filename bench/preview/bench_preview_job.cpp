// The preview of a replace in many files against the job itself: the text
// plug-in's replace of three ordinary keys in 2,000 mixed Chinese/ASCII
// files of 64 KiB (the files of bench_replace), timed in the same run on
// fresh copies of the same files (see rewritebench.h):
//  - the job through the real path (and floor, sed and the job without
//    undo, as bench_replace prints them);
//  - the preview of the same operation, until its window is shown;
//  - the apply of that preview, until the summary line; its files must
//    hold exactly the job's bytes.
// Printed: each round's times, the best and the median ratios
// preview/job and apply/job, and the preview's peak memory for the files
// and for ten times as many.
//
// bench_preview_job [files [rounds [settle seconds]]]
//   defaults: 2000 files of 64 KiB, 3 rounds, 6 s

#include "replacecase.h"

using namespace replacecase;

int main(int argc, char *argv[])
{
    rewritebench::Case c = replaceCase(QStringLiteral("3 ordinary keys"), ordinaryKeys(), ordinarySed());
    c.preview = true;
    return rewritebench::run(argc, argv, "bench_preview_job", 0x2E91ACu, makeText, { c });
}
