// SPDX-License-Identifier: MIT
// What lies at the kept copy's name counts as the way back only when it is a copy that Orvendel
// kept of this very file: writing runs and restores refuse anything else and change nothing.
#include "patcher/kept_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "patcher/patch_run.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Outcome = RunResult::Outcome;

constexpr std::size_t kSize = 256 * 1024;

Bytes sampleOf(int revision) {
    return buildSample(revision, sampleValues(), kSize, 5);
}

// A writing run of other values over `exe`, as the window starts it after its questions.
RunResult writeRun(const fs::path& exe) {
    CameraState state;
    RecordingProgress progress;
    if (readCameraValues(exe, state, progress).outcome != Outcome::Loaded)
        return RunResult{Outcome::FileError, "the sample was not recognised"};
    state.settings.CTClipDist = 60;
    return writeCameraValues(exe, state, progress);
}

RunResult restoreRun(const fs::path& exe) {
    const Result<RestorePlan> plan = planRestore(exe);
    if (!plan)
        return RunResult{Outcome::FileError, plan.message()};
    RecordingProgress progress;
    return restoreOriginal(*plan, progress);
}

struct Planted {
    const char* what;  // the reason the messages give
    std::function<void(const fs::path& copy, const Bytes& original)> plant;
};

const Planted kUntrusted[] = {
    {"a symbolic link",
     [](const fs::path& copy, const Bytes& original) {
         writeFixture(copy.string() + ".real", original);
         fs::create_symlink(copy.filename().string() + ".real", copy);
     }},
    {"a FIFO",
     [](const fs::path& copy, const Bytes&) { ASSERT_EQ(::mkfifo(copy.c_str(), 0600), 0); }},
    {"a folder", [](const fs::path& copy, const Bytes&) { fs::create_directory(copy); }},
    {"an empty file", [](const fs::path& copy, const Bytes&) { writeFixture(copy, {}); }},
    {"not a known revision of the game's executable",
     [](const fs::path& copy, const Bytes&) {
         writeFixture(copy, bytesOf("\"Version\",\"G\"\r\n"));
     }},
    {"a file with other names (hard links)",
     [](const fs::path& copy, const Bytes& original) {
         writeFixture(copy, original);
         fs::create_hard_link(copy, copy.string() + ".link");
     }},
    {"a file that others may change",
     [](const fs::path& copy, const Bytes& original) {
         writeFixture(copy, original);
         fs::permissions(copy, fs::perms::group_write, fs::perm_options::add);
     }},
};

std::string expectedMessage(const fs::path& copy, const std::string& what, const char* advice) {
    return "\"" + copy.string() + "\" is not a copy that Orvendel kept (" + what + "): " + advice;
}

// A restore refuses what lies at `copy`, saying what it is, and `exe` keeps `bytes`.
void expectRestoreRefused(const fs::path& exe, const fs::path& copy, const std::string& what,
                          const Bytes& bytes) {
    const RunResult result = restoreRun(exe);
    EXPECT_EQ(result.outcome, Outcome::UntrustedCopy);
    EXPECT_EQ(result.status, expectedMessage(copy, what, "nothing was restored."));
    EXPECT_EQ(readFixture(exe), bytes);
}

TEST(KeptCopy, AWritingRunRefusesAnythingButItsOwnCopyAndWritesNothing) {
    for (const Planted& row : kUntrusted) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        const fs::path copy = dir / "nwmain.exe.orvendel-original";
        const Bytes original = sampleOf(1);
        writeFixture(exe, original);
        row.plant(copy, original);
        const std::vector<std::string> before = dir.entries();

        const RunResult result = writeRun(exe);
        EXPECT_EQ(result.outcome, Outcome::UntrustedCopy);
        EXPECT_EQ(result.status, expectedMessage(copy, row.what, "move it away and try again."));
        EXPECT_EQ(readFixture(exe), original);
        EXPECT_EQ(dir.entries(), before);
    }
}

TEST(KeptCopy, ARestoreRefusesAnythingButItsOwnCopyAndChangesNothing) {
    for (const Planted& row : kUntrusted) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        const fs::path copy = dir / "nwmain.exe.orvendel-original";
        Bytes edited = sampleOf(1);
        writeFixture(exe, edited);
        ASSERT_EQ(writeRun(exe).outcome, Outcome::Modified);
        edited = readFixture(exe);
        fs::remove(copy);
        row.plant(copy, sampleOf(1));

        expectRestoreRefused(exe, copy, row.what, edited);
    }
}

