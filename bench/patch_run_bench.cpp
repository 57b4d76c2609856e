// SPDX-License-Identifier: MIT
// A whole reading run and a whole writing run on files in the page cache, against reading the
// file alone: into a fresh image buffer (the floor of a run's loading) and through a small
// reused buffer (what cat does). And what a writing run adds for the last look before each
// replace: the copy of the bytes as loaded, and the look itself (length and times, then the
// bytes read again and compared with the copy).

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_image.h"
#include "bench_registry.h"
#include "patcher/patch_run.h"
#include "platform/file_buffer.h"
#include "platform/file_image.h"
#include "platform/files.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

struct FileCase {
    std::string name;
    std::filesystem::path path;
    std::size_t size;
    bool recognised;
};

const std::vector<FileCase>& files() {
    static TempDir dir;
    static const std::vector<FileCase> all = [] {
        std::vector<Signature> signatures;
        for (const auto& named : BenchImage::knownSignatures()) {
            signatures.push_back(named.signature);
        }
        std::vector<FileCase> made;
        const auto add = [&](std::string name, const std::vector<std::uint8_t>& bytes,
                             bool recognised) {
            const std::filesystem::path path = dir / (name + ".exe");
            writeFixture(path, bytes);
            made.push_back({std::move(name), path, bytes.size(), recognised});
        };
        add("sample8M", buildSample(1, sampleValues()), true);
        for (const std::size_t mib : {8, 64}) {
            std::vector<std::uint8_t> bytes = BenchImage::random(mib << 20, 31);
            BenchImage::removeOccurrences(bytes, signatures);
            add("unknown" + std::to_string(mib) + "M", bytes, false);
        }
        return made;
    }();
    return all;
}

void bytesProcessed(benchmark::State& state, std::size_t size) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(size));
}

void readRun(benchmark::State& state, const FileCase* file) {
    for (auto _ : state) {
        CameraState camera;
        ProgressSink progress;
        const RunResult result = readCameraValues(file->path, camera, progress);
        if (result.recognised() != file->recognised) {
            state.SkipWithError(("unexpected outcome: " + result.status).c_str());
            break;
        }
    }
    bytesProcessed(state, file->size);
}

void writeRun(benchmark::State& state, const FileCase* file) {
    CameraState camera;
    ProgressSink progress;
    if (!readCameraValues(file->path, camera, progress).recognised()) {
        state.SkipWithError("the sample is not recognised");
        return;
    }
    for (auto _ : state) {
        const RunResult result = writeCameraValues(file->path, camera, progress);
        if (!result.recognised()) {
            state.SkipWithError(("writing run failed: " + result.status).c_str());
            break;
        }
    }
    bytesProcessed(state, file->size);
}

void readFile(benchmark::State& state, const FileCase* file) {
    for (auto _ : state) {
        FileBuffer image;
        if (!readWholeFile(file->path, image)) {
            state.SkipWithError("cannot read the file");
            break;
        }
        benchmark::DoNotOptimize(image.data());
    }
    bytesProcessed(state, file->size);
}

void streamFile(benchmark::State& state, const FileCase* file) {
    std::vector<char> chunk(128 * 1024);
    for (auto _ : state) {
        std::FILE* f = std::fopen(file->path.string().c_str(), "rb");
        if (f == nullptr) {
            state.SkipWithError("cannot open the file");
            break;
        }
        std::setvbuf(f, nullptr, _IONBF, 0);
        while (std::fread(chunk.data(), 1, chunk.size(), f) == chunk.size()) {
        }
        std::fclose(f);
        benchmark::DoNotOptimize(chunk.data());
    }
    bytesProcessed(state, file->size);
}

// Loads the file as a run does, with or without the copy of the bytes as loaded.
void loadImage(benchmark::State& state, const FileCase* file, bool keepCopy) {
    for (auto _ : state) {
        FileImage image;
        if (!image.load(file->path, keepCopy)) {
            state.SkipWithError("cannot load the file");
            break;
        }
        benchmark::DoNotOptimize(image.bytesAsLoaded().data());
    }
    bytesProcessed(state, file->size);
}

// The last look, with the bytes compared or (as before there was a copy) without.
void lastLook(benchmark::State& state, const FileCase* file, bool withBytes) {
    FileImage image;
    FileIdentity identity;
    if (!identifyFile(file->path, identity) || !image.load(file->path, true)) {
        state.SkipWithError("cannot load the file");
        return;
    }
    if (withBytes)
        identity.bytesRead = image.bytesAsLoaded();
    for (auto _ : state) {
        const Result<bool> same = stillAsRead(file->path, identity);
        if (!same || !*same) {
            state.SkipWithError("the file changed");
            break;
        }
    }
    bytesProcessed(state, file->size);
}

}  // namespace

void registerPatchRunBenchmarks() {
    for (const FileCase& file : files()) {
        benchmark::RegisterBenchmark(("readFile/" + file.name).c_str(), readFile, &file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("streamFile/" + file.name).c_str(), streamFile, &file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("readRun/" + file.name).c_str(), readRun, &file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("load/" + file.name).c_str(), loadImage, &file, false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("loadWithCopy/" + file.name).c_str(), loadImage, &file, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("lastLook/" + file.name).c_str(), lastLook, &file, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("lastLookTimesOnly/" + file.name).c_str(), lastLook, &file,
                                     false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        if (file.recognised) {
            benchmark::RegisterBenchmark(("writeRun/" + file.name).c_str(), writeRun, &file)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

}  // namespace orvendel
