// What the file layer does with POSIX permission bits, owners, extended attributes, ACLs, links
// and folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Runs a shell command quietly; true when it succeeded.
bool succeeds(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// What getfacl prints for the file, owner and group by number.
std::string aclOf(const fs::path& file) {
    std::string text;
    if (FILE* pipe = ::popen(("getfacl --omit-header --numeric " + quoted(file)).c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        ::pclose(pipe);
    }
    return text;
}

// Wine keeps a file's DOS attributes in user.DOSATTRIB; values may hold any bytes.
TEST(WriteFileAtomically, KeepsExtendedAttributes) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    const std::vector<std::pair<std::string, std::string>> attributes = {
        {"user.DOSATTRIB", "0x21"}, {"user.orvendel.test", std::string("\0\x01\xFF", 3)}};
    for (const auto& [name, value] : attributes) {
        if (::setxattr(file.c_str(), name.c_str(), value.data(), value.size(), 0) != 0)
            GTEST_SKIP() << "no user extended attributes here: " << std::strerror(errno);
    }
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
    EXPECT_EQ(readFixture(file), bytesOf("new"));
    for (const auto& [name, value] : attributes) {
        char kept[16] = {};
        const ssize_t size = ::getxattr(file.c_str(), name.c_str(), kept, sizeof kept);
        EXPECT_EQ(size >= 0 ? std::string(kept, static_cast<std::size_t>(size)) : "(lost)", value)
            << name;
    }
}

// Another user who may write the file through an ACL still may afterwards, with the same mask.
TEST(WriteFileAtomically, KeepsAnAclThatLetsAnotherUserWrite) {
    if (!succeeds("command -v setfacl && command -v getfacl"))
        GTEST_SKIP() << "setfacl and getfacl are missing (Debian package acl)";
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    if (!succeeds("setfacl -m u:65534:rw " + quoted(file)))
        GTEST_SKIP() << "this file system keeps no POSIX ACLs";
    const std::string acl = aclOf(file);
    ASSERT_NE(acl.find("user:65534:rw-"), std::string::npos) << acl;
    ASSERT_NE(acl.find("mask::rw-"), std::string::npos) << acl;
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
    EXPECT_EQ(aclOf(file), acl);
    EXPECT_EQ(readFixture(file), bytesOf("new"));
}

// A change of owner clears the setuid and setgid bits, for root too, so the owner must come
// first. Root needs a change of owner for another user's file, and for its own in a setgid
// folder, where every new file starts with the folder's group.
TEST(WriteFileAtomically, KeepsTheOwnerAndTheSetuidAndSetgidBits) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const fs::path shared = dir / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(::chown(shared.c_str(), 0, 65534), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 02775), 0);
    const struct {
        const char* name;
        fs::path file;
        uid_t owner;
        gid_t group;
        mode_t mode;
    } rows[] = {
        {"another user's setuid file", dir / "nwmain.exe", 65534, 65534, 06755},
        {"root's setgid file in a setgid folder", shared / "nwmain.exe", 0, 0, 02755},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeFixture(row.file, bytesOf("old"));
        ASSERT_EQ(::chown(row.file.c_str(), row.owner, row.group), 0);
        ASSERT_EQ(::chmod(row.file.c_str(), row.mode), 0);
        ASSERT_TRUE(writeFileAtomically(row.file, bytesOf("new")).ok());
        struct stat info {};
        ASSERT_EQ(::stat(row.file.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, row.owner);
        EXPECT_EQ(info.st_gid, row.group);
        EXPECT_EQ(info.st_mode & 07777, row.mode);
        EXPECT_EQ(readFixture(row.file), bytesOf("new"));
    }
}

}  // namespace
}  // namespace orvendel
