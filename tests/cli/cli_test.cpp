// SPDX-License-Identifier: MIT
// Runs the real orvendel-cli binary on sample executables and settings files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "camera/camera_settings.h"
#include "patcher/patch_run.h"
#include "patcher/read_only_prompt.h"
#include "sample_builder.h"
#include "settingsfile/settings_file.h"
#include "temp_dir.h"
#include "version.h"

#if !defined(ORVENDEL_CLI_PATH) || !defined(ORVENDEL_MAN_PAGE) || !defined(ORVENDEL_BASH_COMPLETION)
#error "ORVENDEL_CLI_PATH, ORVENDEL_MAN_PAGE and ORVENDEL_BASH_COMPLETION must name the files"
#endif

namespace orvendel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDelKeyWarning =
    "You have chosen your DEL key angle to be different from your minimum angle.  This "
    "sometimes locks the camera";
constexpr std::string_view kReadOnlyQuestion =
    "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?";
constexpr std::size_t kSmallSample = std::size_t{1} << 20;
constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read;

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool mentions(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// The whole line of `text` that holds `part`, or "" when none does.
std::string lineWith(const std::string& text, std::string_view part) {
    const std::size_t found = text.find(part);
    if (found == std::string::npos)
        return {};
    const std::size_t start = text.rfind('\n', found);
    const std::size_t begin = start == std::string::npos ? 0 : start + 1;
    return text.substr(begin, text.find('\n', found) - begin);
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A record that both revisions can carry and that differs from the defaults at many sites.
CameraSettings customValues() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleMin = s.CTAngleDel = 30;
    s.CTAngleDef = 45, s.CTAngleIns = 80, s.CTZoomMax = 25, s.CTZoomDef = 12.5f;
    s.CTClipDist = 60, s.CTHeight = 2.2f, s.DAngleDef = 35, s.DAngleIns = 85;
    s.DClipDist = 50, s.DHeight = 1.5f;
    return s;
}

class Cli : public ::testing::Test {
protected:
    // Runs orvendel-cli with the arguments, standard input closed.
    CliResult run(const std::vector<std::string>& args) {
        std::string command = shellQuoted(ORVENDEL_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + shellQuoted(arg);
        return runShell(command);
    }
    // Runs a command line of /bin/sh, standard input closed.
    CliResult runShell(std::string command) {
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        command +=
            " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string()) + " </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(out), readText(err)};
    }
    std::string sample(int revision, const CameraSettings& values, const char* name) {
        writeFixture(dir_ / name, buildSample(revision, values, kSmallSample));
        return (dir_ / name).string();
    }
    std::string text(const char* name, const std::string& contents) {
        std::ofstream(dir_ / name, std::ios::binary) << contents;
        return (dir_ / name).string();
    }
    std::string settingsFile(const CameraSettings& values, const char* name) {
        return text(name, formatSettings(values));
    }

    TempDir dir_;
};

// Revision 1 keeps no DEL and INS key angles, so a read leaves them at the record's 0.
std::string biowareJson(int revision) {
    const std::string r = std::to_string(revision), del = revision == 0 ? "40" : "0",
                      ins = revision == 0 ? "89" : "0", dDel = revision == 0 ? "28" : "0";
    return "{\"revision\": " + r + ", \"settings\": {\"CTAngleMin\": 40, \"CTAngleMax\": 89, " +
           "\"CTAngleDef\": 40, \"CTAngleDel\": " + del + ", \"CTAngleIns\": " + ins +
           ", \"CTZoomMin\": 5, \"CTZoomMax\": 20, \"CTZoomDef\": 20, \"CTClipDist\": 45, "
           "\"CTHeight\": 1, \"DAngleMin\": 28, \"DAngleMax\": 89, \"DAngleDef\": 28, "
           "\"DAngleDel\": " +
           dDel + ", \"DAngleIns\": " + ins +
           ", \"DZoomMin\": 6, \"DZoomMax\": 6, \"DZoomDef\": 6, \"DClipDist\": 45, "
           "\"DHeight\": 2}}\n";
}

TEST_F(Cli, ReadPrintsOneJsonObjectWithShortestFloatsOrATableAndSavesTheRecord) {
    for (const int revision : {0, 1}) {
        const CliResult r = run({"read", sample(revision, kBiowareDefaults, "b.exe"), "--json"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, biowareJson(revision));
    }
    CameraSettings values = customValues();
    values.DClipDist = -std::numeric_limits<float>::infinity();
    const std::string exe = sample(0, values, "c.exe");
    const CliResult json = run({"read", exe, "--json"});
    EXPECT_TRUE(mentions(json.out, "\"CTZoomDef\": 12.5, \"CTClipDist\": 60, \"CTHeight\": 2.2,"))
        << json.out;
    EXPECT_TRUE(mentions(json.out, "\"DClipDist\": \"-inf\",")) << json.out;
    // Tiny, huge and denormal numbers, negative zero, and the shortest text that reads back.
    CameraSettings extremes = customValues();
    extremes.CTZoomDef = 1e-7f, extremes.CTClipDist = 3.4e38f;
    extremes.CTHeight = std::numeric_limits<float>::denorm_min();
    extremes.DZoomDef = 2.901235f, extremes.DClipDist = -0.0f, extremes.DHeight = 0.1f;
    const CliResult extreme = run({"read", sample(0, extremes, "x.exe"), "--json"});
    for (const char* part : {"\"CTZoomDef\": 1e-07, \"CTClipDist\": 3.4e+38, \"CTHeight\": 1e-45,",
                             "\"DZoomDef\": 2.901235, \"DClipDist\": -0, \"DHeight\": 0.1}}"})
        EXPECT_TRUE(mentions(extreme.out, part)) << extreme.out;

    const CliResult table = run({"read", sample(1, customValues(), "d.exe")});
    EXPECT_EQ(table.err, "Neverwinter Nights options successfully loaded!\n");
    EXPECT_EQ(table.out.rfind("Executable revision: 1 (revision 1)\n", 0), 0u) << table.out;
    EXPECT_TRUE(mentions(table.out, "  CTHeight     2.2\n")) << table.out;

    const std::string saved = (dir_ / "saved.chs").string();
    const CliResult save = run({"read", sample(0, customValues(), "e.exe"), "--save", saved});
    ASSERT_EQ(save.exitCode, 0);
    EXPECT_EQ(readText(saved), formatSettings(customValues()));
    EXPECT_EQ(save.out.rfind("Executable revision: 0", 0), 0u) << save.out;
    EXPECT_TRUE(mentions(save.err, "Saved the settings to \"" + saved + "\".\n")) << save.err;
}

std::size_t longestLine(const std::string& text) {
    std::size_t longest = 0;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        longest = std::max(longest, end - start);
    return longest;
}

// The help of each verb starts an option's line with its name and value, then says what it does.
TEST_F(Cli, HelpPrintsUsageOfEveryVerbAndExplainsEachOption) {
    const CliResult r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* synopsis : {"orvendel-cli read GAME_EXE [--json] [--save SETTINGS.chs]",
                                 "orvendel-cli apply GAME_EXE SETTINGS.chs [--yes]",
                                 "orvendel-cli restore GAME_EXE [--yes]",
                                 "orvendel-cli check SETTINGS.chs [--revision -1|0|1] [--json]"})
        EXPECT_TRUE(mentions(r.out, synopsis)) << r.out;
    EXPECT_EQ(run({"help"}).out, r.out);
    EXPECT_LE(longestLine(r.out), 79u) << r.out;

    const struct {
        std::vector<std::string> args;
        std::vector<std::string> optionLines;
    } verbs[] = {
        {{"read", "--help"}, {"  --json  ", "  --save SETTINGS.chs  also save the values"}},
        {{"apply", "-h"}, {"  --yes  ", "  -h, --help  show this help"}},
        {{"restore", "a.exe", "--help"}, {"  --yes  "}},
        {{"check", "--help"}, {"  --revision -1|0|1  load with the limits", "  --json  "}},
    };
    for (const auto& verb : verbs) {
        SCOPED_TRACE(verb.args[0]);
        const CliResult help = run(verb.args);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("usage: orvendel-cli " + verb.args[0] + " ", 0), 0u) << help.out;
        for (const std::string& line : verb.optionLines)
            EXPECT_TRUE(mentions(help.out, "\n" + line)) << help.out;
        EXPECT_LE(longestLine(help.out), 79u) << help.out;
    }
    EXPECT_TRUE(mentions(run({"apply", "--help"}).out, "answer yes to every question"));
    const CliResult helpVerb = run({"help", "check"});
    EXPECT_EQ(helpVerb.exitCode, 0);
    EXPECT_EQ(helpVerb.out, run({"check", "--help"}).out);
}

