// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/file_system_ops.h"

namespace orvendel {

namespace fs = std::filesystem;

namespace {

// The system's reason, without the trailing blanks and full stop some systems add.
std::string reason(const std::error_code& error) {
    std::string text = error.message();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    if (text.empty())
        text = "error " + std::to_string(error.value());
    return text;
}

// Follows a symbolic link so that the file it names is replaced, not the link.
fs::path resolveTarget(const fs::path& path, std::error_code& error) {
    error.clear();
    if (fs::is_symlink(fs::symlink_status(path, error)))
        return fs::canonical(path, error);
    error.clear();
    return path;
}

// Streams bytes into the temporary file, checking that every write wrote everything.
std::error_code writeAll(FileSystemOps& ops, FileHandle file, std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kChunk = std::size_t{4} << 20;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t want = std::min(kChunk, bytes.size() - done);
        std::size_t written = 0;
        if (std::error_code error = ops.write(file, bytes.data() + done, want, written)) {
            return error;
        }
        if (written == 0 || written > want)
            return std::make_error_code(std::errc::io_error);
        done += written;
    }
    return {};
}

// Reads from the open `file` until `into` is full or the file ends; `got` says how many bytes
// came. The one read loop: whole-file reads and the piecewise comparison both use it.
std::error_code readFull(FileSystemOps& ops, FileHandle file, std::span<std::uint8_t> into,
                         std::size_t& got) {
    got = 0;
    while (got < into.size()) {
        std::size_t piece = 0;
        if (std::error_code error = ops.read(file, into.data() + got, into.size() - got, piece))
            return error;
        if (piece == 0)
            break;  // the end of the file
        got += piece;
    }
    return {};
}

// Whether the file at `path` holds exactly `expected` now, read through the file system steps a
// piece at a time (from the page cache, as a rule: the file was read a moment ago).
std::error_code holdsExactly(FileSystemOps& ops, const fs::path& path,
                             std::span<const std::uint8_t> expected, bool& same) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    FileHandle file = kNoFile;
    std::uint64_t length = 0;
    if (std::error_code error = ops.openForReading(path, file, length))
        return error;
    same = length == expected.size();
    std::vector<std::uint8_t> piece(same ? kPiece : 0);
    std::size_t done = 0;
    while (same) {
        std::size_t got = 0;
        if (std::error_code error = readFull(ops, file, piece, got)) {
            ops.close(file);
            return error;
        }
        same = got <= expected.size() - done &&
               std::memcmp(piece.data(), expected.data() + done, got) == 0;
        done += got;
        if (got < piece.size())
            break;  // the end, with every byte so far the same
    }
    same = same && done == expected.size();
    return ops.close(file);
}

// The last look: whether the file at `path` is still in state `expected` (see stillAsRead);
// a missing file is not.
std::error_code lookAgain(FileSystemOps& ops, const fs::path& path, const FileIdentity& expected,
                          bool& same) {
    FileIdentity now;
    std::error_code error = ops.identify(path, now);
    same = !error && now.sameState(expected);
    if (same && expected.bytesRead)
        error = holdsExactly(ops, path, *expected.bytesRead, same);
    if (error == std::errc::no_such_file_or_directory) {
        same = false;
        return {};
    }
    return error;
}

// Succeeds when a new file in place of `original` can have its owner and group; otherwise the
// message says whose file it is and how to write it. Messages name `shown`.
FileStatus ownerCanBeKept(const fs::path& shown, const fs::path& original) {
    OwnerLoss loss = OwnerLoss::None;
    std::string name;
    if (std::error_code error = fileSystemOps().ownerLoss(original, loss, name))
        return FileStatus::cannotWrite(shown, "cannot look up its owner: " + reason(error));
    switch (loss) {
        case OwnerLoss::None:
            break;
        case OwnerLoss::Owner:
            return FileStatus::failure("Cannot keep the owner of " + quoted(shown) + " (" + name +
                                       "): run Orvendel as the file's owner or as root.");
        case OwnerLoss::Group:
            return FileStatus::failure("Cannot keep the group of " + quoted(shown) + " (" + name +
                                       "): run Orvendel as a member of that group or as root.");
    }
    return FileStatus::success();
}

}  // namespace

