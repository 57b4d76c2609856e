#include "platform/files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
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

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
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

TEST(ReadWholeFile, BadPathsFailWithTheFileAndTheReason) {
    TempDir dir;
    fs::create_directory(dir / "folder.exe");
    ASSERT_EQ(::mkfifo((dir / "pipe.exe").c_str(), 0600), 0);
    struct Case {
        const char* name;
        const char* reason;
    } cases[] = {
        {"missing.exe", "No such file or directory"},
        {"folder.exe", "Is a directory"},
        {"pipe.exe", "not a regular file"},  // must not block on the FIFO
    };
    for (const Case& c : cases) {
        FileBuffer buffer;
        const FileStatus status = readWholeFile(dir / c.name, buffer);
        ASSERT_FALSE(status.ok()) << c.name;
        EXPECT_NE(status.message().find(displayPath(dir / c.name)), std::string::npos)
            << status.message();
        EXPECT_NE(status.message().find(c.reason), std::string::npos) << status.message();
    }
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
        EXPECT_NE(status.message().find("Input/output error"), std::string::npos);
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

TEST(ReadOnlyAttribute, IsTheOwnerWriteBitAndClearingAddsOnlyThatBit) {
    TempDir dir;
    const fs::path file = dir / "game.exe";
    writeFixture(file, bytesOf("x"));
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    bool readOnly = false;
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_TRUE(readOnly);  // also when the tests run as root, where access() says writable
    ASSERT_TRUE(clearReadOnlyAttribute(file).ok());
    EXPECT_EQ(modeOf(file), 0644u);
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_FALSE(readOnly);

    ASSERT_EQ(::chmod(file.c_str(), 0474), 0);  // group may write, owner may not
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_TRUE(readOnly);
}

TEST(WriteFileAtomically, CreatesANewFileAndReplacesAnExistingOneKeepingItsMode) {
    TempDir dir;
    const fs::path file = dir / "settings.chs";
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("first")).ok());
    EXPECT_EQ(readFixture(file), bytesOf("first"));

    ASSERT_EQ(::chmod(file.c_str(), 0751), 0);
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("second, longer")).ok());
    EXPECT_EQ(readFixture(file), bytesOf("second, longer"));
    EXPECT_EQ(modeOf(file), 0751u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings.chs"});
}

TEST(WriteFileAtomically, FollowsASymbolicLinkAndRefusesAFolder) {
    TempDir dir;
    writeFixture(dir / "real.exe", bytesOf("old"));
    fs::create_symlink("real.exe", dir / "link.exe");
    ASSERT_TRUE(writeFileAtomically(dir / "link.exe", bytesOf("new")).ok());
    EXPECT_TRUE(fs::is_symlink(dir / "link.exe"));
    EXPECT_EQ(readFixture(dir / "real.exe"), bytesOf("new"));

    fs::create_directory(dir / "folder");
    const FileStatus status = writeFileAtomically(dir / "folder", bytesOf("x"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("not a regular file"), std::string::npos);
}

TEST(WriteFileAtomically, UnwritableFolderIsAClearErrorNotAnInPlaceWrite) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    TempDir dir;
    const fs::path file = dir / "game.exe";
    writeFixture(file, bytesOf("old"));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const FileStatus status = writeFileAtomically(file, bytesOf("new"));
    ::chmod(dir.path().c_str(), 0755);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("temporary file"), std::string::npos);
    EXPECT_EQ(readFixture(file), bytesOf("old"));
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
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);

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
    EXPECT_EQ(modeOf(file), 0640u);
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

TEST(WriteFileAtomically, ARealFileSizeLimitFailsTheWriteAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Like a disk that fills up after 64 KiB: writes past it fail with EFBIG.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(3);
        const FileStatus status =
            writeFileAtomically(file, std::vector<std::uint8_t>(1024 * 1024, 0xAB));
        const bool named = status.message().find("File too large") != std::string::npos;
        ::_exit(status.ok() ? 1 : named ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "this machine refuses a file-size limit";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: reason not in the message";
    EXPECT_EQ(readFixture(file), bytesOf("old"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"nwmain.exe"});
}

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
