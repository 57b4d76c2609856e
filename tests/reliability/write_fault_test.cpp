// Fails every call of every file-system step in turn while the executable is written or a
// settings file saved or loaded: the file stays wholly old (new only after the replace), nothing
// else is left, the mode is kept, the message names the file and the reason. Then a real full
// disk, in child processes: a file-size limit under orvendel-cli, and a tmpfs too small for two
// copies of the executable in a private mount namespace.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
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
    {Step::CreateTemp, "create the temporary file"}, {Step::Write, "write"},
    {Step::ShortWrite, "short write"}, {Step::CopyPermissions, "copy permissions"},
    {Step::CopyOwner, "copy owner"}, {Step::Sync, "sync"}, {Step::Close, "close"},
    {Step::Replace, "replace"}, {Step::SyncFolder, "sync the folder"},
    // clang-format on
};

// A file, its content before the run (none when empty), its mode, the run (returns the message
// the caller sees, empty on success), and how often a faultless run calls each step of kSteps.
struct Target {
    const char* name;
    Bytes before;
    fs::perms mode;
    std::function<std::string(const fs::path&)> run;
    std::array<int, std::size(kSteps)> calls;
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

// Runs `target` once per call of every step, failing that call, and checks what is left.
void failEveryCall(const Target& target) {
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
            FaultInjectingFileSystemOps ops(step, nth);
            const std::string message = runWith(target, dir, ops);
            // A short write lets the writer try again, which counts as a further call.
            EXPECT_TRUE(step == Step::ShortWrite ? ops.calls() >= nth : ops.calls() == nth);
            EXPECT_TRUE(mentions(message, "\"" + displayPath(file) + "\"") &&
                        mentions(message, "Input/output error"))
                << "the failure was not reported clearly: " << message;
            const bool replaced = step == Step::SyncFolder;
            const bool exists = replaced || !target.before.empty();
            EXPECT_EQ(dir.entries(),
                      exists ? std::vector<std::string>{target.name} : std::vector<std::string>{});
            EXPECT_TRUE(!exists || fileBytes(file) == (replaced ? after : target.before));
            EXPECT_TRUE(target.before.empty() || fs::status(file).permissions() == target.mode);
        }
    }
}

Bytes settingsBytes(const CameraSettings& settings) {
    const std::string text = formatSettings(settings);
    return Bytes(text.begin(), text.end());
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
        const LoadResult result = loadSettingsFile(file, record, 0);
        if (result.status == LoadResult::Status::Loaded)
            return std::string();
        EXPECT_TRUE(sameBytes(record, kBiowareDefaults)) << "the record changed";
        return result.message;
    };
    // The file layer writes 4 MiB at a time: this executable takes two writes. It is closed
    // twice: once loaded, once written.
    const Bytes exe = buildSample(0, sampleValues(), (std::size_t{4} << 20) + 4096, 7);
    // clang-format off
    const Target targets[] = {
        // calls: open, read, create temp, write, short write, chmod, chown, sync, close,
        // replace, sync folder
        {"nwmain.exe", exe, fs::perms{0750}, write, {1, 1, 1, 2, 2, 1, 1, 1, 2, 1, 1}},
        {"camera.chs", settingsBytes(kBiowareDefaults), fs::perms{0604}, save, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"new.chs", {}, {}, save, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"camera.chs", settingsBytes(changedValues()), fs::perms{0644}, load, {1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0}},
    };
    // clang-format on
    for (const Target& target : targets)
        failEveryCall(target);
}

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
        {{"read", exe.string(), "--save", settings.string()}, 200, settings},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.front());
        const std::vector<std::uint8_t> before = fileBytes(row.target);
        const rlim_t limit = row.limit;
        ChildProcess cli(ChildProcess::cli(row.args, [limit] { limitFileSize(limit); }),
                         dir / "scratch");
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
    fs::create_directory(dir / "scratch");
    const fs::path exe = disk / "nwmain.exe";
    const auto old = buildSample(0, sampleValues(), 64 * 1024);
    // Checked in the child: the tmpfs goes away with its namespace. Prints "unchanged temps msg".
    ChildProcess child(
        [&] {
            if (std::string why = mountSmallTmpfs(disk, "96k"); !why.empty()) {
                std::printf("SKIP: %s", why.c_str());
                return;
            }
            writeFixture(exe, old);
            RecordingProgress progress;
            const RunResult result = writeChanged(exe, progress);
            std::printf("%d %zu %s", fileBytes(exe) == old, temporaryFilesOf(exe).size(),
                        result.status.c_str());
        },
        dir / "scratch");
    const ChildExit exit = child.wait();
    ASSERT_EQ(exit.code, 0) << "the child died, signal " << exit.signal << ": " << exit.err;
    if (exit.out.starts_with("SKIP: ")) {
        GTEST_SKIP() << "no small tmpfs on this machine (" << exit.out.substr(6)
                     << "); the file-size limit test covers a full disk here";
    }
    EXPECT_TRUE(exit.out.starts_with("1 0 "))
        << "the executable changed or a temporary file is left";
    EXPECT_TRUE(mentions(exit.out, "\"" + displayPath(exe) + "\"") &&
                mentions(exit.out, "No space left on device"))
        << exit.out;
}

}  // namespace
}  // namespace orvendel
