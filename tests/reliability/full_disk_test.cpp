// Writes that meet a real full disk, in child processes so that neither the limit nor the
// mount touches the test process: a file-size limit (RLIMIT_FSIZE, SIGXFSZ ignored so that the
// write fails with EFBIG) under orvendel-cli, and a small tmpfs in a private mount namespace
// that holds the executable once but not a second copy. Nothing may be lost.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "patcher/patch_run.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "reliability_fixtures.h"
#include "sample_builder.h"
#include "settingsfile/settings_file.h"
#include "temp_dir.h"

#ifndef ORVENDEL_CLI_PATH
#error "ORVENDEL_CLI_PATH must name the orvendel-cli binary"
#endif

namespace orvendel {
namespace {

namespace fs = std::filesystem;

// Lowers the file-size limit of the calling (child) process; crossing it becomes an error.
void limitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(124);
}

TEST(FullDisk, AFileSizeLimitFailsApplyAndSaveWithExitOneAndKeepsBothFiles) {
    TempDir dir;
    fs::create_directory(dir / "scratch");
    const fs::path exe = dir / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    writeFixture(exe, buildSample(1, sampleValues(), std::size_t{1} << 20));
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    const struct {
        std::vector<std::string> args;
        rlim_t limit;
        fs::path target;  // the file the command writes, and must keep
    } rows[] = {
        {{"apply", "--yes", exe.string(), settings.string()}, 256 * 1024, exe},
        {{"read", exe.string(), "--save", settings.string()}, 100, settings},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.front());
        const std::vector<std::uint8_t> before = fileBytes(row.target);
        std::vector<std::string> argv{ORVENDEL_CLI_PATH};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const rlim_t limit = row.limit;
        ChildProcess cli(argv, dir / "scratch", [limit] { limitFileSize(limit); });
        const ChildExit exit = cli.wait();
        EXPECT_EQ(exit.code, 1) << exit.err;
        EXPECT_TRUE(mentions(exit.err, "\"" + displayPath(row.target) + "\"")) << exit.err;
        EXPECT_TRUE(mentions(exit.err, "File too large")) << exit.err;
        EXPECT_EQ(fileBytes(row.target), before);
        EXPECT_EQ(temporaryFilesOf(row.target), std::vector<std::string>{});
    }
}

// Gives the calling (child) process a mount namespace of its own with a tmpfs of `size` at
// `where`. Returns "" or why it could not be done.
std::string mountSmallTmpfs(const fs::path& where, const char* size) {
    if (::unshare(CLONE_NEWNS) != 0) {
        // Without the right to mount, a user namespace may still grant it.
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return std::string("no mount namespace: ") + std::strerror(errno);
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("cannot make mounts private: ") + std::strerror(errno);
    const std::string options = std::string("size=") + size;
    if (::mount("orvendel-test", where.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    return "";
}

TEST(FullDisk, ATmpfsWithRoomForOneCopyOfTheExecutableFailsTheWriteAndLosesNothing) {
    TempDir dir;
    const fs::path disk = dir / "disk";
    fs::create_directory(disk);
    const auto old = buildSample(0, sampleValues(), 64 * 1024);
    // The checks run in the child: the tmpfs goes away with its namespace.
    const ChildExit child = ChildProcess::runFunction([&] {
        if (std::string why = mountSmallTmpfs(disk, "96k"); !why.empty())
            return "SKIP: " + why;
        const fs::path exe = disk / "nwmain.exe";
        writeFixture(exe, old);
        CameraState state;
        state.settings = changedValues();
        RecordingProgress progress;
        const RunResult result = modFile(exe, false, state, progress);
        std::string problems;
        if (result.outcome != RunResult::Outcome::FileError ||
            !mentions(result.status, "\"" + displayPath(exe) + "\"") ||
            !mentions(result.status, "No space left on device")) {
            problems += "not a clear failure: " + result.status + "\n";
        }
        if (fileBytes(exe) != old)
            problems += "the executable changed\n";
        if (!temporaryFilesOf(exe).empty())
            problems += "a temporary file was left\n";
        return problems;
    });
    ASSERT_EQ(child.code, 0) << "the child died, signal " << child.signal;
    if (child.out.starts_with("SKIP: ")) {
        GTEST_SKIP() << "no small tmpfs on this machine (" << child.out.substr(6)
                     << "); the file-size limit test covers a full disk here";
    }
    EXPECT_EQ(child.out, "");
}

}  // namespace
}  // namespace orvendel
