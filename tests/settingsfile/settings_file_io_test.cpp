#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "settingsfile/settings_file.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Status = LoadResult::Status;

// A fresh folder for one test, removed afterwards.
class SettingsFileIo : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orvendel-settingsfile-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path path(const std::string& name) const { return folder_ / name; }
    static void write(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
};

CameraSettings sampleRecord() {
    CameraSettings s = kBiowareDefaults;
    s.CTAngleDel = 55.5f;
    s.CTZoomDef = 12.25f;
    s.CTHeight = 2.2f;
    return s;
}

TEST_F(SettingsFileIo, SavedFileIsByteExactReplacesTheOldOneAndLoadsBack) {
    const fs::path file = path("mine.chs");
    ASSERT_TRUE(saveSettingsFile(file, kBiowareDefaults).ok());
    EXPECT_EQ(read(file), formatSettings(kBiowareDefaults));
    ASSERT_TRUE(saveSettingsFile(file, sampleRecord()).ok());
    CameraSettings loaded;
    const LoadResult result = loadSettingsFile(file, loaded, 0);
    EXPECT_EQ(result.status, Status::Loaded) << result.message;
    EXPECT_TRUE(sameBytes(loaded, sampleRecord()));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST_F(SettingsFileIo, SavesThatCannotBeDoneNameTheFileAndKeepWhatWasThere) {
    const fs::path file = path("keep.chs");
    write(file, "old contents");
    CameraSettings s = kBiowareDefaults;
    s.DZoomMax = std::numeric_limits<float>::infinity();
    const FileStatus nonFinite = saveSettingsFile(file, s);
    EXPECT_FALSE(nonFinite.ok());
    EXPECT_NE(nonFinite.message().find("keep.chs"), std::string::npos) << nonFinite.message();
    EXPECT_NE(nonFinite.message().find("DZoomMax is inf"), std::string::npos);
    EXPECT_EQ(read(file), "old contents");

    fs::create_directory(path("folder.chs"));
    for (const fs::path& target : {path("no/such/folder/x.chs"), path("folder.chs")}) {
        const FileStatus saved = saveSettingsFile(target, kBiowareDefaults);
        EXPECT_FALSE(saved.ok());
        EXPECT_NE(saved.message().find(target.filename().string()), std::string::npos)
            << saved.message();
    }
    EXPECT_TRUE(fs::is_directory(path("folder.chs")));
}

TEST_F(SettingsFileIo, FilesThatCannotBeLoadedAreErrorsNamingTheFile) {
    write(path("big.chs"), formatSettings(kBiowareDefaults) + std::string(70 * 1024, ' '));
    write(path("empty.chs"), "");
    std::string binary = "\"Version\",\"G\"\r\n\"CTAngleMin\",";
    binary += std::string("\0\xFF\xFE\x01", 4);
    write(path("binary.chs"), binary);
    const struct {
        const char* name;
        const char* reason;
    } rows[] = {
        {"missing.chs", "No such file"},
        {"", "folder"},
        {"big.chs", "too large"},
        {"empty.chs", "the file is empty."},
        {"binary.chs", "\"\\x00\\xFF\\xFE\\x01\", is not a number"},
    };
    for (const auto& row : rows) {
        CameraSettings s = sampleRecord();
        const LoadResult result = loadSettingsFile(path(row.name), s, 0);
        EXPECT_EQ(result.status, Status::Error) << row.reason;
        EXPECT_NE(result.message.find("Cannot load \"" + path(row.name).string() + "\": "),
                  std::string::npos)
            << result.message;
        EXPECT_NE(result.message.find(row.reason), std::string::npos) << result.message;
        EXPECT_TRUE(sameBytes(s, sampleRecord())) << "a failure changed the record";
    }
}

#if !defined(_WIN32)
TEST_F(SettingsFileIo, AFileWithoutReadPermissionIsAnError) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which reads files whatever their permissions";
    const fs::path file = path("locked.chs");
    write(file, formatSettings(kBiowareDefaults));
    fs::permissions(file, fs::perms::none);
    CameraSettings s;
    const LoadResult result = loadSettingsFile(file, s, 0);
    EXPECT_EQ(result.status, Status::Error);
    EXPECT_NE(result.message.find("locked.chs"), std::string::npos) << result.message;
}
#endif

TEST_F(SettingsFileIo, AnUnknownFormatGivesTheMessageAloneAndClampsTheRecord) {
    std::string text = formatSettings(kBiowareDefaults);
    text[11] = 'g';
    write(path("other.chs"), text);
    CameraSettings s;
    s.CTClipDist = 500;
    const LoadResult result = loadSettingsFile(path("other.chs"), s, kRevisionUnknown);
    EXPECT_EQ(result.status, Status::UnknownFormat);
    EXPECT_EQ(result.message, "Filename is in an unknown format.");
    EXPECT_EQ(s.CTClipDist, 350);
    EXPECT_EQ(s.CTAngleMin, 0) << "no value of the file is used";
}

}  // namespace
}  // namespace orvendel