TEST_F(Cli, VersionOptionsPrintTheVersion) {
    for (const char* option : {"--version", "-V"}) {
        const CliResult version = run({option});
        EXPECT_EQ(version.exitCode, 0) << option;
        EXPECT_EQ(version.out, "orvendel-cli " + std::string(kVersion) + "\n") << option;
        EXPECT_EQ(version.err, "") << option;
    }
}

// A missing or wrong first argument says what is wrong, then the usage in two lines.
TEST_F(Cli, WrongFirstArgumentsGetAShortUsageAndWhereTheHelpIs) {
    const std::string usage =
        "usage: orvendel-cli VERB [ARGUMENTS] (VERB: read, apply, check, locate, restore)\n"
        "Try 'orvendel-cli --help' for more.\n";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string err;
    } rows[] = {
        {"no verb", {}, "orvendel-cli: a verb is missing\n"},
        {"unknown option",
         {"--frobnicate", "read"},
         "orvendel-cli: unknown option '--frobnicate'\n"},
        {"unknown short option", {"-x"}, "orvendel-cli: unknown option '-x'\n"},
        {"unknown verb", {"frobnicate"}, "orvendel-cli: unknown command 'frobnicate'\n"},
        {"help of an unknown verb", {"help", "frob"}, "orvendel-cli: unknown command 'frob'\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliResult r = run(row.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, row.err + usage);
        EXPECT_EQ(r.out, "");
    }
}

