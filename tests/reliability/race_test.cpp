// orvendel-cli apply while someone else writes the same executable: another program rewriting
// it in place at a random moment of each of 200 runs, and a second apply. The file is never
// torn, and every run reports truthfully: exit 0 only when its values are in the file (or
// another program wrote over them afterwards), exit 1 saying that the file was changed
// otherwise.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
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

constexpr int kRewriteAttempts = 200;
constexpr int kTwoRunRounds = 40;
const std::string kChangedWhileWritten =
    "the file was changed by another program while it was being written.";
const std::string kChangedWhileRead = "the file changed while it was being read.";

std::function<void()> apply(const fs::path& exe, const fs::path& settings) {
    return ChildProcess::cli({"apply", "--yes", exe.string(), settings.string()});
}

// Runs apply to its end and returns the file it leaves.
Bytes completeRun(const fs::path& exe, const fs::path& settings) {
    ChildProcess child(apply(exe, settings));
    if (child.wait().code != 0)
        throw std::runtime_error("a run without interference failed");
    return fileBytes(exe);
}

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Writes `bytes` over the file as `cp` does: the same inode, cut to nothing, then written.
// Returns the inode written.
ino_t rewriteInPlace(const fs::path& path, const Bytes& bytes) {
    const int file = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    struct stat info {};
    if (file < 0 || ::fstat(file, &info) != 0)
        throw std::runtime_error("cannot rewrite " + path.string());
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(file, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            throw std::runtime_error("cannot rewrite " + path.string());
        done += static_cast<std::size_t>(n);
    }
    ::close(file);
    return info.st_ino;
}

// Whether a failed run said that the file changed under it, naming the file. A run that
// opened the file between the cut and the write found it empty, and may say so.
bool saysChanged(const ChildExit& exit, const fs::path& exe, bool emptyToo = false) {
    return exit.code == 1 && mentions(exit.err, "\"" + displayPath(exe) + "\": ") &&
           (mentions(exit.err, kChangedWhileWritten) || mentions(exit.err, kChangedWhileRead) ||
            (emptyToo && mentions(exit.err, "the file is empty.")));
}

// Values that differ from changedValues() at some sites.
CameraSettings otherValues() {
    CameraSettings values = changedValues();
    values.CTZoomDef = 18;
    values.DHeight = 2.25f;
    return values;
}

struct Fixture {
    TempDir dir;
    fs::path exe = dir / "nwmain.exe";
    fs::path first = dir / "first.chs";
    fs::path second = dir / "second.chs";
    Bytes original = buildSample(0, sampleValues(), std::size_t{2} << 20, 3);

    Fixture() {
        fs::create_directory(dir / "scratch");
        if (!saveSettingsFile(first, changedValues()).ok() ||
            !saveSettingsFile(second, otherValues()).ok())
            throw std::runtime_error("cannot save the settings files");
        writeFixture(exe, original);
    }
    // Everything beside the executable but its temporary files, which must all be gone.
    void expectOnlyOwnFiles(bool withCopy = true) const {
        std::vector<std::string> own = {"first.chs", "nwmain.exe", "scratch", "second.chs"};
        if (withCopy)
            own.insert(own.begin() + 2, "nwmain.exe.orvendel-original");
        EXPECT_EQ(filesBeside(exe, false), own);
        EXPECT_EQ(temporaryFilesOf(exe), std::vector<std::string>{});
        EXPECT_EQ(temporaryFilesOf(originalCopyPath(exe)), std::vector<std::string>{});
    }
};

