#include "patcher/transfers.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>

namespace orvendel {
namespace {

TEST(Transfers, FloatIsStoredLeastSignificantByteFirst) {
    std::array<std::uint8_t, 8> data{};
    std::size_t position = 2;
    writeSingle(data, position, 1.5f);
    EXPECT_EQ(position, 6u);
    EXPECT_EQ(data, (std::array<std::uint8_t, 8>{0, 0, 0x00, 0x00, 0xC0, 0x3F, 0, 0}));
    position = 2;
    EXPECT_EQ(readSingle(data, position), 1.5f);
    EXPECT_EQ(position, 6u);

    const std::uint8_t minusOne[] = {0x00, 0x00, 0x80, 0xBF};
    position = 0;
    EXPECT_EQ(readSingle(minusOne, position), -1.0f);
}

TEST(Transfers, BytesPassUnchangedEvenForNaNAndNegativeZero) {
    for (const std::array<std::uint8_t, 4> bytes :
         {std::array<std::uint8_t, 4>{0x01, 0x00, 0xC0, 0x7F},     // NaN with payload
          std::array<std::uint8_t, 4>{0x00, 0x00, 0x00, 0x80},     // -0
          std::array<std::uint8_t, 4>{0x01, 0x00, 0x00, 0x00}}) {  // denormal
        std::array<std::uint8_t, 4> copy = bytes;
        std::size_t position = 0;
        float field = 0;
        processSingle(true, copy, position, field);
        copy = {};
        position = 0;
        processSingle(false, copy, position, field);
        EXPECT_EQ(copy, bytes);
    }
}

TEST(Transfers, AnglesAreStoredAsNinetyMinusTheAngle) {
    std::array<std::uint8_t, 4> data{};
    std::size_t position = 0;
    float field = 60;
    processAngle(false, data, position, field);
    EXPECT_EQ(data, (std::array<std::uint8_t, 4>{0x00, 0x00, 0xF0, 0x41}));  // 30
    EXPECT_EQ(field, 60.0f) << "the field keeps its value";

    field = 0;
    position = 0;
    processAngle(false, data, position, field);
    EXPECT_EQ(data, (std::array<std::uint8_t, 4>{0x00, 0x00, 0xB2, 0x42}));  // 89, never 90
    EXPECT_EQ(field, 0.0f);

    std::array<std::uint8_t, 4> stored30 = {0x00, 0x00, 0xF0, 0x41};
    position = 0;
    processAngle(true, stored30, position, field);
    EXPECT_EQ(field, 60.0f);
    EXPECT_EQ(position, 4u);

    std::array<std::uint8_t, 4> stored90 = {0x00, 0x00, 0xB4, 0x42};
    position = 0;
    processAngle(true, stored90, position, field);
    EXPECT_EQ(field, 0.0f);
}

TEST(Transfers, AngleArithmeticIsSinglePrecision) {
    // 90 - 33.3 in single precision is 56.7f exactly as the game keeps it: CD CC 62 42.
    std::array<std::uint8_t, 4> data{};
    std::size_t position = 0;
    float field = 33.3f;
    processAngle(false, data, position, field);
    EXPECT_EQ(data, (std::array<std::uint8_t, 4>{0xCD, 0xCC, 0x62, 0x42}));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(angleFromStored(56.7f)),
              std::bit_cast<std::uint32_t>(static_cast<float>(90.0f - 56.7f)));
}

}  // namespace
}  // namespace orvendel
