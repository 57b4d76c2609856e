#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace orvendel {

// An open file of the operating system: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Every step that the file layer takes on the file system goes through this interface, so that
// tests can make any single step fail (see ScopedFileSystemOps). Each step returns an empty
// error_code on success or the system's error; none throws. The real implementation is
// nativeFileSystemOps().
class FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    // Opens an existing regular file for reading and returns its length. Refuses directories,
    // FIFOs and devices without blocking on them.
    virtual std::error_code openForReading(const std::filesystem::path& path, FileHandle& file,
                                           std::uint64_t& length) = 0;
    // Reads up to `size` bytes; `got` is 0 at the end of the file.
    virtual std::error_code read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                                 std::size_t& got) = 0;
    // Creates a new, empty temporary file beside `target` whose name starts with
    // tempFilePrefix(target), open for writing.
    virtual std::error_code createTemp(const std::filesystem::path& target,
                                       std::filesystem::path& tempPath, FileHandle& file) = 0;
    // Writes up to `size` bytes; `written` may be less than `size` (a short write).
    virtual std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                                  std::size_t& written) = 0;
    // Flushes the file's data to the disk (fsync / FlushFileBuffers).
    virtual std::error_code sync(FileHandle file) = 0;
    // Closes the file; the handle is gone even when an error is returned.
    virtual std::error_code close(FileHandle file) = 0;
    // Gives `file` the permission bits of `original` (no-op on Windows, where the replace keeps
    // the original's attributes).
    virtual std::error_code copyPermissions(const std::filesystem::path& original,
                                            FileHandle file) = 0;
    // Gives `file` the owner and group of `original` where the process may; not being
    // permitted is not an error.
    virtual std::error_code copyOwner(const std::filesystem::path& original, FileHandle file) = 0;
    // Atomically puts `temp` in the place of `target` (rename / ReplaceFileW).
    virtual std::error_code replace(const std::filesystem::path& temp,
                                    const std::filesystem::path& target) = 0;
    // Makes a rename in `folder` durable (fsync of the directory; no-op on Windows).
    virtual std::error_code syncFolder(const std::filesystem::path& folder) = 0;
    // Removes a file.
    virtual std::error_code remove(const std::filesystem::path& path) = 0;
    // The read-only test: the owner's write bit on POSIX, FILE_ATTRIBUTE_READONLY on Windows.
    virtual std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) = 0;
    // Clears the read-only state and keeps every other permission or attribute bit.
    virtual std::error_code clearReadOnly(const std::filesystem::path& path) = 0;
};

// The operating system's own implementation.
FileSystemOps& nativeFileSystemOps();

// The implementation the file layer uses now: nativeFileSystemOps() unless a test swapped it.
FileSystemOps& fileSystemOps();

// The name prefix of temporary files written beside `target`: ".<name>.orvendel-tmp-".
std::filesystem::path::string_type tempFilePrefix(const std::filesystem::path& target);

}  // namespace orvendel

#include "platform/scoped_file_system_ops.h"
