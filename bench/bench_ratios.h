// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace orvendel {

// A console reporter that shows the median and spread of repeated benchmarks, keeps each
// repetition's throughput, and afterwards prints how one group of benchmarks compares with
// another measured in the same run.
class BenchRatios : public benchmark::ConsoleReporter {
public:
    // Benchmarks named prefix + "<case>/..." are compared with basePrefix + "<case>": by
    // throughput (theirs / the base's), or with `byTime` by time (theirs / the base's).
    struct Pairing {
        std::string prefix;
        std::string basePrefix;
        bool byTime = false;
    };

    void ReportRuns(const std::vector<Run>& runs) override;

    // For every benchmark of each pairing: the median over repetitions of its ratio to the base
    // in the same repetition, the least favourable such ratio, and its median throughput in
    // GB/s.
    void print(const std::vector<Pairing>& pairings) const;

private:
    // Bytes per second of each repetition, by benchmark name; repetition index as key.
    std::map<std::string, std::map<long, double>> rates_;
};

}  // namespace orvendel
