// What the file layer does with POSIX permission bits, links and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
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
    EXPECT_EQ(fs::status(file).permissions(), static_cast<fs::perms>(0644));

    ASSERT_EQ(::chmod(file.c_str(), 0474), 0);  // group may write, owner may not
    ASSERT_TRUE(readOnlyAttribute(file, readOnly).ok());
    EXPECT_TRUE(readOnly);
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

}  // namespace
}  // namespace orvendel