// Each "--name" in `text`, sorted, without repeats and without --help.
std::vector<std::string> longOptions(std::string_view text) {
    std::vector<std::string> names;
    for (std::size_t at = text.find("--"); at != std::string_view::npos;
         at = text.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) != 0))
            ++end;
        if (end > at + 2 && text.substr(at, end - at) != "--help")
            names.emplace_back(text.substr(at, end - at));
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

// The manual page and the bash completion know each verb and exactly the options its --help
// explains.
TEST_F(Cli, ManPageAndBashCompletionOfferTheOptionsOfEachVerb) {
    std::string man = readText(ORVENDEL_MAN_PAGE);
    for (std::size_t at; (at = man.find("\\-")) != std::string::npos;)
        man.replace(at, 2, "-");
    const std::string completion =
        "bash -c " +
        shellQuoted("source " + shellQuoted(ORVENDEL_BASH_COMPLETION) +
                    " && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && "
                    "_orvendel_cli && printf '%s\\n' \"${COMPREPLY[@]}\"") +
        " bash orvendel-cli ";
    const CliResult verbs = runShell(completion + "''");
    for (const std::string verb : {"read", "apply", "check", "locate", "restore"}) {
        SCOPED_TRACE(verb);
        EXPECT_TRUE(mentions(verbs.out, verb + "\n")) << verbs.out << verbs.err;
        const std::size_t section = man.find("\n.SS " + verb + "\n");
        ASSERT_NE(section, std::string::npos);
        const std::size_t end = man.find("\n.S", section + 1);
        const CliResult help = run({verb, "--help"});
        const std::vector<std::string> options =
            longOptions(help.out.substr(help.out.find("\noptions:\n")));
        EXPECT_EQ(longOptions(man.substr(section, end - section)), options);
        EXPECT_EQ(longOptions(runShell(completion + verb + " --").out), options);
    }
}

