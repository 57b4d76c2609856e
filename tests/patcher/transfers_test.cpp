// SPDX-License-Identifier: MIT
#include "patcher/transfers.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>

namespace orvendel {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

// Field value and the four bytes at its site, for both directions of both kinds.
struct Encoding {
    const char* name;
    bool angle;
    float field;
    Bytes stored;
    float readsBack;
};

const Encoding kEncodings[] = {
    {"float 1.5", false, 1.5f, {0x00, 0x00, 0xC0, 0x3F}, 1.5f},
    {"float -1", false, -1.0f, {0x00, 0x00, 0x80, 0xBF}, -1.0f},
    {"angle 60 as 30", true, 60.0f, {0x00, 0x00, 0xF0, 0x41}, 60.0f},
    {"angle 1 as 89", true, 1.0f, {0x00, 0x00, 0xB2, 0x42}, 1.0f},
    {"angle 0 as 89, never 90", true, 0.0f, {0x00, 0x00, 0xB2, 0x42}, 1.0f},
    {"angle 33.3 as 56.7f", true, 33.3f, {0xCD, 0xCC, 0x62, 0x42}, 33.3f},  // single precision
};

TEST(Transfers, EncodingsReadAndWriteBothWaysAndMoveTheCursorFour) {
    for (const Encoding& e : kEncodings) {
        SCOPED_TRACE(e.name);
        std::array<std::uint8_t, 8> data{};
        std::size_t position = 2;
        const TransferKind kind = e.angle ? TransferKind::Angle : TransferKind::Float;
        writeSiteValue(data, position, kind, e.field);
        EXPECT_EQ(position, 6u);
        EXPECT_EQ((Bytes{data[2], data[3], data[4], data[5]}), e.stored);
        EXPECT_EQ(data[1], 0);
        EXPECT_EQ(data[6], 0);

        position = 2;
        const float field = readSiteValue(data, position, kind);
        EXPECT_EQ(position, 6u);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(field), std::bit_cast<std::uint32_t>(e.readsBack));
    }
}

TEST(Transfers, FloatBytesPassUnchangedEvenForNaNNegativeZeroAndDenormals) {
    for (const Bytes bytes : {Bytes{0x01, 0x00, 0xC0, 0x7F}, Bytes{0x00, 0x00, 0x00, 0x80},
                              Bytes{0x01, 0x00, 0x00, 0x00}}) {
        Bytes copy = bytes;
        std::size_t position = 0;
        const float field = readSiteValue(copy, position, TransferKind::Float);
        copy = {};
        position = 0;
        writeSiteValue(copy, position, TransferKind::Float, field);
        EXPECT_EQ(copy, bytes);
    }
}

}  // namespace
}  // namespace orvendel
