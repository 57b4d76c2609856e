// SPDX-License-Identifier: MIT
#include "bench_image.h"

#include <random>

#include "patcher/search.h"

namespace orvendel {

namespace {

std::uint8_t randomNonZero(std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(1, 255);
    for (;;) {
        const auto b = static_cast<std::uint8_t>(byte(rng));
        if (b != BenchImage::kAbsentByte)
            return b;
    }
}

}  // namespace

std::vector<std::uint8_t> BenchImage::random(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::bernoulli_distribution zero(1.0 / 255.0);
    std::vector<std::uint8_t> image(size);
    for (auto& b : image)
        b = zero(rng) ? 0 : randomNonZero(rng);
    return image;
}

std::vector<std::uint8_t> BenchImage::zeroHeavy(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> run(1, 3);
    std::vector<std::uint8_t> image;
    image.reserve(size + 4);
    while (image.size() < size) {
        image.insert(image.end(), run(rng), 0);
        image.push_back(randomNonZero(rng));
    }
    image.resize(size);
    return image;
}

void BenchImage::removeOccurrences(std::vector<std::uint8_t>& image,
                                   const std::vector<Signature>& signatures) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (const Signature& s : signatures) {
            std::size_t from = 0;
            while (const auto at = search(image, s, from)) {
                // Break the match at its last fixed byte; 01 never completes a run of zeros.
                std::size_t last = s.size() - 1;
                while (s.wild[last])
                    --last;
                image[*at + last] = s.pattern[last] == 0x01 ? 0x02 : 0x01;
                from = *at + 1;
                changed = true;
            }
        }
    }
}

const std::vector<BenchImage::Named>& BenchImage::knownSignatures() {
    static const std::vector<Named> all = [] {
        const std::pair<const char*, const char*> texts[] = {
            {"r0s1", "00 00 C7 47 68 ?? ?? ?? ?? C7 47 6C ?? ?? ?? ?? C7"},
            {"r0s2", "00 ?? ?? ?? ?? C7 05"},
            {"r0s357", "00 00 00 00"},
            {"r0s4", "85 F6 0F 84 E0 00 00 00 55 C7 46 68 ?? ?? ?? ?? C7"},
            {"r0s6", "80 3F C7 47 60 00 00 ?? ?? BB ?? ?? ?? ?? 89 5F"},
            {"r1s1", "33 F7 FF 39 58 3C 75 2C D9 05 30 76 82 00 C7 05 A8 EC 87 00"},
            {"r1s2", "04 C7 44 24 24 ?? ?? ?? ?? 8B"},
            {"r1s3", "E8 4B 30 F7 FF 8B 48 3C 85 C9 75 2C D9 05 30 76 82 00 C7 05 A8 EC 87 00"},
            {"r1s4", "AC 2E F7 FF 39 58 3C 75 2C D9 05 FC 86 82 00 C7 05 A8 EC 87 00"},
            {"r1s5",
             "90 47 5B 00 00 48 5B 00 60 79 40 00 C0 AC 40 00 30 83 5B 00 D0 78 5B 00 50 6C 43 00"},
        };
        std::vector<Named> named;
        for (const auto& [name, text] : texts)
            named.push_back({name, *Signature::parse(text)});
        return named;
    }();
    return all;
}

}  // namespace orvendel
