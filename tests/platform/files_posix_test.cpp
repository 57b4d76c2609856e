// What the file layer does on POSIX systems: permission bits, FIFOs, links, limits.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
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

}  // namespace
}  // namespace orvendel
