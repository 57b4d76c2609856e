// SPDX-License-Identifier: MIT
#include "locate/store_records.h"

#include <gtest/gtest.h>

#include <fstream>

#include "locate/steam_library.h"
#include "locate/wine_prefix.h"
#include "locate/wine_registry_api.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

TEST(SteamLibraryFile, ListsTheLibrariesOfTheCurrentForm) {
    const char* vdf = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/p/.local/share/Steam"
		"label"		"path"
		"contentid"		"4112245786651536542"
		"totalsize"		"0"
		"apps"
		{
			"228980"		"455166655"
			"704450"		"5139812711"
		}
	}
	"1"
	{
		"path"		"D:\\Steam \"two\""
		"label"		""
	}
	"2" { "path" "/unterminated)";
    EXPECT_EQ(steamLibraryPaths(vdf),
              (std::vector<std::string>{"/home/p/.local/share/Steam", "D:\\Steam \"two\""}));
}

TEST(SteamLibraryFile, ListsTheLibrariesOfTheOldForm) {
    const char* vdf = R"("LibraryFolders"
{
	"TimeNextStatsReport"		"1596322356"
	"ContentStatsID"		"-4187744453462425738"
	"1"		"/mnt/games/SteamLibrary"
	"2"		"E:\\Games\\Steam"
}
)";
    EXPECT_EQ(steamLibraryPaths(vdf),
              (std::vector<std::string>{"/mnt/games/SteamLibrary", "E:\\Games\\Steam"}));
}

// A 64-bit Wine prefix in which GOG's and Steam's clients installed games, with a second drive
// D: for a Steam library.
class StoreRecordsTest : public testing::Test {
protected:
    StoreRecordsTest() {
        fs::create_directories(root / "dosdevices");
        fs::create_directories(root / "drive_c");
        fs::create_directories(dir / "d");
        fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
        fs::create_directory_symlink(dir / "d", root / "dosdevices" / "d:");
    }

    // Writes a registry file of the prefix with `keys`, given as .reg text.
    void registry(const char* file, const std::string& keys) {
        std::ofstream(root / file) << "WINE REGISTRY Version 2\n;; All keys relative to "
                                      "\\\\Machine\n\n#arch=win64\n\n"
                                   << keys;
    }

    fs::path game(const fs::path& relative) {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << "MZ";
        return root / relative;
    }

    std::vector<StoreCopy> copies() {
        WineRegistryApi api(root);
        const WinePrefix prefix(root);
        return storeCopies(api, [&prefix](const std::string& windowsPath) {
            const auto host = prefix.hostPath(windowsPath);
            return host ? std::optional(host->string()) : std::nullopt;
        });
    }

    TempDir dir;
    fs::path root = dir / "prefix";
};

TEST_F(StoreRecordsTest, GogRecordsLeadToTheirGameInEitherView) {
    const fs::path diamond = game("drive_c/GOG Games/NWN Diamond/nwmain.exe");
    const fs::path enhanced = game("drive_c/GOG Games/NWN EE/bin/win32/nwmain.exe");
    game("drive_c/GOG Games/Witcher/witcher.exe");
    registry("system.reg", R"([Software\\Wow6432Node\\GOG.com\\Games\\1207658890] 1700000000
#time=1d9
"exe"="C:\\GOG Games\\NWN Diamond\\nwlauncher.exe"
"gameName"="Neverwinter Nights: Diamond Edition"
"path"="C:\\GOG Games\\NWN Diamond"

[Software\\Wow6432Node\\GOG.com\\Games\\1207658898] 1700000000
"exe"="C:\\GOG GAMES\\nwn ee\\BIN\\win32\\NWMAIN.EXE"
"path"="C:\\GOG Games\\NWN EE"

[Software\\GOG.com\\Games\\1207664643] 1700000000
"exe"="C:\\GOG Games\\Witcher\\witcher.exe"
"path"="C:\\GOG Games\\Witcher"
)");
    const auto found = copies();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(fs::path(found[0].executablePath),
              root / "dosdevices/c:/GOG Games/NWN Diamond/nwmain.exe");
    EXPECT_EQ(fs::path(found[1].executablePath),
              root / "dosdevices/c:/GOG Games/NWN EE/bin/win32/nwmain.exe");
    EXPECT_EQ(found[0].store, "GOG");
    EXPECT_EQ(found[1].store, "GOG");
}

TEST_F(StoreRecordsTest, SteamRecordsLeadToTheGameInEachLibrary) {
    game(
        "drive_c/Program Files (x86)/Steam/steamapps/common/Neverwinter "
        "Nights/bin/win32/nwmain.exe");
    game("drive_c/Program Files (x86)/Steam/steamapps/common/Other Game/nwmain.exe");
    fs::create_directories(dir / "d/SteamLibrary/steamapps/common/NEVERWINTER NIGHTS 2");
    std::ofstream(dir / "d/SteamLibrary/steamapps/common/NEVERWINTER NIGHTS 2/NWMAIN.EXE") << "MZ";
    std::ofstream(root / "drive_c/Program Files (x86)/Steam/steamapps/libraryfolders.vdf")
        << "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files "
           "(x86)\\\\Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"D:\\\\SteamLibrary\"\n\t}\n}\n";
    registry("system.reg", "");
    registry("user.reg", R"([Software\\Valve\\Steam] 1700000000
"SteamPath"="c:/program files (x86)/steam"
)");
    const auto found = copies();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(fs::path(found[0].executablePath),
              root /
                  "dosdevices/c:/Program Files (x86)/Steam/steamapps/common/Neverwinter "
                  "Nights/bin/win32/nwmain.exe");
    EXPECT_EQ(fs::path(found[1].executablePath),
              root / "dosdevices/d:/SteamLibrary/steamapps/common/NEVERWINTER NIGHTS 2/NWMAIN.EXE");
    EXPECT_EQ(found[1].store, "Steam");
}

TEST_F(StoreRecordsTest, SteamsMachineKeyServesWhenTheUsersIsMissing) {
    game("drive_c/Steam/steamapps/common/Neverwinter Nights/nwmain.exe");
    registry("system.reg", R"([Software\\Wow6432Node\\Valve\\Steam] 1700000000
"InstallPath"="C:\\Steam"
)");
    const auto found = copies();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(fs::path(found[0].executablePath),
              root / "dosdevices/c:/Steam/steamapps/common/Neverwinter Nights/nwmain.exe");
}

}  // namespace
}  // namespace orvendel
