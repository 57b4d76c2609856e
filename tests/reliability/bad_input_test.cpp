// SPDX-License-Identifier: MIT
// Bad files of every kind met by orvendel-cli in every role: each gets its exit code and an error
// naming the file, and nothing changes. Then an executable that shrank between two runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>

#include "patcher/revision_table.h"
#include "reliability_fixtures.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Make = std::function<void(const fs::path&)>;

const Make kNothing = [](const fs::path&) {};
const Make kFolder = [](const fs::path& p) { fs::create_directory(p); };
const Make kFifo = [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); };
Make text(std::string content) {
    return [content](const fs::path& p) {
        writeFixture(p, std::vector<std::uint8_t>(content.begin(), content.end()));
    };
}
// A file of `size` bytes that takes no space on the disk.
Make sparse(off_t size) {
    return [size](const fs::path& p) {
        text("")(p);
        fs::resize_file(p, static_cast<std::uintmax_t>(size));
    };
}
// A good settings file with `from` replaced by `to`.
Make edited(std::string_view from, std::string_view to) {
    std::string good = formatSettings(changedValues());
    return text(good.replace(good.find(from), from.size(), to));
}

// Type, size, inode and modification time of a path: any write or replace changes one.
std::array<std::int64_t, 5> stamp(const fs::path& path) {
    struct stat s {};
    if (::lstat(path.c_str(), &s) != 0)
        return {};
    return {s.st_mode, s.st_size, static_cast<std::int64_t>(s.st_ino), s.st_mtim.tv_sec,
            s.st_mtim.tv_nsec};
}

// Where a bad file is met.
enum class Role { Executable, SettingsFile, SaveTarget, WineRegistry };

TEST(BadInput, EveryBadFileInEveryRoleIsNamedWithItsExitCodeAndChangesNothing) {
    TempDir dir;
    fs::create_directory(dir / "scratch");
    const fs::path exe = dir / "nwmain.exe";
    const fs::path settings = dir / "camera.chs";
    const std::string out = (dir / "out.chs").string();
    writeFixture(exe, buildSample(0, sampleValues(), 256 * 1024));
    text(formatSettings(changedValues()))(settings);
    const auto exeBefore = fileBytes(exe);
    const auto settingsBefore = fileBytes(settings);
    std::string utf16 = "\xFF\xFE";
    for (const char c : formatSettings(changedValues()))
        utf16 += std::string{c, '\0'};

    // The commands each role is met in; "{}" stands for the bad path.
    const std::vector<std::vector<std::string>> commands[] = {
        {{"read", "{}"},
         {"read", "{}", "--json", "--save", out},
         {"apply", "--yes", "{}", settings}},
        {{"check", "{}"}, {"apply", "--yes", exe, "{}"}},
        {{"read", exe, "--save", "{}"}},
        {{"locate"}},  // with WINEPREFIX at the bad registry's folder
    };
    const std::string unknownFormat = "Filename is in an unknown format.";
    using enum Role;
    const struct {
        Role role;
        const char* name;
        Make make;
        int code = 1;
        std::string reason = {};  // a further text the error must carry
    } rows[] = {
        // clang-format off
        {Executable, "missing.exe", kNothing}, {Executable, "folder.exe", kFolder},
        {Executable, "pipe.exe", kFifo}, {Executable, "empty.exe", text("")},
        {Executable, "huge.exe", sparse(off_t{2} << 30)},
        // Too short to be recognised: the fixed unknown-version text, which names no file.
        {Executable, "tiny.exe", text("M"), 3, "Unknown version of NWMAIN.  Patch Aborted."},
        {SettingsFile, "missing.chs", kNothing}, {SettingsFile, "folder.chs", kFolder},
        {SettingsFile, "pipe.chs", kFifo}, {SettingsFile, "one-byte.chs", text("\"")},
        {SettingsFile, "huge.chs", sparse(off_t{100} << 20)},
        {SettingsFile, "nul-value.chs", edited("\"DHeight\",", {"\"DHeight\",1\0", 12})},
        {SettingsFile, "utf8-value.chs", edited("\"CTZoomMax\",25", "\"CTZoomMax\",2\xC3\x28")},
        {SettingsFile, "utf8-tag.chs", edited("\"G\"", "\"\xFF\xFE\""), 5, unknownFormat},
        {SettingsFile, "utf16.chs", text(utf16), 5, unknownFormat},
        {SaveTarget, "folder-target.chs", kFolder}, {SaveTarget, "pipe-target.chs", kFifo},
        {SaveTarget, "no-folder/camera.chs", kNothing},
        {SaveTarget, "plain/camera.chs", [](const fs::path& p) { text("x")(p.parent_path()); }},
        {WineRegistry, "missing", kNothing}, {WineRegistry, "folder", kFolder},
        {WineRegistry, "fifo", kFifo}, {WineRegistry, "one-byte", text("W")},
        {WineRegistry, "no-header", text(std::string(5000, '\xA5'))},
        {WineRegistry, "huge", sparse(off_t{300} << 20)},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // A registry is the system.reg of a Wine prefix of its own.
        const bool registry = row.role == WineRegistry;
        const fs::path path = registry ? dir / row.name / "system.reg" : dir / row.name;
        if (registry)
            fs::create_directory(path.parent_path());
        row.make(path);
        const auto before = stamp(path);
        const std::string prefix = path.parent_path().string();
        for (std::vector<std::string> args : commands[static_cast<int>(row.role)]) {
            SCOPED_TRACE(args.front());
            std::replace(args.begin(), args.end(), std::string("{}"), path.string());
            ChildProcess cli(
                ChildProcess::cli(args, [&] { ::setenv("WINEPREFIX", prefix.c_str(), 1); }),
                dir / "scratch", std::chrono::seconds(30));
            const ChildExit exit = cli.wait();
            EXPECT_FALSE(exit.timedOut()) << "orvendel-cli blocked";
            EXPECT_EQ(exit.code, row.code) << exit.err;
            const std::string named = registry ? path.string() : "\"" + displayPath(path) + "\"";
            EXPECT_TRUE(row.code == 3 || mentions(exit.err, named)) << exit.err;
            EXPECT_TRUE(mentions(exit.err, row.reason)) << exit.err;
        }
        EXPECT_EQ(stamp(path), before) << "the bad path changed";
        EXPECT_EQ(fileBytes(exe), exeBefore) << "the executable was written";
        EXPECT_EQ(fileBytes(settings), settingsBefore);
        EXPECT_FALSE(fs::exists(out));
        if (fs::is_directory(path.parent_path())) {
            EXPECT_EQ(temporaryFilesOf(path), std::vector<std::string>{});
        }
    }
    EXPECT_EQ(filesBeside(exe, true), std::vector<std::string>{});
}

