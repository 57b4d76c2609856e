// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/result.h"

namespace orvendel {

// An owning buffer of uninitialised bytes for a whole file image. On Linux it is an anonymous
// mapping aligned to 2 MiB and advised for transparent huge pages, so that filling an 8 MiB
// image costs a handful of page faults instead of one per 4 KiB; elsewhere plain heap memory.
// Move-only.
class FileBuffer {
public:
    FileBuffer() = default;
    // A buffer of `size` bytes for the bytes of the file at `path`. Fails, without throwing,
    // with `Cannot read "<path>": not enough memory for <size> bytes.` when the memory cannot
    // be had.
    static Result<FileBuffer> forFile(const std::filesystem::path& path, std::size_t size);
    ~FileBuffer();
    FileBuffer(FileBuffer&& other) noexcept;
    FileBuffer& operator=(FileBuffer&& other) noexcept;
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::span<std::uint8_t> bytes() { return {data_, size_}; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    // Allocates `size` bytes into this empty buffer; false when the memory cannot be had.
    bool allocate(std::size_t size) noexcept;
    void release() noexcept;

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;      // start of the mapping when mapped, else nullptr
    std::size_t mappingSize_ = 0;  // its length
};

}  // namespace orvendel