TEST(RaceWithARewrite, TheFileIsNeverTornAndEveryRunReportsTruthfully) {
    Fixture f;
    // A longer file of the other revision, and what apply makes of either.
    const Bytes rewritten = buildSample(1, sampleValues(), std::size_t{3} << 20, 4);
    const auto start = Clock::now();
    const Bytes appliedToOriginal = completeRun(f.exe, f.first);
    const auto typical = std::chrono::duration_cast<microseconds>(Clock::now() - start);
    writeFixture(f.exe, rewritten);
    const Bytes appliedToRewritten = completeRun(f.exe, f.first);
    ASSERT_NE(appliedToOriginal, f.original);
    ASSERT_NE(appliedToRewritten, rewritten);

    std::mt19937 random(20261207);  // fixed: a failure can be repeated
    std::uniform_int_distribution<std::int64_t> anyMoment(0, typical.count() * 6 / 5);
    for (int attempt = 0; attempt < kRewriteAttempts; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        // Every run keeps the original copy too, from the bytes it read.
        fs::remove(originalCopyPath(f.exe));
        writeFixture(f.exe, f.original);
        const ino_t read = inodeOf(f.exe);
        ChildProcess child(apply(f.exe, f.first), f.dir / "scratch");
        std::this_thread::sleep_for(microseconds(anyMoment(random)));
        // Written into another inode: the run had put its file in place before the rewrite.
        const bool rewriteCameLater = rewriteInPlace(f.exe, rewritten) != read;
        const ChildExit exit = child.wait();
        const Bytes after = fileBytes(f.exe);
        const Bytes copy = fileBytes(originalCopyPath(f.exe));

        if (exit.code == 0) {
            ASSERT_TRUE(after == appliedToOriginal || after == appliedToRewritten ||
                        (after == rewritten && rewriteCameLater))
                << "the run reported success, but the file holds neither of its results";
        } else {
            ASSERT_TRUE(saysChanged(exit, f.exe, true)) << exit.code << ": " << exit.err;
            ASSERT_TRUE(after == rewritten) << "a failed run changed the file, or tore it";
        }
        ASSERT_TRUE(copy == f.original || copy == rewritten || (copy.empty() && exit.code != 0))
            << "the original copy is torn or missing";
        f.expectOnlyOwnFiles(!copy.empty());
    }
}

TEST(TwoRunsAtOnce, BothReportTruthfullyAndTheFileIsWhollyOneResult) {
    Fixture f;
    const auto start = Clock::now();
    const Bytes firstResult = completeRun(f.exe, f.first);
    const auto typical = std::chrono::duration_cast<microseconds>(Clock::now() - start);
    writeFixture(f.exe, f.original);
    const Bytes secondResult = completeRun(f.exe, f.second);
    ASSERT_NE(firstResult, secondResult);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::int64_t> anyMoment(0, typical.count());
    fs::create_directory(f.dir / "scratch" / "second");
    for (int round = 0; round < kTwoRunRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Both runs race to keep the original copy too.
        fs::remove(originalCopyPath(f.exe));
        writeFixture(f.exe, f.original);
        ChildProcess one(apply(f.exe, f.first), f.dir / "scratch");
        std::this_thread::sleep_for(microseconds(anyMoment(random)));
        ChildProcess two(apply(f.exe, f.second), f.dir / "scratch" / "second");
        const ChildExit exits[] = {one.wait(), two.wait()};
        const Bytes after = fileBytes(f.exe);

        bool holdsASuccessfulResult = false;
        for (const int run : {0, 1}) {
            SCOPED_TRACE(run == 0 ? "first run" : "second run");
            const ChildExit& exit = exits[run];
            EXPECT_TRUE(exit.code == 0 ||
                        (saysChanged(exit, f.exe) && mentions(exit.err, kChangedWhileWritten)))
                << exit.code << ": " << exit.err;
            holdsASuccessfulResult |=
                exit.code == 0 && after == (run == 0 ? firstResult : secondResult);
        }
        EXPECT_TRUE(holdsASuccessfulResult)
            << "the file holds no result of a run that reported success";
        EXPECT_EQ(fileBytes(originalCopyPath(f.exe)), f.original);
        f.expectOnlyOwnFiles();
    }
}

}  // namespace
}  // namespace orvendel
