// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "settingsfile/settings_file.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

CameraSettings sampleRecord() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleDel = 55.5f;
    s.CTZoomDef = 12.25f;
    s.CTHeight = 2.2f;
    return s;
}

// A record with an infinity cannot be written back, so it is refused and the old file stays.
TEST(SettingsFileIo, SavedFileIsByteExactReplacesTheOldOneAndLoadsBackButNeverAnInfinity) {
    TempDir dir;
    const fs::path file = dir / "mine.chs";
    ASSERT_TRUE(saveSettingsFile(file, kBiowareDefaults).ok());
    EXPECT_EQ(readFixture(file), bytesOf(formatSettings(kBiowareDefaults)));
    ASSERT_TRUE(saveSettingsFile(file, sampleRecord()).ok());
    CameraSettings loaded;
    const Result<SettingsFormat> result = loadSettingsFile(file, loaded, 0);
    EXPECT_TRUE(result == SettingsFormat::Known) << result.message();
    EXPECT_TRUE(sameBytes(loaded, sampleRecord()));

    CameraSettings s = kBiowareDefaults;
    s.DZoomMax = std::numeric_limits<float>::infinity();
    const FileStatus nonFinite = saveSettingsFile(file, s);
    EXPECT_FALSE(nonFinite.ok());
    EXPECT_NE(nonFinite.message().find("mine.chs"), std::string::npos) << nonFinite.message();
    EXPECT_NE(nonFinite.message().find("DZoomMax is inf"), std::string::npos);
    EXPECT_EQ(readFixture(file), bytesOf(formatSettings(sampleRecord())));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"mine.chs"});
}

TEST(SettingsFileIo, FilesThatCannotBeLoadedAreErrorsNamingTheFile) {
    TempDir dir;
    writeFixture(dir / "big.chs",
                 bytesOf(formatSettings(kBiowareDefaults) + std::string(70 * 1024, ' ')));
    writeFixture(dir / "empty.chs", {});
    const struct {
        const char* name;
        const char* reason;
    } rows[] = {
        {"missing.chs", "No such file"},
        {"", "folder"},
        {"big.chs", "too large"},
        {"empty.chs", "the file is empty."},
    };
    for (const auto& row : rows) {
        CameraSettings s = sampleRecord();
        const Result<SettingsFormat> result = loadSettingsFile(dir / row.name, s, 0);
        EXPECT_FALSE(result.ok()) << row.reason;
        EXPECT_NE(result.message().find("Cannot load \"" + (dir / row.name).string() + "\": "),
                  std::string::npos)
            << result.message();
        EXPECT_NE(result.message().find(row.reason), std::string::npos) << result.message();
        EXPECT_TRUE(sameBytes(s, sampleRecord())) << "a failure changed the record";
    }
}

}  // namespace
}  // namespace orvendel
