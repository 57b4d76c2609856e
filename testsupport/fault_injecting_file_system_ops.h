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
    using Path = std::filesystem::path;

    FaultInjectingFileSystemOps(Step step, int nth = 1,
                                std::error_code error = std::make_error_code(std::errc::io_error))
        : step_(step), nth_(nth), error_(error), real_(nativeFileSystemOps()) {}

    // How often the failing step was reached.
    int calls() const { return calls_; }
    // Runs before every sync, once a file's bytes are written: another program's change then.
    std::function<void()> beforeSync;
    // Runs before each step on the file being written (write, sync, copy owner, copy
    // attributes, replace), with that step and file: a look at the file as each step finds it.
    std::function<void(Step, FileHandle)> beforeFileStep;

    std::error_code openForReading(const Path& path, FileHandle& file,
                                   std::uint64_t& length) override {
        return fails(Step::OpenForReading) ? error_ : real_.openForReading(path, file, length);
    }
    std::error_code read(FileHandle file, std::uint8_t* buffer, std::size_t size,
                         std::size_t& got) override {
        return fails(Step::Read) ? error_ : real_.read(file, buffer, size, got);
    }
    std::error_code createTemp(const Path& target, Path& tempPath, FileHandle& file) override {
        return fails(Step::CreateTemp) ? error_ : real_.createTemp(target, tempPath, file);
    }
    std::error_code write(FileHandle file, const std::uint8_t* data, std::size_t size,
                          std::size_t& written) override {
        look(Step::Write, file);
        // Half of the first cut write goes through, nothing of the later ones.
        if (step_ == Step::ShortWrite && ++calls_ >= nth_)
            return real_.write(file, data, calls_ == nth_ ? size / 2 : 0, written);
        return fails(Step::Write) ? error_ : real_.write(file, data, size, written);
    }
    std::error_code sync(FileHandle file) override {
        if (beforeSync)
            beforeSync();
        look(Step::Sync, file);
        return fails(Step::Sync) ? error_ : real_.sync(file);
    }
    // A failing close, replace or placement still releases the handle.
    std::error_code close(FileHandle file) override {
        return fails(Step::Close) ? (void)real_.close(file), error_ : real_.close(file);
    }
    std::error_code ownerLoss(const Path& original, OwnerLoss& loss, std::string& name) override {
        return fails(Step::OwnerLoss) ? error_ : real_.ownerLoss(original, loss, name);
    }
    std::error_code copyOwner(const Path& original, FileHandle file) override {
        look(Step::CopyOwner, file);
        return fails(Step::CopyOwner) ? error_ : real_.copyOwner(original, file);
    }
    std::error_code copyAttributes(const Path& original, FileHandle file,
                                   bool withoutOthersWrite) override {
        look(Step::CopyAttributes, file);
        return fails(Step::CopyAttributes)
                   ? error_
                   : real_.copyAttributes(original, file, withoutOthersWrite);
    }
    std::error_code replace(FileHandle tempFile, const Path& temp, const Path& target) override {
        look(Step::Replace, tempFile);
        return fails(Step::Replace) ? (void)real_.close(tempFile),
               error_               : real_.replace(tempFile, temp, target);
    }
    std::error_code placeNew(FileHandle tempFile, const Path& temp, const Path& target) override {
        return fails(Step::PlaceNew) ? (void)real_.close(tempFile),
               error_                : real_.placeNew(tempFile, temp, target);
    }
    std::error_code syncFolder(const Path& folder) override {
        return fails(Step::SyncFolder) ? error_ : real_.syncFolder(folder);
    }
    std::error_code remove(const Path& path) override {
        return fails(Step::Remove) ? error_ : real_.remove(path);
    }
    std::error_code removeIfUnused(const Path& path) override {
        return fails(Step::RemoveIfUnused) ? error_ : real_.removeIfUnused(path);
    }
    std::error_code identify(const Path& path, FileIdentity& identity) override {
        return real_.identify(path, identity);
    }
    std::error_code checkWritable(const Path& path) override {
        return fails(Step::CheckWritable) ? error_ : real_.checkWritable(path);
    }
    std::error_code readOnly(const Path& path, bool& isReadOnly) override {
        return fails(Step::ReadOnly) ? error_ : real_.readOnly(path, isReadOnly);
    }
    std::error_code clearReadOnly(const Path& path) override {
        return fails(Step::ClearReadOnly) ? error_ : real_.clearReadOnly(path);
    }
    std::error_code setReadOnly(const Path& path) override {
        return fails(Step::SetReadOnly) ? error_ : real_.setReadOnly(path);
    }
    std::error_code checkReplaceable(const Path& path) override {
        return real_.checkReplaceable(path);
    }
    std::error_code openUnfollowed(const Path& path, FileHandle& file, std::uint64_t& length,
                                   HeldFileFacts& facts) override {
        return real_.openUnfollowed(path, file, length, facts);
    }
    std::error_code ownerOf(const Path& path, std::string& owner) override {
        return real_.ownerOf(path, owner);
    }

private:
    void look(Step step, FileHandle file) {
        if (beforeFileStep)
            beforeFileStep(step, file);
    }
    // True when this call of `step` is the one to fail.
    bool fails(Step step) { return step == step_ && ++calls_ == nth_; }

    Step step_;
    int nth_;
    std::error_code error_;
    int calls_ = 0;
    FileSystemOps& real_;
};

}  // namespace orvendel
