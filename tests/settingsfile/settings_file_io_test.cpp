#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "settingsfile/settings_file.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Status = LoadResult::Status;

// A fresh folder for one test, removed afterwards.
class SettingsFileIo : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() /
                  ("orvendel-settingsfile-" + std::to_string(random()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    fs::path path(const std::string& name) const { return folder_ / name; }

    static void write(const fs::path& p, const std::string& bytes) {
        std::ofstream out(p, std::ios::binary);
        out << bytes;
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

TEST_F(SettingsFileIo, SavedFileLoadsBackAndIsByteExact) {
    const fs::path file = path("mine.chs");
    ASSERT_TRUE(saveSettingsFile(file, kBiowareDefaults).ok());
    EXPECT_EQ(read(file), formatSettings(kBiowareDefaults));

    ASSERT_TRUE(saveSettingsFile(file, sampleRecord()).ok()) << "replaces an existing file";
    CameraSettings loaded;
    const LoadResult result = loadSettingsFile(file, loaded, 0);
    EXPECT_EQ(result.status, Status::Loaded) << result.message;
    EXPECT_TRUE(sameBytes(loaded, sampleRecord()));
    for (const auto& entry : fs::directory_iterator(folder_)) {
        EXPECT_EQ(entry.path().filename(), "mine.chs") << "no temporary file left behind";
    }
}

TEST_F(SettingsFileIo, NonFiniteValuesAreNotSavedAndTheOldFileStays) {
    const fs::path file = path("keep.chs");
    write(file, "old contents");
    CameraSettings s = kBiowareDefaults;
    s.DZoomMax = std::numeric_limits<float>::infinity();
    const FileStatus saved = saveSettingsFile(file, s);
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("keep.chs"), std::string::npos) << saved.message();
    EXPECT_NE(saved.message().find("DZoomMax is inf"), std::string::npos) << saved.message();
    EXPECT_EQ(read(file), "old contents");
}

TEST_F(SettingsFileIo, SavingIntoAMissingFolderFailsWithTheFileName) {
    const FileStatus saved = saveSettingsFile(path("no/such/folder/x.chs"), kBiowareDefaults);
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("x.chs"), std::string::npos) << saved.message();
}

TEST_F(SettingsFileIo, SavingOverAFolderFailsAndKeepsIt) {
    const fs::path target = path("folder.chs");
    fs::create_directory(target);
    write(target / "inside", "x");
    const FileStatus saved = saveSettingsFile(target, kBiowareDefaults);
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find("folder.chs"), std::string::npos) << saved.message();
    EXPECT_EQ(read(target / "inside"), "x");
}

TEST_F(SettingsFileIo, UnreadableFilesAreErrorsNamingTheFile) {
    CameraSettings s = sampleRecord();
    const LoadResult missing = loadSettingsFile(path("missing.chs"), s, 0);
    EXPECT_EQ(missing.status, Status::Error);
    EXPECT_NE(missing.message.find("missing.chs"), std::string::npos) << missing.message;
    EXPECT_NE(missing.message.find("No such file"), std::string::npos) << missing.message;

    const LoadResult folder = loadSettingsFile(folder_, s, 0);
    EXPECT_EQ(folder.status, Status::Error);
    EXPECT_NE(folder.message.find("folder"), std::string::npos) << folder.message;

    const fs::path big = path("big.chs");
    write(big, formatSettings(kBiowareDefaults) + std::string(70 * 1024, ' '));
    const LoadResult tooLarge = loadSettingsFile(big, s, 0);
    EXPECT_EQ(tooLarge.status, Status::Error);
    EXPECT_NE(tooLarge.message.find("too large"), std::string::npos) << tooLarge.message;

    const fs::path empty = path("empty.chs");
    write(empty, "");
    const LoadResult emptyResult = loadSettingsFile(empty, s, 0);
    EXPECT_EQ(emptyResult.status, Status::Error);
    EXPECT_EQ(emptyResult.message, "Cannot load \"" + empty.string() + "\": the file is empty.");

    EXPECT_TRUE(sameBytes(s, sampleRecord())) << "no failure changed the record";
}

#if !defined(_WIN32)
TEST_F(SettingsFileIo, AFifoIsRefusedWithoutBlocking) {
    const fs::path fifo = path("pipe.chs");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CameraSettings s = sampleRecord();
    const LoadResult result = loadSettingsFile(fifo, s, 0);
    EXPECT_EQ(result.status, Status::Error);
    EXPECT_NE(result.message.find("not a regular file"), std::string::npos) << result.message;
    EXPECT_TRUE(sameBytes(s, sampleRecord()));
}

TEST_F(SettingsFileIo, AFileWithoutReadPermissionIsAnError) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, which reads files whatever their permissions";
    }
    const fs::path file = path("locked.chs");
    write(file, formatSettings(kBiowareDefaults));
    fs::permissions(file, fs::perms::none);
    CameraSettings s;
    const LoadResult result = loadSettingsFile(file, s, 0);
    EXPECT_EQ(result.status, Status::Error);
    EXPECT_NE(result.message.find("locked.chs"), std::string::npos) << result.message;
}
#endif

TEST_F(SettingsFileIo, BinaryContentIsANumberErrorNotACrash) {
    const fs::path file = path("binary.chs");
    std::string bytes = "\"Version\",\"G\"\r\n\"CTAngleMin\",";
    bytes += std::string("\0\xFF\xFE\x01", 4);
    write(file, bytes);
    CameraSettings s = sampleRecord();
    const LoadResult result = loadSettingsFile(file, s, 0);
    EXPECT_EQ(result.status, Status::Error);
    EXPECT_NE(result.message.find("\"\\x00\\xFF\\xFE\\x01\", is not a number"), std::string::npos)
        << result.message;
    EXPECT_TRUE(sameBytes(s, sampleRecord()));
}

TEST_F(SettingsFileIo, UnknownFormatClampsTheRecordAndSaysSo) {
    const fs::path file = path("other.chs");
    std::string text = formatSettings(kBiowareDefaults);
    text[11] = 'g';
    write(file, text);
    CameraSettings s;
    s.CTClipDist = 500;
    const LoadResult result = loadSettingsFile(file, s, kRevisionUnknown);
    EXPECT_EQ(result.status, Status::UnknownFormat);
    EXPECT_EQ(result.message, "Filename is in an unknown format.");
    EXPECT_EQ(s.CTClipDist, 350);
    EXPECT_EQ(s.CTAngleMin, 0) << "no value of the file is used";
}

}  // namespace
}  // namespace orvendel