// The executable shrinks between the reading and the writing run: it is recognised afresh,
// written only when every site is still there, and the progress bar stays within its range.
TEST(ChangedBetweenRuns, AnExecutableThatShrankIsRecognisedAfreshAndNeverWrittenAstray) {
    SampleBuilder builder(256 * 1024, 11);
    builder.plant(kRevision0Table, sampleValues());
    const std::vector<std::uint8_t> whole = builder.build();
    const std::vector<std::size_t>& sites = builder.sites()[0];
    const std::size_t end = *std::max_element(sites.begin(), sites.end()) + 4;
    TempDir dir;
    const fs::path exe = dir / "nwmain.exe";
    writeFixture(exe, whole);
    RecordingProgress first;
    ASSERT_EQ(writeChanged(exe, first).outcome, RunResult::Outcome::Modified);
    const std::vector<std::uint8_t> wholeWritten = fileBytes(exe);
    using enum RunResult::Outcome;
    const struct {
        const char* name;
        std::size_t length;
        RunResult::Outcome outcome;
    } rows[] = {
        {"cut into the last site", end - 2, UnknownVersion},
        {"cut right after the last site", end, Modified},
        {"emptied", 0, FileError},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + row.length);
        writeFixture(exe, cut);
        // The copy of the longer file is no original of this one; a writing run would refuse.
        fs::remove(originalCopyPath(exe));
        RecordingProgress progress;
        const RunResult result = writeChanged(exe, progress);
        EXPECT_EQ(result.outcome, row.outcome) << result.status;
        for (const double value : progress.values)
            EXPECT_TRUE(value >= progress.minimum && value <= progress.maximum) << value;
        EXPECT_TRUE(fileBytes(exe) == (row.outcome == Modified
                                           ? std::vector<std::uint8_t>(wholeWritten.begin(),
                                                                       wholeWritten.begin() + end)
                                           : cut));
        EXPECT_TRUE(row.outcome != FileError ||
                    mentions(result.status, "\"" + displayPath(exe) + "\""))
            << result.status;
        std::vector<std::string> entries = {"nwmain.exe"};
        if (row.outcome == Modified)
            entries.push_back("nwmain.exe.orvendel-original");
        EXPECT_EQ(dir.entries(), entries);
    }
}

}  // namespace
}  // namespace orvendel
