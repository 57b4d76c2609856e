#include "platform/file_buffer.h"

#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvendel {

namespace {
#if defined(__linux__)
constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this size a mapping is not worth its system calls.
constexpr std::size_t kMapThreshold = std::size_t{256} << 10;
#endif
}  // namespace

FileBuffer::FileBuffer(std::size_t size) {
    if (size == 0)
        return;
#if defined(__linux__)
    if (size >= kMapThreshold) {
        // Over-allocate by one huge page, then trim both ends so the buffer starts on a 2 MiB
        // boundary and the kernel can back it with huge pages.
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        const std::size_t reserve = rounded + kHugePage;
        void* raw =
            mmap(nullptr, reserve, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
        const std::size_t head = aligned - start;
        const std::size_t tail = reserve - head - rounded;
        if (head)
            munmap(raw, head);
        if (tail)
            munmap(reinterpret_cast<void*>(aligned + rounded), tail);
        madvise(reinterpret_cast<void*>(aligned), rounded, MADV_HUGEPAGE);
        mapping_ = reinterpret_cast<void*>(aligned);
        mappingSize_ = rounded;
        data_ = static_cast<std::uint8_t*>(mapping_);
        size_ = size;
        return;
    }
#endif
    data_ = new std::uint8_t[size];
    size_ = size;
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
