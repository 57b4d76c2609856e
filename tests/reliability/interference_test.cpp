// SPDX-License-Identifier: MIT
// orvendel-cli apply while something else acts on the same executable: a SIGKILL, another
// program rewriting it in place (also on a file system whose clock counts whole seconds), a
// second apply. The file is never torn, leftovers are recognisable and cleared by the next run,
// and a run exits 0 only when its values are in the file (or were written over afterwards),
// otherwise 1 saying that the file changed.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <thread>

#include "reliability_fixtures.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr int kAttempts = 200;
constexpr int kCompleteRunEvery = 20;  // every 20th run is left to finish

std::function<void()> apply(const fs::path& exe, const fs::path& settings) {
    return ChildProcess::cli({"apply", "--yes", exe.string(), settings.string()});
}

// Runs apply to its end; returns how long it took.
microseconds completeRun(const fs::path& exe, const fs::path& settings) {
    const auto start = Clock::now();
    EXPECT_EQ(ChildProcess(apply(exe, settings)).wait().code, 0) << "a run on its own failed";
    return std::chrono::duration_cast<microseconds>(Clock::now() - start);
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

// SIGKILL about 200 times while an 8 MiB executable is written, half at any moment, half just
// after the temporary file appears.
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
    const microseconds typical = completeRun(exe, second);
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

// SIGKILL at any moment of 40 restores onto a read-only executable: the file holds the old or
// the restored bytes, and in either case its read-only mode.
TEST(KillDuringRestore, AReadOnlyExecutableKeepsItsModeWhateverMomentTheKillLands) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    const Bytes original = buildSample(0, sampleValues(), kSampleSize);
    writeFixture(exe, original);
    completeRun(exe, settings);
    const Bytes edited = fileBytes(exe);
    ASSERT_NE(edited, original);
    constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read;
    auto restore = [&] { return ChildProcess::cli({"restore", "--yes", exe.string()}); };
    fs::permissions(exe, kReadOnly);
    const auto start = Clock::now();
    ASSERT_EQ(ChildProcess(restore()).wait().code, 0);
    const auto typical = std::chrono::duration_cast<microseconds>(Clock::now() - start);
    ASSERT_EQ(fileBytes(exe), original);
    EXPECT_EQ(fs::status(exe).permissions(), kReadOnly);

    std::mt19937 random(20261207);  // fixed: a failure can be repeated
    std::uniform_int_distribution<std::int64_t> anyMoment(0, typical.count() * 6 / 5);
    for (int attempt = 0; attempt < 40; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        fs::permissions(exe, fs::perms::owner_write, fs::perm_options::add);
        writeFixture(exe, edited);
        fs::permissions(exe, kReadOnly);
        ChildProcess child(restore());
        std::this_thread::sleep_for(microseconds(anyMoment(random)));
        child.kill(SIGKILL);
        child.wait();
        const Bytes after = fileBytes(exe);
        ASSERT_TRUE(after == edited || after == original) << "the executable is torn";
        ASSERT_EQ(fs::status(exe).permissions(), kReadOnly)
            << (after == edited ? "the old bytes" : "the restored bytes") << " lost their mode";
    }
}

// Writes `bytes` over the file as `cp` does (the same inode, cut to nothing, then written) and
// returns that inode.
ino_t rewriteInPlace(const fs::path& path, const Bytes& bytes) {
    struct stat info {};
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || ::fstat(::fileno(file), &info) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot rewrite " + path.string());
    return info.st_ino;
}

// Whether a failed run said, naming the file, that another program changed it while it was
// written; after a rewrite also that it changed while read, or was empty (opened between the
// cut and the write), or was of neither build (read whole while half rewritten).
bool saysChanged(const ChildExit& exit, const fs::path& exe, bool rewritten) {
    if (rewritten && exit.code == 3)
        return mentions(exit.err, "Unknown version of NWMAIN.  Patch Aborted.");
    return exit.code == 1 && mentions(exit.err, "\"" + displayPath(exe) + "\": ") &&
           (mentions(exit.err,
                     "the file was changed by another program while it was being written.") ||
            (rewritten && (mentions(exit.err, "the file changed while it was being read.") ||
                           mentions(exit.err, "the file is empty."))));
}

