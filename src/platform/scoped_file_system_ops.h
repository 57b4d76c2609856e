// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

class FileSystemOps;

// Swaps in another FileSystemOps for the file layer for its lifetime, then puts the previous
// one back (tests only; not thread-safe).
class ScopedFileSystemOps {
public:
    explicit ScopedFileSystemOps(FileSystemOps& ops);
    ~ScopedFileSystemOps();
    ScopedFileSystemOps(const ScopedFileSystemOps&) = delete;
    ScopedFileSystemOps& operator=(const ScopedFileSystemOps&) = delete;

private:
    FileSystemOps* previous_;
};

}  // namespace orvendel
