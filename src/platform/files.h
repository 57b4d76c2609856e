// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/file_buffer.h"
#include "platform/file_status.h"
#include "platform/file_system_ops.h"
#include "platform/result.h"

namespace orvendel {

// Reads the whole regular file at `path` into `out` (replacing what it held), with a plain
// read loop into a FileBuffer. Fails with a message naming the file and the reason for a
// missing file, a directory, FIFO or device, no permission, a read error, a file that changes
// length while it is read, or one larger than kMaxImageSize. An empty
// file is read successfully; callers decide whether that is an error.
FileStatus readWholeFile(const std::filesystem::path& path, FileBuffer& out);

// Opens the regular file at `path` for reading through fileSystemOps() and gives its handle
// and length, refusing as readWholeFile does (missing, not a regular file, no permission, larger
// than kMaxImageSize) with the same messages. On success the caller closes `file`.
FileStatus openWholeFile(const std::filesystem::path& path, FileHandle& file,
                         std::uint64_t& length);

// Looks at what lies at `path` without trusting its name: a symbolic link there is not
// followed (nor a reparse point on Windows), and only a regular file is opened. `facts` say
// what lies there, from the open handle where there is one; the bytes of a regular file are
// read whole into `out` from that same handle, which is empty for anything else. Fails naming
// the file and the reason when nothing lies there or it cannot be opened or read, or for a file
// larger than kMaxImageSize.
FileStatus readUnfollowed(const std::filesystem::path& path, HeldFileFacts& facts, FileBuffer& out);

// The owner of the file that `path` names, in the form of HeldFileFacts::owner.
FileStatus ownerOfFile(const std::filesystem::path& path, std::string& owner);

// Largest file readWholeFile accepts.
inline constexpr std::uint64_t kMaxImageSize = std::uint64_t{1} << 30;

// Whether the file is read-only: the owner's write permission bit on POSIX (never access(),
// which says yes to root), FILE_ATTRIBUTE_READONLY on Windows.
FileStatus readOnlyAttribute(const std::filesystem::path& path, bool& isReadOnly);

// Clears the read-only state, adding only the owner's write bit (POSIX) or removing only
// FILE_ATTRIBUTE_READONLY (Windows).
FileStatus clearReadOnlyAttribute(const std::filesystem::path& path);

// Makes the file read-only again, taking away only the owner's write bit (POSIX) or adding only
// FILE_ATTRIBUTE_READONLY (Windows). Fails with `Cannot make "<path>" read-only again: <the
// system's reason>.`
FileStatus setReadOnlyAttribute(const std::filesystem::path& path);

// The identity of the file at `path` (which file, length, times, number of names).
FileStatus identifyFile(const std::filesystem::path& path, FileIdentity& identity);

// Succeeds when this process may write the existing file at `path` now and give the new file
// its owner and group; otherwise `Cannot write "<path>": <the system's reason>.` (for instance
// "Permission denied"), or `Cannot keep the owner of "<path>" (<owner>): run Orvendel as the
// file's owner or as root.`, or `Cannot keep the group of "<path>" (<group>): run Orvendel as a
// member of that group or as root.` (the name, or the number where it has none).
FileStatus checkWritable(const std::filesystem::path& path);

// Succeeds when this process may replace the existing file at `path` keeping its read-only
// state (FileSystemOps::checkReplaceable); otherwise as checkWritable.
FileStatus checkReplaceable(const std::filesystem::path& path);

// Whether a read-only file must be made writable before it can be replaced (Windows, where
// ReplaceFileW refuses a read-only file); elsewhere a replace keeps the read-only mode.
#ifdef _WIN32
inline constexpr bool kReplacingNeedsWritableFile = true;
#else
inline constexpr bool kReplacingNeedsWritableFile = false;
#endif

// `Cannot write "<path>": the file was changed by another program while it was being written.`
FileStatus changedWhileWriting(const std::filesystem::path& path);

// Whether both paths name the same existing file (same device and inode, or file id), however
// they are spelt. False when either does not exist.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Replaces the file at `path` (which need not exist) with `bytes`, crash-safely. Nothing is
// written when the new file could not have the owner and group of the file it replaces (the
// messages of checkWritable); so a file never changes owner, nor its setgid bit its group. The
// bytes go to a temporary file beside it that no one but this process can open (POSIX: mode
// 0600 whatever the umask), every write is checked to have written everything, and once the
// bytes are synced the file gets, on its handle, the original's owner and group, extended
// attributes, ACLs, inode flags (chattr's d, A ...; not i or a) and permission bits (a new file:
// the mode a new file gets there), is synced again, and then atomically renamed over the
// target (POSIX: rename, then sync of the folder; Windows: ReplaceFileW, falling back to
// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). A symbolic link is
// followed: the file it names is replaced. With `expected`, the target must still be in that
// state just before the replace: the same file, length and times, and, where
// expected->bytesRead is set, the same bytes (no other program changed it since it was read,
// even within one tick of a coarse clock); otherwise nothing is replaced and the message says
// that another program changed the file while it was being written. On any failure before
// the replace the temporary file is removed and the target is left untouched (a temporary
// file that cannot be removed is named in the message); the file is never written in place.
// At every moment the target is wholly old or wholly new.
FileStatus writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes,
                               const FileIdentity* expected = nullptr);

// The last look that writeFileAtomically and keepOriginalCopy take before the new file goes in
// place: whether the file at `path` (a symbolic link followed) is still in state `expected` —
// the same file, length and times, and, where expected.bytesRead is set, the same bytes, read
// again in pieces and compared. False for a missing file. Fails with `Cannot read "<path>":
// <the system's reason>.` when the file cannot be looked at.
Result<bool> stillAsRead(const std::filesystem::path& path, const FileIdentity& expected);

// Removes temporary files named with tempFilePrefix(target) that a killed earlier write left
// beside `target`, leaving those that a running write still holds. Returns how many were
// removed. Fails with `Cannot read "<folder>": <the system's reason>.` when the folder cannot be
// listed, or with `Cannot remove the stale temporary file "<file>": <the system's reason>.` for
// the first one that could not be removed (the others are still tried).
Result<int> removeStaleTempFiles(const std::filesystem::path& target);

// Where the copy of an executable from before its first change is kept: beside the file it
// names (a symbolic link is followed), as "<name>.orvendel-original".
std::filesystem::path originalCopyPath(const std::filesystem::path& executable);

// Whether anything lies at originalCopyPath(executable) (a dangling symbolic link included);
// whether it is a copy that Orvendel kept is examineKeptCopy's question.
bool hasOriginalCopy(const std::filesystem::path& executable);

// Keeps `bytes` (the executable as read, before any change) as its original copy. The copy is
// written through a temporary file as writeFileAtomically writes (refused before anything is
// written when the executable's owner and group cannot be kept), gets the executable's owner,
// group, attributes and mode less the group's and others' write permission (so that only its
// owner may write it), is synced and given its name in one step that cannot replace another
// file, so it is either whole or absent; and only while the executable is still in state
// `expected` (as it was when `bytes` were read, its bytes too where expected.bytesRead is set),
// else the message says that another program changed it. Anything at the copy's name, there
// before or put there meanwhile, is never overwritten: the copy is then not kept, and the
// result is false (whether what lies there will do is examineKeptCopy's question). True when
// the copy was kept. A temporary name that cannot be removed once the copy has its name is a
// failure that names it.
Result<bool> keepOriginalCopy(const std::filesystem::path& executable,
                              std::span<const std::uint8_t> bytes, const FileIdentity& expected);

}  // namespace orvendel
