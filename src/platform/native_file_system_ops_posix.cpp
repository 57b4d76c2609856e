// SPDX-License-Identifier: MIT
// The POSIX implementation of the file system steps.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

#include <cerrno>
#include <string>
#include <vector>

#include "platform/file_system_ops.h"

namespace orvendel {

namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

int fd(FileHandle file) {
    return static_cast<int>(file);
}

// Six characters of a temporary file's name.
std::int64_t nanoseconds(const struct timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileIdentity identityOf(const struct stat& info) {
    FileIdentity identity;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::uint64_t>(info.st_size);
#if defined(__APPLE__)
    identity.modified = nanoseconds(info.st_mtimespec);
    identity.changed = nanoseconds(info.st_ctimespec);
#else
    identity.modified = nanoseconds(info.st_mtim);
    identity.changed = nanoseconds(info.st_ctim);
#endif
    identity.links = static_cast<std::uint64_t>(info.st_nlink);
    return identity;
}

// Errors that mean "this process may not set that attribute here", which is no failure of
// the copy: the file gets what the process may give it.
bool notPermitted(int error) {
    return error == EPERM || error == EACCES || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EINVAL;
}

// Copies every extended attribute of `original` (ACLs included: they are the system.posix_acl_*
// attributes) onto the open file. Attributes that cannot be set here are skipped.
std::error_code copyExtendedAttributes(const std::filesystem::path& original, int file) {
#if defined(__linux__)
    std::vector<char> names;
    for (;;) {
        const ssize_t size = ::listxattr(original.c_str(), nullptr, 0);
        if (size < 0)
            return notPermitted(errno) ? std::error_code() : lastError();
        if (size == 0)
            return {};
        names.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::listxattr(original.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE)  // ERANGE: the list grew meanwhile
            return lastError();
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        if (name.empty())
            continue;
        ssize_t size = ::getxattr(original.c_str(), name.c_str(), nullptr, 0);
        if (size < 0) {
            if (errno == ENODATA || notPermitted(errno))
                continue;
            return lastError();
        }
        value.resize(static_cast<std::size_t>(size));
        size = ::getxattr(original.c_str(), name.c_str(), value.data(), value.size());
        if (size < 0) {
            if (errno == ENODATA || errno == ERANGE || notPermitted(errno))
                continue;
            return lastError();
        }
        if (::fsetxattr(file, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0 &&
            !notPermitted(errno)) {
            return lastError();
        }
    }
#else
    (void)original;
    (void)file;
#endif
    return {};
}

// Takes the mark of a live temporary file: an exclusive lock on it, without waiting.
bool lockExclusive(int handle) {
    while (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Whether `handle` is still the file that `path` names (a run removing stale files may have
// removed the name between its creation and its lock).
bool stillNamed(int handle, const std::filesystem::path& path) {
    struct stat byHandle {};
    struct stat byName {};
    return ::fstat(handle, &byHandle) == 0 && ::lstat(path.c_str(), &byName) == 0 &&
           byHandle.st_dev == byName.st_dev && byHandle.st_ino == byName.st_ino;
}

void describe(const struct stat& info, HeldFileFacts& facts) {
    using Kind = HeldFileFacts::Kind;
    facts.kind = S_ISREG(info.st_mode)    ? Kind::Regular
                 : S_ISDIR(info.st_mode)  ? Kind::Directory
                 : S_ISLNK(info.st_mode)  ? Kind::SymbolicLink
                 : S_ISFIFO(info.st_mode) ? Kind::Fifo
                                          : Kind::Other;
    facts.links = static_cast<std::uint64_t>(info.st_nlink);
    facts.owner = std::to_string(info.st_uid);
    facts.writableByOthers = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

class PosixFileSystemOps final : public FileSystemOps {
public:
    std::error_code openForReading(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length) override {
        // O_NONBLOCK so that a FIFO put in the file's place cannot block the open.
        const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (handle < 0)
            return lastError();
        struct stat info {};
        if (::fstat(handle, &info) != 0) {
            const std::error_code error = lastError();
            ::close(handle);
            return error;
        }
        if (!S_ISREG(info.st_mode)) {
            ::close(handle);
            return std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                              : std::errc::invalid_argument);
        }
        const int flags = ::fcntl(handle, F_GETFL);
        if (flags >= 0)
            ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK);
        file = handle;
        length = static_cast<std::uint64_t>(info.st_size);
        return {};
    }

    std::error_code read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                         std::size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(fd(file), buffer, size);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return {};
            }
            if (errno != EINTR)
                return lastError();
        }
    }

    std::error_code createTemp(const std::filesystem::path& target, std::filesystem::path& tempPath,
                               FileHandle& file) override {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = uniqueSibling(target, tempFilePrefix(target));
            // 0666 lets the umask decide for a new file; an existing target's bits are copied
            // afterwards.
            const int handle =
                ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (handle >= 0) {
                if (lockExclusive(handle) && stillNamed(handle, candidate)) {
                    tempPath = std::move(candidate);
                    file = handle;
                    return {};
                }
                // Another run took the new name for stale in the moment before the lock.
                ::close(handle);
                continue;
            }
            if (errno != EEXIST)
                return lastError();
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                          std::size_t& written) override {
        written = 0;
        for (;;) {
            const ssize_t n = ::write(fd(file), data, size);
            if (n >= 0) {
                written = static_cast<std::size_t>(n);
                return {};
            }
            if (errno != EINTR)
                return lastError();
        }
    }

    std::error_code sync(FileHandle file) override {
        return ::fsync(fd(file)) == 0 ? std::error_code() : lastError();
    }

    std::error_code close(FileHandle file) override {
        // The descriptor is released even when close reports an error; never retry.
        return ::close(fd(file)) == 0 ? std::error_code() : lastError();
    }

    std::error_code copyOwner(const std::filesystem::path& original, FileHandle file) override {
        struct stat info {};
        if (::stat(original.c_str(), &info) != 0) {
            return errno == ENOENT ? std::error_code() : lastError();
        }
        struct stat mine {};
        if (::fstat(fd(file), &mine) != 0)
            return lastError();
        if (mine.st_uid == info.st_uid && mine.st_gid == info.st_gid)
            return {};
        if (::fchown(fd(file), info.st_uid, info.st_gid) == 0)
            return {};
        if (errno != EPERM)
            return lastError();
        // Only root may give a file away; a member of the file's group may still keep the
        // group, so that the other members keep their access.
        if (mine.st_gid == info.st_gid ||
            ::fchown(fd(file), static_cast<uid_t>(-1), info.st_gid) == 0)
            return {};
        return errno == EPERM ? std::error_code() : lastError();
    }

    std::error_code copyAttributes(const std::filesystem::path& original,
                                   FileHandle file) override {
        struct stat info {};
        if (::stat(original.c_str(), &info) != 0) {
            return errno == ENOENT ? std::error_code() : lastError();
        }
        if (std::error_code error = copyExtendedAttributes(original, fd(file)))
            return error;
        // The mode comes last: setting an ACL may change the group bits, and the mode holds
        // the ACL's mask anyway.
        return ::fchmod(fd(file), info.st_mode & 07777) == 0 ? std::error_code() : lastError();
    }

    std::error_code replace(FileHandle tempFile, const std::filesystem::path& temp,
                            const std::filesystem::path& target) override {
        const std::error_code error =
            ::rename(temp.c_str(), target.c_str()) == 0 ? std::error_code() : lastError();
        // The data were synced before; a failing close cannot lose them any more.
        ::close(fd(tempFile));
        return error;
    }

    std::error_code placeNew(FileHandle tempFile, const std::filesystem::path& temp,
                             const std::filesystem::path& target) override {
        // link() never replaces an existing name; the temporary name goes afterwards.
        std::error_code error;
        if (::link(temp.c_str(), target.c_str()) != 0) {
            error = lastError();
        } else {
            ::unlink(temp.c_str());
        }
        ::close(fd(tempFile));
        return error;
    }

    std::error_code syncFolder(const std::filesystem::path& folder) override {
        const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
        const int handle = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (handle < 0)
            return lastError();
        std::error_code error;
        if (::fsync(handle) != 0 && errno != EINVAL)
            error = lastError();
        ::close(handle);
        return error;
    }

    std::error_code remove(const std::filesystem::path& path) override {
        return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
    }

    std::error_code removeIfUnused(const std::filesystem::path& path) override {
        const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (handle < 0)
            return lastError();
        std::error_code error;
        if (!lockExclusive(handle)) {
            error = errno == EWOULDBLOCK ? std::make_error_code(std::errc::device_or_resource_busy)
                                         : lastError();
        } else if (!stillNamed(handle, path)) {
            error = std::make_error_code(std::errc::no_such_file_or_directory);
        } else if (::unlink(path.c_str()) != 0) {
            error = lastError();
        }
        ::close(handle);
        return error;
    }

    std::error_code identify(const std::filesystem::path& path, FileIdentity& identity) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return lastError();
        identity = identityOf(info);
        return {};
    }

    std::error_code checkWritable(const std::filesystem::path& path) override {
        // O_NONBLOCK so that a FIFO in the file's place cannot block; nothing is truncated.
        const int handle = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (handle < 0)
            return lastError();
        ::close(handle);
        return {};
    }

    std::error_code checkReplaceable(const std::filesystem::path& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return lastError();
        const uid_t me = ::geteuid();
        if ((info.st_mode & S_IWUSR) == 0 && (me == 0 || me == info.st_uid))
            return {};
        return checkWritable(path);
    }

    std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return lastError();
        isReadOnly = (info.st_mode & S_IWUSR) == 0;
        return {};
    }

