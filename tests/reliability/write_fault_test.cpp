// Makes every call of every file-system step fail in turn, through the file layer's seam, while
// a writing patch run replaces the executable or a settings file is saved or loaded. After each
// failure the file is byte for byte wholly old (wholly new only when the step that failed came
// after the replace), no temporary file is left, the permission bits are as they were, and the
// caller gets a message that names the file and the system's reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "patcher/patch_run.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "reliability_fixtures.h"
#include "sample_builder.h"
#include "settingsfile/settings_file.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;
using Bytes = std::vector<std::uint8_t>;

constexpr struct {
    Step step;
    const char* name;
} kSteps[] = {
    {Step::OpenForReading, "open for reading"},
    {Step::Read, "read"},
    {Step::CreateTemp, "create the temporary file"},
    {Step::Write, "write"},
    {Step::ShortWrite, "short write"},
    {Step::CopyPermissions, "copy permissions"},
    {Step::CopyOwner, "copy owner"},
    {Step::Sync, "sync"},
    {Step::Close, "close"},
    {Step::Replace, "replace"},
    {Step::SyncFolder, "sync the folder"},
};

// What the caller saw.
struct Attempt {
    bool failed = false;
    std::string message;
};

// A file, what it holds before a run (nothing when empty), its mode, the run over it, and how
// often a run without faults reaches the steps that matter (so a dropped step shows up).
struct Target {
    const char* name;
    Bytes before;
    mode_t mode;
    std::function<Attempt(const fs::path&)> run;
    std::vector<std::pair<Step, int>> calls;
};

// Sets up `target` in `dir` and runs it with `ops` in place.
Attempt runWith(const Target& target, const TempDir& dir, FaultInjectingFileSystemOps& ops) {
    const fs::path file = dir / target.name;
    if (!target.before.empty()) {
        writeFixture(file, target.before);
        EXPECT_EQ(::chmod(file.c_str(), target.mode), 0);
    }
    ScopedFileSystemOps scope(ops);
    return target.run(file);
}

// Runs `target` once per call of every step, each time failing that call, and checks what is left.
void failEveryCall(const Target& target) {
    for (const auto& [step, name] : kSteps) {
        TempDir clean;
        FaultInjectingFileSystemOps counter(step, INT_MAX);
        ASSERT_FALSE(runWith(target, clean, counter).failed) << "a run without faults failed";
        const Bytes after = fileBytes(clean / target.name);
        for (const auto& [expectedStep, expected] : target.calls) {
            if (expectedStep == step) {
                EXPECT_EQ(counter.calls(), expected)
                    << name << " is not reached as often as thought";
            }
        }
        for (int nth = 1; nth <= counter.calls(); ++nth) {
            SCOPED_TRACE(std::string(target.name) + ": " + name + ", call " + std::to_string(nth));
            TempDir dir;
            const fs::path file = dir / target.name;
            FaultInjectingFileSystemOps ops(step, nth);
            const Attempt attempt = runWith(target, dir, ops);
            // A short write lets the writer try again, which counts as a further call.
            EXPECT_TRUE(step == Step::ShortWrite ? ops.calls() >= nth : ops.calls() == nth);
            EXPECT_TRUE(attempt.failed) << "the failure was not reported";
            EXPECT_TRUE(mentions(attempt.message, "\"" + displayPath(file) + "\"") &&
                        mentions(attempt.message, "Input/output error"))
                << attempt.message;
            const bool replaced = step == Step::SyncFolder;
            if (replaced || !target.before.empty()) {
                EXPECT_TRUE(fileBytes(file) == (replaced ? after : target.before))
                    << "the file is not wholly " << (replaced ? "new" : "old");
                EXPECT_EQ(dir.entries(), std::vector<std::string>{target.name});
            } else {
                EXPECT_EQ(dir.entries(), std::vector<std::string>{});
            }
            if (!target.before.empty()) {
                EXPECT_EQ(modeOf(file), target.mode);
            }
        }
    }
}

Bytes settingsBytes(const CameraSettings& settings) {
    const std::string text = formatSettings(settings);
    return Bytes(text.begin(), text.end());
}

Attempt saveChanged(const fs::path& file) {
    const FileStatus status = saveSettingsFile(file, changedValues());
    return {!status.ok(), status.message()};
}

TEST(WriteFaults, EveryFailingCallLeavesTheExecutableWholeAndNamesIt) {
    // The file layer writes 4 MiB at a time: this executable takes two writes.
    const auto writeChanged = [](const fs::path& file) {
        CameraState state;
        state.settings = changedValues();
        state.ExecutableRevision = 0;  // as after the reading run
        RecordingProgress progress;
        const RunResult result = modFile(file, false, state, progress);
        EXPECT_EQ(progress.statuses.back(), result.status) << "the status line shows another text";
        return Attempt{result.outcome != RunResult::Outcome::Modified, result.status};
    };
    failEveryCall({"nwmain.exe",
                   buildSample(0, sampleValues(), (std::size_t{4} << 20) + 4096, 7),
                   0750,
                   writeChanged,
                   {{Step::OpenForReading, 1},
                    {Step::CreateTemp, 1},
                    {Step::Write, 2},
                    {Step::Sync, 1},
                    {Step::Close, 2},  // the loaded file, then the written one
                    {Step::Replace, 1},
                    {Step::SyncFolder, 1}}});
}

TEST(WriteFaults, EveryFailingCallOfASaveKeepsTheOldSettingsFileOrLeavesNone) {
    failEveryCall({"camera.chs",
                   settingsBytes(kBiowareDefaults),
                   0604,
                   saveChanged,
                   {{Step::OpenForReading, 0},
                    {Step::CreateTemp, 1},
                    {Step::Write, 1},
                    {Step::Sync, 1},
                    {Step::Close, 1},
                    {Step::Replace, 1}}});
    failEveryCall({"new.chs", {}, 0, saveChanged, {{Step::CreateTemp, 1}, {Step::Replace, 1}}});
}

TEST(WriteFaults, EveryFailingCallOfALoadLeavesTheRecordAndTheFileAlone) {
    const auto load = [](const fs::path& file) {
        CameraSettings record = kBiowareDefaults;
        const LoadResult result = loadSettingsFile(file, record, 0);
        const bool failed = result.status != LoadResult::Status::Loaded;
        if (failed) {
            EXPECT_TRUE(sameBytes(record, kBiowareDefaults)) << "the record changed";
        }
        return Attempt{failed, result.message};
    };
    failEveryCall({"camera.chs",
                   settingsBytes(changedValues()),
                   0644,
                   load,
                   {{Step::OpenForReading, 1}, {Step::Read, 1}, {Step::Close, 1}}});
}

}  // namespace
}  // namespace orvendel
