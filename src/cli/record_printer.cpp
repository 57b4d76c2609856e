// SPDX-License-Identifier: MIT
#include "cli/record_printer.h"

#include <cmath>
#include <iomanip>

#include "settingsfile/settings_number.h"

namespace orvendel::cli {

namespace {

std::string_view revisionMeaning(std::int16_t revision) {
    switch (revision) {
        case 0:
            return "revision 0";
        case 1:
            return "revision 1";
        case kRevisionUnknown:
            return "not recognised";
        default:
            return "unknown revision";
    }
}

}  // namespace

void printRecordTable(std::ostream& out, const CameraSettings& settings, std::int16_t revision) {
    out << "Executable revision: " << revision << " (" << revisionMeaning(revision) << ")\n";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        out << "  " << std::left << std::setw(12) << fieldName(field) << ' '
            << shortestFloatText(fieldValue(settings, field)) << '\n';
    }
}

void printRecordJson(std::ostream& out, const CameraSettings& settings, std::int16_t revision) {
    out << "{\"revision\": " << revision << ", \"settings\": {";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const float value = fieldValue(settings, field);
        out << (i == 0 ? "" : ", ") << '"' << fieldName(field) << "\": ";
        if (std::isfinite(value)) {
            out << shortestFloatText(value);
        } else {
            out << '"' << shortestFloatText(value) << '"';
        }
    }
    out << "}}\n";
}

}  // namespace orvendel::cli
