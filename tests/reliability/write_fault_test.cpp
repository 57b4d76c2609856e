// Makes every call of every file-system step fail in turn, through the file layer's seam,
// while a writing patch run replaces the executable or a settings file is saved or loaded.
// After each failure: the file is byte for byte wholly old (wholly new only when the failing
// step came after the replace), no temporary file is left, the permission bits are as they
// were, and the caller gets a message that names the file and the system's reason.
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

struct NamedStep {
    Step step;
    const char* name;
};

// Every step a write or a load can take. Steps a scenario never reaches count zero calls and
// are skipped; the count is checked so that a step dropped from the code shows up.
constexpr NamedStep kSteps[] = {
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

// One call of one step made to fail, and what the caller saw.
struct Attempt {
    bool failed = false;
    std::string message;
};

using Prepare = std::function<void(TempDir&)>;
using Scenario = std::function<Attempt(TempDir&)>;
using Check = std::function<void(TempDir&, Step, const Attempt&)>;

// Makes the nth call of `step` fail in a fresh folder and checks what is left.
void failOneCall(const Prepare& prepare, const Scenario& scenario, const Check& check,
                 const NamedStep& named, int nth) {
    SCOPED_TRACE(std::string(named.name) + ", call " + std::to_string(nth));
    TempDir dir;
    prepare(dir);
    FaultInjectingFileSystemOps ops(named.step, nth);
    Attempt attempt;
    {
        ScopedFileSystemOps scope(ops);
        attempt = scenario(dir);
    }
    // A short write lets the writer try again, which counts as a further call.
    if (named.step == Step::ShortWrite) {
        ASSERT_GE(ops.calls(), nth);
    } else {
        ASSERT_EQ(ops.calls(), nth);
    }
    EXPECT_TRUE(attempt.failed) << "the failure was not reported";
    check(dir, named.step, attempt);
}

// Runs `scenario` once per call of every step, each time failing that call. `prepare` sets up
// a fresh folder and `check` looks at it afterwards. `expectCalls` lists how often a clean run
// reaches each step that must be reached at all.
void failEveryCall(const Prepare& prepare, const Scenario& scenario, const Check& check,
                   const std::vector<std::pair<Step, int>>& expectCalls) {
    for (const NamedStep& named : kSteps) {
        int calls = 0;
        {
            TempDir dir;
            prepare(dir);
            FaultInjectingFileSystemOps counter(named.step, INT_MAX);
            ScopedFileSystemOps scope(counter);
            ASSERT_FALSE(scenario(dir).failed) << "a run without faults failed";
            calls = counter.calls();
        }
        for (const auto& [step, expected] : expectCalls) {
            if (step == named.step) {
                EXPECT_EQ(calls, expected) << named.name << " is not reached as often as thought";
            }
        }
        for (int nth = 1; nth <= calls; ++nth)
            failOneCall(prepare, scenario, check, named, nth);
    }
}

constexpr mode_t kExecutableMode = 0750;

// An executable before and after a successful writing run of changedValues().
struct Images {
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
};

Images imagesOfSize(std::size_t size) {
    Images images{buildSample(0, sampleValues(), size, /*seed=*/7), {}};
    TempDir dir;
    writeFixture(dir / "nwmain.exe", images.before);
    CameraState state;
    state.settings = changedValues();
    RecordingProgress progress;
    const RunResult result = modFile(dir / "nwmain.exe", false, state, progress);
    EXPECT_EQ(result.outcome, RunResult::Outcome::Modified) << result.status;
    images.after = fileBytes(dir / "nwmain.exe");
    EXPECT_NE(images.after, images.before);
    return images;
}

// The three parts of a writing run over an executable whose images are `images`.
class ExecutableScenario {
public:
    explicit ExecutableScenario(const Images& images) : images_(images) {}

    Prepare prepare() const {
        return [this](TempDir& dir) {
            writeFixture(dir / "nwmain.exe", images_.before);
            ASSERT_EQ(::chmod((dir / "nwmain.exe").c_str(), kExecutableMode), 0);
        };
    }
    Scenario scenario() {
        return [this](TempDir& dir) {
            CameraState state;
            state.settings = changedValues();
            state.ExecutableRevision = 0;  // as after the reading run
            RecordingProgress progress;
            const RunResult result = modFile(dir / "nwmain.exe", false, state, progress);
            lastStatusShown_ = progress.statuses.empty() ? "" : progress.statuses.back();
            return Attempt{result.outcome != RunResult::Outcome::Modified, result.status};
        };
    }
    Check check() const {
        return [this](TempDir& dir, Step step, const Attempt& attempt) {
            const fs::path file = dir / "nwmain.exe";
            EXPECT_TRUE(mentions(attempt.message, "\"" + displayPath(file) + "\""))
                << attempt.message;
            EXPECT_TRUE(mentions(attempt.message, "Input/output error")) << attempt.message;
            EXPECT_EQ(lastStatusShown_, attempt.message) << "the status line shows another text";
            const bool afterReplace = step == Step::SyncFolder;
            EXPECT_TRUE(fileBytes(file) == (afterReplace ? images_.after : images_.before))
                << "the executable is not wholly " << (afterReplace ? "new" : "old");
            EXPECT_EQ(modeOf(file), kExecutableMode);
            EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
        };
    }

private:
    const Images& images_;
    std::string lastStatusShown_;
};

TEST(ExecutableWriteFaults, EveryFailingCallLeavesTheExecutableWholeAndNamesIt) {
    const Images images = imagesOfSize(64 * 1024);
    ExecutableScenario run(images);
    failEveryCall(run.prepare(), run.scenario(), run.check(),
                  {{Step::OpenForReading, 1},
                   {Step::CreateTemp, 1},
                   {Step::Write, 1},
                   {Step::Sync, 1},
                   {Step::Close, 2},  // the loaded file, then the written one
                   {Step::Replace, 1},
                   {Step::SyncFolder, 1}});
}

TEST(ExecutableWriteFaults, AFailureInTheSecondChunkOfALargeExecutableLosesNothing) {
    // The file layer writes 4 MiB at a time: this executable takes two writes.
    const Images images = imagesOfSize((std::size_t{4} << 20) + 4096);
    ExecutableScenario run(images);
    failOneCall(run.prepare(), run.scenario(), run.check(), {Step::Write, "write"}, 2);
    failOneCall(run.prepare(), run.scenario(), run.check(), {Step::ShortWrite, "short write"}, 2);
}

// The settings file on disk before and after a save.
CameraSettings savedBefore() {
    return kBiowareDefaults;
}

constexpr mode_t kSettingsMode = 0604;

std::vector<std::uint8_t> settingsBytes(const CameraSettings& settings) {
    const std::string text = formatSettings(settings);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(SettingsFileWriteFaults, SavingOverAnExistingFileKeepsItWholeAndNamesIt) {
    const auto prepare = [](TempDir& dir) {
        writeFixture(dir / "camera.chs", settingsBytes(savedBefore()));
        ASSERT_EQ(::chmod((dir / "camera.chs").c_str(), kSettingsMode), 0);
    };
    const auto scenario = [](TempDir& dir) {
        const FileStatus status = saveSettingsFile(dir / "camera.chs", changedValues());
        return Attempt{!status.ok(), status.message()};
    };
    const auto check = [](TempDir& dir, Step step, const Attempt& attempt) {
        const fs::path file = dir / "camera.chs";
        EXPECT_TRUE(mentions(attempt.message, "\"" + displayPath(file) + "\"")) << attempt.message;
        EXPECT_TRUE(mentions(attempt.message, "Input/output error")) << attempt.message;
        const bool afterReplace = step == Step::SyncFolder;
        EXPECT_EQ(fileBytes(file), settingsBytes(afterReplace ? changedValues() : savedBefore()));
        EXPECT_EQ(modeOf(file), kSettingsMode);
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"camera.chs"});
    };
    failEveryCall(prepare, scenario, check,
                  {{Step::OpenForReading, 0},
                   {Step::CreateTemp, 1},
                   {Step::Write, 1},
                   {Step::Sync, 1},
                   {Step::Close, 1},
                   {Step::Replace, 1}});
}

