// SPDX-License-Identifier: MIT
#include "locate/wine_prefix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "locate/game_location.h"
#include "locate/launcher_config.h"
#include "locate/wine_prefix_search.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

// A Wine prefix laid out as wineboot makes it, with the game in C:\NeverwinterNights\nwn.
class WinePrefixTest : public testing::Test {
protected:
    WinePrefixTest() {
        for (const char* folder :
             {"dosdevices", "drive_c/NeverwinterNights/nwn", "drive_c/Twin/b", "drive_c/Twin/B",
              "drive_c/Twin/eE", "drive_c/Twin/Ee", "games"}) {
            std::filesystem::create_directories(root / folder);
        }
        std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
        std::filesystem::create_directory_symlink("../games", root / "dosdevices" / "D:");
        std::ofstream(root / "drive_c" / "NeverwinterNights" / "nwn" / "nwmain.exe") << "MZ";
    }

    void registry(const std::string& key, const std::string& location, const char* arch = "win64") {
        std::ofstream(root / "system.reg")
            << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" << arch
            << "\n\n[" << key << "] 1\n\"Location\"=\"" << location << "\"\n";
    }

    std::string onDisk(const std::string& rest) const {
        return rest.empty() ? "" : (root / "dosdevices" / rest).string();
    }

    TempDir dir;
    std::filesystem::path root = dir / "prefix";
};

TEST_F(WinePrefixTest, MapsWindowsPathsThroughTheDrivesWithoutRegardToCase) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\NeverwinterNights\\NWN\\NWMAIN.EXE", "c:/NeverwinterNights/nwn/nwmain.exe"},
        {"c:/neverwinternights/NWN/NwMain.exe", "c:/NeverwinterNights/nwn/nwmain.exe"},
        {"C:\\Windows\\..\\NeverwinterNights\\.\\NWN\\\\NWMAIN.EXE",
         "c:/NeverwinterNights/nwn/nwmain.exe"},
        {"C:\\..\\..\\NeverwinterNights", "c:/NeverwinterNights"},
        {"d:\\", "D:"},
        {"C:\\Twin\\b", "c:/Twin/b"},
        {"C:\\Twin\\B", "c:/Twin/B"},
        {"C:\\Twin\\EE", "c:/Twin/Ee"},
        {"C:\\Missing\\NWN\\NWMAIN.EXE", ""},
        {"C:\\NeverwinterNights\\nwn\\nwmain.exe\\deeper", ""},
        {"Q:\\NWN\\NWMAIN.EXE", ""},
        {"NWN\\NWMAIN.EXE", ""},
        {"\\\\server\\share\\NWMAIN.EXE", ""},
        {"", ""}};
    const WinePrefix prefix(root);
    for (const auto& [windows, host] : rows) {
        EXPECT_EQ(prefix.hostPath(windows).value_or("").string(), onDisk(host)) << windows;
    }
    EXPECT_FALSE(WinePrefix(dir / "nothing").hostPath("C:\\"));
}

TEST_F(WinePrefixTest, FindsTheGameThroughTheRegistryOrSaysWhyNot) {
    const std::string key32 = "Software\\\\Wow6432Node\\\\BioWare\\\\NWN\\\\Neverwinter";
    registry(key32, "c:\\\\neverwinternights\\\\nwn\\\\");
    EXPECT_EQ(searchGameExecutableInPrefix(root).valueOr(""),
              onDisk("c:/NeverwinterNights/nwn/nwmain.exe"));
    registry(key32, "C:\\\\NeverwinterNights\\\\NWN", "win32");
    EXPECT_EQ(searchGameExecutableInPrefix(root).valueOr(""), "")
        << "a 32-bit prefix has no second view";

    registry("Software\\\\BioWare\\\\NWN\\\\Neverwinter", "E:\\\\NWN");
    const auto search = searchGameExecutableInPrefix(root);
    EXPECT_EQ(search.valueOr(""), "");
    EXPECT_NE(search.message().find("\"E:\\NWN\" recorded in the Wine prefix"), std::string::npos)
        << search.message();

    std::filesystem::remove(root / "drive_c" / "NeverwinterNights" / "nwn" / "nwmain.exe");
    registry(key32, "C:\\\\NeverwinterNights\\\\NWN");
    EXPECT_EQ(searchGameExecutableInPrefix(root).valueOr(""),
              onDisk("c:/NeverwinterNights/nwn/NWMAIN.EXE"))
        << "the literal name is proposed when the folder has no executable";
}

