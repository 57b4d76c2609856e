// SPDX-License-Identifier: MIT
#include "memory_file_system_ops.h"

#include <algorithm>

namespace orvendel {

namespace {

std::error_code failure(std::errc code) {
    return std::make_error_code(code);
}

}  // namespace

void MemoryFileSystemOps::put(const std::filesystem::path& path,
                              std::span<const std::uint8_t> bytes) {
    files_[path.string()] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    inodes_[path.string()] = nextInode_++;
}

const std::vector<std::uint8_t>* MemoryFileSystemOps::find(
    const std::filesystem::path& path) const {
    const auto it = files_.find(path.string());
    return it == files_.end() ? nullptr : &it->second;
}

std::error_code MemoryFileSystemOps::openForReading(const std::filesystem::path& path,
                                                    FileHandle& file, std::uint64_t& length) {
    const auto it = files_.find(path.string());
    if (it == files_.end())
        return failure(std::errc::no_such_file_or_directory);
    file = nextHandle_++;
    handles_[file] = Handle{it->first, 0, false};
    length = it->second.size();
    return {};
}

std::error_code MemoryFileSystemOps::read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                                          std::size_t& got) {
    got = 0;
    const auto it = handles_.find(file);
    if (it == handles_.end() || it->second.writing)
        return failure(std::errc::bad_file_descriptor);
    const auto content = files_.find(it->second.path);
    if (content == files_.end())
        return failure(std::errc::io_error);
    const std::vector<std::uint8_t>& bytes = content->second;
    if (it->second.offset < bytes.size()) {
        got = std::min(size, bytes.size() - it->second.offset);
        std::copy_n(bytes.data() + it->second.offset, got, buffer);
        it->second.offset += got;
    }
    return {};
}

std::error_code MemoryFileSystemOps::createTemp(const std::filesystem::path& target,
                                                std::filesystem::path& tempPath, FileHandle& file) {
    // Six characters after the prefix, as the real implementations name them.
    std::string suffix = std::to_string(100000 + nextTemp_++ % 900000);
    tempPath = target.parent_path() / (tempFilePrefix(target) + suffix);
    if (files_.count(tempPath.string()))
        return failure(std::errc::file_exists);
    files_[tempPath.string()];
    file = nextHandle_++;
    handles_[file] = Handle{tempPath.string(), 0, true};
    return {};
}

std::error_code MemoryFileSystemOps::write(FileHandle file, const std::uint8_t* data,
                                           std::size_t size, std::size_t& written) {
    written = 0;
    const auto it = handles_.find(file);
    if (it == handles_.end() || !it->second.writing)
        return failure(std::errc::bad_file_descriptor);
    std::vector<std::uint8_t>& bytes = files_[it->second.path];
    bytes.insert(bytes.end(), data, data + size);
    written = size;
    return {};
}

std::error_code MemoryFileSystemOps::sync(FileHandle file) {
    return handles_.count(file) ? std::error_code() : failure(std::errc::bad_file_descriptor);
}

std::error_code MemoryFileSystemOps::close(FileHandle file) {
    return handles_.erase(file) ? std::error_code() : failure(std::errc::bad_file_descriptor);
}

// Files held in memory have no owners: every owner can be kept.
std::error_code MemoryFileSystemOps::ownerLoss(const std::filesystem::path&, OwnerLoss& loss,
                                               std::string&) {
    loss = OwnerLoss::None;
    return {};
}

std::error_code MemoryFileSystemOps::copyOwner(const std::filesystem::path&, FileHandle file) {
    return sync(file);
}

std::error_code MemoryFileSystemOps::copyAttributes(const std::filesystem::path&, FileHandle file,
                                                    bool) {
    return sync(file);
}

std::error_code MemoryFileSystemOps::move(FileHandle tempFile, const std::filesystem::path& temp,
                                          const std::filesystem::path& target, bool overwrite) {
    if (std::error_code error = close(tempFile))
        return error;
    const auto it = files_.find(temp.string());
    if (it == files_.end())
        return failure(std::errc::no_such_file_or_directory);
    for (const auto& [handle, open] : handles_) {
        if (open.path == temp.string())
            return failure(std::errc::device_or_resource_busy);  // moved while still open
    }
    if (!overwrite && files_.count(target.string()))
        return failure(std::errc::file_exists);
    std::vector<std::uint8_t> bytes = std::move(it->second);
    files_.erase(it);
    files_[target.string()] = std::move(bytes);
    inodes_[target.string()] = nextInode_++;
    return {};
}

std::error_code MemoryFileSystemOps::replace(FileHandle tempFile, const std::filesystem::path& temp,
                                             const std::filesystem::path& target) {
    return move(tempFile, temp, target, true);
}

std::error_code MemoryFileSystemOps::placeNew(FileHandle tempFile,
                                              const std::filesystem::path& temp,
                                              const std::filesystem::path& target) {
    return move(tempFile, temp, target, false);
}

std::error_code MemoryFileSystemOps::syncFolder(const std::filesystem::path&) {
    return {};
}

std::error_code MemoryFileSystemOps::remove(const std::filesystem::path& path) {
    inodes_.erase(path.string());
    return files_.erase(path.string()) ? std::error_code()
                                       : failure(std::errc::no_such_file_or_directory);
}

std::error_code MemoryFileSystemOps::removeIfUnused(const std::filesystem::path& path) {
    for (const auto& [handle, open] : handles_) {
        if (open.path == path.string())
            return failure(std::errc::device_or_resource_busy);
    }
    return remove(path);
}

std::error_code MemoryFileSystemOps::identify(const std::filesystem::path& path,
                                              FileIdentity& identity) {
    const auto it = files_.find(path.string());
    if (it == files_.end())
        return failure(std::errc::no_such_file_or_directory);
    identity = FileIdentity{};
    identity.inode = inodes_[path.string()];
    identity.size = it->second.size();
    return {};
}

std::error_code MemoryFileSystemOps::checkWritable(const std::filesystem::path& path) {
    return files_.count(path.string()) ? std::error_code()
                                       : failure(std::errc::no_such_file_or_directory);
}

std::error_code MemoryFileSystemOps::readOnly(const std::filesystem::path& path, bool& isReadOnly) {
    if (!files_.count(path.string()))
        return failure(std::errc::no_such_file_or_directory);
    isReadOnly = false;
    return {};
}

std::error_code MemoryFileSystemOps::clearReadOnly(const std::filesystem::path& path) {
    return files_.count(path.string()) ? std::error_code()
                                       : failure(std::errc::no_such_file_or_directory);
}

// Files in memory have no read-only state: setting it, like clearing it, changes nothing.
std::error_code MemoryFileSystemOps::setReadOnly(const std::filesystem::path& path) {
    return clearReadOnly(path);
}

// Every file in memory is an ordinary file of one owner with one name.
std::error_code MemoryFileSystemOps::openUnfollowed(const std::filesystem::path& path,
                                                    FileHandle& file, std::uint64_t& length,
                                                    HeldFileFacts& facts) {
    facts = HeldFileFacts{HeldFileFacts::Kind::Regular, 1, "0", false};
    return openForReading(path, file, length);
}

std::error_code MemoryFileSystemOps::ownerOf(const std::filesystem::path& path,
                                             std::string& owner) {
    if (!files_.count(path.string()))
        return failure(std::errc::no_such_file_or_directory);
    owner = "0";
    return {};
}

}  // namespace orvendel
