// SPDX-License-Identifier: MIT
// The file half of settings files: loading with its checks, and crash-safe saving.
#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>
#include <system_error>

#include "platform/file_buffer.h"
#include "platform/files.h"
#include "settingsfile/settings_file.h"
#include "settingsfile/settings_file_layout.h"
#include "settingsfile/settings_number.h"

namespace orvendel {

namespace fs = std::filesystem;

namespace {

FileStatus loadError(const fs::path& path, std::string_view why) {
    return FileStatus::failure(fileMessage("Cannot load", path, why));
}

}  // namespace

Result<SettingsFormat> loadSettingsFile(const fs::path& path, CameraSettings& settings,
                                        std::int16_t revision) {
    // Look before opening: a FIFO would block an open, a huge file is not worth reading.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) {
        return loadError(path, ec.message());
    }
    if (!fs::is_regular_file(status)) {
        return loadError(path, fs::is_directory(status) ? "it is a folder, not a settings file"
                                                        : "it is not a regular file");
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        return loadError(path, ec.message());
    }
    const std::string tooLarge = "it is too large for a settings file (over " +
                                 std::to_string(kMaxSettingsFileSize) + " bytes)";
    if (size > kMaxSettingsFileSize) {
        return loadError(path, tooLarge);
    }

    FileBuffer bytes;
    if (FileStatus read = readWholeFile(path, bytes); !read) {
        return read;
    }
    if (bytes.size() > kMaxSettingsFileSize) {
        return loadError(path, tooLarge);  // it grew after it was measured
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Result<SettingsFormat> result = parseSettings(text, settings, revision);
    if (!result) {
        return loadError(path, result.message());
    }
    return result;
}

FileStatus saveSettingsFile(const fs::path& path, const CameraSettings& settings) {
    for (const Field field : kSettingsFileOrder) {
        const float value = fieldValue(settings, field);
        if (!std::isfinite(value)) {
            return FileStatus::failure(fileMessage("Cannot save", path,
                                                   std::string(fieldName(field)) + " is " +
                                                       formatSettingsNumber(value) +
                                                       ", which a settings file cannot hold"));
        }
    }
    const std::string text = formatSettings(settings);
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace orvendel
