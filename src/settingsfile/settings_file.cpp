// SPDX-License-Identifier: MIT
#include "settingsfile/settings_file.h"

#include <optional>

#include "settingsfile/field_reader.h"
#include "settingsfile/settings_clamps.h"
#include "settingsfile/settings_file_layout.h"
#include "settingsfile/settings_number.h"

namespace orvendel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Quotes field text for a message: printable ASCII as it is, other bytes as \xNN, long texts
// cut short, so that a binary file cannot garble the terminal.
std::string quoteForMessage(std::string_view text) {
    constexpr std::size_t kMaxShown = 40;
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out.push_back(static_cast<char>(c));
        } else {
            out.append("\\x");
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        }
    }
    if (text.size() > kMaxShown) {
        out.append("...");
    }
    out.push_back('"');
    return out;
}

FileStatus error(std::string message) {
    return FileStatus::failure(std::move(message));
}

std::string linePrefix(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

// A quoted field with more than blanks after its closing mark is malformed.
std::optional<FileStatus> textAfterQuote(const TextField& field, std::string_view what) {
    if (field.afterQuote.empty())
        return std::nullopt;
    return error(linePrefix(field.line) + quoteForMessage(field.afterQuote) +
                 " follows the closing quotation mark of " + std::string(what));
}

}  // namespace

std::string formatSettings(const CameraSettings& settings) {
    std::string out;
    out.reserve(512);
    out.append("\"").append(kSettingsVersionKey).append("\",\"").append(kSettingsFormatTag);
    out.append("\"").append(kLineEnd);
    for (const Field field : kSettingsFileOrder) {
        out.append("\"").append(fieldName(field)).append("\",");
        out.append(formatSettingsNumber(fieldValue(settings, field)));
        out.append(kLineEnd);
    }
    return out;
}

Result<SettingsFormat> parseSettings(std::string_view text, CameraSettings& settings,
                                     std::int16_t revision) {
    if (text.empty()) {
        return error("the file is empty");
    }
    FieldReader reader(text);
    const std::optional<TextField> versionKey = reader.next();
    const std::optional<TextField> tag =
        versionKey && !versionKey->cut ? reader.next() : std::nullopt;
    if (!tag || tag->cut) {
        return error("the file ends early, before its format tag");
    }
    if (auto malformed = textAfterQuote(*versionKey, "the first key"))
        return *malformed;
    if (auto malformed = textAfterQuote(*tag, "the format tag"))
        return *malformed;
    if (tag->text != kSettingsFormatTag) {
        clampSettings(settings, revision);
        return SettingsFormat::Unknown;
    }

    CameraSettings loaded = settings;
    std::size_t lastLine = tag->line;
    for (const Field field : kSettingsFileOrder) {
        const std::optional<TextField> key = reader.next();
        const std::optional<TextField> value = key && !key->cut ? reader.next() : std::nullopt;
        if (!value || value->cut) {
            return error("the file ends early after line " + std::to_string(lastLine) +
                         ": no value for " + std::string(fieldName(field)) +
                         (field == kSettingsFileOrder.back() ? "" : " and the fields after it"));
        }
        for (const TextField& part : {*key, *value}) {
            if (part.emptyLine) {
                return error("line " + std::to_string(part.line) +
                             " is empty, so every value after it would land in the wrong field");
            }
        }
        const std::string name(fieldName(field));
        if (auto malformed = textAfterQuote(*key, "the key of " + name))
            return *malformed;
        if (auto malformed = textAfterQuote(*value, "the value of " + name))
            return *malformed;
        lastLine = value->line;
        const SettingsNumber number = parseSettingsNumber(value->text);
        switch (number.status) {
            case SettingsNumber::Status::Ok:
                fieldRef(loaded, field) = number.value;
                break;
            case SettingsNumber::Status::NotANumber:
                return error(linePrefix(value->line) + "the value of " +
                             std::string(fieldName(field)) + ", " + quoteForMessage(value->text) +
                             ", is not a number");
            case SettingsNumber::Status::OutOfRange:
                return error(linePrefix(value->line) + "the value of " +
                             std::string(fieldName(field)) + ", " + quoteForMessage(value->text) +
                             ", is beyond the range of a 4-byte float");
        }
    }
    clampSettings(loaded, revision);
    settings = loaded;
    return SettingsFormat::Known;
}

}  // namespace orvendel
