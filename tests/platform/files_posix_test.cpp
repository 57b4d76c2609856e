// SPDX-License-Identifier: MIT
// What the file layer does with POSIX permission bits, owners, extended attributes, ACLs, links
// and folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_injecting_file_system_ops.h"
#include "platform/file_system_ops.h"
#include "platform/files.h"
#include "platform/scoped_file_system_ops.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;
using Step = FaultInjectingFileSystemOps::Step;

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Sets the umask for the life of the object.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

// An ACL in the kernel's xattr form: version 2, then tag, permissions and id of each entry.
// This one: owner rw, user 65534 rwx, group r, mask rwx, others nothing.
const std::string kAclForNobody(
    "\2\0\0\0\x01\0\6\0\xFF\xFF\xFF\xFF\x02\0\7\0\xFE\xFF\0\0"
    "\x04\0\4\0\xFF\xFF\xFF\xFF\x10\0\7\0\xFF\xFF\xFF\xFF\x20\0\0\0\xFF\xFF\xFF\xFF",
    44);

// Reads (FS_IOC_GETFLAGS) or sets (FS_IOC_SETFLAGS) the inode flags of a file (chattr); false
// where the file system has none that may be set.
bool inodeFlags(const fs::path& path, unsigned long request, int& flags) {
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const bool ok = file >= 0 && ::ioctl(file, request, &flags) == 0;
    if (file >= 0)
        ::close(file);
    return ok;
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

TEST(ReadOnlyAttribute, SettingItAgainTakesAwayOnlyTheOwnersWriteBit) {
    TempDir dir;
    const fs::path file = dir / "game.exe";
    writeFixture(file, bytesOf("x"));
    ASSERT_EQ(::chmod(file.c_str(), 0764), 0);
    ASSERT_TRUE(setReadOnlyAttribute(file).ok());
    EXPECT_EQ(modeOf(file), 0564u);
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
    const std::pair<const char*, std::string> attributes[] = {
        {"system.posix_acl_access", kAclForNobody},
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

// With umask 000 a plain create gives 0666 (and a folder's default ACL lets its users in):
// another user could open the temporary file while it is written and keep writing into the
// target afterwards. Until its final mode is set, every step on it sees mode 0600.
TEST(WriteFileAtomically, NoOneElseCanOpenTheTemporaryFileBeforeItIsWholeAndSynced) {
    ScopedUmask umask(0);
    for (const bool defaultAcl : {false, true}) {
        SCOPED_TRACE(defaultAcl ? "a folder whose default ACL lets user 65534 in" : "umask 000");
        TempDir dir;
        if (defaultAcl && ::setxattr(dir.path().c_str(), "system.posix_acl_default",
                                     kAclForNobody.data(), kAclForNobody.size(), 0) != 0)
            GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
        const fs::path file = dir / "nwmain.exe";
        writeFixture(file, bytesOf("old"));
        ASSERT_EQ(::chmod(file.c_str(), 0700), 0);
        std::vector<std::pair<Step, mode_t>> seen;  // each step and the file's mode, in order
        FaultInjectingFileSystemOps ops(Step::None);
        ops.beforeFileStep = [&seen](Step step, FileHandle handle) {
            struct stat info {};
            ::fstat(static_cast<int>(handle), &info);
            seen.emplace_back(step, info.st_mode & 07777);
        };
        {
            ScopedFileSystemOps scope(ops);
            ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
        }
        EXPECT_EQ(seen, (std::vector<std::pair<Step, mode_t>>{{Step::Write, 0600},
                                                              {Step::Sync, 0600},
                                                              {Step::CopyOwner, 0600},
                                                              {Step::CopyAttributes, 0600},
                                                              {Step::Sync, 0700},
                                                              {Step::Replace, 0700}}));
        EXPECT_EQ(modeOf(file), 0700u);
    }
}

// The temporary file starts as 0600, but a new file gets what any new file gets there.
TEST(WriteFileAtomically, ANewFileGetsTheModeAndAclOfAnyNewFileInItsFolder) {
    ScopedUmask umask(027);
    for (const bool defaultAcl : {false, true}) {
        SCOPED_TRACE(defaultAcl ? "a folder with a default ACL" : "umask 027");
        TempDir dir;
        if (defaultAcl && ::setxattr(dir.path().c_str(), "system.posix_acl_default",
                                     kAclForNobody.data(), kAclForNobody.size(), 0) != 0)
            GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
        const int plain = ::open((dir / "plain").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        ASSERT_GE(plain, 0);
        ::close(plain);
        ASSERT_TRUE(writeFileAtomically(dir / "new.chs", bytesOf("x")).ok());
        EXPECT_EQ(modeOf(dir / "new.chs"), modeOf(dir / "plain"));
        auto acl = [](const fs::path& path) {
            char value[256] = {};
            const ssize_t size =
                ::getxattr(path.c_str(), "system.posix_acl_access", value, sizeof value);
            return size < 0 ? std::string("(none)") : std::string(value, size);
        };
        EXPECT_EQ(acl(dir / "new.chs"), acl(dir / "plain"));
    }
}

// An ACL's mask follows the group bits, so the named user loses write access too.
TEST(KeepOriginalCopy, TheCopyIsWritableByItsOwnerAlone) {
    for (const bool withAcl : {false, true}) {
        SCOPED_TRACE(withAcl ? "an ACL that lets user 65534 write" : "mode 0666");
        TempDir dir;
        const fs::path exe = dir / "nwmain.exe";
        writeFixture(exe, bytesOf("old"));
        ASSERT_EQ(::chmod(exe.c_str(), 0666), 0);
        if (withAcl && ::setxattr(exe.c_str(), "system.posix_acl_access", kAclForNobody.data(),
                                  kAclForNobody.size(), 0) != 0)
            GTEST_SKIP() << "no ACLs here: " << std::strerror(errno);
        const mode_t before = modeOf(exe);
        FileIdentity identity;
        ASSERT_TRUE(identifyFile(exe, identity).ok());
        ASSERT_TRUE(keepOriginalCopy(exe, bytesOf("old"), identity).ok());
        EXPECT_EQ(modeOf(originalCopyPath(exe)), before & ~022u);
        EXPECT_EQ(modeOf(exe), before);
    }
}

TEST(WriteFileAtomically, CarriesOverTheInodeFlagsThatMayBeSet) {
    TempDir dir;
    const fs::path file = dir / "nwmain.exe";
    writeFixture(file, bytesOf("old"));
    constexpr int kKept = FS_NODUMP_FL | FS_NOATIME_FL;
    int flags = 0;
    if (!inodeFlags(file, FS_IOC_GETFLAGS, flags) ||
        !inodeFlags(file, FS_IOC_SETFLAGS, flags |= kKept))
        GTEST_SKIP() << "this file system has no inode flags that may be set (tmpfs)";
    ASSERT_TRUE(writeFileAtomically(file, bytesOf("new")).ok());
    flags = 0;
    ASSERT_TRUE(inodeFlags(file, FS_IOC_GETFLAGS, flags));
    EXPECT_EQ(flags & kKept, kKept);
}

// A folder that only grows (chattr +a) takes new names but gives none up: the temporary name of
// the kept copy stays beside it, and so does the temporary file of the executable, whose
// rename fails. Every such file is named.
TEST(WriteFileAtomically, NamesEveryTemporaryFileItCannotRemove) {
    TempDir dir;
    const fs::path folder = dir / "game", exe = folder / "nwmain.exe";
    fs::create_directory(folder);
    writeFixture(exe, bytesOf("old"));
    int flags = 0;
    if (!inodeFlags(folder, FS_IOC_GETFLAGS, flags) ||
        !inodeFlags(folder, FS_IOC_SETFLAGS, flags |= FS_APPEND_FL))
        GTEST_SKIP() << "no append-only folders here (needs root and a file system with flags)";
    FileIdentity identity;
    ASSERT_TRUE(identifyFile(exe, identity).ok());
    const FileStatus statuses[] = {keepOriginalCopy(exe, bytesOf("old"), identity).status(),
                                   writeFileAtomically(exe, bytesOf("new"), &identity)};
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".orvendel-tmp-") != std::string::npos)
            left.push_back(name);
    }
    inodeFlags(folder, FS_IOC_SETFLAGS, flags &= ~FS_APPEND_FL);
    EXPECT_EQ(left.size(), 2u);
    for (const std::string& name : left) {
        const bool named = statuses[0].message().find(name) != std::string::npos ||
                           statuses[1].message().find(name) != std::string::npos;
        EXPECT_TRUE(named) << name << " is not named in: " << statuses[0].message() << " | "
                           << statuses[1].message();
    }
    EXPECT_EQ(readFixture(exe), bytesOf("old"));
}

}  // namespace
}  // namespace orvendel
