// Runs the real orvendel-cli binary on sample executables and settings files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "camera/camera_settings.h"
#include "patcher/patch_run.h"
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
constexpr std::string_view kDelKeyWarning =
    "You have chosen your DEL key angle to be different from your minimum angle.  This "
    "sometimes locks the camera";
constexpr std::string_view kReadOnlyQuestion =
    "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?";
constexpr std::size_t kSmallSample = std::size_t{1} << 20;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

class Cli : public ::testing::Test {
protected:
    // Runs orvendel-cli with the arguments, standard input closed.
    CliResult run(const std::vector<std::string>& args) {
        std::string command = shellQuoted(ORVENDEL_CLI_PATH);
        for (const std::string& arg : args) {
            command += " " + shellQuoted(arg);
        }
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        command +=
            " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string()) + " </dev/null";
        const int status = std::system(command.c_str());
        CliResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readText(out);
        result.err = readText(err);
        return result;
    }

    // Writes a sample executable of the revision holding `values`; returns its path.
    std::string sample(int revision, const CameraSettings& values,
                       const char* name = "nwmain.exe") {
        const fs::path path = dir_ / name;
        const std::vector<std::uint8_t> image = buildSample(revision, values, kSmallSample);
        writeFixture(path, image);
        return path.string();
    }

    std::string settingsFile(const CameraSettings& values, const char* name = "mine.chs") {
        const fs::path path = dir_ / name;
        writeText(path, formatSettings(values));
        return path.string();
    }

    std::string text(const std::string& name, const std::string& contents) {
        writeText(dir_ / name, contents);
        return (dir_ / name).string();
    }

    TempDir dir_;
};

// A record that both revisions can carry and that differs from the defaults everywhere the
// tables have a site.
CameraSettings customValues() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = 30;
    s.CTAngleDef = 45;
    s.CTAngleDel = 30;
    s.CTAngleIns = 80;
    s.CTZoomMax = 25;
    s.CTZoomDef = 12.5f;
    s.CTClipDist = 60;
    s.CTHeight = 2.2f;
    s.DAngleDef = 35;
    s.DAngleIns = 85;
    s.DClipDist = 50;
    s.DHeight = 1.5f;
    return s;
}

// Revision 1 keeps no DEL and INS key angles, so a read leaves them as the record had them.
void clearKeyAnglesOfRevision1(CameraSettings& s) {
    s.CTAngleDel = s.CTAngleIns = s.DAngleDel = s.DAngleIns = 0;
}

std::string biowareJson(int revision) {
    const char* del = revision == 0 ? "40" : "0";
    const char* ins = revision == 0 ? "89" : "0";
    const char* dDel = revision == 0 ? "28" : "0";
    return "{\"revision\": " + std::to_string(revision) +
           ", \"settings\": {\"CTAngleMin\": 40, \"CTAngleMax\": 89, \"CTAngleDef\": 40, "
           "\"CTAngleDel\": " +
           del + ", \"CTAngleIns\": " + ins +
           ", \"CTZoomMin\": 5, \"CTZoomMax\": 20, "
           "\"CTZoomDef\": 20, \"CTClipDist\": 45, \"CTHeight\": 1, \"DAngleMin\": 28, "
           "\"DAngleMax\": 89, \"DAngleDef\": 28, \"DAngleDel\": " +
           dDel + ", \"DAngleIns\": " + ins +
           ", \"DZoomMin\": 6, \"DZoomMax\": 6, \"DZoomDef\": 6, \"DClipDist\": 45, "
           "\"DHeight\": 2}}\n";
}

