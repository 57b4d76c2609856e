// SPDX-License-Identifier: MIT
#include "platform/file_system_ops.h"

#include <random>

#include "platform/scoped_file_system_ops.h"

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

namespace {

// ".<name of target><tag>", a hidden name on POSIX.
std::filesystem::path::string_type hiddenPrefix(const std::filesystem::path& target,
                                                const char* tag) {
    std::filesystem::path::string_type prefix = std::filesystem::path(".").native();
    prefix += target.filename().native();
    prefix += std::filesystem::path(tag).native();
    return prefix;
}

}  // namespace

std::filesystem::path::string_type tempFilePrefix(const std::filesystem::path& target) {
    return hiddenPrefix(target, ".orvendel-tmp-");
}

std::filesystem::path::string_type backupFilePrefix(const std::filesystem::path& target) {
    return hiddenPrefix(target, ".orvendel-bak-");
}

std::filesystem::path uniqueSibling(const std::filesystem::path& target,
                                    const std::filesystem::path::string_type& prefix) {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kAlphabet) - 2);
    std::filesystem::path::string_type name = prefix;
    for (std::size_t i = 0; i < kUniqueSuffixLength; ++i)
        name += static_cast<std::filesystem::path::value_type>(kAlphabet[pick(generator)]);
    return target.parent_path() / name;
}

}  // namespace orvendel
