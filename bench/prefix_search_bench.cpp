// SPDX-License-Identifier: MIT
// The Wine prefix search in a home folder whose libraryfolders.vdf names one Steam library,
// which holds a hundred game folders, once or thousands of times (45,700 times in 0.9 MiB,
// under the 1 MiB that a launcher file may have).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "bench_registry.h"
#include "locate/wine_prefix_search.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

constexpr int kGameFolders = 100;

// A home folder per repetition count, made on first use and kept for the whole run.
const fs::path& homeNaming(int times) {
    static TempDir dir;
    static std::map<int, fs::path> homes;
    auto& home = homes[times];
    if (home.empty()) {
        home = dir / ("home" + std::to_string(times));
        const fs::path library = home / "lib/steamapps";
        for (int game = 0; game < kGameFolders; ++game) {
            fs::create_directories(library / "compatdata" / std::to_string(game) / "pfx");
        }
        std::ofstream(library / "compatdata/0/pfx/system.reg") << "WINE REGISTRY Version 2\n";
        const fs::path steamapps = home / ".local/share/Steam/steamapps";
        fs::create_directories(steamapps);
        std::ofstream vdf(steamapps / "libraryfolders.vdf");
        vdf << "\"libraryfolders\"\n{\n";
        for (int i = 0; i < times; ++i) {
            vdf << "\"" << i % 10 << "\"{\"path\" \"~/lib\"}\n";
        }
        vdf << "}\n";
    }
    return home;
}

void prefixSearch(benchmark::State& state) {
    const fs::path& home = homeNaming(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto candidates = winePrefixCandidates(home, {});
        if (candidates.size() != 1) {
            state.SkipWithError("expected the one prefix");
            break;
        }
        benchmark::DoNotOptimize(candidates.data());
    }
}

}  // namespace

void registerPrefixSearchBenchmarks() {
    benchmark::RegisterBenchmark("prefixSearch/named", prefixSearch)
        ->Arg(1)
        ->Arg(2000)
        ->Arg(45700)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace orvendel