TEST(SettingsFileWriteFaults, SavingANewFileLeavesNoFileAtAllOnFailure) {
    const auto prepare = [](TempDir&) {};
    const auto scenario = [](TempDir& dir) {
        const FileStatus status = saveSettingsFile(dir / "new.chs", changedValues());
        return Attempt{!status.ok(), status.message()};
    };
    const auto check = [](TempDir& dir, Step step, const Attempt& attempt) {
        EXPECT_TRUE(mentions(attempt.message, displayPath(dir / "new.chs"))) << attempt.message;
        if (step == Step::SyncFolder) {
            EXPECT_EQ(fileBytes(dir / "new.chs"), settingsBytes(changedValues()));
        } else {
            EXPECT_EQ(dir.entries(), std::vector<std::string>{});
        }
    };
    failEveryCall(prepare, scenario, check, {{Step::CreateTemp, 1}, {Step::Replace, 1}});
}

TEST(SettingsFileReadFaults, AFailingLoadChangesNothingInTheRecordAndNamesTheFile) {
    const auto prepare = [](TempDir& dir) {
        writeFixture(dir / "camera.chs", settingsBytes(changedValues()));
    };
    CameraSettings record = kBiowareDefaults;
    const auto scenario = [&](TempDir& dir) {
        record = kBiowareDefaults;
        const LoadResult result = loadSettingsFile(dir / "camera.chs", record, 0);
        return Attempt{result.status != LoadResult::Status::Loaded, result.message};
    };
    const auto check = [&](TempDir& dir, Step, const Attempt& attempt) {
        EXPECT_TRUE(mentions(attempt.message, displayPath(dir / "camera.chs"))) << attempt.message;
        EXPECT_TRUE(sameBytes(record, kBiowareDefaults)) << "the record changed";
        EXPECT_EQ(fileBytes(dir / "camera.chs"), settingsBytes(changedValues()));
    };
    failEveryCall(prepare, scenario, check,
                  {{Step::OpenForReading, 1}, {Step::Read, 1}, {Step::Close, 1}});
}

}  // namespace
}  // namespace orvendel
