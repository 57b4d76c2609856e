// Bad input of every kind, through orvendel-cli as a user meets it and through the core: a
// folder, a FIFO (which must never block), a missing file, an empty file, a 1-byte file, a
// huge sparse file, a settings file with NUL bytes or invalid UTF-8, and an executable that
// shrinks or changes between the reading run and the writing run. Each ends with a clear
// error that names the file (or the fixed unknown-version text), a non-zero exit, and nothing
// changed on disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "child_process.h"
#include "patcher/patch_run.h"
#include "patcher/revision_table.h"
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

constexpr std::string_view kUnknownVersion = "Unknown version of NWMAIN.  Patch Aborted.";
constexpr std::string_view kUnknownFormat = "Filename is in an unknown format.";
constexpr std::size_t kSmallSample = 256 * 1024;

// A file of `size` bytes that takes no space on the disk.
void makeSparse(const fs::path& path, off_t size) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::ftruncate(file, size), 0);
    ::close(file);
}

std::string settingsText(const CameraSettings& settings) {
    return formatSettings(settings);
}

void writeText(const fs::path& path, std::string_view text) {
    writeFixture(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// What a path held before a command, to check afterwards that nothing changed.
struct Snapshot {
    fs::file_type type = fs::file_type::none;
    std::vector<std::uint8_t> bytes;
    std::uintmax_t size = 0;

    static Snapshot of(const fs::path& path) {
        Snapshot s;
        s.type = fs::symlink_status(path).type();
        if (s.type == fs::file_type::regular) {
            s.size = fs::file_size(path);
            if (s.size <= (std::uintmax_t{16} << 20))
                s.bytes = fileBytes(path);
        }
        return s;
    }
    bool operator==(const Snapshot&) const = default;
};

class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(dir_ / "scratch");
        exe_ = dir_ / "nwmain.exe";
        settings_ = dir_ / "camera.chs";
        writeFixture(exe_, buildSample(0, sampleValues(), kSmallSample));
        writeText(settings_, settingsText(changedValues()));
    }

    // Runs orvendel-cli; a command that blocks is killed at the deadline and fails the test.
    ChildExit cli(const std::vector<std::string>& args) {
        std::vector<std::string> argv{ORVENDEL_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildProcess child(argv, dir_ / "scratch");
        const ChildExit exit = child.wait(std::chrono::seconds(30));
        EXPECT_FALSE(exit.timedOut) << "orvendel-cli blocked";
        return exit;
    }

    // Expects the exit code and a message on standard error that names `path` in quotes.
    void expectNamedError(const ChildExit& exit, int code, const fs::path& path) {
        EXPECT_TRUE(exit.exited) << "ended by signal " << exit.signal;
        EXPECT_EQ(exit.code, code) << exit.err;
        EXPECT_TRUE(mentions(exit.err, "\"" + displayPath(path) + "\"")) << exit.err;
        EXPECT_FALSE(mentions(exit.err, "terminate called")) << exit.err;
    }

    void expectNoTemporaryFiles(const fs::path& target) {
        if (fs::is_directory(target.parent_path())) {
            EXPECT_EQ(temporaryFilesOf(target), std::vector<std::string>{});
        }
    }

    TempDir dir_;
    fs::path exe_;
    fs::path settings_;
};

// A bad path and how to make it.
struct BadPath {
    const char* name;
    std::function<void(const fs::path&)> make;
};

std::vector<BadPath> badExecutables() {
    return {
        {"missing.exe", [](const fs::path&) {}},
        {"folder.exe", [](const fs::path& p) { fs::create_directory(p); }},
        {"pipe.exe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"empty.exe", [](const fs::path& p) { writeText(p, ""); }},
        {"huge.exe", [](const fs::path& p) { makeSparse(p, off_t{2} << 30); }},
    };
}

TEST_F(BadInput, ExecutablesThatCannotBeLoadedAreNamedAndLeftAsTheyWere) {
    for (const BadPath& bad : badExecutables()) {
        SCOPED_TRACE(bad.name);
        const fs::path path = dir_ / bad.name;
        bad.make(path);
        const Snapshot before = Snapshot::of(path);

        expectNamedError(cli({"read", path.string()}), 1, path);
        expectNamedError(cli({"read", path.string(), "--json", "--save", "out.chs"}), 1, path);
        EXPECT_FALSE(fs::exists(dir_ / "out.chs"));
        expectNamedError(cli({"apply", "--yes", path.string(), settings_.string()}), 1, path);

        EXPECT_TRUE(Snapshot::of(path) == before) << "the path changed";
        expectNoTemporaryFiles(path);
    }
}

TEST_F(BadInput, AOneByteExecutableIsNotRecognisedAndNotWritten) {
    const fs::path path = dir_ / "tiny.exe";
    writeText(path, "M");
    const ChildExit read = cli({"read", path.string()});
    EXPECT_EQ(read.code, 3);
    EXPECT_TRUE(mentions(read.err, std::string(kUnknownVersion))) << read.err;
    const ChildExit apply = cli({"apply", "--yes", path.string(), settings_.string()});
    EXPECT_EQ(apply.code, 3);
    EXPECT_EQ(fileBytes(path), std::vector<std::uint8_t>{'M'});
    expectNoTemporaryFiles(path);
}

// A bad settings file, how to make it, and the exit code it earns: 1 unreadable or broken,
// 5 unknown format tag.
struct BadSettings {
    const char* name;
    std::function<void(const fs::path&)> make;
    int code;
};

std::vector<BadSettings> badSettingsFiles() {
    const std::string good = formatSettings(changedValues());
    auto replaced = [good](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    return {
        {"missing.chs", [](const fs::path&) {}, 1},
        {"folder.chs", [](const fs::path& p) { fs::create_directory(p); }, 1},
        {"pipe.chs", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, 1},
        {"empty.chs", [](const fs::path& p) { writeText(p, ""); }, 1},
        {"one-byte.chs", [](const fs::path& p) { writeText(p, "\""); }, 1},
        {"huge.chs", [](const fs::path& p) { makeSparse(p, off_t{100} << 20); }, 1},
        {"nul-value.chs",
         [=](const fs::path& p) {
             writeText(p, replaced("\"DHeight\",", std::string("\"DHeight\",1\0", 12)));
         },
         1},
        {"all-nul.chs", [](const fs::path& p) { writeText(p, std::string(4096, '\0')); }, 1},
        {"utf8-value.chs",
         [=](const fs::path& p) {
             writeText(p, replaced("\"CTZoomMax\",25", "\"CTZoomMax\",2\xC3\x28"));
         },
         1},
        {"utf8-tag.chs",
         [=](const fs::path& p) { writeText(p, replaced("\"G\"", "\"\xFF\xFE\"")); }, 5},
        {"utf16.chs",
         [=](const fs::path& p) {
             std::string wide = "\xFF\xFE";
             for (const char c : good)
                 wide += std::string{c, '\0'};
             writeText(p, wide);
         },
         5},
    };
}

TEST_F(BadInput, BrokenSettingsFilesAreNamedAndTheExecutableIsUntouched) {
    const std::vector<std::uint8_t> exeBefore = fileBytes(exe_);
    for (const BadSettings& bad : badSettingsFiles()) {
        SCOPED_TRACE(bad.name);
        const fs::path path = dir_ / bad.name;
        bad.make(path);
        const Snapshot before = Snapshot::of(path);

        expectNamedError(cli({"check", path.string()}), bad.code, path);
        const ChildExit apply = cli({"apply", "--yes", exe_.string(), path.string()});
        expectNamedError(apply, bad.code, path);
        if (bad.code == 5) {
            EXPECT_TRUE(mentions(apply.err, std::string(kUnknownFormat))) << apply.err;
        }

        EXPECT_EQ(fileBytes(exe_), exeBefore) << "the executable was written";
        EXPECT_TRUE(Snapshot::of(path) == before) << "the settings path changed";
    }
    expectNoTemporaryFiles(exe_);
}

TEST_F(BadInput, InvalidBytesInKeysAreIgnoredBecauseKeysAreNeverRead) {
    std::string text = formatSettings(changedValues());
    text.replace(text.find("CTHeight"), 8, "CT\xC3\x28\x00ight");
    writeText(settings_, text);
    const ChildExit check = cli({"check", settings_.string(), "--json"});
    EXPECT_EQ(check.code, 0) << check.err;
    EXPECT_TRUE(mentions(check.out, "\"CTHeight\": 1.5")) << check.out;
}

TEST_F(BadInput, SavingOverSomethingThatIsNotASettingsFileIsRefused) {
    fs::create_directory(dir_ / "folder.chs");
    ASSERT_EQ(::mkfifo((dir_ / "pipe.chs").c_str(), 0644), 0);
    writeText(dir_ / "plain", "not a folder");
    const std::vector<fs::path> targets = {dir_ / "folder.chs", dir_ / "pipe.chs",
                                           dir_ / "missing" / "camera.chs",
                                           dir_ / "plain" / "camera.chs"};
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        const Snapshot before = Snapshot::of(target);
        expectNamedError(cli({"read", exe_.string(), "--save", target.string()}), 1, target);
        EXPECT_TRUE(Snapshot::of(target) == before);
        expectNoTemporaryFiles(target);
    }
    EXPECT_EQ(
        strayEntries(dir_.path(), exe_,
                     {"nwmain.exe", "camera.chs", "scratch", "folder.chs", "pipe.chs", "plain"}),
        std::vector<std::string>{});
}

TEST_F(BadInput, BrokenWineRegistryFilesAreNamedAndNeverBlock) {
    const fs::path prefix = dir_ / "prefix";
    const fs::path registry = prefix / "system.reg";
    const std::vector<BadPath> cases = {
        {"missing", [](const fs::path&) {}},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }},
        {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"empty", [](const fs::path& p) { writeText(p, ""); }},
        {"one byte", [](const fs::path& p) { writeText(p, "W"); }},
        {"no header", [](const fs::path& p) { writeText(p, std::string(5000, '\xA5')); }},
        {"huge", [](const fs::path& p) { makeSparse(p, off_t{300} << 20); }},
    };
    for (const BadPath& bad : cases) {
        SCOPED_TRACE(bad.name);
        fs::remove_all(prefix);
        fs::create_directory(prefix);
        bad.make(registry);
        const std::string variable = "WINEPREFIX=" + prefix.string();
        ChildProcess child({ORVENDEL_CLI_PATH, "locate"}, dir_ / "scratch",
                           [&] { ::putenv(const_cast<char*>(variable.c_str())); });
        const ChildExit exit = child.wait(std::chrono::seconds(30));
        EXPECT_FALSE(exit.timedOut) << "orvendel-cli blocked";
        EXPECT_TRUE(exit.exited && exit.code == 1) << exit.err;
        EXPECT_TRUE(mentions(exit.err, registry.string())) << exit.err;
    }
}

