// Edge cases of the signature search that the revision tables rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "patcher/search.h"
#include "patcher/signature.h"
#include "recording_progress.h"

namespace orvendel {
namespace {

Signature sig(const char* text) {
    return *Signature::parse(text);
}

TEST(SearchEdges, StartingOnAnOccurrenceReturnsTheStart) {
    const std::uint8_t image[] = {0x11, 0xC7, 0x05, 0x22, 0xC7, 0x05};
    EXPECT_EQ(search(image, sig("C7 05"), 1), 1u);
    EXPECT_EQ(search(image, sig("C7 05"), 2), 4u);
}

TEST(SearchEdges, FourZerosResumeOneByteAfterEachFailedStart) {
    const std::uint8_t image[] = {0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(search(image, sig("00 00 00 00"), 0), 4u);
    const std::uint8_t eight[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(search(eight, sig("00 00 00 00"), 0), 0u);
    EXPECT_EQ(search(eight, sig("00 00 00 00"), 4), 4u);
    EXPECT_EQ(search(eight, sig("00 00 00 00"), 5), std::nullopt);
}

TEST(SearchEdges, WildPositionsMatchAnythingFixedOnesDoNot) {
    std::vector<std::uint8_t> image = {0x00, 0xAB, 0xCD, 0xEF, 0x12, 0xC7, 0x05,
                                       0x00, 0x99, 0x98, 0x97, 0x96, 0xC7, 0x05};
    const Signature s = sig("00 ?? ?? ?? ?? C7 05");
    EXPECT_EQ(search(image, s, 0), 0u);
    image[6] = 0x06;
    EXPECT_EQ(search(image, s, 0), 7u);
    EXPECT_EQ(search(image, sig("?? ?? C7"), 0), 3u) << "leading wildcards";
}

TEST(SearchEdges, OccurrenceMustLieWhollyInsideTheImage) {
    const std::uint8_t image[] = {0x10, 0x20, 0x30, 0x40};
    EXPECT_EQ(search(image, sig("30 40"), 0), 2u);
    EXPECT_EQ(search(image, sig("40 ??"), 0), std::nullopt);
    EXPECT_EQ(search(image, sig("10"), 5), std::nullopt) << "start past the end";
    EXPECT_EQ(search(std::span<const std::uint8_t>(), sig("??"), 0), std::nullopt);
}

TEST(SearchEdges, ProgressAtEachThousandPassed) {
    const std::vector<std::uint8_t> image(2500, 0x11);
    RecordingProgress progress;
    EXPECT_EQ(search(image, sig("22 33"), 0, &progress), std::nullopt);
    EXPECT_EQ(progress.values, (std::vector<double>{1000, 2000}));

    // A match ends the reports at its last byte.
    std::vector<std::uint8_t> withMatch(2500, 0x11);
    withMatch[1499] = 0x22;
    withMatch[1500] = 0x33;
    RecordingProgress shorter;
    EXPECT_EQ(search(withMatch, sig("22 33"), 0, &shorter), 1499u);
    EXPECT_EQ(shorter.values, (std::vector<double>{1000}));
}

}  // namespace
}  // namespace orvendel
