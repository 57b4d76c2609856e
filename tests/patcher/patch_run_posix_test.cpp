// The patch run and exact POSIX permission bits.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "patcher/patch_run.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "scripted_read_only_prompt.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

TEST(PatchRunPosix, YesAddsOnlyTheOwnerWriteBitAndAWrittenFileKeepsItsMode) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, buildSample(1, sampleValues(), 256 * 1024));
    ASSERT_EQ(::chmod(exe.c_str(), 0454), 0);
    ScriptedReadOnlyPrompt yes(true);
    std::string error;
    ASSERT_TRUE(fixReadOnly(exe, yes, &error));
    EXPECT_EQ(fs::status(exe).permissions(), static_cast<fs::perms>(0654));

    CameraState state;
    state.settings = sampleValues();
    state.settings.CTHeight = 1.5f;
    RecordingProgress progress;
    ASSERT_EQ(modFile(exe, false, state, progress).outcome, RunResult::Outcome::Modified);
    EXPECT_EQ(fs::status(exe).permissions(), static_cast<fs::perms>(0654));
}

}  // namespace
}  // namespace orvendel
