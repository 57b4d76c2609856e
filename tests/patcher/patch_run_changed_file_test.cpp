// A run whose file another process cuts short while the tables search it, or rewrites while
// the new file is written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "patcher/patch_run.h"
#include "platform/file_system_ops.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Outcome = RunResult::Outcome;

// Cuts the file to one page at the first progress value a table reports, that is after the
// file was loaded and before any signature was searched, or at the full bar, after the tables
// and before the new image is checked.
class TruncatingProgress : public RecordingProgress {
public:
    TruncatingProgress(fs::path file, bool atFullBar)
        : file_(std::move(file)), atFullBar_(atFullBar) {}
    void setValue(double value) override {
        RecordingProgress::setValue(value);
        if (!done_ && (atFullBar_ ? value == maximum : value > 0)) {
            done_ = true;
            ASSERT_EQ(::truncate(file_.c_str(), ::sysconf(_SC_PAGESIZE)), 0);
        }
    }

private:
    fs::path file_;
    bool atFullBar_;
    bool done_ = false;
};

TEST(PatchRun, AFileCutShortDuringTheRunIsAnErrorAndNothingIsReadOrWritten) {
    const struct {
        bool forReading;
        bool atFullBar;
    } rows[] = {{true, false}, {false, false}, {false, true}};
    for (const auto [forReading, atFullBar] : rows) {
        SCOPED_TRACE(std::string(forReading ? "reading run" : "writing run") +
                     (atFullBar ? ", cut after the tables" : ""));
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, buildSample(1, sampleValues(), std::size_t{1} << 20));

        CameraState state;
        state.settings = kBiowareDefaults;
        state.settings.CTZoomMax = 99;
        state.valuesChosen = true;
        const CameraState before = state;
        TruncatingProgress progress(file, atFullBar);
        const RunResult result = modFile(file, forReading, state, progress);

        EXPECT_EQ(result.outcome, Outcome::FileError);
        EXPECT_EQ(result.status, "Cannot read \"" + file.string() +
                                     "\": the file changed while it was being read.");
        if (!atFullBar) {
            EXPECT_EQ(state.ExecutableRevision, before.ExecutableRevision);
        }
        EXPECT_EQ(state.settings.CTZoomMax, 99);
        EXPECT_EQ(fs::file_size(file), static_cast<std::uintmax_t>(::sysconf(_SC_PAGESIZE)));
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

// Rewrites the file, as `cp` does (cut to nothing, then longer), once the new file is written.
class RewriteWhenSynced : public FaultInjectingFileSystemOps {
public:
    RewriteWhenSynced(fs::path file, std::vector<std::uint8_t> bytes)
        : FaultInjectingFileSystemOps(Step::None),
          file_(std::move(file)),
          bytes_(std::move(bytes)) {}
    std::error_code sync(FileHandle file) override {
        writeFixture(file_, bytes_);
        return FaultInjectingFileSystemOps::sync(file);
    }

private:
    fs::path file_;
    std::vector<std::uint8_t> bytes_;
};

TEST(PatchRun, AFileRewrittenWhileTheNewOneIsWrittenKeepsTheOtherProgramsBytes) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    const std::vector<std::uint8_t> original = buildSample(1, sampleValues(), std::size_t{1} << 20);
    writeFixture(file, original);
    writeFixture(dir / "nwmain.exe.orvendel-original", original);
    const std::vector<std::uint8_t> other =
        buildSample(0, sampleValues(), (std::size_t{1} << 20) + 4096, 2);
    RewriteWhenSynced ops(file, other);
    ScopedFileSystemOps scope(ops);

    CameraState state;
    state.settings = kBiowareDefaults;
    state.settings.CTZoomMax = 25;
    state.valuesChosen = true;
    RecordingProgress progress;
    const RunResult result = modFile(file, false, state, progress);
    EXPECT_EQ(result.outcome, Outcome::FileError);
    EXPECT_EQ(result.status, "Cannot write \"" + file.string() +
                                 "\": the file was changed by another program while it was "
                                 "being written.");
    EXPECT_EQ(readFixture(file), other);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"nwmain.exe", "nwmain.exe.orvendel-original"}));
}

}  // namespace
}  // namespace orvendel
