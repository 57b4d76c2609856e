// SPDX-License-Identifier: MIT
// What the file layer does with POSIX permission bits, owners, extended attributes, ACLs, links
// and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
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

// The file a link names is replaced, and its original copy lies beside it, not the link.
TEST(WriteFileAtomically, FollowsASymbolicLinkAndRefusesAFolder) {
    TempDir dir;
    fs::create_directory(dir / "game");
    writeFixture(dir / "game" / "real.exe", bytesOf("old"));
    fs::create_symlink("game/real.exe", dir / "link.exe");
    ASSERT_TRUE(writeFileAtomically(dir / "link.exe", bytesOf("new")).ok());
    EXPECT_TRUE(fs::is_symlink(dir / "link.exe"));
    EXPECT_EQ(readFixture(dir / "game" / "real.exe"), bytesOf("new"));
    EXPECT_EQ(originalCopyPath(dir / "link.exe"),
              fs::canonical(dir / "game") / "real.exe.orvendel-original");

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

// An ACL (system.posix_acl_access) may let another user write, Wine keeps a file's DOS
// attributes in user.DOSATTRIB, and values may hold any bytes: the new file keeps each of them.
TEST(WriteFileAtomically, KeepsAclsAndExtendedAttributes) {
    // Version 2, then tag, permissions and id of each entry: owner rw, user 65534 rw, group r,
    // mask rw, others nothing.
    const char acl[] =
        "\2\0\0\0\x01\0\6\0\xFF\xFF\xFF\xFF\x02\0\6\0\xFE\xFF\0\0"
        "\x04\0\4\0\xFF\xFF\xFF\xFF\x10\0\6\0\xFF\xFF\xFF\xFF"
        "\x20\0\0\0\xFF\xFF\xFF\xFF";
    const std::pair<const char*, std::string> attributes[] = {
        {"system.posix_acl_access", std::string(acl, sizeof acl - 1)},
        {"user.DOSATTRIB", "0x21"},
        {"user.orvendel.test", std::string("\0\x01\xFF", 3)},
    };
    for (const auto& [name, value] : attributes) {
        TempDir dir;
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, bytesOf("old"));
        if (::setxattr(file.c_str(), name, value.data(), value.size(), 0) != 0)
            GTEST_SKIP() << name << " is not supported here: " << std::strerror(errno);
        ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
        EXPECT_EQ(readFixture(file), bytesOf("new"));
        char kept[64] = {};
        const ssize_t size = ::getxattr(file.c_str(), name, kept, sizeof kept);
        EXPECT_EQ(size >= 0 ? std::string(kept, static_cast<std::size_t>(size)) : "(lost)", value)
            << name;
    }
}

// A change of owner clears the setuid and setgid bits, for root too, so the owner must come
// first. Root needs a change of owner for another user's file, and for its own in a setgid
// folder, where every new file starts with the folder's group.
TEST(WriteFileAtomically, KeepsTheOwnerAndTheSetuidAndSetgidBits) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    fs::create_directory(dir / "shared");
    ASSERT_EQ(::chown((dir / "shared").c_str(), 0, 65534), 0);
    ASSERT_EQ(::chmod((dir / "shared").c_str(), 02775), 0);
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t mode;
    } rows[] = {
        {"nwmain.exe", 65534, 65534, 06755},  // another user's setuid file
        {"shared/nwmain.exe", 0, 0, 02755},   // root's setgid file in a setgid folder
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path file = dir / row.name;
        writeFixture(file, bytesOf("old"));
        ASSERT_EQ(::chown(file.c_str(), row.owner, row.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), row.mode), 0);
        ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(std::vector<unsigned>({info.st_uid, info.st_gid, info.st_mode & 07777u}),
                  std::vector<unsigned>({row.owner, row.group, row.mode}));
        EXPECT_EQ(readFixture(file), bytesOf("new"));
    }
}

}  // namespace
}  // namespace orvendel
