// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvendel {

// The moves of one 4-byte value between the executable image and a field of the record.
// Values are IEEE single-precision floats stored least significant byte first, whatever the
// host's byte order; angles are stored as 90 minus the angle. `position` is a 0-based index
// into `data`; every call advances it by 4. Callers guarantee position + 4 <= data.size().

// Reads the float stored at position.
float readSingle(std::span<const std::uint8_t> data, std::size_t& position);

// Stores the float's 4 bytes at position, bit for bit.
void writeSingle(std::span<std::uint8_t> data, std::size_t& position, float value);

// The stored form of an angle: 90 - angle in single precision, with an angle of exactly 0
// taken as 1 (so 0 is stored as 89, never 90).
float storedAngle(float angle);

// The angle for a stored value: 90 - stored in single precision.
float angleFromStored(float stored);

// How a site's 4 bytes relate to its field: a plain float, or an angle stored as 90 - angle.
enum class TransferKind : std::uint8_t { Float, Angle };

// The field's value held at position: the stored float, or for an angle
// angleFromStored(stored float).
float readSiteValue(std::span<const std::uint8_t> data, std::size_t& position, TransferKind kind);

// Stores a field's value at position: the float itself, or for an angle storedAngle(value).
void writeSiteValue(std::span<std::uint8_t> data, std::size_t& position, TransferKind kind,
                    float value);

}  // namespace orvendel
