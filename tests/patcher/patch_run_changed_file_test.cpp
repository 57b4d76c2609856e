// SPDX-License-Identifier: MIT
// A run whose file another program cuts short while the tables search it, or rewrites while
// the new file is written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "patcher/patch_run.h"
#include "platform/file_system_ops.h"
#include "platform/scoped_file_system_ops.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Outcome = RunResult::Outcome;

// Cuts the file to one page (unless it is empty) at the first progress value a table reports,
// that is after the file was loaded and before any signature was searched, or at the full bar,
// after the tables and before the new image is checked.
class TruncatingProgress : public RecordingProgress {
public:
    TruncatingProgress(fs::path file, bool atFullBar)
        : file_(std::move(file)), atFullBar_(atFullBar) {}
    void setValue(double value) override {
        RecordingProgress::setValue(value);
        if (!done_ && !file_.empty() && (atFullBar_ ? value == maximum : value > 0)) {
            done_ = true;
            ASSERT_EQ(::truncate(file_.c_str(), ::sysconf(_SC_PAGESIZE)), 0);
        }
    }

private:
    fs::path file_;
    bool atFullBar_;
    bool done_ = false;
};

// Another program cuts the file, or rewrites it as `cp` does (cut to nothing, then longer) once
// the new file is written: the run is an error that says so and keeps the other program's bytes.
TEST(PatchRun, AFileChangedByAnotherProgramDuringTheRunIsAnErrorAndKeepsItsBytes) {
    const std::vector<std::uint8_t> original = buildSample(1, sampleValues(), std::size_t{1} << 20);
    const std::vector<std::uint8_t> firstPage(original.begin(),
                                              original.begin() + ::sysconf(_SC_PAGESIZE));
    const std::vector<std::uint8_t> other =
        buildSample(0, sampleValues(), (std::size_t{1} << 20) + 4096, 2);
    enum When { Loaded, TablesDone, Written };
    const struct {
        const char* name;
        RunResult (*run)(const fs::path&, CameraState&, ProgressSink&);
        When when;
    } rows[] = {
        {"reading run, cut once loaded", readCameraValues, Loaded},
        {"writing run, cut once loaded", writeCameraValues, Loaded},
        {"writing run, cut after the tables", writeCameraValues, TablesDone},
        {"writing run, rewritten once the new file is written", writeCameraValues, Written},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, original);
        FaultInjectingFileSystemOps ops(FaultInjectingFileSystemOps::Step::None);
        std::optional<ScopedFileSystemOps> scope;  // the real file system maps the file
        if (row.when == Written) {
            writeFixture(dir / "nwmain.exe.orvendel-original", original);  // no other sync
            ops.beforeSync = [&] { writeFixture(file, other); };
            scope.emplace(ops);
        }
        CameraState state;
        state.settings = kBiowareDefaults;
        state.settings.CTZoomMax = 25;
        state.valuesChosen = true;
        TruncatingProgress progress(row.when == Written ? fs::path() : file,
                                    row.when == TablesDone);
        const RunResult result = row.run(file, state, progress);

        EXPECT_EQ(result.outcome, Outcome::FileError);
        EXPECT_EQ(
            result.status,
            row.when == Written
                ? "Cannot write \"" + file.string() +
                      "\": the file was changed by another program while it was being written."
                : "Cannot read \"" + file.string() +
                      "\": the file changed while it was being read.");
        if (row.when == Loaded) {  // nothing of the file is taken
            EXPECT_EQ(state.revision, kRevisionUnknown);
            EXPECT_EQ(state.settings.CTZoomMax, 25);
        }
        EXPECT_EQ(readFixture(file), row.when == Written ? other : firstPage);
        EXPECT_EQ(dir.entries().size(), row.when == Written ? 2u : 1u);
    }
}

}  // namespace
}  // namespace orvendel
