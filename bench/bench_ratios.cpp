// SPDX-License-Identifier: MIT
#include "bench_ratios.h"

#include <algorithm>
#include <cstdio>

namespace orvendel {

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    if (n == 0)
        return 0.0;
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

void BenchRatios::ReportRuns(const std::vector<Run>& runs) {
    // Show the median and spread of repeated benchmarks, every run of the others.
    std::vector<Run> shown;
    for (const Run& run : runs) {
        const bool repeated = run.repetitions > 1;
        if (!repeated || (run.run_type == Run::RT_Aggregate &&
                          (run.aggregate_name == "median" || run.aggregate_name == "cv"))) {
            shown.push_back(run);
        }
    }
    ConsoleReporter::ReportRuns(shown);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred)
            continue;
        const auto rate = run.counters.find("bytes_per_second");
        if (rate == run.counters.end())
            continue;
        // Wall-time benchmarks carry a "/real_time" suffix; pair them by their plain names.
        std::string name = run.run_name.str();
        const std::string suffix = "/real_time";
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            name.resize(name.size() - suffix.size());
        }
        rates_[name][static_cast<long>(run.repetition_index)] = rate->second.value;
    }
}

void BenchRatios::print(const std::vector<Pairing>& pairings) const {
    for (const Pairing& pairing : pairings) {
        bool headed = false;
        for (const auto& [name, byRepetition] : rates_) {
            if (name.rfind(pairing.prefix, 0) != 0)
                continue;
            const std::string rest = name.substr(pairing.prefix.size());
            const std::string base = pairing.basePrefix + rest.substr(0, rest.find('/'));
            const auto baseRates = rates_.find(base);
            if (baseRates == rates_.end())
                continue;
            std::vector<double> ratios;
            std::vector<double> own;
            for (const auto& [repetition, rate] : byRepetition) {
                own.push_back(rate);
                const auto same = baseRates->second.find(repetition);
                if (same != baseRates->second.end() && same->second > 0 && rate > 0) {
                    ratios.push_back(pairing.byTime ? same->second / rate : rate / same->second);
                }
            }
            if (ratios.empty())
                continue;
            if (!headed) {
                std::printf("\n%-52s %8s %8s %10s %5s\n",
                            pairing.byTime ? "time of benchmark / time of base"
                                           : "throughput of benchmark / of base",
                            "median", pairing.byTime ? "highest" : "lowest", "GB/s", "reps");
                headed = true;
            }
            std::printf("%-52s %8.3f %8.3f %10.2f %5zu\n", (name + " / " + base).c_str(),
                        median(ratios),
                        pairing.byTime ? *std::max_element(ratios.begin(), ratios.end())
                                       : *std::min_element(ratios.begin(), ratios.end()),
                        median(own) / 1e9, ratios.size());
        }
    }
}

}  // namespace orvendel