FileStatus openWholeFile(const fs::path& path, FileHandle& file, std::uint64_t& length) {
    FileSystemOps& ops = fileSystemOps();
    if (std::error_code error = ops.openForReading(path, file, length)) {
        if (error == std::errc::invalid_argument) {
            return FileStatus::cannotRead(path, "it is not a regular file");
        }
        return FileStatus::cannotRead(path, reason(error));
    }
    if (length > kMaxImageSize) {
        ops.close(file);
        file = kNoFile;
        return FileStatus::cannotRead(path,
                                      "it is too large (" + std::to_string(length) + " bytes)");
    }
    return FileStatus::success();
}

namespace {

// Reads the open file `file` of `length` bytes whole into `out` and closes it.
FileStatus readOpenFile(const fs::path& path, FileHandle file, std::uint64_t length,
                        FileBuffer& out) {
    FileSystemOps& ops = fileSystemOps();
    Result<FileBuffer> allocated = FileBuffer::forFile(path, static_cast<std::size_t>(length));
    if (!allocated) {
        ops.close(file);
        return allocated.status();
    }
    FileBuffer buffer = std::move(allocated).value();
    std::size_t got = 0;
    if (std::error_code error = readFull(ops, file, buffer.bytes(), got)) {
        ops.close(file);
        return FileStatus::cannotRead(path, reason(error));
    }
    if (got < buffer.size()) {
        ops.close(file);
        return FileStatus::cannotRead(path, "the file became shorter while it was read");
    }
    if (std::error_code error = ops.close(file))
        return FileStatus::cannotRead(path, reason(error));
    out = std::move(buffer);
    return FileStatus::success();
}

}  // namespace

FileStatus readWholeFile(const fs::path& path, FileBuffer& out) {
    FileHandle file = kNoFile;
    std::uint64_t length = 0;
    if (FileStatus status = openWholeFile(path, file, length); !status)
        return status;
    return readOpenFile(path, file, length, out);
}

FileStatus readUnfollowed(const fs::path& path, HeldFileFacts& facts, FileBuffer& out) {
    FileSystemOps& ops = fileSystemOps();
    FileHandle file = kNoFile;
    std::uint64_t length = 0;
    if (std::error_code error = ops.openUnfollowed(path, file, length, facts))
        return FileStatus::cannotRead(path, reason(error));
    out = FileBuffer();
    if (file == kNoFile)
        return FileStatus::success();
    if (length > kMaxImageSize) {
        ops.close(file);
        return FileStatus::cannotRead(path,
                                      "it is too large (" + std::to_string(length) + " bytes)");
    }
    return readOpenFile(path, file, length, out);
}

FileStatus ownerOfFile(const fs::path& path, std::string& owner) {
    if (std::error_code error = fileSystemOps().ownerOf(path, owner))
        return FileStatus::cannotRead(path, reason(error));
    return FileStatus::success();
}

FileStatus readOnlyAttribute(const fs::path& path, bool& isReadOnly) {
    if (std::error_code error = fileSystemOps().readOnly(path, isReadOnly)) {
        return FileStatus::failure(
            fileMessage("Cannot read the attributes of", path, reason(error)));
    }
    return FileStatus::success();
}

FileStatus clearReadOnlyAttribute(const fs::path& path) {
    if (std::error_code error = fileSystemOps().clearReadOnly(path)) {
        return FileStatus::failure(fileMessage("Cannot make", path, "writable", reason(error)));
    }
    return FileStatus::success();
}

FileStatus setReadOnlyAttribute(const fs::path& path) {
    if (std::error_code error = fileSystemOps().setReadOnly(path)) {
        return FileStatus::failure(
            fileMessage("Cannot make", path, "read-only again", reason(error)));
    }
    return FileStatus::success();
}

FileStatus identifyFile(const fs::path& path, FileIdentity& identity) {
    if (std::error_code error = fileSystemOps().identify(path, identity))
        return FileStatus::cannotRead(path, reason(error));
    return FileStatus::success();
}

FileStatus checkWritable(const fs::path& path) {
    if (std::error_code error = fileSystemOps().checkWritable(path))
        return FileStatus::cannotWrite(path, reason(error));
    std::error_code linkError;
    const fs::path resolved = resolveTarget(path, linkError);
    return ownerCanBeKept(path, linkError ? path : resolved);
}

FileStatus checkReplaceable(const fs::path& path) {
    if (std::error_code error = fileSystemOps().checkReplaceable(path))
        return FileStatus::cannotWrite(path, reason(error));
    return FileStatus::success();
}

FileStatus changedWhileWriting(const fs::path& path) {
    return FileStatus::cannotWrite(
        path, "the file was changed by another program while it was being written");
}