// The core: the executable changes on disk after the reading run, before the writing run.
class ChangedBetweenRuns : public ::testing::Test {
protected:
    void SetUp() override {
        exe_ = dir_ / "nwmain.exe";
        SampleBuilder builder(kSmallSample, 11);
        builder.plant(kRevision0Table, sampleValues());
        writeFixture(exe_, builder.build());
        revision0Sites_ = builder.sites()[0];
        RecordingProgress progress;
        ASSERT_EQ(modFile(exe_, true, state_, progress).outcome, RunResult::Outcome::Loaded);
        ASSERT_EQ(state_.ExecutableRevision, 0);
        state_.settings = changedValues();
    }

    RunResult write() {
        RecordingProgress progress;
        return modFile(exe_, false, state_, progress);
    }

    TempDir dir_;
    fs::path exe_;
    CameraState state_;
    std::vector<std::size_t> revision0Sites_;
};

TEST_F(ChangedBetweenRuns, AnExecutableThatShrankIsNotWritten) {
    const std::size_t lastSite = *std::max_element(revision0Sites_.begin(), revision0Sites_.end());
    // Cut in the middle, and so that only the last site's 4 bytes no longer fit.
    for (const std::size_t length : {kSmallSample / 2, lastSite + 2}) {
        SCOPED_TRACE(length);
        fs::resize_file(exe_, length);
        const auto before = fileBytes(exe_);
        const RunResult result = write();
        EXPECT_EQ(result.outcome, RunResult::Outcome::UnknownVersion) << result.status;
        EXPECT_EQ(state_.ExecutableRevision, kRevisionUnknown);
        EXPECT_EQ(fileBytes(exe_), before);
        EXPECT_EQ(temporaryFilesOf(exe_), std::vector<std::string>{});
        state_.ExecutableRevision = 0;  // the window still believes the first read
    }
    fs::resize_file(exe_, 0);
    const RunResult empty = write();
    EXPECT_EQ(empty.outcome, RunResult::Outcome::FileError);
    EXPECT_TRUE(mentions(empty.status, "\"" + displayPath(exe_) + "\"")) << empty.status;
    EXPECT_EQ(fs::file_size(exe_), 0u);
}

