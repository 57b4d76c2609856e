// SPDX-License-Identifier: MIT
// Throughput of the signature search against the bandwidth ceiling (memchr of an absent byte)
// and the plain byte-by-byte scan, on 8 MiB and 64 MiB images, random and zero-heavy.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench_image.h"
#include "bench_registry.h"
#include "patcher/search.h"
#include "patcher/search_internal/search_reference.h"

namespace orvendel {
namespace {

struct ImageCase {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<ImageCase>& images() {
    static std::vector<ImageCase> all = [] {
        std::vector<Signature> signatures;
        for (const auto& named : BenchImage::knownSignatures()) {
            signatures.push_back(named.signature);
        }
        std::vector<ImageCase> made;
        for (const std::size_t mib : {8, 64}) {
            const std::size_t size = mib << 20;
            const std::string suffix = std::to_string(mib) + "M";
            made.push_back({"random" + suffix, BenchImage::random(size, 17)});
            made.push_back({"zeroHeavy" + suffix, BenchImage::zeroHeavy(size, 23)});
        }
        for (auto& image : made)
            BenchImage::removeOccurrences(image.bytes, signatures);
        return made;
    }();
    return all;
}

void bytesProcessed(benchmark::State& state, std::size_t size) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(size));
}

void memchrAbsent(benchmark::State& state, const ImageCase* image) {
    for (auto _ : state) {
        const void* hit =
            std::memchr(image->bytes.data(), BenchImage::kAbsentByte, image->bytes.size());
        benchmark::DoNotOptimize(hit);
    }
    bytesProcessed(state, image->bytes.size());
}

void fastSearch(benchmark::State& state, const ImageCase* image, const Signature* sig) {
    for (auto _ : state) {
        auto at = search(image->bytes, *sig, 0);
        benchmark::DoNotOptimize(at);
    }
    bytesProcessed(state, image->bytes.size());
}

void referenceSearch(benchmark::State& state, const ImageCase* image, const Signature* sig) {
    for (auto _ : state) {
        auto at = searchReference(image->bytes, *sig, 0);
        benchmark::DoNotOptimize(at);
    }
    bytesProcessed(state, image->bytes.size());
}

}  // namespace

void registerSearchBenchmarks() {
    const auto& signatures = BenchImage::knownSignatures();
    for (const ImageCase& image : images()) {
        benchmark::RegisterBenchmark(("memchr/" + image.name).c_str(), memchrAbsent, &image)
            ->Unit(benchmark::kMillisecond);
        for (const auto& named : signatures) {
            benchmark::RegisterBenchmark(("search/" + image.name + "/" + named.name).c_str(),
                                         fastSearch, &image, &named.signature)
                ->Unit(benchmark::kMillisecond);
        }
        // The plain scan is slow; two signatures show its cost on every image.
        for (const std::size_t k : {std::size_t{0}, std::size_t{5}}) {
            benchmark::RegisterBenchmark(
                ("reference/" + image.name + "/" + signatures[k].name).c_str(), referenceSearch,
                &image, &signatures[k].signature)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace orvendel
