// SPDX-License-Identifier: MIT
// Fails every call of every file-system step in turn while the executable is written or a
// settings file saved or loaded: the file stays wholly old (new only after the replace), its
// original copy whole or absent, nothing else is left, the mode is kept, the message names the
// file and the reason. Then, in child processes, a real full disk (a file-size limit, a small
// tmpfs in a private mount namespace) and an ordinary user's runs on root's executable.
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "platform/scoped_file_system_ops.h"
#include "reliability_fixtures.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;
using Bytes = std::vector<std::uint8_t>;

constexpr struct {
    Step step;
    const char* name;
} kSteps[] = {
    // clang-format off
    {Step::OpenForReading, "open for reading"}, {Step::Read, "read"},
    {Step::Close, "close"}, {Step::CheckWritable, "check writable"},
    {Step::OwnerLoss, "check the owner"},
    {Step::CreateTemp, "create the temporary file"}, {Step::Write, "write"},
    {Step::ShortWrite, "short write"}, {Step::CopyOwner, "copy owner"},
    {Step::CopyAttributes, "copy attributes"}, {Step::Sync, "sync"},
    {Step::Replace, "replace"}, {Step::PlaceNew, "place new"},
    {Step::SyncFolder, "sync the folder"},
    // clang-format on
};
using Calls = std::array<int, std::size(kSteps)>;
// Of each step, the first call that writes the original copy and the first call after the copy
// is whole (0: none).
using CopyCalls = std::array<std::pair<int, int>, std::size(kSteps)>;

// A file, its content before the run (none when empty), its mode, the run (returns the message
// the caller sees, empty on success), how often a faultless run calls each step of kSteps, and
// which of those calls write the original copy (none for settings files).
struct Target {
    const char* name;
    Bytes before;
    fs::perms mode;
    std::function<std::string(const fs::path&)> run;
    Calls calls;
    CopyCalls copyCalls = {};
};

// Sets up `target` in `dir` and runs it with `ops` in place.
std::string runWith(const Target& target, const TempDir& dir, FaultInjectingFileSystemOps& ops) {
    const fs::path file = dir / target.name;
    if (!target.before.empty()) {
        writeFixture(file, target.before);
        fs::permissions(file, target.mode);
    }
    ScopedFileSystemOps scope(ops);
    return target.run(file);
}

// Runs `target` once per call of every step, failing that call, and checks what is left: a
// failure while the original copy is written names the copy and leaves none; a failure after
// it leaves the copy whole.
void failEveryCall(const Target& target) {
    const bool keepsCopy = target.copyCalls != CopyCalls{};
    for (std::size_t i = 0; i < std::size(kSteps); ++i) {
        const auto [step, name] = kSteps[i];
        TempDir clean;
        FaultInjectingFileSystemOps counter(step, INT_MAX);
        ASSERT_EQ(runWith(target, clean, counter), "") << "a run without faults failed";
        EXPECT_EQ(counter.calls(), target.calls[i]) << target.name << ": " << name;
        const Bytes after = fileBytes(clean / target.name);
        for (int nth = 1; nth <= counter.calls(); ++nth) {
            SCOPED_TRACE(std::string(target.name) + ": " + name + ", call " + std::to_string(nth));
            TempDir dir;
            const fs::path file = dir / target.name;
            const fs::path copy = originalCopyPath(file);
            FaultInjectingFileSystemOps ops(step, nth);
            const std::string message = runWith(target, dir, ops);
            const auto [copyFirst, afterCopy] = target.copyCalls[i];
            const bool inCopy =
                copyFirst > 0 && nth >= copyFirst && (afterCopy == 0 || nth < afterCopy);
            // The copy's name is in place when its folder sync fails, and the run stops there.
            const bool copyLeft = keepsCopy && ((afterCopy > 0 && nth >= afterCopy) ||
                                                (inCopy && step == Step::SyncFolder));
            // A short write lets the writer try again, and a last look that fails to close the
            // file it read closes the temporary file too: further calls.
            EXPECT_TRUE(step == Step::ShortWrite || step == Step::Close ? ops.calls() >= nth
                                                                        : ops.calls() == nth);
            const bool replaced = step == Step::SyncFolder && !inCopy;
            EXPECT_TRUE(mentions(message, "\"" + displayPath(inCopy ? copy : file) + "\"") &&
                        mentions(message, "Input/output error"))
                << "the failure was not reported clearly: " << message;
            const bool exists = replaced || !target.before.empty();
            // Together with the contents checked below: nothing else is left.
            EXPECT_EQ(dir.entries().size(), std::size_t{exists} + copyLeft);
            EXPECT_TRUE(!exists || fileBytes(file) == (replaced ? after : target.before));
            EXPECT_TRUE(!copyLeft || fileBytes(copy) == target.before);
            EXPECT_TRUE(target.before.empty() || fs::status(file).permissions() == target.mode);
        }
    }
}

