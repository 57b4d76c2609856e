// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "patcher/signature.h"

namespace orvendel {

// What the fast search needs to know about one signature, worked out once per search: the
// anchors (up to four fixed bytes, ranked rarest first by the x86 byte-frequency table, never
// by their place in the signature) that are compared across whole vectors, and the masked
// words that confirm a candidate against every fixed byte.
class SearchPlan {
public:
    static constexpr int kMaxAnchors = 4;

    // Plans the search for `sig`. A signature without fixed bytes, or whose pattern and wild
    // mask differ in length, gives a plan that is not usable().
    explicit SearchPlan(const Signature& sig);

    // True when the signature has at least one fixed byte and a consistent shape.
    bool usable() const { return anchorCount_ > 0; }

    // The signature's length in bytes.
    std::size_t size() const { return size_; }

    // Number of anchors, rarest first (1 to kMaxAnchors when usable, else 0). A scan may compare
    // any number of the first ones; the match is confirmed by matchesAt() either way.
    int anchorCount() const { return anchorCount_; }

    // How many anchors a scan starts with: two (or one when there is only one fixed byte). The
    // scan adds more where the image proves them too common.
    int startingAnchors() const { return std::min(anchorCount_, 2); }

    // True when the signature is four equal fixed bytes, such as 00 00 00 00: a scan may then
    // look for runs of that byte instead of comparing four anchors.
    bool isFourEqualBytes() const { return fourEqualBytes_; }

    // Offset of anchor k from the start of a match, and the byte it must hold.
    std::size_t anchorOffset(int k) const { return anchorOffsets_[static_cast<std::size_t>(k)]; }
    std::uint8_t anchorByte(int k) const { return anchorBytes_[static_cast<std::size_t>(k)]; }

    // True when the size() bytes at `start` match every fixed byte of the signature. All of
    // them must be readable.
    bool matchesAt(const std::uint8_t* start) const {
        for (const Word& w : words_) {
            std::uint64_t value = 0;
            std::memcpy(&value, start + w.offset, wordWidth_);
            if ((value & w.mask) != w.pattern)
                return false;
        }
        return true;
    }

private:
    // Up to wordWidth_ signature bytes compared at once; bytes are in memory order.
    struct Word {
        std::size_t offset;
        std::uint64_t pattern;  // fixed bytes, 0 at wild positions
        std::uint64_t mask;     // FF at fixed positions
    };

    std::size_t size_ = 0;
    int anchorCount_ = 0;
    bool fourEqualBytes_ = false;
    std::array<std::size_t, kMaxAnchors> anchorOffsets_{};
    std::array<std::uint8_t, kMaxAnchors> anchorBytes_{};
    std::size_t wordWidth_ = 1;
    std::vector<Word> words_;
};

}  // namespace orvendel
