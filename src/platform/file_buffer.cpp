// SPDX-License-Identifier: MIT
#include "platform/file_buffer.h"

#include <limits>
#include <new>
#include <string>
#include <utility>

#include "platform/huge_page_range.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvendel {

namespace {
#if defined(__linux__)
// Below this size a mapping is not worth its system calls.
constexpr std::size_t kMapThreshold = std::size_t{256} << 10;
#endif
}  // namespace

Result<FileBuffer> FileBuffer::forFile(const std::filesystem::path& path, std::size_t size) {
    FileBuffer buffer;
    if (!buffer.allocate(size)) {
        return FileStatus::cannotRead(path,
                                      "not enough memory for " + std::to_string(size) + " bytes");
    }
    return buffer;
}

bool FileBuffer::allocate(std::size_t size) noexcept {
    if (size == 0)
        return true;
#if defined(__linux__)
    if (size >= kMapThreshold) {
        // More than whole huge pages can hold in the address space.
        if (size > std::numeric_limits<std::size_t>::max() - (kHugePageSize - 1))
            return false;
        // Starting on a 2 MiB boundary lets the kernel back the buffer with huge pages.
        const std::size_t rounded = (size + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
        void* mapping = reserveHugePageAligned(rounded, PROT_READ | PROT_WRITE);
        if (mapping == nullptr)
            return false;
        madvise(mapping, rounded, MADV_HUGEPAGE);
        mapping_ = mapping;
        mappingSize_ = rounded;
        data_ = static_cast<std::uint8_t*>(mapping_);
        size_ = size;
        return true;
    }
#endif
    data_ = new (std::nothrow) std::uint8_t[size];
    if (data_ == nullptr)
        return false;
    size_ = size;
    return true;
}

FileBuffer::~FileBuffer() {
    release();
}

FileBuffer::FileBuffer(FileBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapping_(std::exchange(other.mapping_, nullptr)),
      mappingSize_(std::exchange(other.mappingSize_, 0)) {}

FileBuffer& FileBuffer::operator=(FileBuffer&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapping_ = std::exchange(other.mapping_, nullptr);
        mappingSize_ = std::exchange(other.mappingSize_, 0);
    }
    return *this;
}

void FileBuffer::release() noexcept {
#if defined(__linux__)
    if (mapping_) {
        munmap(mapping_, mappingSize_);
        mapping_ = nullptr;
        data_ = nullptr;
    }
#endif
    delete[] data_;
    data_ = nullptr;
    size_ = 0;
    mappingSize_ = 0;
}

}  // namespace orvendel