// Every way a run can fail, with its exit code and what it says; none writes anything.
TEST_F(Cli, ExitCodesOfFailedRunsAndNothingWritten) {
    const std::string exe0 = sample(0, kBiowareDefaults, "r0.exe");
    const std::string exe1 = sample(1, kBiowareDefaults, "r1.exe");
    const std::string locked = sample(0, kBiowareDefaults, "locked.exe");
    fs::permissions(locked, kReadOnly);
    const std::string linked = sample(0, kBiowareDefaults, "linked.exe");
    fs::create_hard_link(linked, dir_ / "second-name.exe");
    writeFixture(exe1 + ".orvendel-original", buildSample(1, customValues(), kSmallSample));
    const std::string otherBuild = sample(1, kBiowareDefaults, "other.exe");
    writeFixture(otherBuild + ".orvendel-original", buildSample(0, customValues(), kSmallSample));
    const std::string planted = sample(1, kBiowareDefaults, "planted.exe");
    fs::create_symlink(exe1 + ".orvendel-original", planted + ".orvendel-original");
    CameraSettings nan = kBiowareDefaults;
    nan.CTClipDist = std::numeric_limits<float>::quiet_NaN();
    const std::string nanExe = sample(0, nan, "nan.exe");
    CameraSettings delDiffers = customValues();
    delDiffers.DAngleDel = 40;
    CameraSettings breakingValues = customValues();
    breakingValues.DAngleMin = breakingValues.DAngleDel = 33.3f;  // breaks a revision 0 signature
    const std::string breaking = settingsFile(breakingValues, "breaking.chs");
    const std::string unrecognisable(kStatusWouldBeUnrecognisable);
    const std::string good = settingsFile(customValues(), "good.chs");
    const std::string full = formatSettings(customValues());
    const std::string cut = text("cut.chs", full.substr(0, full.size() / 2));
    const std::string lower = text("lower.chs", "\"Version\",\"g\"" + full.substr(13));
    const std::string saveTo = (dir_ / "saved.chs").string();
    const std::vector<std::string> exes = {
        exe0, exe1, locked, linked, nanExe, otherBuild, planted, exe1 + ".orvendel-original"};
    std::vector<std::string> before;
    for (const std::string& exe : exes)
        before.push_back(readText(exe));

    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } rows[] = {
        // clang-format off
        {{"read"}, 2, ""}, {{"read", "a.exe", "--jsn"}, 2, ""}, {{"apply", "a.exe"}, 2, ""},
        {{"apply", "a.exe", "b.chs", "--json"}, 2, ""}, {{"read", "a.exe", "--save"}, 2, ""},
        {{"check", "a.chs", "--revision", "2"}, 2, ""}, {{"read", "a.exe", "b.exe"}, 2, ""},
        {{"read", nanExe, "--save", saveTo}, 1, "CTClipDist is nan"},
        {{"read", exe0, "--save", exe0}, 2, "it is the game's executable"},
        {{"read", exe1, "--save", exe1 + ".orvendel-original"}, 2, "it is the kept copy"},
        {{"read", exe0, "--save", exe0 + ".orvendel-original"}, 2, "it is the kept copy"},
        {{"apply", planted, good, "--yes"}, 7, "is not a copy that Orvendel kept (a symbolic link)"},
        {{"restore", planted, "--yes"}, 7, "(a symbolic link): nothing was restored."},
        {{"restore", otherBuild}, 4, std::string(kRestoreOtherFileQuestion)},
        {{"apply", exe0, settingsFile(delDiffers, "del.chs")}, 4, std::string(kDelKeyWarning)},
        {{"apply", locked, good}, 4, std::string(kReadOnlyQuestion)},
        {{"apply", locked, cut, "--yes"}, 1, "cut.chs"},
        {{"apply", locked, lower, "--yes"}, 5, "Filename is in an unknown format."},
        {{"apply", linked, good}, 4, hardLinksQuestion(1)},
        {{"apply", exe0, breaking, "--yes"}, 6, unrecognisable},
        {{"apply", locked, breaking, "--yes"}, 6, unrecognisable},  // read-only set again
        {{"check", cut, "--json"}, 1, "cut.chs"},
        {{"restore", exe0, "b.exe"}, 2, ""},
        {{"restore", exe0, "--yes"}, 1, "r0.exe.orvendel-original\": there is no original copy"},
        {{"restore", exe1}, 4, std::string(kRestoreQuestion)},
        // clang-format on
    };
    for (const auto& row : rows) {
        std::string line;
        for (const std::string& arg : row.args)
            line += arg.substr(arg.rfind('/') + 1) + " ";
        SCOPED_TRACE(line);
        const CliResult r = run(row.args);
        EXPECT_EQ(r.exitCode, row.code) << r.err;
        EXPECT_TRUE(mentions(r.err, row.err)) << r.err;
        // A question is asked as it is; the failure itself is an error line.
        EXPECT_TRUE(r.err.starts_with("orvendel-cli: ") || mentions(r.err, "\norvendel-cli: "))
            << r.err;
        if (row.code != 4) {
            EXPECT_EQ(lineWith(r.err, row.err).rfind("orvendel-cli: ", 0), 0u) << r.err;
        }
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(fs::exists(saveTo));
        EXPECT_EQ(fs::status(locked).permissions(), kReadOnly) << "read-only state kept";
    }
    for (std::size_t i = 0; i < exes.size(); ++i)
        EXPECT_EQ(readText(exes[i]), before[i]) << exes[i];
}

