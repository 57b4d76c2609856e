// Kills `orvendel-cli apply --yes` with SIGKILL about 200 times while it writes an 8 MiB
// executable, half at any moment, half just after the temporary file appears. The executable is
// always wholly old or wholly new; leftovers are recognisable and the next complete run clears
// them.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "reliability_fixtures.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr int kAttempts = 200;
constexpr int kCompleteRunEvery = 20;  // every 20th run is left to finish

std::function<void()> apply(const fs::path& exe, const fs::path& settings) {
    return ChildProcess::cli({"apply", "--yes", exe.string(), settings.string()});
}

// Runs apply to its end.
void completeRun(const fs::path& exe, const fs::path& settings) {
    ChildProcess child(apply(exe, settings));
    EXPECT_EQ(child.wait().code, 0) << "a run that was not killed failed";
}

// Waits up to 20 s until `exe` has a temporary file whose name is not in `old`.
bool waitForNewTemporaryFile(const fs::path& exe, const std::vector<std::string>& old) {
    for (const auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end;) {
        for (const std::string& name : temporaryFilesOf(exe)) {
            if (std::find(old.begin(), old.end(), name) == old.end())
                return true;
        }
        std::this_thread::sleep_for(microseconds(50));
    }
    return false;
}

TEST(KillDuringWrite, TheExecutableIsAlwaysWhollyOldOrWhollyNewAndLeftoversAreCleared) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const fs::path first = dir / "first.chs";
    const fs::path second = dir / "second.chs";
    ASSERT_TRUE(saveSettingsFile(first, kBiowareDefaults).ok());
    ASSERT_TRUE(saveSettingsFile(second, changedValues()).ok());
    writeFixture(exe, buildSample(0, sampleValues(), kSampleSize));
    const std::vector<std::string> files = {"first.chs", "nwmain.exe",
                                            "nwmain.exe.orvendel-original", "second.chs"};

    // Complete runs in both directions give the only two images the file may ever hold.
    completeRun(exe, second);
    const std::vector<std::uint8_t> secondImage = fileBytes(exe);
    completeRun(exe, first);
    const std::vector<std::uint8_t> firstImage = fileBytes(exe);
    const auto start = Clock::now();
    completeRun(exe, second);
    const auto typical = std::chrono::duration_cast<microseconds>(Clock::now() - start);
    ASSERT_EQ(fileBytes(exe), secondImage);
    ASSERT_NE(firstImage, secondImage);

    std::mt19937 random(20261206);  // fixed: a failure can be repeated
    std::uniform_int_distribution<std::int64_t> anyMoment(0, typical.count() * 6 / 5);
    std::uniform_int_distribution<int> duringWrite(0, 3000);
    int killsLeavingTemporaryFile = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        const bool toSecond = attempt % 2 == 0;
        const fs::path& settings = toSecond ? second : first;
        const std::vector<std::uint8_t>& complete = toSecond ? secondImage : firstImage;
        const std::vector<std::uint8_t> before = fileBytes(exe);

        if (attempt % kCompleteRunEvery == kCompleteRunEvery - 1) {
            completeRun(exe, settings);
            ASSERT_EQ(fileBytes(exe), complete);
            ASSERT_EQ(temporaryFilesOf(exe), std::vector<std::string>{})
                << "a complete run did not remove the temporary files of killed runs";
            continue;
        }
        const std::vector<std::string> leftovers = temporaryFilesOf(exe);
        ChildProcess child(apply(exe, settings));
        if (attempt % 4 < 2) {
            std::this_thread::sleep_for(microseconds(anyMoment(random)));
        } else if (waitForNewTemporaryFile(exe, leftovers)) {
            std::this_thread::sleep_for(microseconds(duringWrite(random)));
        }
        child.kill(SIGKILL);
        const ChildExit exit = child.wait();
        ASSERT_TRUE(exit.signal != 0 || exit.code == 0) << "a run that ended by itself failed";

        const std::vector<std::uint8_t> after = fileBytes(exe);
        ASSERT_TRUE(after == before || after == complete)
            << "the executable is torn: neither the old nor the new image";
        ASSERT_EQ(filesBeside(exe, false), files)
            << "a file that is not a recognisable temporary file was left";
        killsLeavingTemporaryFile += temporaryFilesOf(exe).empty() ? 0 : 1;
    }

    completeRun(exe, first);
    EXPECT_EQ(temporaryFilesOf(exe), std::vector<std::string>{});
    EXPECT_GT(killsLeavingTemporaryFile, 0) << "no kill landed during a write";
}

}  // namespace
}  // namespace orvendel