TEST(KeptCopy, ACopyOfAnotherBuildStopsAWritingRunAndMakesRestoreAskOtherwise) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const fs::path copy = dir / "nwmain.exe.orvendel-original";
    writeFixture(exe, sampleOf(1));
    writeFixture(copy, sampleOf(0));

    const RunResult written = writeRun(exe);
    EXPECT_EQ(written.outcome, Outcome::UntrustedCopy);
    EXPECT_EQ(written.status,
              expectedMessage(copy, "it differs from the executable beyond the camera values",
                              "move it away and try again."));
    const Result<RestorePlan> plan = planRestore(exe);
    ASSERT_TRUE(plan.ok()) << plan.message();
    EXPECT_EQ(restoreQuestion(*plan), kRestoreOtherFileQuestion);
    RecordingProgress progress;
    EXPECT_EQ(restoreOriginal(*plan, progress).outcome, Outcome::Restored);
    EXPECT_EQ(readFixture(exe), sampleOf(0));
}

TEST(KeptCopy, TheCopyAWritingRunKeepsIsTrustedByTheNextAndPrivateToItsOwner) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sampleOf(0));
    fs::permissions(exe, fs::perms::group_write | fs::perms::others_write, fs::perm_options::add);
    ASSERT_EQ(writeRun(exe).outcome, Outcome::Modified);
    const fs::perms copyMode = fs::status(dir / "nwmain.exe.orvendel-original").permissions();
    EXPECT_EQ(copyMode & (fs::perms::group_write | fs::perms::others_write), fs::perms::none);
    const RunResult again = writeRun(exe);
    EXPECT_EQ(again.outcome, Outcome::Modified) << again.status;
    const Result<RestorePlan> plan = planRestore(exe);
    ASSERT_TRUE(plan.ok()) << plan.message();
    EXPECT_EQ(restoreQuestion(*plan), kRestoreQuestion);
}

// Runs `plant` in a child process as the unprivileged user 65534 (nobody).
void asAnotherUser(const std::function<void()>& plant) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        plant();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the planting child failed";
}

// Root's executable in a sticky folder that everyone may write, like /tmp: another user plants a
// link to a root-only file, or a copy of the right bytes of their own, at the copy's name.
TEST(KeptCopy, WhatAnotherUserPlantsInAStickyFolderIsNeverUsed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to act as a second user";
    const struct {
        const char* what;
        bool link;
    } rows[] = {{"a symbolic link", true}, {"a file of another owner than the executable", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        fs::permissions(dir.path(), fs::perms::all | fs::perms::sticky_bit);
        const fs::path exe = dir / "nwmain.exe";
        const fs::path copy = dir / "nwmain.exe.orvendel-original";
        const fs::path secret = dir / "secret";
        const Bytes original = sampleOf(1);
        writeFixture(exe, original);
        writeFixture(secret, Bytes{'s', 'e', 'c', 'r', 'e', 't'});
        fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
        asAnotherUser([&] {
            if (row.link) {
                fs::create_symlink(secret, copy);
            } else {
                writeFixture(copy, original);
            }
        });

        EXPECT_EQ(writeRun(exe).outcome, Outcome::UntrustedCopy);
        EXPECT_EQ(readFixture(exe), original);
        expectRestoreRefused(exe, copy, row.what, original);
    }
}

TEST(SettingsTarget, NeitherTheExecutableNorItsKeptCopyByAnyNameTakesSettings) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, sampleOf(1));
    fs::create_hard_link(exe, dir / "other-name.exe");
    fs::create_symlink("nwmain.exe", dir / "symbolic.chs");
    const std::string executable = "it is the game's executable";
    const std::string copy = "it is the kept copy of the game's original executable";
    const struct {
        fs::path target;
        std::string why;  // empty: allowed
    } rows[] = {
        {exe, executable},
        {dir.path() / "." / "nwmain.exe", executable},
        {dir / "other-name.exe", executable},
        {dir / "symbolic.chs", executable},
        {dir / "nwmain.exe.orvendel-original", copy},
        {dir.path() / "." / "nwmain.exe.orvendel-original", copy},
        {dir / "camera.chs", ""},
        {dir / "nwmain.exe.orvendel-original.chs", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.target.string());
        const FileStatus allowed = settingsTargetAllowed(row.target, exe);
        if (row.why.empty()) {
            EXPECT_TRUE(allowed.ok()) << allowed.message();
        } else {
            EXPECT_EQ(allowed.message(), "Cannot save the settings as \"" + row.target.string() +
                                             "\": " + row.why + ".");
        }
    }
}

}  // namespace
}  // namespace orvendel
