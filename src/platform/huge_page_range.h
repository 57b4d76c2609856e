// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

namespace orvendel {

// Size of a transparent huge page on x86-64 and most other 64-bit Linux machines.
inline constexpr std::size_t kHugePageSize = std::size_t{2} << 20;

#if defined(__linux__)
// Reserves an anonymous, private range of `length` bytes (rounded up to whole pages) that
// starts on a huge-page boundary, with protection `protection`, so that the kernel can back it,
// or a file mapped over it, with huge pages. Returns nullptr when the address space cannot be
// had. Release it with munmap over the page-rounded length.
void* reserveHugePageAligned(std::size_t length, int protection);
#endif

}  // namespace orvendel