// The revision 0 executable is read-only: --yes clears only its owner write bit. The revision 1
// one has a second name: --yes writes this one and leaves the other. Either keeps the original,
// which restore asks about and puts back in place of a read-only executable.
TEST_F(Cli, ApplyWritesTheSettingsFileIntoEitherRevisionAndRestorePutsTheOriginalBack) {
    for (const int revision : {0, 1}) {
        SCOPED_TRACE(revision);
        const std::string exe = sample(revision, kBiowareDefaults, revision ? "r1.exe" : "r0.exe");
        const std::string original = readText(exe);
        if (revision == 0)
            fs::permissions(exe, kReadOnly);
        else
            fs::create_hard_link(exe, dir_ / "second-name.exe");
        CameraSettings values = customValues();
        values.DZoomMin = 2;    // revision 1 pins it to 6 without asking
        values.DAngleDel = 40;  // asked about in revision 0 only
        const CliResult r = run({"apply", exe, settingsFile(values, "mine.chs"), "--yes"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(mentions(r.err, kDelKeyWarning), revision == 0) << r.err;
        EXPECT_EQ(mentions(r.err, kReadOnlyQuestion), revision == 0) << r.err;
        EXPECT_EQ(mentions(r.err, hardLinksQuestion(1)), revision == 1) << r.err;
        EXPECT_TRUE(mentions(r.err, "\nNeverwinter Nights successfully modified!\n")) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(fs::file_size(exe), kSmallSample);
        if (revision == 0) {
            EXPECT_EQ(fs::status(exe).permissions(), kReadOnly | fs::perms::owner_write);
        } else {
            EXPECT_EQ(readText(dir_ / "second-name.exe"), original);
        }
        CameraState state;
        ProgressSink quiet;
        ASSERT_EQ(readCameraValues(exe, state, quiet).outcome, RunResult::Outcome::Loaded);
        CameraSettings expected = values;
        if (revision == 1) {  // no DEL and INS key angles in revision 1, the drive zoom pinned
            expected.CTAngleDel = expected.CTAngleIns = expected.DAngleDel = expected.DAngleIns = 0;
            expected.DZoomMin = 6;
        } else {  // the drive zoom limits follow the default in revision 0
            expected.DZoomMin = expected.DZoomMax = expected.DZoomDef;
        }
        EXPECT_TRUE(sameBytes(state.settings, expected));

        fs::permissions(exe, kReadOnly);
        const CliResult restored = run({"restore", exe, "--yes"});
        EXPECT_EQ(restored.exitCode, 0) << restored.err;
        EXPECT_TRUE(mentions(restored.err, kRestoreQuestion)) << restored.err;
        EXPECT_TRUE(mentions(restored.err, kReadOnlyQuestion)) << restored.err;
        EXPECT_TRUE(mentions(restored.err, "\n" + std::string(kStatusRestored) + "\n"));
        EXPECT_EQ(restored.out, "");
        EXPECT_EQ(readText(exe), original);
        EXPECT_EQ(readText(exe + ".orvendel-original"), original);
        EXPECT_EQ(fs::status(exe).permissions(), kReadOnly) << "restored with the mode it had";

        // A copy that cannot be put back leaves the executable read-only, as it found it.
        fs::remove(exe + ".orvendel-original");
        std::ofstream(exe + ".orvendel-original").close();
        fs::permissions(exe, kReadOnly);
        const CliResult failed = run({"restore", exe, "--yes"});
        EXPECT_EQ(failed.exitCode, 7) << failed.err;
        EXPECT_EQ(fs::status(exe).permissions(), kReadOnly) << failed.err;
    }
}

TEST_F(Cli, CheckPrintsTheRecordClampedForTheRevision) {
    CameraSettings values = customValues();
    values.CTZoomMin = 2;
    values.CTClipDist = 500;
    const std::string chs = settingsFile(values, "mine.chs");
    const CliResult r0 = run({"check", chs, "--json", "--revision", "0"});
    EXPECT_EQ(r0.exitCode, 0) << r0.err;
    EXPECT_EQ(r0.out.rfind("{\"revision\": 0, ", 0), 0u) << r0.out;
    EXPECT_TRUE(mentions(r0.out, "\"CTZoomMin\": 2,"));
    EXPECT_TRUE(mentions(r0.out, "\"CTClipDist\": 350,"));
    EXPECT_TRUE(mentions(run({"check", chs, "--json", "--revision=1"}).out, "\"CTZoomMin\": 5,"));
    EXPECT_TRUE(mentions(run({"check", chs}).out, "Executable revision: -1"));

    std::string contents = formatSettings(customValues());
    contents[11] = 'g';
    const CliResult unknown = run({"check", text("lower.chs", contents), "--json"});
    EXPECT_EQ(unknown.exitCode, 5);
    EXPECT_TRUE(mentions(unknown.out, "\"CTAngleMin\": 0, ")) << unknown.out;
    EXPECT_TRUE(mentions(unknown.out, "\"CTClipDist\": 10, \"CTHeight\": 1, "));
}

}  // namespace
}  // namespace orvendel
