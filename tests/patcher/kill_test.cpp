// A writing run killed at random moments never leaves a torn executable.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "patcher/patch_run.h"
#include "patcher/revision_table.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

CameraSettings valuesWithHeight(float height) {
    CameraSettings s = sampleValues();
    s.CTHeight = height;
    s.DHeight = height;
    s.CTClipDist = height * 10;
    s.DClipDist = height * 10;
    return s;
}

// ORVENDEL_KILL_ROUNDS raises the number of kills (a few hundred for a thorough run).
int rounds() {
    const char* text = std::getenv("ORVENDEL_KILL_ROUNDS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 25;
}

TEST(KilledWritingRun, LeavesTheExecutableWhollyOldOrWhollyNew) {
    TempDir dir;
    const std::filesystem::path exe = dir / "nwmain.exe";
    writeFixture(exe, buildSample(1, valuesWithHeight(1), kSampleSize, 5));
    std::mt19937 random(12345);

    for (int round = 0; round < rounds(); ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Alternates between two value sets until killed.
            CameraState state;
            state.ExecutableRevision = 1;
            ProgressSink quiet;
            for (int i = 0;; ++i) {
                state.settings = valuesWithHeight(i % 2 ? 1.0f : 2.0f);
                modFile(exe, false, state, quiet);
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 60000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        CameraState state;
        RecordingProgress progress;
        ASSERT_EQ(modFile(exe, true, state, progress).outcome, RunResult::Outcome::Loaded)
            << "round " << round << ": " << state.ExecutableRevision;
        const float height = state.settings.CTHeight;
        EXPECT_TRUE(height == 1.0f || height == 2.0f) << height;
        EXPECT_EQ(state.settings.DHeight, height) << "a mix of two writes";
        EXPECT_EQ(state.settings.DClipDist, height * 10);
        EXPECT_EQ(std::filesystem::file_size(exe), kSampleSize);
    }

    // Whatever a kill left behind, the next writing run clears it away.
    CameraState state;
    state.settings = valuesWithHeight(1);
    ProgressSink quiet;
    ASSERT_EQ(modFile(exe, false, state, quiet).outcome, RunResult::Outcome::Modified);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

}  // namespace
}  // namespace orvendel
