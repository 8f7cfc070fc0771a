// Writes the generated prose the reader benchmarks read (UTF-8, 50 MB unless told), so that
// other programs can be run on the very same text.
// Run: build/bench/bench_text FILE [megabytes]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BookGenerator.h"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_text FILE [megabytes]\n");
        return 2;
    }
    const long long megabytes = argc == 3 ? std::atoll(argv[2]) : 50;
    if (megabytes <= 0) {
        std::fprintf(stderr, "bench_text: the size must be a positive number of megabytes\n");
        return 2;
    }
    zeb::bench::WriteText(argv[1], megabytes << 20);
    return 0;
}
