// SPDX-License-Identifier: MIT
#include "locate/wine_prefix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "locate/game_location.h"
#include "locate/wine_prefix_search.h"
#include "lutris_writer.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

// A Wine prefix laid out as wineboot makes it, with the game in C:\NeverwinterNights\nwn.
class WinePrefixTest : public testing::Test {
protected:
    WinePrefixTest() {
        for (const char* folder :
             {"dosdevices", "drive_c/NeverwinterNights/nwn", "drive_c/Twin/b", "drive_c/Twin/B",
              "drive_c/\xC3\xA9"
              "dition \xE2\x84\xAA",
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
        {"C:\\\xC3\x89"
         "DITION k",
         "c:/\xC3\xA9"
         "dition \xE2\x84\xAA"},
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

// A home folder with a Wine prefix of every kind, some with the game, and the kinds of clutter
// that launchers leave behind.
class PrefixSearchTest : public testing::Test {
protected:
    // A 64-bit prefix at `folder` with drive C: and the registry keys given as .reg text.
    void prefix(const fs::path& folder, const std::string& systemKeys = {},
                const std::string& userKeys = {}) {
        fs::create_directories(folder / "dosdevices");
        fs::create_directories(folder / "drive_c");
        if (!fs::is_symlink(folder / "dosdevices/c:"))
            fs::create_directory_symlink("../drive_c", folder / "dosdevices/c:");
        std::ofstream(folder / "system.reg") << "WINE REGISTRY Version 2\n#arch=win64\n"
                                             << systemKeys;
        std::ofstream(folder / "user.reg") << "WINE REGISTRY Version 2\n" << userKeys;
    }
    // A prefix whose registry names C:\NWN, which holds nwmain.exe.
    void gamePrefix(const fs::path& folder) {
        prefix(folder, registryKey(kOwnKey, "Location", "C:\\\\NWN"));
        copy(folder / "drive_c/NWN/nwmain.exe");
    }
    static std::string registryKey(const std::string& key, const std::string& name,
                                   const std::string& value) {
        return "\n[" + key + "] 1\n\"" + name + "\"=\"" + value + "\"\n";
    }
    static void copy(const fs::path& exe) {
        fs::create_directories(exe.parent_path());
        std::ofstream(exe) << "MZ";
    }
    static constexpr const char* kOwnKey =
        "Software\\\\Wow6432Node\\\\BioWare\\\\NWN\\\\Neverwinter";
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
    gamePrefix(home / "lutris-nwn");
    file(".config/lutris/games/nwn.yml", "game:\n  prefix: \"~/lutris-nwn\"\n");
    prefix(home / "lutris-two");
    file(".local/share/lutris/games/two.yml", "game:\n  prefix: " + (home / "lutris-two").string());
    file(".local/share/lutris/games/wine.yml", "game:\n  prefix: ~/.wine\n");
    file(".config/lutris/games/none.yml", "game:\n  prefix: ~/no-registry\n");
    prefix(home / "lutris-flatpak");
    file(".var/app/net.lutris.Lutris/data/lutris/games/nwn.yml",
         "game:\n  prefix: ~/lutris-flatpak\n");
    std::filesystem::create_directories(home / "no-registry");
    prefix(home / "Games/gog");
    prefix(home / ".local/share/bottles/bottles/NWN");
    std::filesystem::create_directories(home / ".local/share/bottles/bottles/empty");
    prefix(home / ".var/app/com.usebottles.bottles/data/bottles/bottles/Other");
    gamePrefix(home / ".local/share/Steam/steamapps/compatdata/704450/pfx");
    std::filesystem::create_directories(home / ".local/share/Steam/steamapps/compatdata/7");
    std::filesystem::create_directories(home / ".steam");
    std::filesystem::create_directory_symlink("../.local/share/Steam", home / ".steam/steam");
    file(".local/share/Steam/steamapps/libraryfolders.vdf",
         "\"libraryfolders\" { \"1\" { \"path\" \"" + (home / "library").string() + "\" } }");
    prefix(home / "library/steamapps/compatdata/1/pfx");
    prefix(home / ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/pfx");
    prefix(home / "snap/steam/common/.local/share/Steam/steamapps/compatdata/8/pfx");
    prefix(home / "heroic-json");
    file(".config/heroic/GamesConfig/nwn.json", R"({"nwn": {"winePrefix": "~/heroic-json"}})");
    file(".config/heroic/GamesConfig/cut.json", R"({"nwn": {"winePrefix": "/cut)");
    prefix(home / "Games/Heroic/Prefixes/default/Game");
    prefix(home / "heroic-flatpak");
    file(".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/nwn.json",
         R"({"nwn": {"winePrefix": "~/heroic-flatpak"}})");
    prefix(home / ".PlayOnLinux/wineprefix/NWN");
    std::filesystem::create_directory_symlink("../../.wine",
                                              home / ".PlayOnLinux/wineprefix/again");
    gamePrefix(home / ".cxoffice/NWN");

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
        {"Lutris", "lutris-flatpak"},
        {"Lutris", "Games/gog"},
        {"Bottles", ".local/share/bottles/bottles/NWN"},
        {"Bottles", ".var/app/com.usebottles.bottles/data/bottles/bottles/Other"},
        {"Steam", ".steam/steam/steamapps/compatdata/704450/pfx"},
        {"Steam", "library/steamapps/compatdata/1/pfx"},
        {"Steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/9/pfx"},
        {"Steam", "snap/steam/common/.local/share/Steam/steamapps/compatdata/8/pfx"},
        {"Heroic", "heroic-json"},
        {"Heroic", "heroic-flatpak"},
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
    gamePrefix(home / "Games/gog");
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

// A home folder with the game in every kind of place: each copy is found once, where it was
// first met, in the order of the search, and named by its launcher and store.
TEST_F(PrefixSearchTest, FindsEveryCopyOnceInTheOrderOfTheSearch) {
    const std::string gog = "Software\\\\Wow6432Node\\\\GOG.com\\\\Games\\\\1207658890";

    prefix(home / "custom", registryKey(kOwnKey, "Location", "C:\\\\NWN"));
    copy(home / "custom/drive_c/NWN/nwmain.exe");
    prefix(home / ".wine", registryKey(gog, "path", "C:\\\\GOG Games\\\\NWN Diamond"));
    copy(home / ".wine/drive_c/GOG Games/NWN Diamond/nwmain.exe");
    // Lutris's exe: names a copy outside its prefix, and another game file's names the copy of
    // $WINEPREFIX again; the prefix holds a copy that no registry entry names.
    copy(home / "nwn-copied/nwmain.exe");
    prefix(home / "lutris-pfx");
    copy(home / "lutris-pfx/drive_c/Games/NWN/NWMAIN.EXE");
    ASSERT_TRUE(writeLutrisGame(home / ".config/lutris/games/nwn.yml",
                                (home / "lutris-pfx").string(),
                                (home / "nwn-copied/nwmain.exe").string()));
    ASSERT_TRUE(writeLutrisGame(home / ".config/lutris/games/same.yml", "",
                                (home / "custom/dosdevices/c:/NWN/nwmain.exe").string()));
    prefix(home / "lutris-flatpak", registryKey(kOwnKey, "Location", "C:\\\\NWN"));
    copy(home / "lutris-flatpak/drive_c/NWN/nwmain.exe");
    ASSERT_TRUE(writeLutrisGame(home / ".var/app/net.lutris.Lutris/data/lutris/games/f.yml",
                                (home / "lutris-flatpak").string(), "drive_c/NWN/nwmain.exe"));
    // A bottle in which Steam for Windows installed the game.
    const fs::path bottle = home / ".local/share/bottles/bottles/Steam";
    prefix(bottle, "", registryKey("Software\\\\Valve\\\\Steam", "SteamPath", "c:/steam"));
    copy(bottle / "drive_c/Steam/steamapps/common/Neverwinter Nights/bin/win32/nwmain.exe");
    // Steam for Linux: the game in steamapps/common of a library that libraryfolders.vdf names
    // in its old form, and a Proton prefix of the snap.
    file(".local/share/Steam/steamapps/libraryfolders.vdf",
         "\"LibraryFolders\"\n{\n\t\"1\"\t\t\"" + (home / "library").string() + "\"\n}\n");
    copy(home / "library/steamapps/common/Neverwinter Nights/bin/win32/nwmain.exe");
    const fs::path proton =
        home / "snap/steam/common/.local/share/Steam/steamapps/compatdata/1/pfx";
    prefix(proton);
    copy(proton / "drive_c/Program Files (x86)/NWN/nwmain.exe");
    // Heroic as a Flatpak: a prefix that its game file names and a GOG game it installed.
    prefix(home / "heroic-pfx", registryKey(kOwnKey, "Location", "C:\\\\NWN"));
    copy(home / "heroic-pfx/drive_c/NWN/nwmain.exe");
    const std::string heroic = ".var/app/com.heroicgameslauncher.hgl/config/heroic/";
    file(heroic + "GamesConfig/1207658890.json",
         "{\n  \"1207658890\": {\n    \"winePrefix\": \"" + (home / "heroic-pfx").string() +
             "\"\n  },\n  \"version\": \"v0\",\n  \"explicit\": true\n}");
    file(heroic + "gog_store/installed.json",
         "{\"installed\": [{\"platform\": \"windows\", \"install_path\": \"" +
             (home / "Games/Heroic/NWN").string() + "\", \"appName\": \"1207658890\"}]}");
    copy(home / "Games/Heroic/NWN/nwmain.exe");
    prefix(home / ".cxoffice/NWN", registryKey(kOwnKey, "Location", "C:\\\\NWN"));
    copy(home / ".cxoffice/NWN/drive_c/NWN/nwmain.exe");

    const std::pair<const char*, fs::path> expected[] = {
        {"WINEPREFIX", "custom/dosdevices/c:/NWN/nwmain.exe"},
        {"Wine (GOG)", ".wine/dosdevices/c:/GOG Games/NWN Diamond/nwmain.exe"},
        {"Lutris", "nwn-copied/nwmain.exe"},
        {"Lutris", "lutris-pfx/drive_c/Games/NWN/NWMAIN.EXE"},
        {"Lutris", "lutris-flatpak/drive_c/NWN/nwmain.exe"},
        {"Bottles (Steam)",
         ".local/share/bottles/bottles/Steam/dosdevices/c:/Steam/steamapps/"
         "common/Neverwinter Nights/bin/win32/nwmain.exe"},
        {"Steam", "library/steamapps/common/Neverwinter Nights/bin/win32/nwmain.exe"},
        {"Steam",
         "snap/steam/common/.local/share/Steam/steamapps/compatdata/1/pfx/drive_c/"
         "Program Files (x86)/NWN/nwmain.exe"},
        {"Heroic", "heroic-pfx/dosdevices/c:/NWN/nwmain.exe"},
        {"Heroic", "Games/Heroic/NWN/nwmain.exe"},
        {"CrossOver", ".cxoffice/NWN/dosdevices/c:/NWN/nwmain.exe"},
    };
    const GameSearch search = searchGameInPlaces(gamePlaces(home, home / "custom"));
    std::vector<std::pair<std::string, fs::path>> found;
    for (const FoundGame& game : search.games) {
        found.emplace_back(launcherName(game),
                           fs::path(game.executablePath).lexically_relative(home));
    }
    EXPECT_EQ(found, (std::vector<std::pair<std::string, fs::path>>(std::begin(expected),
                                                                    std::end(expected))));
}

}  // namespace
}  // namespace orvendel
