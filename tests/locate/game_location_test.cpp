#include "locate/game_location.h"

#include <gtest/gtest.h>

#include <fstream>

#include "file_attributes.h"
#include "locate/query_value.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

void touch(const std::filesystem::path& file) {
    std::ofstream(file, std::ios::binary) << "MZ";
}

TEST(ExecutablePathFromFolder, OnlyAppends) {
    EXPECT_EQ(executablePathFromFolder("C:\\NeverwinterNights\\NWN"),
              "C:\\NeverwinterNights\\NWN\\NWMAIN.EXE");
    EXPECT_EQ(executablePathFromFolder("C:\\NWN\\"), "C:\\NWN\\\\NWMAIN.EXE");
    EXPECT_EQ(executablePathFromFolder(""), "");
}

class ExecutableFileTest : public testing::Test {
protected:
    std::string at(const char* name) const { return (folder / name).string(); }
    TempDir folder;
};

TEST_F(ExecutableFileTest, AcceptsNwmainInAnyCase) {
    for (const char* name : {"nwmain.exe", "NWMAIN.EXE", "NwMain.Exe"}) {
        const TempDir own;
        touch(own / name);
        EXPECT_TRUE(isGameExecutablePath((own / name).string())) << name;
    }
}

TEST_F(ExecutableFileTest, RefusesOtherNamesFoldersAndMissingFiles) {
    touch(folder / "nwmain.exe.bak");
    touch(folder / "copy of nwmain.exe");
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_directory(folder / "sub" / "NWMAIN.EXE");
    EXPECT_FALSE(isGameExecutablePath(at("nwmain.exe.bak")));
    EXPECT_FALSE(isGameExecutablePath(at("copy of nwmain.exe")));
    EXPECT_FALSE(isGameExecutablePath((folder / "sub" / "NWMAIN.EXE").string()));
    EXPECT_FALSE(isGameExecutablePath(at("nwmain.exe")));
    EXPECT_FALSE(isGameExecutablePath(""));
    EXPECT_FALSE(isGameExecutablePath(folder.path().string()));
}

TEST_F(ExecutableFileTest, RefusesWildcardsThatWouldMatch) {
    touch(folder / "nwmain.exe");
    EXPECT_TRUE(isGameExecutablePath(at("nwmain.exe")));
    EXPECT_FALSE(isGameExecutablePath(at("nwmain.ex?")));
    EXPECT_FALSE(isGameExecutablePath(at("nwm*.exe")));
    EXPECT_FALSE(isGameExecutablePath(at("*")));
}

TEST_F(ExecutableFileTest, RefusesHiddenAndSystemFiles) {
    touch(folder / "hidden");
    std::filesystem::create_directory(folder / "h");
    std::filesystem::create_directory(folder / "s");
    touch(folder / "h" / "nwmain.exe");
    touch(folder / "s" / "nwmain.exe");
    if (!markHidden(folder / "h" / "nwmain.exe") || !markSystem(folder / "s" / "nwmain.exe")) {
        GTEST_SKIP() << "no file attributes on this platform";
    }
    EXPECT_FALSE(isGameExecutablePath((folder / "h" / "nwmain.exe").string()));
    EXPECT_FALSE(isGameExecutablePath((folder / "s" / "nwmain.exe").string()));
}

TEST_F(ExecutableFileTest, ProfileSourceMustBeAnOrdinaryFile) {
    touch(folder / "game.ini");
    touch(folder / ".hidden.ini");
    EXPECT_EQ(hiveFromName(at("game.ini")), kSourceProfileFile);
    EXPECT_EQ(hiveFromName(folder.path().string()), kSourceUnknown);
    EXPECT_EQ(hiveFromName(at("*.ini")), kSourceUnknown);
    EXPECT_EQ(hiveFromName(at("missing.ini")), kSourceUnknown);
    EXPECT_EQ(hiveFromName("HKEY_LOCAL_MACHINE"), kSourceUnknown);
    if (markHidden(folder / "game.ini")) {
        EXPECT_EQ(hiveFromName(at("game.ini")), kSourceUnknown);
    } else {
        EXPECT_EQ(hiveFromName(at(".hidden.ini")), kSourceUnknown) << "dot-files are hidden";
    }
}

TEST(HiveFromName, KnowsTheSixAbbreviationsInAnyCase) {
    const std::pair<const char*, std::uint32_t> hives[] = {
        {"HKCR", 0x80000000u}, {"hkcu", 0x80000001u}, {"HkLm", 0x80000002u},
        {"hku", 0x80000003u},  {"HKCC", 0x80000005u}, {"hkdd", 0x80000006u}};
    for (const auto& [name, key] : hives) {
        EXPECT_EQ(hiveFromName(name), key) << name;
    }
    EXPECT_EQ(hiveFromName("HKEY_CURRENT_USER"), kSourceUnknown);
    EXPECT_EQ(hiveFromName(" HKLM"), kSourceUnknown);
}

}  // namespace
}  // namespace orvendel