// Another program rewrites `exe` in place with `rewritten` at any moment of `attempts` runs of
// apply over `original`. A run that exits 0 left one of its results, or ran before the rewrite;
// a failed one says that the file changed and leaves the other program's bytes. `check` looks at
// what else is left after each run.
void raceRewrites(const fs::path& exe, const fs::path& settings, const fs::path& scratch,
                  const Bytes& original, const Bytes& rewritten, int attempts, unsigned seed,
                  const std::function<void(const ChildExit&)>& check) {
    const auto start = [&](const Bytes& bytes) {  // without an original copy; gives the inode
        fs::remove(originalCopyPath(exe));
        return rewriteInPlace(exe, bytes);
    };
    start(original);
    const microseconds typical = completeRun(exe, settings);
    const Bytes appliedToOriginal = fileBytes(exe);
    start(rewritten);
    completeRun(exe, settings);
    const Bytes appliedToRewritten = fileBytes(exe);
    ASSERT_NE(appliedToOriginal, original);
    ASSERT_NE(appliedToRewritten, rewritten);
    ASSERT_NE(appliedToOriginal, appliedToRewritten);
    std::mt19937 random(seed);  // fixed: a failure can be repeated
    std::uniform_int_distribution<std::int64_t> anyMoment(0, typical.count() * 6 / 5);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        SCOPED_TRACE("rewrite, attempt " + std::to_string(attempt));
        const ino_t read = start(original);
        ChildProcess child(apply(exe, settings), scratch);
        std::this_thread::sleep_for(microseconds(anyMoment(random)));
        // Written into another inode: the run had put its file in place before the rewrite.
        const bool rewriteCameLater = rewriteInPlace(exe, rewritten) != read;
        const ChildExit exit = child.wait();
        const Bytes after = fileBytes(exe);
        if (exit.code == 0) {
            ASSERT_TRUE(after == appliedToOriginal || after == appliedToRewritten ||
                        (after == rewritten && rewriteCameLater))
                << "the run reported success, but the file holds neither of its results";
        } else {
            ASSERT_TRUE(saysChanged(exit, exe, true)) << exit.code << ": " << exit.err;
            ASSERT_TRUE(after == rewritten) << "a failed run changed the file, or tore it";
        }
        ASSERT_NO_FATAL_FAILURE(check(exit));
    }
}

// Another program rewrites the file in place at any moment of 200 runs; then a second apply
// starts at any moment of the first, 40 times.
TEST(Race, ARewriteOrASecondRunNeverTearsTheFileAndEveryRunReportsTruthfully) {
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe", copy = originalCopyPath(exe);
    const fs::path first = dir / "first.chs", second = dir / "second.chs";
    CameraSettings otherValues = changedValues();
    otherValues.CTZoomDef = 18, otherValues.DHeight = 2.25f;
    ASSERT_TRUE(saveSettingsFile(first, changedValues()).ok());
    ASSERT_TRUE(saveSettingsFile(second, otherValues).ok());
    fs::create_directories(dir / "scratch" / "second");
    const Bytes original = buildSample(0, sampleValues(), std::size_t{2} << 20, 3);
    // Everything beside the executable: no temporary file left of either file.
    auto expectOnlyOwnFiles = [&](bool withCopy) {
        std::vector<std::string> own = {"first.chs", "nwmain.exe", "scratch", "second.chs"};
        if (withCopy)
            own.insert(own.begin() + 2, "nwmain.exe.orvendel-original");
        EXPECT_EQ(dir.entries(), own);
    };
    // What another program writes: a longer file of the other revision.
    const Bytes rewritten = buildSample(1, sampleValues(), std::size_t{3} << 20, 4);
    raceRewrites(
        exe, first, dir / "scratch", original, rewritten, 200, 20261207,
        [&](const ChildExit& exit) {
            const Bytes kept = fileBytes(copy);
            ASSERT_TRUE(kept == original || kept == rewritten || (kept.empty() && exit.code != 0))
                << "the original copy is torn or missing";
            expectOnlyOwnFiles(!kept.empty());
        });

    const auto start = [&](const fs::path& settings) {
        fs::remove(copy);
        rewriteInPlace(exe, original);
        return completeRun(exe, settings);
    };
    start(second);
    const Bytes secondResult = fileBytes(exe);
    const microseconds typical = start(first);
    const Bytes firstResult = fileBytes(exe);
    std::mt19937 random(20261209);  // fixed: a failure can be repeated
    std::uniform_int_distribution<std::int64_t> whileTheFirstRuns(0, typical.count());
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("two runs, round " + std::to_string(round));
        fs::remove(copy);
        rewriteInPlace(exe, original);
        ChildProcess one(apply(exe, first), dir / "scratch");
        std::this_thread::sleep_for(microseconds(whileTheFirstRuns(random)));
        ChildProcess two(apply(exe, second), dir / "scratch" / "second");
        const ChildExit exits[] = {one.wait(), two.wait()};
        for (const ChildExit& exit : exits)
            EXPECT_TRUE(exit.code == 0 || saysChanged(exit, exe, false)) << exit.err;
        const Bytes after = fileBytes(exe);
        EXPECT_TRUE((exits[0].code == 0 && after == firstResult) ||
                    (exits[1].code == 0 && after == secondResult))
            << "the file holds no result of a run that reported success";
        EXPECT_EQ(fileBytes(copy), original);
        expectOnlyOwnFiles(true);
    }
}