TEST_F(Cli, ReadPrintsEitherRevisionAsExactlyOneJsonObject) {
    for (const int revision : {0, 1}) {
        const CliResult r = run({"read", sample(revision, kBiowareDefaults), "--json"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, biowareJson(revision));
    }
}

TEST_F(Cli, ReadJsonGivesShortestRoundTripFloats) {
    const CliResult r = run({"read", sample(0, customValues()), "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"CTZoomDef\": 12.5, \"CTClipDist\": 60, \"CTHeight\": 2.2,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"DHeight\": 1.5}}"), std::string::npos) << r.out;
}

TEST_F(Cli, ReadNamesNonFiniteValuesAndWillNotSaveThem) {
    CameraSettings values = kBiowareDefaults;
    values.CTClipDist = std::numeric_limits<float>::quiet_NaN();
    values.DClipDist = -std::numeric_limits<float>::infinity();
    const std::string exe = sample(0, values);
    const CliResult r = run({"read", exe, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"CTClipDist\": \"nan\","), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"DClipDist\": \"-inf\","), std::string::npos) << r.out;

    const std::string saved = (dir_ / "saved.chs").string();
    const CliResult save = run({"read", exe, "--save", saved});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_NE(save.err.find("CTClipDist is nan"), std::string::npos) << save.err;
    EXPECT_FALSE(fs::exists(saved));
}

TEST_F(Cli, ReadPrintsAReadableTable) {
    const CliResult r = run({"read", sample(1, customValues())});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Neverwinter Nights options successfully loaded!\n"), std::string::npos);
    EXPECT_NE(r.out.find("Executable revision: 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  CTHeight     2.2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  DClipDist    50\n"), std::string::npos) << r.out;
}

