// SPDX-License-Identifier: MIT
#include "platform/huge_page_range.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace orvendel {

void* reserveHugePageAligned(std::size_t length, int protection) {
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::size_t page = pageSize > 0 ? static_cast<std::size_t>(pageSize) : 4096;
    const std::size_t rounded = (length + page - 1) / page * page;
    if (rounded < length || rounded > SIZE_MAX - kHugePageSize)
        return nullptr;
    // Over-reserve by one huge page, then give back what lies before the boundary and after
    // the range.
    const std::size_t reserve = rounded + kHugePageSize;
    void* raw = ::mmap(nullptr, reserve, protection, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
    const std::size_t head = aligned - start;
    const std::size_t tail = reserve - head - rounded;
    if (head != 0)
        ::munmap(raw, head);
    if (tail != 0)
        ::munmap(reinterpret_cast<void*>(aligned + rounded), tail);
    return reinterpret_cast<void*>(aligned);
}

}  // namespace orvendel
#endif
