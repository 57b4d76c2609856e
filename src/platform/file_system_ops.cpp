// SPDX-License-Identifier: MIT
#include "platform/file_system_ops.h"

namespace orvendel {

namespace {
FileSystemOps* current = nullptr;
}  // namespace

FileSystemOps& fileSystemOps() {
    return current ? *current : nativeFileSystemOps();
}

ScopedFileSystemOps::ScopedFileSystemOps(FileSystemOps& ops) : previous_(current) {
    current = &ops;
}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    current = previous_;
}

std::filesystem::path::string_type tempFilePrefix(const std::filesystem::path& target) {
    std::filesystem::path::string_type prefix = std::filesystem::path(".").native();
    prefix += target.filename().native();
    prefix += std::filesystem::path(".orvendel-tmp-").native();
    return prefix;
}

}  // namespace orvendel
