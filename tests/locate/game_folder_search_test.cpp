// SPDX-License-Identifier: MIT
#include "locate/game_folder_search.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

class GameFolderSearchTest : public testing::Test {
protected:
    void game(const std::string& relative) {
        fs::create_directories((drive / relative).parent_path());
        std::ofstream(drive / relative) << "MZ";
    }

    std::vector<std::string> onDrive(std::size_t* listed = nullptr) {
        std::vector<std::string> found;
        for (const std::string& path : findGameOnDrive(drive.string(), listed)) {
            found.push_back(fs::path(path).lexically_relative(drive).generic_string());
        }
        return found;
    }

    TempDir dir;
    fs::path drive = dir / "drive_c";
};

TEST_F(GameFolderSearchTest, FindsTheGameAtTheUsualInstallDepthsInAnyCase) {
    const char* const found[] = {
        "GAMES/a/b/NwMain.exe",
        "GOG Games/NWN/nwmain.exe",
        "NWN/nwmain.exe",
        "NeverwinterNights/NWN/NWMAIN.EXE",
        "Program Files (x86)/x/y/nwmain.exe",
        "nwmain.exe",
    };
    for (const char* path : found) {
        game(path);
    }
    for (const char* path : {"Other/a/b/nwmain.exe", "Games/a/b/c/nwmain.exe", "windows/nwmain.exe",
                             "NWN/nwmain.exe.bak", "NWN/nwmain.exe2/x"}) {
        game(path);
    }
    EXPECT_EQ(onDrive(), std::vector<std::string>(std::begin(found), std::end(found)));
}

TEST_F(GameFolderSearchTest, EntersNoLinkAndFollowsNoLinkToAFile) {
    game("real/nwmain.exe");
    fs::create_directories(dir / "outside/NWN");
    std::ofstream(dir / "outside/NWN/nwmain.exe") << "MZ";
    fs::create_directory_symlink(dir / "outside", drive / "Games");
    fs::create_symlink(drive / "real/nwmain.exe", drive / "nwmain.exe");
    EXPECT_EQ(onDrive(), std::vector<std::string>{"real/nwmain.exe"});
    EXPECT_TRUE(findGameBelow((drive / "Games").string(), 2).empty()) << "the start is a link";
}

TEST_F(GameFolderSearchTest, ListsAtMostTheCapOfFolders) {
    for (std::size_t i = 0; i < kMaxSearchFolders; ++i) {
        fs::create_directories(drive / ("f" + std::to_string(1000 + i)));
    }
    game("zz/nwmain.exe");
    std::size_t listed = 0;
    EXPECT_TRUE(onDrive(&listed).empty());
    EXPECT_EQ(listed, kMaxSearchFolders);
}

TEST_F(GameFolderSearchTest, FindsSteamsGameFoldersByName) {
    for (const char* folder : {"Neverwinter Nights", "NEVERWINTER NIGHTS 2", "Portal", "nwn"}) {
        fs::create_directories(dir / "lib/steamapps/common" / folder);
    }
    std::ofstream(dir / "lib/steamapps/common/Neverwinter Nights (file)") << "";
    const auto common = dir / "lib/steamapps/common";
    EXPECT_EQ(steamGameFolders((dir / "lib").string()),
              (std::vector<std::string>{(common / "NEVERWINTER NIGHTS 2").string(),
                                        (common / "Neverwinter Nights").string()}));
}

}  // namespace
}  // namespace orvendel
