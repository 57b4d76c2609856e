// SPDX-License-Identifier: MIT
#include "fault_injecting_file_system_ops.h"

namespace orvendel {

FaultInjectingFileSystemOps::FaultInjectingFileSystemOps(Step step, int nth, std::error_code error)
    : step_(step), nth_(nth), error_(error), real_(nativeFileSystemOps()) {}

bool FaultInjectingFileSystemOps::fails(Step step) {
    if (step != step_)
        return false;
    return ++calls_ == nth_;
}

std::error_code FaultInjectingFileSystemOps::openForReading(const std::filesystem::path& path,
                                                            FileHandle& file,
                                                            std::uint64_t& length) {
    return fails(Step::OpenForReading) ? error_ : real_.openForReading(path, file, length);
}

std::error_code FaultInjectingFileSystemOps::read(FileHandle file, std::uint8_t* buffer,
                                                  std::size_t size, std::size_t& got) {
    return fails(Step::Read) ? error_ : real_.read(file, buffer, size, got);
}

std::error_code FaultInjectingFileSystemOps::createTemp(const std::filesystem::path& target,
                                                        std::filesystem::path& tempPath,
                                                        FileHandle& file) {
    return fails(Step::CreateTemp) ? error_ : real_.createTemp(target, tempPath, file);
}

std::error_code FaultInjectingFileSystemOps::write(FileHandle file, const std::uint8_t* data,
                                                   std::size_t size, std::size_t& written) {
    if (step_ == Step::ShortWrite) {
        ++calls_;
        if (calls_ >= nth_) {
            // Half of the first cut write goes through, nothing of the later ones.
            return real_.write(file, data, calls_ == nth_ ? size / 2 : 0, written);
        }
    }
    if (fails(Step::Write))
        return error_;
    return real_.write(file, data, size, written);
}

std::error_code FaultInjectingFileSystemOps::sync(FileHandle file) {
    if (beforeSync)
        beforeSync();
    if (fails(Step::Sync))
        return error_;
    return real_.sync(file);
}

std::error_code FaultInjectingFileSystemOps::close(FileHandle file) {
    if (fails(Step::Close)) {
        // A failing close still releases the descriptor.
        (void)real_.close(file);
        return error_;
    }
    return real_.close(file);
}

std::error_code FaultInjectingFileSystemOps::ownerLoss(const std::filesystem::path& original,
                                                       OwnerLoss& loss, std::string& name) {
    return fails(Step::OwnerLoss) ? error_ : real_.ownerLoss(original, loss, name);
}

std::error_code FaultInjectingFileSystemOps::copyOwner(const std::filesystem::path& original,
                                                       FileHandle file) {
    return fails(Step::CopyOwner) ? error_ : real_.copyOwner(original, file);
}

std::error_code FaultInjectingFileSystemOps::copyAttributes(const std::filesystem::path& original,
                                                            FileHandle file,
                                                            bool withoutOthersWrite) {
    return fails(Step::CopyAttributes) ? error_
                                       : real_.copyAttributes(original, file, withoutOthersWrite);
}

std::error_code FaultInjectingFileSystemOps::replace(FileHandle tempFile,
                                                     const std::filesystem::path& temp,
                                                     const std::filesystem::path& target) {
    if (fails(Step::Replace)) {
        // The handle is gone even when the step fails.
        (void)real_.close(tempFile);
        return error_;
    }
    return real_.replace(tempFile, temp, target);
}

std::error_code FaultInjectingFileSystemOps::placeNew(FileHandle tempFile,
                                                      const std::filesystem::path& temp,
                                                      const std::filesystem::path& target) {
    if (fails(Step::PlaceNew)) {
        (void)real_.close(tempFile);
        return error_;
    }
    return real_.placeNew(tempFile, temp, target);
}

std::error_code FaultInjectingFileSystemOps::syncFolder(const std::filesystem::path& folder) {
    return fails(Step::SyncFolder) ? error_ : real_.syncFolder(folder);
}

std::error_code FaultInjectingFileSystemOps::remove(const std::filesystem::path& path) {
    return fails(Step::Remove) ? error_ : real_.remove(path);
}

std::error_code FaultInjectingFileSystemOps::checkWritable(const std::filesystem::path& path) {
    return fails(Step::CheckWritable) ? error_ : real_.checkWritable(path);
}

std::error_code FaultInjectingFileSystemOps::readOnly(const std::filesystem::path& path,
                                                      bool& isReadOnly) {
    return fails(Step::ReadOnly) ? error_ : real_.readOnly(path, isReadOnly);
}

std::error_code FaultInjectingFileSystemOps::clearReadOnly(const std::filesystem::path& path) {
    return fails(Step::ClearReadOnly) ? error_ : real_.clearReadOnly(path);
}

}  // namespace orvendel
