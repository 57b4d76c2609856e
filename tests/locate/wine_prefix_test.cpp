#include "locate/wine_prefix.h"

#include <gtest/gtest.h>

#include <fstream>

#include "locate/game_location.h"
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
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath,
              onDisk("c:/NeverwinterNights/nwn/nwmain.exe"));
    registry(key32, "C:\\\\NeverwinterNights\\\\NWN", "win32");
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath, "")
        << "a 32-bit prefix has no second view";

    registry("Software\\\\BioWare\\\\NWN\\\\Neverwinter", "E:\\\\NWN");
    const auto search = searchGameExecutableInPrefix(root);
    EXPECT_EQ(search.executablePath, "");
    EXPECT_NE(search.failure.find("\"E:\\NWN\" recorded in the Wine prefix"), std::string::npos)
        << search.failure;

    std::filesystem::remove(root / "drive_c" / "NeverwinterNights" / "nwn" / "nwmain.exe");
    registry(key32, "C:\\\\NeverwinterNights\\\\NWN");
    EXPECT_EQ(searchGameExecutableInPrefix(root).executablePath,
              onDisk("c:/NeverwinterNights/nwn/NWMAIN.EXE"))
        << "the literal name is proposed when the folder has no executable";
}

}  // namespace
}  // namespace orvendel
