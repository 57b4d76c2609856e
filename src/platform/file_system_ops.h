// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>

namespace orvendel {

// An open file of the operating system: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// What tells one state of a file from another: which file a path names (device and inode, or
// volume and file id on Windows), its length, its last modification and last status change
// (POSIX: nanoseconds since 1970; Windows: FILE_BASIC_INFO's LastWriteTime and ChangeTime, in
// 100-nanosecond ticks since 1601), and how many
// names it has (hard links). Where the file's bytes were read for a write, `bytesRead` points at
// a copy of them as read (FileImage::bytesAsLoaded), which the last look before the replace
// compares with the file's bytes then: timestamps of one second (ext2/3, ext4 with 128-byte
// inodes) or two (FAT) cannot tell a rewrite within the same second from no change.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    std::uint64_t links = 1;
    // Not owned; set by the caller that holds the copy, never by identify().
    std::optional<std::span<const std::uint8_t>> bytesRead;

    // The same file with the same length and times, not changed in between as far as these
    // tell (the bytes are compared separately).
    bool sameState(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified == other.modified && changed == other.changed;
    }
};

// What a file is, as seen on its own open handle rather than by its name.
struct HeldFileFacts {
    enum class Kind { Regular, Directory, SymbolicLink, Fifo, Other };
    Kind kind = Kind::Other;
    std::uint64_t links = 1;
    std::string owner;              // who owns it: the user id (POSIX) or the owner's SID (Windows)
    bool writableByOthers = false;  // write permission for anyone but the owner
};