TEST(LauncherConfig, ReadsThePrefixEntriesOfLutrisSteamAndHeroicFiles) {
    const std::pair<const char*, const char*> lutris[] = {
        {"game:\n  exe: x.exe\n  prefix: /home/p/nwn\nsystem: {}\n", "/home/p/nwn"},
        {"# made by Lutris\ngame:\n    prefix: '~/It''s here' # comment\n", "~/It's here"},
        {"game:\r\n  prefix: \"/a \\\"b\\\"\"\r\n", "/a \"b\""},
        {"game:\n  prefix: /a # note\n", "/a"},
        {"system:\n  prefix: /not/game\ngame:\n  exe: x\n", ""},
        {"game:\n  args:\n    prefix: /nested\n  exe: x\n", ""},
        {"game:\n  prefix: 'unterminated\n", ""},
        {"game:\n  prefix:\n", ""},
        {"prefix: /top\n", ""},
        {"", ""}};
    for (const auto& [yaml, prefix] : lutris) {
        EXPECT_EQ(lutrisGamePrefix(yaml).value_or(""), prefix) << yaml;
    }

    const char* vdf = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/p/.local/share/Steam"
		"label"		"path"
		"contentid"		"1"
	}
	"1" { "path" "D:\\Steam \"two\"" }
	"2" { "path" "/unterminated)";
    EXPECT_EQ(steamLibraryPaths(vdf),
              (std::vector<std::string>{"/home/p/.local/share/Steam", "D:\\Steam \"two\""}));

    const std::pair<const char*, std::vector<std::string>> heroic[] = {
        {R"({"Nwn": {"winePrefix": "/home/p/Games/Heroic/Prefixes/NWN", "x": 1}, "v": "winePrefix"})",
         {"/home/p/Games/Heroic/Prefixes/NWN"}},
        {R"({"a":{"winePrefix" : "\/p\u00e9\"q"},"b":{"winePrefix":""},"c":{"winePrefix":"/c"}})",
         {"/p\xc3\xa9\"q", "/c"}},
        {R"({"a": {"winePrefix": 7, "winePrefix": "/b\q"}})", {}},
        {R"({"a": {"winePrefix": "/cut)", {}},
        {"not json at all", {}}};
    for (const auto& [json, prefixes] : heroic) {
        EXPECT_EQ(heroicWinePrefixes(json), prefixes) << json;
    }
}

// A home folder with a Wine prefix of every kind, some with the game, and the kinds of clutter
// that launchers leave behind.
class PrefixSearchTest : public testing::Test {
protected:
    // A prefix at `folder`; with the game, its registry names C:\NWN, which holds nwmain.exe.
    void prefix(const std::filesystem::path& folder, bool game = false) {
        std::filesystem::create_directories(folder / "dosdevices");
        std::ofstream registry(folder / "system.reg");
        registry << "WINE REGISTRY Version 2\n";
        if (game) {
            std::filesystem::create_directories(folder / "drive_c" / "NWN");
            std::filesystem::create_directory_symlink("../drive_c", folder / "dosdevices" / "c:");
            std::ofstream(folder / "drive_c" / "NWN" / "nwmain.exe") << "MZ";
            registry << "\n[Software\\\\BioWare\\\\NWN\\\\Neverwinter] 1\n"
                        "\"Location\"=\"C:\\\\NWN\"\n";
        }
    }
    void file(const std::string& name, const std::string& text) {
        std::filesystem::create_directories((home / name).parent_path());
        std::ofstream(home / name) << text;
    }

    TempDir dir;
    std::filesystem::path home = dir / "home";
};