Result<bool> stillAsRead(const fs::path& path, const FileIdentity& expected) {
    bool same = false;
    if (std::error_code error = lookAgain(fileSystemOps(), path, expected, same))
        return FileStatus::cannotRead(path, reason(error));
    return same;
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return !error && same;
}

namespace {

// The file whose state a write depends on: `path` (as the user named it, for messages) and the
// file it resolves to must still be in state `expected` just before the new file is put in
// place.
struct Watched {
    const fs::path& path;
    const fs::path& resolved;
    const FileIdentity& expected;
};

// Writes `bytes` to a new temporary file beside `target` and puts it in the target's place:
// replacing the target, or only where none exists (`mayReplace` false; an existing target is
// then left as it is, the new file is removed, `nameTaken` is set and that is a failure). The
// new file gets the owner, attributes and
// permission bits of `metadataFrom` (with `withoutOthersWrite`, less the group's and others'
// write permission), or nothing is written at all when its owner or group cannot be kept.
// Messages name `shownPath`.
FileStatus writeThroughTemp(const fs::path& shownPath, const fs::path& target,
                            const fs::path& metadataFrom, std::span<const std::uint8_t> bytes,
                            const std::optional<Watched>& watched, bool mayReplace,
                            bool withoutOthersWrite = false, bool* nameTaken = nullptr) {
    FileSystemOps& ops = fileSystemOps();
    const fs::path folder = target.parent_path();
    // Before anything is written: a file that would come back with another owner or group (and
    // its setgid bit for that group) is not written.
    if (FileStatus status = ownerCanBeKept(watched ? watched->path : shownPath, metadataFrom);
        !status)
        return status;

    fs::path temp;
    FileHandle file = kNoFile;
    std::error_code error;
    if ((error = ops.createTemp(target, temp, file))) {
        return FileStatus::cannotWrite(
            shownPath, "cannot create a temporary file in " +
                           quoted(folder.empty() ? fs::path(".") : folder) + ": " + reason(error));
    }
    // Removes the temporary name; what to add to the message when it stays.
    auto removeTemp = [&]() -> std::string {
        const std::error_code removeError = ops.remove(temp);
        if (!removeError || removeError == std::errc::no_such_file_or_directory)
            return {};
        return "; the temporary file " + quoted(temp) +
               " could not be removed: " + reason(removeError);
    };
    // Until the file is in place, every failure closes and removes the temporary file; the
    // target is not touched.
    auto abandon = [&](bool open, const std::string& why) {
        if (open)
            ops.close(file);
        return FileStatus::cannotWrite(shownPath, why + removeTemp());
    };
    auto changedMeanwhile = [&] {
        ops.close(file);
        return FileStatus::cannotWrite(
            watched->path,
            "the file was changed by another program while it was being written" + removeTemp());
    };
    if ((error = writeAll(ops, file, bytes))) {
        // Bytes of a mapped image that another program cut off the file cannot be written.
        if (watched && error == std::errc::bad_address)
            return changedMeanwhile();
        return abandon(true, "writing failed: " + reason(error));
    }
    if ((error = ops.sync(file)))
        return abandon(true, "flushing to the disk failed: " + reason(error));
    // Only the whole file, on the disk, gets its owner, attributes and final mode; until now
    // it was this process's own (mode 0600), so that no one else could open it while it was
    // written and keep it open once it is the target. Synced again, so that the metadata are
    // on the disk before the name is.
    if ((error = ops.copyOwner(metadataFrom, file)))
        return abandon(true, "cannot copy the owner: " + reason(error));
    if ((error = ops.copyAttributes(metadataFrom, file, withoutOthersWrite)))
        return abandon(true, "cannot copy the permissions: " + reason(error));
    if ((error = ops.sync(file)))
        return abandon(true, "flushing to the disk failed: " + reason(error));
    if (watched) {
        // The last look before the new file goes in place: bytes that another program put
        // there since the file was read would be lost, and a rewrite while it was read may
        // have torn what was written. Length and times first; then the bytes themselves,
        // since a rewrite within one tick of a coarse clock leaves the times as they were.
        bool same = false;
        error = lookAgain(ops, watched->resolved, watched->expected, same);
        if (!error && !same)
            return changedMeanwhile();
        if (error)
            return abandon(true, "cannot look at the file before replacing it: " + reason(error));
    }
    // A name left beside the file: its temporary name, where that could not be unlinked after
    // the link that gave the file its own (a folder that only grows, chattr +a).
    std::string left;
    if (mayReplace) {
        if ((error = ops.replace(file, temp, target)))
            return abandon(false, "cannot replace the file: " + reason(error));
    } else if ((error = ops.placeNew(file, temp, target))) {
        if (error != std::errc::file_exists)
            return abandon(false, "cannot give the file its name: " + reason(error));
        // Another program put a file there first; it stays, and this one is not kept.
        if (nameTaken)
            *nameTaken = true;
        return abandon(false, "another file took its name while it was being written");
    } else if (FileIdentity stillThere; !ops.identify(temp, stillThere)) {
        left = removeTemp();
    }
    if ((error = ops.syncFolder(folder))) {
        return FileStatus::cannotWrite(shownPath,
                                       "the new contents are in place, but the folder could not be "
                                       "flushed to the disk: " +
                                           reason(error) + left);
    }
    if (!left.empty())
        return FileStatus::cannotWrite(shownPath, "the file is in place" + left);
    return FileStatus::success();
}

}  // namespace