// Why a new file could not carry the owner and group of an existing one.
enum class OwnerLoss {
    None,   // both can be kept (or there is nothing to keep: Windows, no such file)
    Owner,  // this process may not give a file to the owner
    Group,  // this process may not give a file to the group
};

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
    // tempFilePrefix(target), open for writing, that no one else can open (POSIX: mode 0600
    // whatever the umask, owned by this process; Windows: a handle that shares nothing). While
    // it stays open it is marked as in use (POSIX: an exclusive flock taken before anyone else
    // can have removed the name), so that removeIfUnused() of another run leaves it alone.
    virtual std::error_code createTemp(const std::filesystem::path& target,
                                       std::filesystem::path& tempPath, FileHandle& file) = 0;
    // Writes up to `size` bytes; `written` may be less than `size` (a short write).
    virtual std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                                  std::size_t& written) = 0;
    // Flushes the file's data to the disk (fsync / FlushFileBuffers).
    virtual std::error_code sync(FileHandle file) = 0;
    // Closes the file; the handle is gone even when an error is returned.
    virtual std::error_code close(FileHandle file) = 0;
    // Whether a file that this process creates could be given the owner and group of
    // `original` (POSIX: this process is the owner or may give files away, and is a member of
    // the group or may give files away), without changing anything. `name` is then the owner's
    // or the group's name, or its number where it has none. OwnerLoss::None when `original`
    // does not exist, and always on Windows, where ReplaceFileW keeps the owner.
    virtual std::error_code ownerLoss(const std::filesystem::path& original, OwnerLoss& loss,
                                      std::string& name) = 0;
    // Gives `file` the owner and group of `original`, or fails (EPERM) where the process may
    // not; nothing to do when `original` does not exist. Comes before copyAttributes, since a
    // change of owner clears the setuid and setgid bits. No-op on Windows.
    virtual std::error_code copyOwner(const std::filesystem::path& original, FileHandle file) = 0;
    // Gives `file` the extended attributes (POSIX ACLs and Wine's DOS attributes among them),
    // the inode flags that the process may set (Linux: chattr's d, A, S ..., never i or a), and
    // then the permission bits, setuid and setgid included, of `original`; with
    // `withoutOthersWrite` the bits lose the group's and others' write permission (an ACL's
    // mask follows them). Attributes the process may not set are skipped. Without `original`
    // the file gets the mode a new file gets there (0666 less the umask, or the folder's
    // default ACL). No-op on Windows, where ReplaceFileW keeps the original's attributes,
    // security and streams.
    virtual std::error_code copyAttributes(const std::filesystem::path& original, FileHandle file,
                                           bool withoutOthersWrite) = 0;
    // Atomically puts `temp` (open as `tempFile`, written and synced) in the place of `target`
    // (rename / ReplaceFileW) and closes `tempFile`: on POSIX after the rename, so that the
    // mark of createTemp holds until the file has its new name; on Windows before, since
    // ReplaceFileW needs it closed. The handle is gone even when an error is returned.
    virtual std::error_code replace(FileHandle tempFile, const std::filesystem::path& temp,
                                    const std::filesystem::path& target) = 0;
    // Like replace, but fails with std::errc::file_exists, changing nothing, when `target`
    // exists already (link and unlink / MoveFileExW without MOVEFILE_REPLACE_EXISTING). When
    // the temporary name cannot be unlinked after the link, it still names the new file and
    // placeNew succeeds: the caller sees the name left.
    virtual std::error_code placeNew(FileHandle tempFile, const std::filesystem::path& temp,
                                     const std::filesystem::path& target) = 0;
    // Makes a rename in `folder` durable (fsync of the directory; no-op on Windows).
    virtual std::error_code syncFolder(const std::filesystem::path& folder) = 0;
    // Removes a file.
    virtual std::error_code remove(const std::filesystem::path& path) = 0;
    // Removes a temporary file unless a running process holds it (see createTemp); a held
    // file gives std::errc::device_or_resource_busy and stays.
    virtual std::error_code removeIfUnused(const std::filesystem::path& path) = 0;
    // The identity of the file that `path` names (following links).
    virtual std::error_code identify(const std::filesystem::path& path, FileIdentity& identity) = 0;
    // Opens the existing file for writing and closes it again without changing it: succeeds
    // when this process may write it now (it is not read-only, not someone else's file
    // without write permission for us, not on a read-only file system, not locked by a
    // running program on Windows).
    virtual std::error_code checkWritable(const std::filesystem::path& path) = 0;
    // Like checkWritable, but a read-only state that only the owner's write bit makes is no
    // obstacle when this process is the file's owner or root (POSIX), who may replace the file
    // keeping that state. On Windows the same as checkWritable.
    virtual std::error_code checkReplaceable(const std::filesystem::path& path) = 0;
    // The read-only test: the owner's write bit on POSIX, FILE_ATTRIBUTE_READONLY on Windows.
    virtual std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) = 0;
    // Clears the read-only state and keeps every other permission or attribute bit.
    virtual std::error_code clearReadOnly(const std::filesystem::path& path) = 0;
    // Sets the read-only state again and keeps every other permission or attribute bit: takes
    // away only the owner's write bit (POSIX) or adds only FILE_ATTRIBUTE_READONLY (Windows).
    virtual std::error_code setReadOnly(const std::filesystem::path& path) = 0;
    // Describes what lies at `path` without following a symbolic link (or, on Windows, a
    // reparse point) in its last component, and opens it for reading only when it is a regular
    // file (`file` stays kNoFile otherwise). The facts of a regular file come from the open
    // handle, so they describe the very file whose bytes are then read; `length` is its size.
    // POSIX: group or other write bits count as writable by others (an ACL's mask shows in the
    // group bits). Windows: a null DACL, or an ACE that lets Everyone, Anonymous, Guests,
    // Users or Authenticated Users write.
    virtual std::error_code openUnfollowed(const std::filesystem::path& path, FileHandle& file,
                                           std::uint64_t& length, HeldFileFacts& facts) = 0;
    // The owner of the file that `path` names, in the form of HeldFileFacts::owner.
    virtual std::error_code ownerOf(const std::filesystem::path& path, std::string& owner) = 0;
};

// The operating system's own implementation.
FileSystemOps& nativeFileSystemOps();

// The implementation the file layer uses now: nativeFileSystemOps() unless a test swapped it.
FileSystemOps& fileSystemOps();

// The name prefix of temporary files written beside `target`: ".<name>.orvendel-tmp-".
std::filesystem::path::string_type tempFilePrefix(const std::filesystem::path& target);

// The name prefix of the backup that replacing `target` on Windows keeps until the new file is
// in place: ".<name>.orvendel-bak-".
std::filesystem::path::string_type backupFilePrefix(const std::filesystem::path& target);

// Length of the random part that follows either prefix in a name from uniqueSibling().
inline constexpr std::size_t kUniqueSuffixLength = 6;

// A fresh path beside `target`: `prefix` followed by kUniqueSuffixLength random lower-case
// letters and digits (no upper case, since names differing only in case are one name on Windows
// and macOS). The caller creates it exclusively and tries another on a clash.
std::filesystem::path uniqueSibling(const std::filesystem::path& target,
                                    const std::filesystem::path::string_type& prefix);

}  // namespace orvendel
