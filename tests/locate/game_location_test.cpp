// SPDX-License-Identifier: MIT
#include "locate/game_location.h"

#include <gtest/gtest.h>

#include <fstream>

#include "locate/query_value.h"
#include "registry_fixture.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

TEST(GameExecutableFile, OnlyAnOrdinaryFileCalledNwmainInAnyCaseWithoutWildcards) {
    const TempDir folder;
    for (const char* file :
         {"a/nwmain.exe", "b/NWMAIN.EXE", "c/NwMain.Exe", "h/nwmain.exe", "s/nwmain.exe",
          "nwmain.exe.bak", "copy of nwmain.exe", "game.ini", ".hidden.ini", "sub/NWMAIN.EXE/x"}) {
        std::filesystem::create_directories((folder / file).parent_path());
        std::ofstream(folder / file) << "MZ";
    }
    for (const char* name : {"a/nwmain.exe", "b/NWMAIN.EXE", "c/NwMain.Exe"}) {
        EXPECT_TRUE(isGameExecutablePath((folder / name).string())) << name;
    }
    for (const char* name : {"a/nwmain.ex?", "a/nwm*.exe", "a/*", "nwmain.exe.bak",
                             "copy of nwmain.exe", "sub/NWMAIN.EXE", "nwmain.exe", ""}) {
        EXPECT_FALSE(isGameExecutablePath((folder / name).string())) << name;
    }
    if (markHidden(folder / "h" / "nwmain.exe") && markSystem(folder / "s" / "nwmain.exe")) {
        EXPECT_FALSE(isGameExecutablePath((folder / "h" / "nwmain.exe").string()));
        EXPECT_FALSE(isGameExecutablePath((folder / "s" / "nwmain.exe").string()));
    }
    // A profile file source passes the same test.
    EXPECT_EQ(classifySource((folder / "game.ini").string()), kSourceProfileFile);
    EXPECT_EQ(classifySource((folder / "*.ini").string()), kSourceUnknown);
    EXPECT_EQ(classifySource((folder / "missing.ini").string()), kSourceUnknown);
    if (markHidden(folder / "game.ini")) {
        EXPECT_EQ(classifySource((folder / "game.ini").string()), kSourceUnknown);
    } else {
        EXPECT_EQ(classifySource((folder / ".hidden.ini").string()), kSourceUnknown);
    }
}

}  // namespace
}  // namespace orvendel