    std::error_code clearReadOnly(const std::filesystem::path& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return lastError();
        const mode_t mode = (info.st_mode & 07777) | S_IWUSR;
        return ::chmod(path.c_str(), mode) == 0 ? std::error_code() : lastError();
    }

    std::error_code openUnfollowed(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length, HeldFileFacts& facts) override {
        file = kNoFile;
        struct stat byName {};
        if (::lstat(path.c_str(), &byName) != 0)
            return lastError();
        describe(byName, facts);
        if (facts.kind != HeldFileFacts::Kind::Regular)
            return {};
        // O_NOFOLLOW: a link put in the name's place since the look fails with ELOOP;
        // O_NONBLOCK: a FIFO put there cannot block.
        const int handle =
            ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (handle < 0) {
            if (errno == ELOOP) {
                facts.kind = HeldFileFacts::Kind::SymbolicLink;
                return {};
            }
            return lastError();
        }
        struct stat held {};
        if (::fstat(handle, &held) != 0) {
            const std::error_code error = lastError();
            ::close(handle);
            return error;
        }
        describe(held, facts);
        if (facts.kind != HeldFileFacts::Kind::Regular) {
            ::close(handle);
            return {};
        }
        const int flags = ::fcntl(handle, F_GETFL);
        if (flags >= 0)
            ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK);
        file = handle;
        length = static_cast<std::uint64_t>(held.st_size);
        return {};
    }

    std::error_code ownerOf(const std::filesystem::path& path, std::string& owner) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return lastError();
        owner = std::to_string(info.st_uid);
        return {};
    }
};

}  // namespace

FileSystemOps& nativeFileSystemOps() {
    static PosixFileSystemOps ops;
    return ops;
}

}  // namespace orvendel
