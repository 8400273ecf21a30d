// The minimal writer the generation benchmark compares with: every
// arrangement of `count` distinct numbers from min..max, one per line,
// written with plain recursion and stdio.
//
// bench_forger_fwrite min max count separator output [sync]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

int lo, hi, count;
const char *separator;
size_t separatorLength;
std::FILE *out;
std::vector<char> used;
char line[4096];
char digits[10000][8];
int digitLength[10000];

void enumerate(int depth, size_t length)
{
    if (depth == count) {
        line[length] = '\n';
        std::fwrite(line, 1, length + 1, out);
        return;
    }
    for (int v = lo; v <= hi; ++v) {
        if (used[v])
            continue;
        used[v] = 1;
        size_t next = length;
        if (depth > 0) {
            std::memcpy(line + next, separator, separatorLength);
            next += separatorLength;
        }
        std::memcpy(line + next, digits[v], digitLength[v]);
        enumerate(depth + 1, next + digitLength[v]);
        used[v] = 0;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 6)
        return 2;
    lo = std::atoi(argv[1]);
    hi = std::atoi(argv[2]);
    count = std::atoi(argv[3]);
    separator = argv[4];
    separatorLength = std::strlen(separator);
    if (lo < 0 || hi > 9999 || hi < lo || count < 0 || count * (5 + separatorLength) > sizeof line - 1)
        return 2;
    out = std::fopen(argv[5], "wb");
    if (!out)
        return 1;
    for (int v = lo; v <= hi; ++v)
        digitLength[v] = std::snprintf(digits[v], sizeof digits[v], "%d", v);
    used.assign(size_t(hi) + 1, 0);
    if (count <= hi - lo + 1)
        enumerate(0, 0);
    std::fflush(out);
    if (argc > 6)
        fsync(fileno(out));
    return std::fclose(out) == 0 ? 0 : 1;
}
