// SPDX-License-Identifier: MIT
// Runs every benchmark, then prints how each compares with its ceiling in the same run: the
// search with memchr, the patch runs with reading the file alone, the last look before a
// replace with reading the file and with the look at length and times alone.

#include <benchmark/benchmark.h>

#include "bench_ratios.h"
#include "bench_registry.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    orvendel::registerSearchBenchmarks();
    orvendel::registerPatchRunBenchmarks();
    orvendel::registerPrefixSearchBenchmarks();
    orvendel::registerGameSearchBenchmarks();
    orvendel::BenchRatios ratios;
    benchmark::RunSpecifiedBenchmarks(&ratios);
    ratios.print({{"search/", "memchr/"},
                  {"reference/", "memchr/"},
                  {"readRun/", "readFile/", true},
                  {"writeRun/", "readFile/", true},
                  {"readRun/", "streamFile/", true},
                  {"readFile/", "streamFile/", true},
                  {"loadWithCopy/", "load/", true},
                  {"lastLook/", "readFile/", true},
                  {"lastLook/", "lastLookTimesOnly/", true}});
    benchmark::Shutdown();
    return 0;
}
