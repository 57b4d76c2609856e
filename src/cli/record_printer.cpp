// SPDX-License-Identifier: MIT
#include "cli/record_printer.h"

#include <charconv>
#include <cmath>
#include <iomanip>

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

std::string shortestFloat(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char text[32];
    const auto converted = std::to_chars(text, text + sizeof text, value);
    return std::string(text, converted.ptr);
}

void printRecordTable(std::ostream& out, const CameraSettings& settings, std::int16_t revision) {
    out << "Executable revision: " << revision << " (" << revisionMeaning(revision) << ")\n";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        out << "  " << std::left << std::setw(12) << fieldName(field) << ' '
            << shortestFloat(fieldValue(settings, field)) << '\n';
    }
}

void printRecordJson(std::ostream& out, const CameraSettings& settings, std::int16_t revision) {
    out << "{\"revision\": " << revision << ", \"settings\": {";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const float value = fieldValue(settings, field);
        out << (i == 0 ? "" : ", ") << '"' << fieldName(field) << "\": ";
        if (std::isfinite(value)) {
            out << shortestFloat(value);
        } else {
            out << '"' << shortestFloat(value) << '"';
        }
    }
    out << "}}\n";
}

}  // namespace orvendel::cli
