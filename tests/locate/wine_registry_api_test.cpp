#include "locate/wine_registry_api.h"

#include <gtest/gtest.h>

#include <fstream>

#include "locate/query_value.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

// Where each hive of a Wine prefix is read from.
class WineRegistryApiTest : public testing::Test {
protected:
    WineRegistryApiTest() {
        write(
            "system.reg", "Machine",
            "[Software\\\\Classes\\\\.txt] 1\n@=\"txtfile\"\n"
            "[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\Software\\\\Fonts] 1\n"
            "\"LogPixels\"=dword:00000060\n"
            "[Software\\\\Wow6432Node\\\\Only32] 1\n\"V\"=\"32\"\n"
            "[Software\\\\Both] 1\n\"V\"=\"64\"\n"
            "[Software\\\\Wow6432Node\\\\Both] 1\n\"V\"=\"32\"\n\"Extra\"=\"32\"\n");
        write("user.reg", "User\\\\S-1-5-21-0-0-0-1000",
              "[Software\\\\Classes\\\\.txt] 1\n@=\"user's\"\n[Console] 1\n\"Lines\"=dword:19\n");
        write("userdef.reg", "User\\\\.Default",
              "[Control Panel\\\\Desktop] 1\n\"Wall\"=\"none\"\n");
    }

    void write(const char* file, const char* relative, const std::string& body) {
        std::ofstream(prefix / file)
            << "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\" << relative
            << "\n\n#arch=win64\n\n"
            << body;
    }

    std::string text(const char* source, const char* key, const char* name) {
        RegistryValue out;
        const auto status = queryValue(api, source, key, name, "S", std::string("-"), out);
        return std::to_string(status) + ":" + std::get<std::string>(out);
    }

    TempDir prefix;
    WineRegistryApi api{prefix.path()};
};

TEST_F(WineRegistryApiTest, ClassesRootIsTheMachinesClasses) {
    EXPECT_EQ(text("HKCR", ".txt", ""), "0:txtfile");
}

TEST_F(WineRegistryApiTest, CurrentConfigIsTheCurrentHardwareProfile) {
    RegistryValue out;
    EXPECT_EQ(queryValue(api, "HKCC", "Software\\Fonts", "LogPixels", "D", 0, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{96}));
}

TEST_F(WineRegistryApiTest, UsersHoldsTheDefaultUserAndTheUserBySid) {
    EXPECT_EQ(text("HKU", ".DEFAULT\\Control Panel\\Desktop", "Wall"), "0:none");
    RegistryValue out;
    EXPECT_EQ(queryValue(api, "HKU", "s-1-5-21-0-0-0-1000\\Console", "Lines", "D", 0, out), 0);
    EXPECT_EQ(out, RegistryValue(std::int32_t{25}));
    EXPECT_EQ(text("HKU", "S-1-5-18\\Console", "Lines"), "2:-");
    EXPECT_EQ(queryValue(api, "HKU", "", "x", "X", 0, out), 0) << "the hive itself opens";
}

TEST_F(WineRegistryApiTest, DynamicDataAndOddPathsAreRefusedAsWineDoes) {
    EXPECT_EQ(text("HKDD", "", "x"), "2:-");
    EXPECT_EQ(text("HKLM", "\\Software\\Both", "V"), "161:-");
    EXPECT_EQ(text("HKLM", "Software\\\\Both\\", "V"), "0:64");
}

TEST_F(WineRegistryApiTest, TheSecondViewServesOnlyKeysMissingFromTheFirst) {
    EXPECT_EQ(text("HKLM", "Software\\Only32", "V"), "0:32");
    EXPECT_EQ(text("HKLM", "Software\\Both", "V"), "0:64");
    EXPECT_EQ(text("HKLM", "Software\\Both", "Extra"), "2:-");
    EXPECT_EQ(text("HKLM", "Software\\Wow6432Node\\Both", "Extra"), "0:32");
}

TEST_F(WineRegistryApiTest, ReportsFilesItCannotUse) {
    std::filesystem::remove(prefix / "user.reg");
    std::ofstream(prefix / "system.reg") << "garbage\n";
    EXPECT_EQ(text("HKLM", "Software", "V"), "2:-");
    EXPECT_EQ(text("HKCU", "Console", "Lines"), "2:-");
    ASSERT_EQ(api.problems().size(), 2u);
    EXPECT_NE(api.problems()[0].find("system.reg: not a Wine registry file"), std::string::npos);
    EXPECT_NE(api.problems()[1].find("user.reg"), std::string::npos);
}

TEST_F(WineRegistryApiTest, UnknownHandlesAreRefused) {
    std::uint32_t size = 0;
    EXPECT_EQ(api.queryValue(12345, "x", nullptr, size), 6);
    EXPECT_EQ(api.closeKey(12345), 6);
    RegistryApi::Key key = 0;
    EXPECT_EQ(api.openKey(0x80000004u, "", key), 6);
}

}  // namespace
}  // namespace orvendel
