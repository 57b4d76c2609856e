// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "camera/camera_settings.h"

namespace orvendel::cli {

// Writes the revision and the twenty fields in record order as a readable two-column table.
void printRecordTable(std::ostream& out, const CameraSettings& settings, std::int16_t revision);

// Writes exactly one JSON object and a line end:
// {"revision": R, "settings": {"CTAngleMin": N, ...}} with the fields in record order, numbers
// as shortestFloatText writes them and the non-finite ones as the strings "nan", "inf", "-inf".
void printRecordJson(std::ostream& out, const CameraSettings& settings, std::int16_t revision);

}  // namespace orvendel::cli