// An ext4 file system made with 128-byte inodes, whose times count whole seconds (as on ext2,
// ext3 and FAT), loop-mounted in `scratch` in a mount namespace of this process's own, so that
// it goes away with the process at the latest. why() says why there is none.
class CoarseClockDisk {
public:
    explicit CoarseClockDisk(const fs::path& scratch) : where_(scratch / "disk") {
        if (::geteuid() != 0) {
            why_ = "mounting a file system needs root";
            return;
        }
        const fs::path image = scratch / "disk.img";
        fs::create_directory(where_);
        std::ofstream(image).close();
        fs::resize_file(image, std::uintmax_t{64} << 20);
        const std::string quiet = " >/dev/null 2>&1";
        if (std::system(("mkfs.ext4 -q -F -I 128 '" + image.string() + "'" + quiet).c_str()) != 0) {
            why_ = "mkfs.ext4 -I 128 failed (is e2fsprogs installed?)";
            return;
        }
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            why_ = std::string("no mount namespace of its own: ") + std::strerror(errno);
            return;
        }
        const std::string mount =
            "mount -o loop '" + image.string() + "' '" + where_.string() + "'" + quiet;
        if (std::system(mount.c_str()) != 0) {
            why_ = "cannot mount it on a loop device (no loop devices here?)";
            return;
        }
        mounted_ = true;
    }
    ~CoarseClockDisk() {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    CoarseClockDisk(const CoarseClockDisk&) = delete;
    CoarseClockDisk& operator=(const CoarseClockDisk&) = delete;

    const fs::path& path() const { return where_; }
    const std::string& why() const { return why_; }

private:
    fs::path where_;
    std::string why_;
    bool mounted_ = false;
};

// There another program's rewrite in place of the same length within one second leaves the
// file's length and times as they were: such a rewrite at any moment of 80 runs never tears
// the file, and a run that it overlapped fails saying so and leaves the other program's bytes.
TEST(Race, OnACoarseClockARewriteOfTheSameLengthNeverTearsTheFile) {
    TempDir dir;
    CoarseClockDisk disk(dir.path());
    if (!disk.why().empty())
        GTEST_SKIP() << disk.why();
    const fs::path exe = disk.path() / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    ASSERT_TRUE(saveSettingsFile(settings, changedValues()).ok());
    fs::create_directory(dir / "scratch");
    const Bytes original = buildSample(0, sampleValues(), std::size_t{2} << 20, 3);
    rewriteInPlace(exe, original);
    struct stat info {};
    ASSERT_EQ(::stat(exe.c_str(), &info), 0);
    ASSERT_EQ(info.st_mtim.tv_nsec, 0) << "the file system keeps times finer than seconds";
    raceRewrites(
        exe, settings, dir / "scratch", original,
        buildSample(0, sampleValues(), std::size_t{2} << 20, 4), 80, 20261208,
        [&](const ChildExit&) { ASSERT_EQ(temporaryFilesOf(exe), std::vector<std::string>{}); });
}

}  // namespace
}  // namespace orvendel
