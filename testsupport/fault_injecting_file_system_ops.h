// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/file_system_ops.h"

namespace orvendel {

// Passes every step to the real file system, except that one chosen step fails: the n-th call
// of it (counting from 1) returns `error` without doing anything. Writes can instead be made
// short (half the bytes, then nothing), the way a full disk or a signal can cut them.
class FaultInjectingFileSystemOps : public FileSystemOps {
public:
    enum class Step {
        None,
        OpenForReading,
        Read,
        CreateTemp,
        Write,
        ShortWrite,  // the n-th write and every later one writes at most half, then 0 bytes
        Sync,
        Close,
        OwnerLoss,
        CopyOwner,
        CopyAttributes,
        Replace,
        PlaceNew,
        SyncFolder,
        Remove,
        RemoveIfUnused,
        CheckWritable,
        ReadOnly,
        ClearReadOnly,
        SetReadOnly,
    };

    FaultInjectingFileSystemOps(Step step, int nth = 1,
                                std::error_code error = std::make_error_code(std::errc::io_error));

    // How often the failing step was reached.
    int calls() const { return calls_; }
    // Runs before every sync, once a file's bytes are written: another program's change then.
    std::function<void()> beforeSync;

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
    std::error_code removeIfUnused(const std::filesystem::path& path) override {
        return fails(Step::RemoveIfUnused) ? error_ : real_.removeIfUnused(path);
    }
    std::error_code identify(const std::filesystem::path& path, FileIdentity& identity) override {
        return real_.identify(path, identity);
    }
    std::error_code checkWritable(const std::filesystem::path& path) override;
    std::error_code readOnly(const std::filesystem::path& path, bool& isReadOnly) override;
    std::error_code clearReadOnly(const std::filesystem::path& path) override;
    std::error_code setReadOnly(const std::filesystem::path& path) override {
        return fails(Step::SetReadOnly) ? error_ : real_.setReadOnly(path);
    }
    std::error_code checkReplaceable(const std::filesystem::path& path) override {
        return real_.checkReplaceable(path);
    }
    std::error_code openUnfollowed(const std::filesystem::path& path, FileHandle& file,
                                   std::uint64_t& length, HeldFileFacts& facts) override {
        return real_.openUnfollowed(path, file, length, facts);
    }
    std::error_code ownerOf(const std::filesystem::path& path, std::string& owner) override {
        return real_.ownerOf(path, owner);
    }

private:
    // True when this call of `step` is the one to fail.
    bool fails(Step step);

    Step step_;
    int nth_;
    std::error_code error_;
    int calls_ = 0;
    FileSystemOps& real_;
};

}  // namespace orvendel