TEST_F(ChangedBetweenRuns, AnExecutableReplacedByGarbageIsNotWritten) {
    std::vector<std::uint8_t> garbage(kSmallSample);
    std::mt19937 random(5);
    for (std::uint8_t& byte : garbage)
        byte = static_cast<std::uint8_t>(random());
    writeFixture(exe_, garbage);
    EXPECT_EQ(write().outcome, RunResult::Outcome::UnknownVersion);
    EXPECT_EQ(fileBytes(exe_), garbage);
}

TEST_F(ChangedBetweenRuns, AnExecutableReplacedByTheOtherBuildIsRecognisedAfresh) {
    // The first signatures of revision 0 are still there, so its table gets some way before
    // it gives up; revision 1 then recognises the file. Only revision 1's sites may change.
    SampleBuilder builder(kSmallSample, 12);
    builder.plant(kRevision0Table, sampleValues(), 2).plant(kRevision1Table, sampleValues());
    const std::vector<std::uint8_t> other = builder.build();
    writeFixture(exe_, other);
    const RunResult result = write();
    ASSERT_EQ(result.outcome, RunResult::Outcome::Modified) << result.status;
    EXPECT_EQ(state_.ExecutableRevision, 1);
    const std::vector<std::uint8_t> after = fileBytes(exe_);
    ASSERT_EQ(after.size(), other.size());
    const std::vector<std::size_t>& sites = builder.sites()[1];
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] == other[i])
            continue;
        const bool atSite = std::any_of(sites.begin(), sites.end(), [i](std::size_t site) {
            return i >= site && i < site + 4;
        });
        EXPECT_TRUE(atSite) << "stray change at offset " << i;
    }
}

TEST(CutExecutable, EndingRightAfterItsLastSiteIsRecognisedAndTheBarStaysInRange) {
    // The last transfer leaves the cursor at the end of such a file; the progress bar must
    // still never be set beyond the file length, its maximum.
    for (const int revision : {0, 1}) {
        SCOPED_TRACE(revision);
        SampleBuilder builder(kSmallSample, 21);
        builder.plant(revision == 0 ? kRevision0Table : kRevision1Table, sampleValues());
        std::vector<std::uint8_t> image = builder.build();
        const std::vector<std::size_t>& sites = builder.sites()[0];
        image.resize(*std::max_element(sites.begin(), sites.end()) + 4);
        TempDir dir;
        writeFixture(dir / "nwmain.exe", image);
        for (const bool forReading : {true, false}) {
            CameraState state;
            RecordingProgress progress;
            const RunResult result = modFile(dir / "nwmain.exe", forReading, state, progress);
            EXPECT_TRUE(result.recognised()) << result.status;
            for (const double value : progress.values) {
                EXPECT_LE(value, progress.maximum);
                EXPECT_GE(value, progress.minimum);
            }
        }
    }
}

}  // namespace
}  // namespace orvendel
