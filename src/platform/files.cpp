#include "platform/files.h"

#include <algorithm>
#include <new>
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

std::string quoted(const fs::path& path) {
    std::string text(1, '"');
    text += displayPath(path);
    text += '"';
    return text;
}

FileStatus readFailure(const fs::path& path, const std::string& why) {
    return FileStatus::failure("Cannot read " + quoted(path) + ": " + why + ".");
}

FileStatus writeFailure(const fs::path& path, const std::string& why) {
    return FileStatus::failure("Cannot write " + quoted(path) + ": " + why + ".");
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

}  // namespace

std::string displayPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

FileStatus openWholeFile(const fs::path& path, FileHandle& file, std::uint64_t& length) {
    FileSystemOps& ops = fileSystemOps();
    if (std::error_code error = ops.openForReading(path, file, length)) {
        if (error == std::errc::invalid_argument) {
            return readFailure(path, "it is not a regular file");
        }
        return readFailure(path, reason(error));
    }
    if (length > kMaxImageSize) {
        ops.close(file);
        file = kNoFile;
        return readFailure(path, "it is too large (" + std::to_string(length) + " bytes)");
    }
    return FileStatus::success();
}

FileStatus readWholeFile(const fs::path& path, FileBuffer& out) {
    FileSystemOps& ops = fileSystemOps();
    FileHandle file = kNoFile;
    std::uint64_t length = 0;
    if (FileStatus status = openWholeFile(path, file, length); !status)
        return status;
    FileBuffer buffer;
    try {
        buffer = FileBuffer(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        ops.close(file);
        return readFailure(path, "not enough memory for " + std::to_string(length) + " bytes");
    }
    std::size_t done = 0;
    while (done < buffer.size()) {
        std::size_t got = 0;
        if (std::error_code error =
                ops.read(file, buffer.data() + done, buffer.size() - done, got)) {
            ops.close(file);
            return readFailure(path, reason(error));
        }
        if (got == 0) {
            ops.close(file);
            return readFailure(path, "the file became shorter while it was read");
        }
        done += got;
    }
    if (std::error_code error = ops.close(file))
        return readFailure(path, reason(error));
    out = std::move(buffer);
    return FileStatus::success();
}

FileStatus readOnlyAttribute(const fs::path& path, bool& isReadOnly) {
    if (std::error_code error = fileSystemOps().readOnly(path, isReadOnly)) {
        return FileStatus::failure("Cannot read the attributes of " + quoted(path) + ": " +
                                   reason(error) + ".");
    }
    return FileStatus::success();
}

FileStatus clearReadOnlyAttribute(const fs::path& path) {
    if (std::error_code error = fileSystemOps().clearReadOnly(path)) {
        return FileStatus::failure("Cannot make " + quoted(path) + " writable: " + reason(error) +
                                   ".");
    }
    return FileStatus::success();
}

FileStatus writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    FileSystemOps& ops = fileSystemOps();
    std::error_code error;
    const fs::path target = resolveTarget(path, error);
    if (error)
        return writeFailure(path, "cannot follow the link: " + reason(error));
    const fs::file_status status = fs::status(target, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return writeFailure(path, "it is not a regular file");
    }
    const fs::path folder = target.parent_path();

    fs::path temp;
    FileHandle file = kNoFile;
    if ((error = ops.createTemp(target, temp, file))) {
        return writeFailure(path, "cannot create a temporary file in " +
                                      quoted(folder.empty() ? fs::path(".") : folder) + ": " +
                                      reason(error));
    }
    // Until the replace, every failure closes and removes the temporary file; the target is
    // not touched.
    auto abandon = [&](bool open, const std::string& step, const std::error_code& cause) {
        if (open)
            ops.close(file);
        std::string message = step + ": " + reason(cause);
        if (std::error_code removeError = ops.remove(temp)) {
            message += "; the temporary file " + quoted(temp) +
                       " could not be removed: " + reason(removeError);
        }
        return writeFailure(path, message);
    };
    if ((error = writeAll(ops, file, bytes)))
        return abandon(true, "writing failed", error);
    if ((error = ops.copyPermissions(target, file))) {
        return abandon(true, "cannot copy the permissions", error);
    }
    if ((error = ops.copyOwner(target, file))) {
        return abandon(true, "cannot copy the owner", error);
    }
    if ((error = ops.sync(file)))
        return abandon(true, "flushing to the disk failed", error);
    if ((error = ops.close(file)))
        return abandon(false, "closing the written file failed", error);
    if ((error = ops.replace(temp, target))) {
        return abandon(false, "cannot replace the file", error);
    }
    if ((error = ops.syncFolder(folder))) {
        return writeFailure(path,
                            "the new contents are in place, but the folder could not be "
                            "flushed to the disk: " +
                                reason(error));
    }
    return FileStatus::success();
}

int removeStaleTempFiles(const fs::path& path) {
    std::error_code error;
    const fs::path target = resolveTarget(path, error);
    if (error)
        return 0;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const fs::path::string_type prefix = tempFilePrefix(target);
    // A backup left by an interrupted replace on Windows holds the old contents; it is stale
    // only while the target itself exists.
    fs::path::string_type backupPrefix = fs::path(".").native();
    backupPrefix += target.filename().native();
    backupPrefix += fs::path(".orvendel-bak-").native();
    const bool targetExists = fs::exists(target, error);

    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path::string_type name = it->path().filename().native();
        const bool isTemp = name.size() == prefix.size() + 6 && name.starts_with(prefix);
        const bool isBackup = targetExists && name.size() == backupPrefix.size() + 6 &&
                              name.starts_with(backupPrefix);
        if ((isTemp || isBackup) && it->is_regular_file(error))
            stale.push_back(it->path());
    }
    int removed = 0;
    for (const fs::path& file : stale) {
        if (!fileSystemOps().remove(file))
            ++removed;
    }
    return removed;
}

}  // namespace orvendel
