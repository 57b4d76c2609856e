// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_system_ops.h"

namespace orvendel {

// A file system held in memory, so that a fuzz target can run whole patch runs thousands of
// times a second without touching the disk. Files are keyed by their path text; handles are
// small numbers. The steps follow the contracts of FileSystemOps: a temporary file becomes
// visible under the target's name only through replace() or placeNew(), and a step on an unknown
// handle is an error, so a double close or a write after close shows up as a failed run.
class MemoryFileSystemOps final : public FileSystemOps {
public:
    // Puts a file with these bytes at `path`, replacing any there.
    void put(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
    // The bytes at `path`, or nullptr when no such file exists.
    const std::vector<std::uint8_t>* find(const std::filesystem::path& path) const;
    // How many files exist, temporary ones included.
    std::size_t fileCount() const { return files_.size(); }
    // How many handles are still open.
    std::size_t openHandles() const { return handles_.size(); }

    std::error_code openForReading(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length) override;
    std::error_code read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                         std::size_t& got) override;
    std::error_code createTemp(const std::filesystem::path& target, std::filesystem::path& tempPath,
                               FileHandle& file) override;
    std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                          std::size_t& written) override;
    std::error_code sync(FileHandle file) override;
    std::error_code close(FileHandle file) override;
    std::error_code ownerLoss(const std::filesystem::path& original, OwnerLoss& loss,
                              std::string& name) override;
    std::error_code copyOwner(const std::filesystem::path& original, FileHandle file) override;
    std::error_code copyAttributes(const std::filesystem::path& original, FileHandle file,
                                   bool withoutOthersWrite) override;
    std::error_code replace(FileHandle tempFile, const std::filesystem::path& temp,
                            const std::filesystem::path& target) override;
    std::error_code placeNew(FileHandle tempFile, const std::filesystem::path& temp,
                             const std::filesystem::path& target) override;
    std::error_code syncFolder(const std::filesystem::path& folder) override;
    std::error_code remove(const std::filesystem::path& path) override;
    std::error_code removeIfUnused(const std::filesystem::path& path) override;
    std::error_code identify(const std::filesystem::path& path, FileIdentity& identity) override;
    std::error_code checkWritable(const std::filesystem::path& path) override;
    std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) override;
    std::error_code clearReadOnly(const std::filesystem::path& path) override;
    std::error_code setReadOnly(const std::filesystem::path& path) override;
    std::error_code checkReplaceable(const std::filesystem::path& path) override {
        return checkWritable(path);
    }
    std::error_code openUnfollowed(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length, HeldFileFacts& facts) override;
    std::error_code ownerOf(const std::filesystem::path& path, std::string& owner) override;

private:
    // Closes the temporary file and moves it to `target` (replacing it only when `overwrite`).
    std::error_code move(FileHandle tempFile, const std::filesystem::path& temp,
                         const std::filesystem::path& target, bool overwrite);

    struct Handle {
        std::string path;
        std::size_t offset = 0;
        bool writing = false;
    };

    std::map<std::string, std::vector<std::uint8_t>> files_;
    std::map<FileHandle, Handle> handles_;
    // A new number for every file put in place, so that identify() tells one from the next.
    std::map<std::string, std::uint64_t> inodes_;
    std::uint64_t nextInode_ = 1;
    FileHandle nextHandle_ = 3;
    int nextTemp_ = 0;
};

}  // namespace orvendel
