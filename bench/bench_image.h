// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "patcher/signature.h"

namespace orvendel {

// Synthetic executable images for the benchmarks, and the signatures both revision tables
// look for.
class BenchImage {
public:
    // A byte that no generated image contains: memchr for it runs to the end.
    static constexpr std::uint8_t kAbsentByte = 0x9B;

    // Uniformly random bytes (all but kAbsentByte).
    static std::vector<std::uint8_t> random(std::size_t size, std::uint32_t seed);

    // Two bytes in three are 00, in runs of one to three, so that almost every position starts
    // a partial match of a signature that begins with zeros; the others are random.
    static std::vector<std::uint8_t> zeroHeavy(std::size_t size, std::uint32_t seed);

    // Changes single fixed bytes of every occurrence of `signatures` until none is left, so
    // that a search runs to the end of the image.
    static void removeOccurrences(std::vector<std::uint8_t>& image,
                                  const std::vector<Signature>& signatures);

    // The distinct signatures of both revision tables with short names ("r0s1" .. "r1s5"; the
    // three four-zero signatures of revision 0 are one, "r0s357").
    struct Named {
        const char* name;
        Signature signature;
    };
    static const std::vector<Named>& knownSignatures();
};

}  // namespace orvendel
