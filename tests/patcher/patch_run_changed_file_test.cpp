// A run whose file another process cuts short while the tables search it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "patcher/patch_run.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Outcome = RunResult::Outcome;

// Cuts the file to one page at the first progress value a table reports, that is after the
// file was loaded and before any signature was searched.
class TruncatingProgress : public RecordingProgress {
public:
    explicit TruncatingProgress(fs::path file) : file_(std::move(file)) {}
    void setValue(double value) override {
        RecordingProgress::setValue(value);
        if (value > 0 && !done_) {
            done_ = true;
            ASSERT_EQ(::truncate(file_.c_str(), ::sysconf(_SC_PAGESIZE)), 0);
        }
    }

private:
    fs::path file_;
    bool done_ = false;
};

TEST(PatchRun, AFileCutShortDuringTheRunIsAnErrorAndNothingIsReadOrWritten) {
    for (const bool forReading : {true, false}) {
        SCOPED_TRACE(forReading ? "reading run" : "writing run");
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, buildSample(1, sampleValues(), std::size_t{1} << 20));

        CameraState state;
        state.settings = kBiowareDefaults;
        state.settings.CTZoomMax = 99;
        const CameraState before = state;
        TruncatingProgress progress(file);
        const RunResult result = modFile(file, forReading, state, progress);

        EXPECT_EQ(result.outcome, Outcome::FileError);
        EXPECT_EQ(result.status, "Cannot read \"" + file.string() +
                                     "\": the file changed while it was being read.");
        EXPECT_EQ(state.ExecutableRevision, before.ExecutableRevision);
        EXPECT_EQ(state.settings.CTZoomMax, 99);
        EXPECT_EQ(fs::file_size(file), static_cast<std::uintmax_t>(::sysconf(_SC_PAGESIZE)));
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
    }
}

}  // namespace
}  // namespace orvendel
