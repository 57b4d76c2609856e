// SPDX-License-Identifier: MIT
#include "patcher/transfers.h"

#include <bit>

namespace orvendel {

float readSingle(std::span<const std::uint8_t> data, std::size_t& position) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t{data[position++]} << (8 * i);
    return std::bit_cast<float>(bits);
}

void writeSingle(std::span<std::uint8_t> data, std::size_t& position, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        data[position++] = static_cast<std::uint8_t>(bits >> (8 * i));
}

float storedAngle(float angle) {
    const float a = angle == 0.0f ? 1.0f : angle;
    return static_cast<float>(90.0f - a);
}

float angleFromStored(float stored) {
    return static_cast<float>(90.0f - stored);
}

float readSiteValue(std::span<const std::uint8_t> data, std::size_t& position, TransferKind kind) {
    const float stored = readSingle(data, position);
    return kind == TransferKind::Angle ? angleFromStored(stored) : stored;
}

void writeSiteValue(std::span<std::uint8_t> data, std::size_t& position, TransferKind kind,
                    float value) {
    writeSingle(data, position, kind == TransferKind::Angle ? storedAngle(value) : value);
}

}  // namespace orvendel
