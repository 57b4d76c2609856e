// Writes that meet a real full disk: a file-size limit (RLIMIT_FSIZE, with SIGXFSZ ignored so
// that the write fails with EFBIG instead of killing the process) and, where the machine lets
// a test mount one, a small tmpfs that runs out of space. Both run in a child process so that
// the limit and the mount never touch the test process. Nothing may be lost: the executable
// and the settings file stay wholly old, no temporary file is left, and the error names the
// file and the reason.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

constexpr std::size_t kImageSize = 64 * 1024;

// Lowers the file-size limit of the calling process and makes crossing it an error, not a
// signal.
void limitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(124);
}

// Runs a writing patch run and describes what it left: "" when everything holds, otherwise
// what went wrong. `reason` is the system's text the message must carry.
std::string writeAndDescribe(const fs::path& file, const std::vector<std::uint8_t>& old,
                             const std::string& reason) {
    CameraState state;
    state.settings = changedValues();
    RecordingProgress progress;
    const RunResult result = modFile(file, false, state, progress);
    std::string problems;
    if (result.outcome != RunResult::Outcome::FileError)
        problems += "the run did not fail: " + result.status + "\n";
    if (!mentions(result.status, "\"" + displayPath(file) + "\"") ||
        !mentions(result.status, reason)) {
        problems += "the message does not name the file and the reason: " + result.status + "\n";
    }
    if (fileBytes(file) != old)
        problems += "the executable changed\n";
    if (!temporaryFilesOf(file).empty())
        problems += "a temporary file was left\n";
    return problems;
}

TEST(FullDisk, AFileSizeLimitFailsTheExecutableWriteAndLosesNothing) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    const auto old = buildSample(0, sampleValues(), kImageSize);
    writeFixture(file, old);
    const ChildExit child = ChildProcess::runFunction([&] {
        limitFileSize(kImageSize / 2);
        return writeAndDescribe(file, old, "File too large");
    });
    ASSERT_TRUE(child.exited && child.code == 0) << "the child died, signal " << child.signal;
    EXPECT_EQ(child.out, "");
    EXPECT_EQ(fileBytes(file), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

TEST(FullDisk, AFileSizeLimitFailsASettingsSaveAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir / "camera.chs";
    ASSERT_TRUE(saveSettingsFile(file, kBiowareDefaults).ok());
    const auto old = fileBytes(file);
    const ChildExit child = ChildProcess::runFunction([&] {
        limitFileSize(100);
        const FileStatus status = saveSettingsFile(file, changedValues());
        if (status.ok())
            return std::string("the save did not fail");
        return std::string(mentions(status.message(), displayPath(file)) &&
                                   mentions(status.message(), "File too large")
                               ? ""
                               : "unclear message: " + status.message());
    });
    ASSERT_TRUE(child.exited && child.code == 0) << "the child died, signal " << child.signal;
    EXPECT_EQ(child.out, "");
    EXPECT_EQ(fileBytes(file), old);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"camera.chs"});
}

TEST(FullDisk, TheCommandLineReportsAFullDiskAndExitsWithOne) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    const auto old = buildSample(1, sampleValues(), std::size_t{1} << 20);
    writeFixture(exe, old);
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    fs::create_directory(dir / "scratch");

    ChildProcess apply({ORVENDEL_CLI_PATH, "apply", "--yes", exe.string(), settings.string()},
                       dir / "scratch", [] { limitFileSize(256 * 1024); });
    const ChildExit applied = apply.wait();
    EXPECT_TRUE(applied.exited && applied.code == 1) << applied.err;
    EXPECT_TRUE(mentions(applied.err, displayPath(exe))) << applied.err;
    EXPECT_TRUE(mentions(applied.err, "File too large")) << applied.err;
    EXPECT_EQ(fileBytes(exe), old);

    const fs::path saved = dir / "saved.chs";
    ChildProcess read({ORVENDEL_CLI_PATH, "read", exe.string(), "--save", saved.string()},
                      dir / "scratch", [] { limitFileSize(100); });
    const ChildExit readExit = read.wait();
    EXPECT_TRUE(readExit.exited && readExit.code == 1) << readExit.err;
    EXPECT_TRUE(mentions(readExit.err, displayPath(saved))) << readExit.err;
    EXPECT_FALSE(fs::exists(saved));
    EXPECT_EQ(strayEntries(dir.path(), exe, {"nwmain.exe", "camera.chs", "scratch"}),
              std::vector<std::string>{});
    EXPECT_EQ(temporaryFilesOf(exe), std::vector<std::string>{});
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

// Fills the file system at `folder` until it is full.
void fill(const fs::path& folder) {
    const int file = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::vector<char> block(4096, 'f');
    while (::write(file, block.data(), block.size()) > 0) {
    }
    ::close(file);
}

TEST(FullDisk, ASmallTmpfsThatRunsOutOfSpaceLosesNothing) {
    TempDir dir;
    const fs::path disk = dir / "disk";
    fs::create_directory(disk);
    const auto old = buildSample(0, sampleValues(), kImageSize);
    const ChildExit child = ChildProcess::runFunction([&] {
        if (std::string why = mountSmallTmpfs(disk, "96k"); !why.empty())
            return "SKIP: " + why;
        std::string problems;
        // The executable fits once, not twice.
        const fs::path exe = disk / "nwmain.exe";
        writeFixture(exe, old);
        problems += writeAndDescribe(exe, old, "No space left on device");

        // A settings file on a disk that is already full.
        fs::remove(exe);
        const fs::path settings = disk / "camera.chs";
        if (!saveSettingsFile(settings, kBiowareDefaults).ok())
            return std::string("cannot set up the settings file");
        const auto before = fileBytes(settings);
        fill(disk);
        const FileStatus status = saveSettingsFile(settings, changedValues());
        if (status.ok() || !mentions(status.message(), displayPath(settings)) ||
            !mentions(status.message(), "No space left on device")) {
            problems += "settings save: " + (status.ok() ? "succeeded" : status.message()) + "\n";
        }
        if (fileBytes(settings) != before)
            problems += "the settings file changed\n";
        if (!temporaryFilesOf(settings).empty())
            problems += "a temporary settings file was left\n";
        return problems;
    });
    ASSERT_TRUE(child.exited && child.code == 0) << "the child died, signal " << child.signal;
    if (child.out.starts_with("SKIP: ")) {
        GTEST_SKIP() << "no small tmpfs on this machine (" << child.out.substr(6)
                     << "); the file-size limit tests cover a full disk here";
    }
    EXPECT_EQ(child.out, "");
}

}  // namespace
}  // namespace orvendel
