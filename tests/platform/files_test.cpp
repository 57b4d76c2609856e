#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The system's words for the injected error.
const std::string kIoError = std::make_error_code(std::errc::io_error).message();

TEST(ReadOnlyAttribute, ClearingMakesAReadOnlyFileWritable) {
    TempDir dir;
    const fs::path file = dir / "game.exe";
    writeFixture(file, bytesOf("x"));
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    bool readOnly = false;
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_TRUE(readOnly);
    ASSERT_TRUE(clearReadOnlyAttribute(file).ok());
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_FALSE(readOnly);
    EXPECT_FALSE(readOnlyAttribute(dir / "missing.exe", readOnly).ok());
}

TEST(WriteFileAtomically, CreatesANewFileThenReplacesItWholly) {
    TempDir dir;
    const fs::path file = dir / "settings.chs";
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("first, the longer one")).ok());
    EXPECT_EQ(readFixture(file), bytesOf("first, the longer one"));
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("second")).ok());
    EXPECT_EQ(readFixture(file), bytesOf("second"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings.chs"});
}

TEST(ReadWholeFile, ReadsEveryByteIncludingLargeFilesIntoAHugePageBuffer) {
    TempDir dir;
    std::vector<std::uint8_t> contents(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < contents.size(); ++i)
        contents[i] = static_cast<std::uint8_t>(i * 7);
    writeFixture(dir / "big.exe", contents);
    FileBuffer buffer;
    ASSERT_TRUE(readWholeFile(dir / "big.exe", buffer).ok());
    ASSERT_EQ(buffer.size(), contents.size());
    EXPECT_TRUE(std::equal(contents.begin(), contents.end(), buffer.data()));
}

TEST(ReadWholeFile, EmptyFileIsReadAsNoBytes) {
    TempDir dir;
    writeFixture(dir / "empty.exe", {});
    FileBuffer buffer(10);
    ASSERT_TRUE(readWholeFile(dir / "empty.exe", buffer).ok());
    EXPECT_TRUE(buffer.empty());
}

TEST(ReadWholeFile, ReadErrorAndShrinkingFileAreReported) {
    TempDir dir;
    writeFixture(dir / "game.exe", bytesOf("0123456789"));
    FileBuffer buffer;
    {
        FaultInjectingFileSystemOps ops(Step::Read);
        ScopedFileSystemOps scope(ops);
        const FileStatus status = readWholeFile(dir / "game.exe", buffer);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(kIoError), std::string::npos) << status.message();
    }
    // A file that loses bytes after its length was taken.
    class Shrinking : public FaultInjectingFileSystemOps {
    public:
        Shrinking() : FaultInjectingFileSystemOps(Step::None) {}
        std::error_code read(FileHandle, std::uint8_t*, std::size_t, std::size_t& got) override {
            got = 0;
            return {};
        }
    } shrinking;
    ScopedFileSystemOps scope(shrinking);
    const FileStatus status = readWholeFile(dir / "game.exe", buffer);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("shorter"), std::string::npos) << status.message();
    EXPECT_TRUE(buffer.empty());
}

// Each step of the replace fails in turn: the target stays wholly old (or, when only the
// final folder sync fails, is wholly new), no temporary file is left and the mode is kept.
class WriteFaults : public ::testing::TestWithParam<Step> {};

TEST_P(WriteFaults, LeaveTheTargetWholeAndNoTemporaryFile) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    const auto oldBytes = bytesOf(std::string(100000, 'o'));
    const auto newBytes = bytesOf(std::string(100000, 'n'));
    writeFixture(file, oldBytes);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms mode = fs::status(file).permissions();

    FaultInjectingFileSystemOps ops(GetParam());
    FileStatus status = FileStatus::success();
    {
        ScopedFileSystemOps scope(ops);
        status = writeFileAtomically(file, newBytes);
    }
    EXPECT_GE(ops.calls(), 1) << "the step was never reached";
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(displayPath(file)), std::string::npos) << status.message();
    const bool replaced = GetParam() == Step::SyncFolder;
    EXPECT_EQ(readFixture(file), replaced ? newBytes : oldBytes);
    EXPECT_EQ(fs::status(file).permissions(), mode);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

INSTANTIATE_TEST_SUITE_P(EveryStep, WriteFaults,
                         ::testing::Values(Step::CreateTemp, Step::Write, Step::ShortWrite,
                                           Step::CopyPermissions, Step::CopyOwner, Step::Sync,
                                           Step::Close, Step::Replace, Step::SyncFolder),
                         [](const ::testing::TestParamInfo<Step>& info) {
                             switch (info.param) {
                                 case Step::CreateTemp:
                                     return "CreateTemp";
                                 case Step::Write:
                                     return "Write";
                                 case Step::ShortWrite:
                                     return "ShortWrite";
                                 case Step::CopyPermissions:
                                     return "CopyPermissions";
                                 case Step::CopyOwner:
                                     return "CopyOwner";
                                 case Step::Sync:
                                     return "Sync";
                                 case Step::Close:
                                     return "Close";
                                 case Step::Replace:
                                     return "Replace";
                                 case Step::SyncFolder:
                                     return "SyncFolder";
                                 default:
                                     return "Other";
                             }
                         });

TEST(WriteFileAtomically, FailingRemovalOfTheTemporaryFileIsNamedInTheMessage) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    class Both : public FaultInjectingFileSystemOps {
    public:
        Both() : FaultInjectingFileSystemOps(Step::Remove) {}
        std::error_code sync(FileHandle) override {
            return std::make_error_code(std::errc::io_error);
        }
    } ops;
    ScopedFileSystemOps scope(ops);
    const FileStatus status = writeFileAtomically(file, bytesOf("new"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find(".nwmain.exe.orvendel-tmp-"), std::string::npos)
        << status.message();
    EXPECT_EQ(readFixture(file), bytesOf("old"));
}

TEST(RemoveStaleTempFiles, RemovesOnlyThisTargetsTemporaryFiles) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("exe"));
    writeFixture(dir / ".nwmain.exe.orvendel-tmp-a1B2c3", bytesOf("torn"));
    writeFixture(dir / ".nwmain.exe.orvendel-tmp-zzzzzz", bytesOf("torn"));
    writeFixture(dir / ".other.exe.orvendel-tmp-a1B2c3", bytesOf("keep"));
    writeFixture(dir / ".nwmain.exe.orvendel-tmp-toolong", bytesOf("keep"));
    writeFixture(dir / "nwmain.exe.orvendel-tmp-a1B2c3", bytesOf("keep"));
    EXPECT_EQ(removeStaleTempFiles(file), 2);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{".nwmain.exe.orvendel-tmp-toolong",
                                        ".other.exe.orvendel-tmp-a1B2c3", "nwmain.exe",
                                        "nwmain.exe.orvendel-tmp-a1B2c3"}));
}

}  // namespace
}  // namespace orvendel