TEST(WriteFaults, EveryFailingCallLeavesTheExecutableAndSettingsFilesWholeAndNamesThem) {
    const auto write = [](const fs::path& file) -> std::string {
        RecordingProgress progress;
        const RunResult result = writeChanged(file, progress);
        EXPECT_EQ(progress.statuses.back(), result.status) << "the status line shows another text";
        return result.outcome == RunResult::Outcome::Modified ? "" : result.status;
    };
    const auto save = [](const fs::path& file) -> std::string {
        const FileStatus status = saveSettingsFile(file, changedValues());
        return status.ok() ? "" : status.message();
    };
    const auto load = [](const fs::path& file) -> std::string {
        CameraSettings record = kBiowareDefaults;
        const Result<SettingsFormat> result = loadSettingsFile(file, record, 0);
        if (result == SettingsFormat::Known)
            return std::string();
        EXPECT_TRUE(sameBytes(record, kBiowareDefaults)) << "the record changed";
        return result.message();
    };
    // The file layer writes 4 MiB at a time: this executable takes two writes, and its first
    // writing run writes it twice, the original copy first. It is read once whole, and again
    // in 1 MiB pieces (five, then the end) by the last look before each of the two writes. Its
    // owner is looked at before the run, then before each write. Each write syncs twice: the
    // bytes, then the metadata. The replace closes the written file.
    const Bytes exe = buildSample(0, sampleValues(), (std::size_t{4} << 20) + 4096, 7);
    // clang-format off
    const Target targets[] = {
        // calls: open, read, close, check writable, owner, create temp, write, short write,
        // chown, attributes, sync, replace, place new, sync folder
        {"nwmain.exe", exe, fs::perms{0750}, write, {3, 13, 3, 1, 3, 2, 4, 4, 2, 2, 4, 1, 1, 2},
         {{{2, 3}, {2, 8}, {2, 3}, {0, 0}, {0, 3}, {1, 2}, {1, 3}, {1, 3}, {1, 2}, {1, 2}, {1, 3},
           {0, 1}, {1, 0}, {1, 2}}}},
        {"camera.chs", bytesOf(formatSettings(kBiowareDefaults)), fs::perms{0604}, save, {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 1, 0, 1}},
        {"new.chs", {}, {}, save, {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 1, 0, 1}},
        {"camera.chs", bytesOf(formatSettings(changedValues())), fs::perms{0644}, load, {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    // clang-format on
    for (const Target& target : targets)
        failEveryCall(target);
}

// Lowers the file-size limit of the calling (child) process, as `ulimit -f` does, leaving
// SIGXFSZ at its default (which ends a process that does not ignore it, silently).
void limitFileSize(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        ::_exit(124);
}

// The programs ignore SIGXFSZ, so the limit is a write error like any other.
TEST(FullDisk, AFileSizeLimitFailsApplyAndSaveWithExitOneAndKeepsBothFiles) {
    TempDir dir;
    fs::create_directory(dir / "scratch");
    const fs::path exe = dir / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    writeFixture(exe, buildSample(1, sampleValues(), std::size_t{1} << 20));
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    // The first write of apply is the executable's original copy.
    const struct {
        std::vector<std::string> args;
        rlim_t limit;
        fs::path target;  // the file the command writes, and must keep
        fs::path named;   // the file whose write fails
    } rows[] = {
        {{"apply", "--yes", exe.string(), settings.string()},
         256 * 1024,
         exe,
         originalCopyPath(exe)},
        {{"read", exe.string(), "--save", settings.string()}, 200, settings, settings},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.front());
        const std::vector<std::uint8_t> before = fileBytes(row.target);
        const rlim_t limit = row.limit;
        ChildProcess cli(ChildProcess::cli(row.args, [limit] { limitFileSize(limit); }),
                         dir / "scratch");
        const ChildExit exit = cli.wait();
        EXPECT_EQ(exit.code, 1) << "signal " << exit.signal << ": " << exit.err;
        EXPECT_TRUE(mentions(exit.err, "\"" + displayPath(row.named) + "\"")) << exit.err;
        EXPECT_TRUE(mentions(exit.err, "File too large")) << exit.err;
        EXPECT_EQ(fileBytes(row.target), before);
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"camera.chs", "nwmain.exe", "scratch"}));
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

// The original copy fits, the new executable does not: both old files stay whole.
TEST(FullDisk, ATmpfsWithRoomForTheExecutableAndItsCopyFailsTheWriteAndLosesNothing) {
    TempDir dir;
    const fs::path disk = dir / "disk";
    fs::create_directory(disk);
    fs::create_directory(dir / "scratch");
    const fs::path exe = disk / "nwmain.exe";
    const auto old = buildSample(0, sampleValues(), 64 * 1024);
    // Checked in the child: the tmpfs goes away with its namespace. Prints "exe copy entries
    // message": whether the executable and the copy hold the old bytes, how many files there are.
    ChildProcess child(
        [&] {
            if (std::string why = mountSmallTmpfs(disk, "160k"); !why.empty()) {
                std::printf("SKIP: %s", why.c_str());
                return;
            }
            writeFixture(exe, old);
            RecordingProgress progress;
            const RunResult result = writeChanged(exe, progress);
            std::printf("%d %d %zu %s", fileBytes(exe) == old,
                        fileBytes(originalCopyPath(exe)) == old,
                        static_cast<std::size_t>(
                            std::distance(fs::directory_iterator(disk), fs::directory_iterator())),
                        result.status.c_str());
        },
        dir / "scratch");
    const ChildExit exit = child.wait();
    ASSERT_EQ(exit.code, 0) << "the child died, signal " << exit.signal << ": " << exit.err;
    if (exit.out.starts_with("SKIP: ")) {
        GTEST_SKIP() << "no small tmpfs on this machine (" << exit.out.substr(6)
                     << "); the file-size limit test covers a full disk here";
    }
    EXPECT_TRUE(exit.out.starts_with("1 1 2 "))
        << "the executable or its copy changed, or a temporary file is left: " << exit.out;
    EXPECT_TRUE(mentions(exit.out, "\"" + displayPath(exe) + "\"") &&
                mentions(exit.out, "No space left on device"))
        << exit.out;
}

constexpr uid_t kUser = 65534;        // nobody, in its own group 65534
constexpr gid_t kSharedGroup = 4242;  // the user belongs to it only in these runs

std::function<void()> asUser(std::vector<std::string> args) {
    return ChildProcess::cli(std::move(args), [] {
        const gid_t groups[] = {kSharedGroup};
        // Groups first: only root may set them, and setuid gives root up for good.
        if (::setgroups(1, groups) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0)
            ::_exit(124);
    });
}

// An ordinary user who may write the file, or only its folder, writes it only where the new file
// keeps the owner and the group (with its setgid bit); else nothing at all is written. The
// kept copy gets the owner, the group and the mode less the group's and others' write bits.
TEST(OtherUser, TheOwnerAndTheGroupAreKeptOrNothingIsWritten) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run orvendel-cli as another user";
    TempDir dir;
    fs::create_directories(dir / "scratch");
    const fs::path home = dir / "home", exe = home / "nwmain.exe", settings = home / "camera.chs";
    fs::create_directory(home);
    ASSERT_EQ(::chown(home.c_str(), kUser, kUser), 0);
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    const Bytes old = buildSample(0, sampleValues(), 256 * 1024);
    const std::string named = "\"" + displayPath(exe) + "\"";
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t mode;
        std::string error;  // empty: written
    } rows[] = {
        {"only root may write it", 0, 0, 0644, "Cannot write " + named + ": Permission denied."},
        {"root's file that anyone may write", 0, 0, 0666,
         "Cannot keep the owner of " + named +
             " (root): run Orvendel as the file's owner or as root."},
        {"the user's setgid file of a group it is not in", kUser, 0, 02775,
         "Cannot keep the group of " + named +
             " (root): run Orvendel as a member of that group or as root."},
        {"the user's setgid file of its shared group", kUser, kSharedGroup, 02775, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(originalCopyPath(exe));
        writeFixture(exe, old);
        ASSERT_EQ(::chown(exe.c_str(), row.owner, row.group), 0);
        ASSERT_EQ(::chmod(exe.c_str(), row.mode), 0);
        ChildProcess cli(asUser({"apply", exe.string(), settings.string()}), dir / "scratch");
        const ChildExit exit = cli.wait();
        if (exit.code == 124 || exit.code == 127) {
            GTEST_SKIP() << "orvendel-cli cannot run as user " << kUser << " here (exit "
                         << exit.code << ": no change of user, or its build folder is closed)";
        }
        struct stat info {};
        ASSERT_EQ(::stat(exe.c_str(), &info), 0);
        EXPECT_EQ(std::vector<unsigned>({info.st_uid, info.st_gid, info.st_mode & 07777u}),
                  std::vector<unsigned>({row.owner, row.group, row.mode}));
        std::vector<std::string> files = {"camera.chs", "nwmain.exe"};
        if (row.error.empty()) {
            EXPECT_EQ(exit.code, 0) << exit.err;
            EXPECT_NE(fileBytes(exe), old);
            struct stat copy {};
            ASSERT_EQ(::stat(originalCopyPath(exe).c_str(), &copy), 0);
            EXPECT_EQ(std::vector<unsigned>({copy.st_uid, copy.st_gid, copy.st_mode & 07777u}),
                      std::vector<unsigned>({row.owner, row.group, 02755u}));
            files.push_back("nwmain.exe.orvendel-original");
        } else {
            EXPECT_EQ(exit.code, 1) << exit.err;
            EXPECT_EQ(exit.err, "orvendel-cli: " + row.error + "\n");
            EXPECT_EQ(fileBytes(exe), old);
        }
        EXPECT_EQ(filesBeside(exe, false), files);
        EXPECT_EQ(temporaryFilesOf(exe), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace orvendel