TEST_F(Cli, ReadSaveWritesTheSettingsFileOfTheRecord) {
    const std::string saved = (dir_ / "saved.chs").string();
    const CliResult r = run({"read", sample(0, customValues()), "--save", saved, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readText(saved), formatSettings(customValues()));
}

TEST_F(Cli, ReadSaveThatCannotBeWrittenIsAFileError) {
    const std::string saved = (dir_ / "no" / "folder" / "saved.chs").string();
    const CliResult r = run({"read", sample(0, kBiowareDefaults), "--save", saved, "--json"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("saved.chs"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

TEST_F(Cli, ReadOfAnUnknownExecutablePrintsTheRecordButSavesNothing) {
    const std::string junk = text("junk.exe", std::string(5000, 'x'));
    const std::string saved = (dir_ / "saved.chs").string();
    const CliResult r = run({"read", junk, "--json", "--save", saved});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find(kUnknownVersion), std::string::npos) << r.err;
    EXPECT_EQ(r.out.rfind("{\"revision\": -1, \"settings\": {\"CTAngleMin\": 0,", 0), 0u) << r.out;
    EXPECT_FALSE(fs::exists(saved));
}

TEST_F(Cli, ReadOfAMissingOrEmptyFileIsAFileError) {
    const CliResult missing = run({"read", (dir_ / "nothing.exe").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nothing.exe"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());

    const CliResult folder = run({"read", dir_.path().string(), "--json"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.out.empty());
}

TEST_F(Cli, ReadNeverTouchesAReadOnlyExecutable) {
    const std::string exe = sample(0, kBiowareDefaults);
    fs::permissions(exe, fs::perms::owner_read | fs::perms::group_read);
    const CliResult r = run({"read", exe, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fs::status(exe).permissions(), fs::perms::owner_read | fs::perms::group_read);
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"read"},
        {"read", "a.exe", "b.exe"},
        {"read", "a.exe", "--jsn"},
        {"read", "a.exe", "--save"},
        {"read", "a.exe", "--json=yes"},
        {"apply", "a.exe"},
        {"apply", "a.exe", "b.chs", "--json"},
        {"check"},
        {"check", "a.chs", "--revision", "2"},
        {"check", "a.chs", "--revision"},
        {"check", "a.chs", "--json", "--json"},
    };
    for (const auto& args : wrong) {
        const CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "(none)" : args[0]) << " " << r.err;
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(Cli, HelpPrintsUsageOfEveryVerb) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}}) {
        const CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_NE(r.out.find("orvendel-cli read GAME_EXE [--json] [--save SETTINGS.chs]"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("orvendel-cli apply GAME_EXE SETTINGS.chs [--yes]"),
                  std::string::npos);
        EXPECT_NE(r.out.find("orvendel-cli check SETTINGS.chs [--revision -1|0|1] [--json]"),
                  std::string::npos);
    }
    const CliResult verb = run({"apply", "--help"});
    EXPECT_EQ(verb.exitCode, 0);
    EXPECT_NE(verb.out.find("usage: orvendel-cli apply"), std::string::npos);
}

TEST_F(Cli, ApplyWritesTheSettingsFileIntoEitherRevision) {
    for (const int revision : {0, 1}) {
        const std::string exe = sample(revision, kBiowareDefaults);
        const CliResult r = run({"apply", exe, settingsFile(customValues())});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("Neverwinter Nights successfully modified!"), std::string::npos);
        EXPECT_EQ(fs::file_size(exe), kSmallSample);

        CameraState state;
        ProgressSink quiet;
        ASSERT_EQ(modFile(exe, /*forReading=*/true, state, quiet).outcome,
                  RunResult::Outcome::Loaded);
        const CameraSettings& read = state.settings;
        CameraSettings expected = customValues();
        if (revision == 1) {
            clearKeyAnglesOfRevision1(expected);
        }
        EXPECT_TRUE(sameBytes(read, expected)) << "revision " << revision;
    }
}

TEST_F(Cli, ApplyAsksTheDelKeyQuestionInRevision0AndNeedsYes) {
    CameraSettings values = customValues();
    values.DAngleDel = 40;  // differs from DAngleMin 28
    const std::string exe = sample(0, kBiowareDefaults);
    const std::string before = readText(exe);
    const std::string chs = settingsFile(values);

    const CliResult refused = run({"apply", exe, chs});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE(refused.err.find(kDelKeyWarning), std::string::npos) << refused.err;
    EXPECT_EQ(readText(exe), before) << "nothing written";

    const CliResult confirmed = run({"apply", exe, chs, "--yes"});
    EXPECT_EQ(confirmed.exitCode, 0) << confirmed.err;
    EXPECT_NE(confirmed.err.find(kDelKeyWarning), std::string::npos) << "still shown";
    EXPECT_NE(readText(exe), before);
}

TEST_F(Cli, ApplyInRevision1PinsTheDriveZoomSoItAsksNothing) {
    CameraSettings values = customValues();
    values.DZoomMin = 2;
    values.DAngleDel = 40;  // DEL angles are not compared in revision 1
    const std::string exe = sample(1, kBiowareDefaults);
    const CliResult r = run({"apply", exe, settingsFile(values)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const CliResult back = run({"read", exe, "--json"});
    EXPECT_NE(back.out.find("\"DZoomMin\": 6,"), std::string::npos) << back.out;
}

TEST_F(Cli, ApplyAsksAboutAReadOnlyExecutable) {
    const std::string exe = sample(0, kBiowareDefaults);
    const std::string before = readText(exe);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(exe, readOnly);
    const std::string chs = settingsFile(customValues());

    const CliResult refused = run({"apply", exe, chs});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE(refused.err.find(kReadOnlyQuestion), std::string::npos) << refused.err;
    EXPECT_EQ(fs::status(exe).permissions(), readOnly) << "attribute kept";
    EXPECT_EQ(readText(exe), before);

    const CliResult confirmed = run({"apply", exe, chs, "--yes"});
    EXPECT_EQ(confirmed.exitCode, 0) << confirmed.err;
    EXPECT_EQ(fs::status(exe).permissions(), readOnly | fs::perms::owner_write)
        << "only the owner's write bit is added";
    EXPECT_NE(readText(exe), before);
}

TEST_F(Cli, ApplyStopsOnABrokenSettingsFileBeforeTouchingTheExecutable) {
    const std::string exe = sample(0, kBiowareDefaults);
    const std::string before = readText(exe);
    fs::permissions(exe, fs::perms::owner_read);
    const std::string full = formatSettings(customValues());

    struct Case {
        std::string name;
        std::string contents;
        int exitCode;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"cut.chs", full.substr(0, full.size() / 2), 1, "ends early"},
        {"word.chs", "\"Version\",\"G\"\r\n\"CTAngleMin\",forty\r\n", 1, "is not a number"},
        {"lower.chs", "\"Version\",\"g\"\r\n" + full.substr(full.find('\n') + 1), 5,
         "Filename is in an unknown format."},
    };
    for (const Case& c : cases) {
        const CliResult r = run({"apply", exe, text(c.name, c.contents), "--yes"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(c.name), std::string::npos) << "names the file: " << r.err;
        EXPECT_EQ(r.err.find(kReadOnlyQuestion), std::string::npos) << "nothing asked";
    }
    const CliResult missing = run({"apply", exe, (dir_ / "none.chs").string(), "--yes"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(fs::status(exe).permissions(), fs::perms::owner_read);
    EXPECT_EQ(readText(exe), before);
}

TEST_F(Cli, ApplyToAnUnknownExecutableWritesNothing) {
    const std::string junk = text("junk.exe", std::string(70000, '\x90'));
    const CliResult r = run({"apply", junk, settingsFile(customValues()), "--yes"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find(kUnknownVersion), std::string::npos);
    EXPECT_EQ(readText(junk), std::string(70000, '\x90'));
}

TEST_F(Cli, ApplyRefusesValuesThatWouldLeaveTheExecutableUnrecognisable) {
    CameraSettings values = customValues();
    values.DAngleMin = 33.3f;  // its stored form breaks a fixed byte of a revision 0 signature
    values.DAngleDef = 40;
    values.DAngleDel = 33.3f;
    const std::string exe = sample(0, kBiowareDefaults);
    const std::string before = readText(exe);
    const CliResult r = run({"apply", exe, settingsFile(values), "--yes"});
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_NE(r.err.find("The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readText(exe), before);
}

TEST_F(Cli, AReadOnlyStateClearedForAWriteThatWasRefusedIsSetAgain) {
    CameraSettings values = customValues();
    values.DAngleMin = 33.3f;
    values.DAngleDel = 33.3f;
    const std::string exe = sample(0, kBiowareDefaults);
    const std::string before = readText(exe);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(exe, readOnly);
    const CliResult r = run({"apply", exe, settingsFile(values), "--yes"});
    EXPECT_EQ(r.exitCode, 6) << r.err;
    EXPECT_NE(r.err.find(kReadOnlyQuestion), std::string::npos) << r.err;
    EXPECT_EQ(fs::status(exe).permissions(), readOnly);
    EXPECT_EQ(readText(exe), before);
}

TEST_F(Cli, CheckPrintsTheClampedRecord) {
    CameraSettings values = customValues();
    values.CTZoomMin = 2;
    values.CTClipDist = 500;
    const std::string chs = settingsFile(values);

    const CliResult r0 = run({"check", chs, "--json", "--revision", "0"});
    EXPECT_EQ(r0.exitCode, 0) << r0.err;
    EXPECT_EQ(r0.out.rfind("{\"revision\": 0, ", 0), 0u) << r0.out;
    EXPECT_NE(r0.out.find("\"CTZoomMin\": 2,"), std::string::npos);
    EXPECT_NE(r0.out.find("\"CTClipDist\": 350,"), std::string::npos);

    const CliResult r1 = run({"check", chs, "--json", "--revision=1"});
    EXPECT_NE(r1.out.find("\"CTZoomMin\": 5,"), std::string::npos) << r1.out;

    const CliResult table = run({"check", chs});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("Executable revision: -1"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("  CTHeight     2.2\n"), std::string::npos) << table.out;
}

TEST_F(Cli, CheckOfAnUnknownFormatPrintsTheClampedZeroRecord) {
    std::string contents = formatSettings(customValues());
    contents[11] = 'g';
    const CliResult r = run({"check", text("lower.chs", contents), "--json"});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("Filename is in an unknown format."), std::string::npos);
    EXPECT_NE(r.out.find("\"CTAngleMin\": 0, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"CTClipDist\": 10, \"CTHeight\": 1, "), std::string::npos) << r.out;
}

TEST_F(Cli, CheckOfABrokenFilePrintsNothing) {
    const std::string full = formatSettings(customValues());
    for (const std::string& contents :
         {full.substr(0, 60), std::string("\"Version\",\"G\"\r\n\"CTAngleMin\",\0", 30),
          std::string()}) {
        const CliResult r = run({"check", text("broken.chs", contents), "--json"});
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("broken.chs"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    const CliResult folder = run({"check", dir_.path().string()});
    EXPECT_EQ(folder.exitCode, 1);
}

}  // namespace
}  // namespace orvendel