FileStatus writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                               const FileIdentity* expected) {
    std::error_code error;
    const fs::path target = resolveTarget(path, error);
    if (error)
        return FileStatus::cannotWrite(path, "cannot follow the link: " + reason(error));
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return FileStatus::cannotWrite(path, "it is not a regular file");
    }
    std::optional<Watched> watched;
    if (expected)
        watched.emplace(Watched{path, target, *expected});
    return writeThroughTemp(path, target, target, bytes, watched, /*mayReplace=*/true);
}

Result<int> removeStaleTempFiles(const fs::path& path) {
    std::error_code error;
    const fs::path target = resolveTarget(path, error);
    if (error)
        return 0;  // the write that follows reports the link it cannot follow
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const fs::path::string_type prefix = tempFilePrefix(target);
    // A backup left by an interrupted replace on Windows holds the old contents; it is stale
    // only while the target itself exists.
    const fs::path::string_type backupPrefix = backupFilePrefix(target);
    const bool targetExists = fs::exists(target, error);
    // The original copy is written through temporary files of its own name.
    const fs::path::string_type copyPrefix = tempFilePrefix(originalCopyPath(target));

    std::vector<fs::path> stale;
    fs::directory_iterator it(folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const fs::path::string_type name = it->path().filename().native();
        auto named = [&](const fs::path::string_type& start) {
            return name.size() == start.size() + kUniqueSuffixLength && name.starts_with(start);
        };
        const bool isBackup = targetExists && named(backupPrefix);
        std::error_code typeError;
        if ((named(prefix) || named(copyPrefix) || isBackup) && it->is_regular_file(typeError))
            stale.push_back(it->path());
    }
    if (error)
        return FileStatus::cannotRead(folder, reason(error));
    int removed = 0;
    std::optional<FileStatus> firstFailure;
    for (const fs::path& file : stale) {
        const std::error_code removeError = fileSystemOps().removeIfUnused(file);
        if (!removeError) {
            ++removed;
        } else if (removeError != std::errc::device_or_resource_busy &&
                   removeError != std::errc::no_such_file_or_directory && !firstFailure) {
            // A file that another running write holds, or that it removed meanwhile, is not
            // stale; any other reason is reported, once, after the rest were tried.
            firstFailure = FileStatus::failure(
                fileMessage("Cannot remove the stale temporary file", file, reason(removeError)));
        }
    }
    if (firstFailure)
        return *firstFailure;
    return removed;
}

fs::path originalCopyPath(const fs::path& executable) {
    std::error_code error;
    fs::path target = resolveTarget(executable, error);
    if (error)
        target = executable;
    // Appended to the name as given, so that the copy's name keeps the separators of the
    // executable's (a message naming both shows one style).
    target += ".orvendel-original";
    return target;
}

bool hasOriginalCopy(const fs::path& executable) {
    std::error_code error;
    return fs::exists(fs::symlink_status(originalCopyPath(executable), error));
}

Result<bool> keepOriginalCopy(const fs::path& executable, std::span<const std::uint8_t> bytes,
                              const FileIdentity& expected) {
    const fs::path copy = originalCopyPath(executable);
    std::error_code linkError;
    const fs::path resolved = resolveTarget(executable, linkError);
    const fs::path& source = linkError ? executable : resolved;
    bool nameTaken = false;
    FileStatus status =
        writeThroughTemp(copy, copy, source, bytes, Watched{executable, source, expected},
                         /*mayReplace=*/false, /*withoutOthersWrite=*/true, &nameTaken);
    if (nameTaken)
        return false;
    if (!status)
        return status;
    return true;
}

}  // namespace orvendel
