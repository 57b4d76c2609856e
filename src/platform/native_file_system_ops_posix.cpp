// The POSIX implementation of the file system steps.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

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
std::string randomSuffix() {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kAlphabet) - 2);
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += kAlphabet[pick(generator)];
    return suffix;
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
        const std::filesystem::path folder = target.parent_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = folder / (tempFilePrefix(target) + randomSuffix());
            // 0666 lets the umask decide for a new file; an existing target's bits are copied
            // afterwards.
            const int handle =
                ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (handle >= 0) {
                tempPath = std::move(candidate);
                file = handle;
                return {};
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

    std::error_code copyPermissions(const std::filesystem::path& original,
                                    FileHandle file) override {
        struct stat info {};
        if (::stat(original.c_str(), &info) != 0) {
            return errno == ENOENT ? std::error_code() : lastError();
        }
        return ::fchmod(fd(file), info.st_mode & 07777) == 0 ? std::error_code() : lastError();
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
        // Only root may give a file away; others keep their own ownership.
        if (errno == EPERM)
            return {};
        return lastError();
    }

    std::error_code replace(const std::filesystem::path& temp,
                            const std::filesystem::path& target) override {
        return ::rename(temp.c_str(), target.c_str()) == 0 ? std::error_code() : lastError();
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
};

}  // namespace

FileSystemOps& nativeFileSystemOps() {
    static PosixFileSystemOps ops;
    return ops;
}

}  // namespace orvendel
