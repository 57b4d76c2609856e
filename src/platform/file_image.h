// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/file_buffer.h"
#include "platform/file_status.h"
#include "platform/file_system_ops.h"
#include "platform/result.h"

namespace orvendel {

// The bytes of a whole file for one patch run. On POSIX, while the native file system steps are
// in force, the file is mapped privately and read-only, with every page loaded up front (no
// page fault per 4 KiB, no copy). Otherwise (Windows, or a test that replaced the steps) it is
// a FileBuffer filled by readWholeFile, so that every step of reading stays replaceable.
//
// While a mapping is held, a SIGBUS raised by touching a page that another process cut off the
// file is caught: a zero page takes the missing page's place, the run carries on, and
// checkUnchanged() reports the change. Only one mapping at a time has that guard; a second
// image loaded while one is held is read into a buffer instead. How the guard is installed and
// removed is told at its code in file_image.cpp. Neither copyable nor movable.
class FileImage {
public:
    FileImage() = default;
    ~FileImage();
    FileImage(const FileImage&) = delete;
    FileImage& operator=(const FileImage&) = delete;

    // Loads the whole regular file at `path`, dropping what was held before. Fails with the
    // messages of readWholeFile (missing, not a regular file, no permission, too large, read
    // error, or not enough memory for the copy); an empty file loads as an empty image. With
    // `keepCopy` (a writing run) it also keeps a copy of the bytes as loaded: a mapping's
    // unedited pages follow the file, so only a copy can tell later what was read.
    FileStatus load(const std::filesystem::path& path, bool keepCopy = false);

    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The bytes as loaded, never edited, for the last look before a replace
    // (FileIdentity::bytesRead); empty unless load() kept a copy.
    std::span<const std::uint8_t> bytesAsLoaded() const { return asLoaded_.bytes(); }
    // Whether the image is a mapping of the file rather than a buffer.
    bool isMapped() const { return mapping_ != nullptr; }

    // The image for editing in memory. A mapping's pages become writable copy-on-write, so only
    // the pages actually edited are copied; the file itself never changes through it. Where
    // the pages cannot be made writable the image is copied into a buffer, which fails as
    // FileBuffer::forFile does when the memory cannot be had.
    Result<std::span<std::uint8_t>> writableBytes();

    // Success while the file is still as it was loaded: for a mapping, no page was cut off
    // under it, the file's length and modification time are those seen at loading, and, where
    // load() kept a copy, every page where the mapping and the copy differ (edited here, or
    // changed in the file, which unedited pages follow) still holds in the file the bytes
    // loaded. Else `Cannot read "<path>": the file changed while it was being read.` A buffer,
    // which holds its own copy, is always unchanged. (An edited page whose edit left its bytes
    // as they were is not read again: the last look before a replace reads every byte.)
    FileStatus checkUnchanged() const;

private:
    // Maps the open file `file` of `length` bytes; on failure returns false and leaves the
    // image empty, the file still open for the caller.
    bool map(FileHandle file, std::uint64_t length);
    void release() noexcept;

    // Whether the pages where the image and the copy of the bytes as loaded differ hold the
    // loaded bytes in the file (true without a copy).
    bool stillAsLoaded() const;
    // load() without the copy.
    FileStatus loadBytes(const std::filesystem::path& path);
    // Copies the image into asLoaded_.
    FileStatus copyAsLoaded();

    FileBuffer buffer_;
    FileBuffer asLoaded_;
    std::filesystem::path path_;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;  // start of the mapping when mapped, else nullptr
    std::size_t mappingSize_ = 0;
    FileHandle file_ = kNoFile;  // the mapped file, open for the whole run
    std::int64_t modifiedSeconds_ = 0;
    std::int64_t modifiedNanoseconds_ = 0;
};

}  // namespace orvendel
