// SPDX-License-Identifier: MIT
// Edge cases of the signature search that the revision tables rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "patcher/search.h"
#include "patcher/signature.h"
#include "recording_progress.h"

namespace orvendel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SearchEdges, WhereEachSearchStartsAndWhatItMayMatch) {
    const Bytes twice = {0x11, 0xC7, 0x05, 0x22, 0xC7, 0x05};
    const Bytes zerosBroken = {0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};
    const Bytes zeros(8, 0x00);
    const Bytes wild = {0x00, 0xAB, 0xCD, 0xEF, 0x12, 0xC7, 0x05,
                        0x00, 0x99, 0x98, 0x97, 0x96, 0xC7, 0x05};
    Bytes wildBroken = wild;
    wildBroken[6] = 0x06;
    const Bytes four = {0x10, 0x20, 0x30, 0x40};
    const Bytes empty;
    const std::optional<std::size_t> none;
    const struct {
        const char* name;
        const Bytes& image;
        const char* sig;
        std::size_t from;
        std::optional<std::size_t> found;
    } rows[] = {
        {"starting on an occurrence", twice, "C7 05", 1, 1},
        {"starting past one", twice, "C7 05", 2, 4},
        {"four zeros resume one byte after a failed start", zerosBroken, "00 00 00 00", 0, 4},
        {"eight zeros from 0", zeros, "00 00 00 00", 0, 0},
        {"eight zeros from 4", zeros, "00 00 00 00", 4, 4},
        {"eight zeros from 5", zeros, "00 00 00 00", 5, none},
        {"wild positions match anything", wild, "00 ?? ?? ?? ?? C7 05", 0, 0},
        {"fixed positions do not", wildBroken, "00 ?? ?? ?? ?? C7 05", 0, 7},
        {"leading wildcards", wildBroken, "?? ?? C7", 0, 3},
        {"at the end", four, "30 40", 0, 2},
        {"reaching past the end", four, "40 ??", 0, none},
        {"start past the end", four, "10", 5, none},
        {"empty image", empty, "??", 0, none},
    };
    for (const auto& row : rows)
        EXPECT_EQ(search(row.image, *Signature::parse(row.sig), row.from), row.found) << row.name;
}

TEST(SearchEdges, ProgressAtEachThousandPassedUpToTheLastByteOfAMatch) {
    Bytes image(2500, 0x11);
    const Signature sig = *Signature::parse("22 33");
    RecordingProgress progress;
    EXPECT_EQ(search(image, sig, 0, &progress), std::nullopt);
    EXPECT_EQ(progress.values, (std::vector<double>{1000, 2000}));
    image[1499] = 0x22;
    image[1500] = 0x33;
    RecordingProgress shorter;
    EXPECT_EQ(search(image, sig, 0, &shorter), 1499u);
    EXPECT_EQ(shorter.values, (std::vector<double>{1000}));
}

}  // namespace
}  // namespace orvendel
