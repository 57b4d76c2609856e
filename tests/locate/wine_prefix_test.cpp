#include "locate/wine_prefix.h"

#include <gtest/gtest.h>

#include <fstream>

#include "locate/game_location.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

// A Wine prefix laid out as wineboot makes it, with the game's registry entry.
class WinePrefixTest : public testing::Test {
protected:
    WinePrefixTest() {
        std::filesystem::create_directories(root / "dosdevices");
        std::filesystem::create_directories(root / "drive_c" / "NeverwinterNights" / "nwn");
        std::filesystem::create_directories(root / "games");
        std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
        std::filesystem::create_directory_symlink("../games", root / "dosdevices" / "D:");
        std::filesystem::create_directory_symlink("/", root / "dosdevices" / "z:");
        std::ofstream(root / "drive_c" / "NeverwinterNights" / "nwn" / "nwmain.exe") << "MZ";
    }

    void registry(const std::string& body, const char* arch = "win64") {
        std::ofstream(root / "system.reg")
            << "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=" << arch
            << "\n\n"
            << body;
    }

    std::filesystem::path drive(const char* rest) const {
        return root / "dosdevices" / "c:" / rest;
    }

    TempDir dir;
    std::filesystem::path root = dir / "prefix";
    WinePrefix prefix{root};
};

TEST_F(WinePrefixTest, MapsDrivesAndMatchesEveryComponentWithoutCase) {
    EXPECT_EQ(prefix.hostPath("C:\\NeverwinterNights\\NWN\\NWMAIN.EXE"),
              drive("NeverwinterNights/nwn/nwmain.exe"));
    EXPECT_EQ(prefix.hostPath("c:/neverwinternights/NWN/NwMain.exe"),
              drive("NeverwinterNights/nwn/nwmain.exe"));
    EXPECT_EQ(prefix.hostPath("d:\\"), root / "dosdevices" / "D:");
    EXPECT_EQ(prefix.hostPath("Z:\\"), root / "dosdevices" / "z:");
}

TEST_F(WinePrefixTest, ResolvesDotsAndIgnoresEmptyComponents) {
    EXPECT_EQ(prefix.hostPath("C:\\Windows\\..\\NeverwinterNights\\.\\NWN\\\\NWMAIN.EXE"),
              drive("NeverwinterNights/nwn/nwmain.exe"));
    EXPECT_EQ(prefix.hostPath("C:\\..\\..\\NeverwinterNights"), drive("NeverwinterNights"));
}

TEST_F(WinePrefixTest, KeepsAMissingLastComponentAsWritten) {
    EXPECT_EQ(prefix.hostPath("C:\\NeverwinterNights\\NWN\\Missing.EXE"),
              drive("NeverwinterNights/nwn/Missing.EXE"));
}

TEST_F(WinePrefixTest, RefusesMissingFoldersDrivesAndRelativePaths) {
    EXPECT_FALSE(prefix.hostPath("C:\\Missing\\NWN\\NWMAIN.EXE"));
    EXPECT_FALSE(prefix.hostPath("C:\\NeverwinterNights\\nwn\\nwmain.exe\\deeper"));
    EXPECT_FALSE(prefix.hostPath("Q:\\NWN\\NWMAIN.EXE"));
    EXPECT_FALSE(prefix.hostPath("NWN\\NWMAIN.EXE"));
    EXPECT_FALSE(prefix.hostPath("\\\\server\\share\\NWMAIN.EXE"));
    EXPECT_FALSE(prefix.hostPath(""));
    EXPECT_FALSE(WinePrefix(dir / "nothing").hostPath("C:\\"));
}

TEST_F(WinePrefixTest, PrefersTheExactSpellingThenTheFirstInByteOrder) {
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "b");
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "B");
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "c");
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "C2");
    EXPECT_EQ(prefix.hostPath("C:\\Twin\\b"), drive("Twin/b"));
    EXPECT_EQ(prefix.hostPath("C:\\Twin\\B"), drive("Twin/B"));
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "X");
    std::filesystem::create_directories(root / "drive_c" / "Twin" / "x2");
    EXPECT_EQ(WinePrefix::findEntry(root / "drive_c" / "Twin", "C"),
              root / "drive_c" / "Twin" / "c");
}

TEST_F(WinePrefixTest, FindsTheGameThroughTheRegistry) {
    registry(
        "[Software\\\\BioWare\\\\NWN\\\\Neverwinter] 1\n"
        "\"Location\"=\"C:\\\\NeverwinterNights\\\\NWN\"\n");
    const auto search = searchGameExecutableInPrefix(root);
    EXPECT_EQ(search.executablePath, drive("NeverwinterNights/nwn/nwmain.exe").string());
    EXPECT_EQ(search.failure, "");
}

TEST_F(WinePrefixTest, FindsWhatA32BitInstallerWroteInA64BitPrefix) {
    const std::string entry =
        "[Software\\\\Wow6432Node\\\\BioWare\\\\NWN\\\\Neverwinter] 1\n"
        "\"location\"=\"c:\\\\neverwinternights\\\\nwn\\\\\"\n";
    registry(entry);
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath,
              drive("NeverwinterNights/nwn/nwmain.exe").string());
    registry(entry, "win32");
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath, "")
        << "a 32-bit prefix has no second view";
}

TEST_F(WinePrefixTest, ProposesTheLiteralNameWhenTheFolderHasNoExecutable) {
    std::filesystem::remove(root / "drive_c" / "NeverwinterNights" / "nwn" / "nwmain.exe");
    registry(
        "[Software\\\\BioWare\\\\NWN\\\\Neverwinter] "
        "1\n\"Location\"=\"C:\\\\NeverwinterNights\\\\NWN\"\n");
    const auto path = searchGameExecutableInPrefix(root).executablePath;
    EXPECT_EQ(path, drive("NeverwinterNights/nwn/NWMAIN.EXE").string());
    EXPECT_FALSE(isGameExecutablePath(path));
}

TEST_F(WinePrefixTest, SaysWhyNothingWasFound) {
    EXPECT_NE(searchGameExecutableInPrefix(dir / "none").failure.find("does not exist"),
              std::string::npos);
    EXPECT_EQ(searchGameExecutableInPrefix("").executablePath, "");

    auto failure = searchGameExecutableInPrefix(root).failure;
    EXPECT_NE(failure.find("no install folder"), std::string::npos) << failure;
    EXPECT_NE(failure.find("system.reg"), std::string::npos) << "the missing file is named";

    std::ofstream(root / "system.reg") << "REGEDIT4\n";
    failure = searchGameExecutableInPrefix(root).failure;
    EXPECT_NE(failure.find("not a Wine registry file"), std::string::npos) << failure;

    registry("[Software\\\\BioWare\\\\NWN\\\\Neverwinter] 1\n\"Location\"=\"E:\\\\NWN\"\n");
    failure = searchGameExecutableInPrefix(root).failure;
    EXPECT_NE(failure.find("\"E:\\NWN\""), std::string::npos) << failure;
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath, "");
}

TEST_F(WinePrefixTest, DefaultPrefixFollowsTheEnvironment) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string keep = saved != nullptr ? saved : "";
    ::setenv("WINEPREFIX", root.c_str(), 1);
    EXPECT_EQ(WinePrefix::defaultDirectory(), root);
    ::setenv("WINEPREFIX", "", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(WinePrefix::defaultDirectory(), std::filesystem::path(home) / ".wine");
    }
    if (saved != nullptr) {
        ::setenv("WINEPREFIX", keep.c_str(), 1);
    } else {
        ::unsetenv("WINEPREFIX");
    }
}

}  // namespace
}  // namespace orvendel