TEST_F(PrefixSearchTest, GathersEveryLaunchersPrefixesInOrderOnceEachAndSkipsBadFiles) {
    prefix(home / "custom");
    prefix(home / ".wine");
    prefix(home / "lutris-nwn", true);
    file(".config/lutris/games/nwn.yml", "game:\n  prefix: \"~/lutris-nwn\"\n");
    prefix(home / "lutris-two");
    file(".local/share/lutris/games/two.yml", "game:\n  prefix: " + (home / "lutris-two").string());
    file(".local/share/lutris/games/wine.yml", "game:\n  prefix: ~/.wine\n");
    file(".config/lutris/games/none.yml", "game:\n  prefix: ~/no-registry\n");
    std::filesystem::create_directories(home / "no-registry");
    prefix(home / "Games/gog");
    prefix(home / ".local/share/bottles/bottles/NWN");
    std::filesystem::create_directories(home / ".local/share/bottles/bottles/empty");
    prefix(home / ".var/app/com.usebottles.bottles/data/bottles/bottles/Other");
    prefix(home / ".local/share/Steam/steamapps/compatdata/704450/pfx", true);
    std::filesystem::create_directories(home / ".local/share/Steam/steamapps/compatdata/7");
    std::filesystem::create_directories(home / ".steam");
    std::filesystem::create_directory_symlink("../.local/share/Steam", home / ".steam/steam");
    file(".local/share/Steam/steamapps/libraryfolders.vdf",
         "\"libraryfolders\" { \"1\" { \"path\" \"" + (home / "library").string() + "\" } }");
    prefix(home / "library/steamapps/compatdata/1/pfx");
    prefix(home / ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/pfx");
    prefix(home / "heroic-json");
    file(".config/heroic/GamesConfig/nwn.json", R"({"nwn": {"winePrefix": "~/heroic-json"}})");
    file(".config/heroic/GamesConfig/cut.json", R"({"nwn": {"winePrefix": "/cut)");
    prefix(home / "Games/Heroic/Prefixes/default/Game");
    prefix(home / ".PlayOnLinux/wineprefix/NWN");
    std::filesystem::create_directory_symlink("../../.wine",
                                              home / ".PlayOnLinux/wineprefix/again");
    prefix(home / ".cxoffice/NWN", true);

    // Launcher files that must be passed over quickly: a FIFO (opening it for reading would wait
    // for a writer), a huge file and a system.reg that is no file.
    ASSERT_EQ(::mkfifo((home / ".config/lutris/games/fifo.yml").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((home / ".config/heroic/GamesConfig/fifo.json").c_str(), 0600), 0);
    prefix(home / "huge");
    file(".local/share/lutris/games/huge.yml",
         "game:\n  prefix: ~/huge\n" + std::string(kMaxConfigFileSize, '#'));
    std::filesystem::create_directories(home / ".cxoffice/fifo");
    ASSERT_EQ(::mkfifo((home / ".cxoffice/fifo/system.reg").c_str(), 0600), 0);

    const std::pair<const char*, const char*> expected[] = {
        {"WINEPREFIX", "custom"},
        {"Wine", ".wine"},
        {"Lutris", "lutris-nwn"},
        {"Lutris", "lutris-two"},
        {"Lutris", "Games/gog"},
        {"Bottles", ".local/share/bottles/bottles/NWN"},
        {"Bottles", ".var/app/com.usebottles.bottles/data/bottles/bottles/Other"},
        {"Steam", ".steam/steam/steamapps/compatdata/704450/pfx"},
        {"Steam", "library/steamapps/compatdata/1/pfx"},
        {"Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/pfx"},
        {"Heroic", "heroic-json"},
        {"Heroic", "Games/Heroic/Prefixes/default/Game"},
        {"PlayOnLinux", ".PlayOnLinux/wineprefix/NWN"},
        {"CrossOver", ".cxoffice/NWN"}};
    const auto candidates = winePrefixCandidates(home, home / "custom");
    ASSERT_EQ(candidates.size(), std::size(expected));
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        EXPECT_EQ(candidates[i].source, expected[i].first) << i;
        EXPECT_EQ(candidates[i].directory, home / expected[i].second) << i;
    }
    EXPECT_EQ(winePrefixCandidates({}, home / "custom").size(), 1u) << "no home: $WINEPREFIX only";
    EXPECT_EQ(readConfigFile(home / ".config/lutris/games/fifo.yml"), std::nullopt);

    // The game is in three of them; a registry entry whose executable is missing is no game.
    std::filesystem::remove(home / "lutris-nwn/drive_c/NWN/nwmain.exe");
    prefix(home / "Games/gog", true);
    const GameSearch search = searchGameInPrefixes(candidates);
    const std::pair<const char*, const char*> games[] = {
        {"Lutris", "Games/gog"},
        {"Steam", ".steam/steam/steamapps/compatdata/704450/pfx"},
        {"CrossOver", ".cxoffice/NWN"}};
    ASSERT_EQ(search.games.size(), std::size(games));
    for (std::size_t i = 0; i < search.games.size(); ++i) {
        const std::filesystem::path prefixFolder = home / games[i].second;
        EXPECT_EQ(search.games[i].source, games[i].first);
        EXPECT_EQ(search.games[i].prefix, prefixFolder);
        EXPECT_EQ(search.games[i].executablePath,
                  (prefixFolder / "dosdevices/c:/NWN/nwmain.exe").string());
    }
    ASSERT_EQ(search.failures.size(), candidates.size() - 3);
    EXPECT_NE(
        search.failures[2].message().find("no NWMAIN.EXE at " + (home / "lutris-nwn").string()),
        std::string::npos)
        << search.failures[2].message();
}

// A Steam library named many times, or spelt in several ways, leads to its one prefix after as
// many folders looked at as when it is named once.
TEST_F(PrefixSearchTest, LooksAtALibraryOnceHoweverOftenLauncherFilesNameIt) {
    const auto vdf = [](const std::string& path, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i) {
            text += "\"0\"{\"path\" \"" + path + "\"}\n";
        }
        return text;
    };
    const std::pair<const char*, std::string> rows[] = {
        {"named 2000 times", vdf("~/lib", 2000)},
        {"named 45700 times", vdf("~/lib", 45700)},
        {"spelt five ways", vdf("~/lib", 1) + vdf("~/lib/", 1) + vdf("~//lib", 1) +
                                vdf("~/./lib", 1) + vdf((home / "lib").string(), 1)},
    };
    const char* const vdfFile = ".local/share/Steam/steamapps/libraryfolders.vdf";
    prefix(home / "lib/steamapps/compatdata/1/pfx");
    file(vdfFile, vdf("~/lib", 1));
    std::size_t namedOnce = 0;
    winePrefixCandidates(home, {}, &namedOnce);
    for (const auto& [name, text] : rows) {
        SCOPED_TRACE(name);
        file(vdfFile, text);
        std::size_t looked = 0;
        const auto candidates = winePrefixCandidates(home, {}, &looked);
        ASSERT_EQ(candidates.size(), 1u);
        EXPECT_EQ(candidates[0].directory, home / "lib/steamapps/compatdata/1/pfx");
        EXPECT_EQ(looked, namedOnce);
    }
}

TEST_F(PrefixSearchTest, TakesAtMostTheCapOfFoldersFromOneLauncherFile) {
    const auto library = [&](std::size_t i) { return home / ("lib" + std::to_string(i)); };
    std::string vdf;
    for (std::size_t i = 0; i <= kMaxConfigFileFolders; ++i) {
        prefix(library(i) / "steamapps/compatdata/1/pfx");
        vdf += "\"0\"{\"path\" \"" + library(i).string() + "\"}";
    }
    file(".local/share/Steam/steamapps/libraryfolders.vdf", vdf);
    const auto candidates = winePrefixCandidates(home, {});
    ASSERT_EQ(candidates.size(), kMaxConfigFileFolders);
    EXPECT_EQ(candidates.back().directory,
              library(kMaxConfigFileFolders - 1) / "steamapps/compatdata/1/pfx");
}

}  // namespace
}  // namespace orvendel
