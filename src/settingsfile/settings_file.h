// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "camera/camera_settings.h"
#include "platform/file_status.h"
#include "platform/result.h"

namespace orvendel {

// Returns the text of a settings file for the record: 21 lines ended by CR LF, first
// "Version","G", then each field of kSettingsFileOrder as "Key",number with the number written
// by formatSettingsNumber. Nothing is clamped or checked.
std::string formatSettings(const CameraSettings& settings);

// What a settings file that could be read held. On a failure nothing changed; its message
// names the line and the field (parseSettings) and the file (loadSettingsFile).
enum class SettingsFormat {
    Known,    // all twenty values taken and clamped
    Unknown,  // format tag not "G": no value taken, the record's own values clamped
};

// Shown when the format tag of a file is not "G".
inline constexpr std::string_view kUnknownFormatMessage = "Filename is in an unknown format.";

// Reads settings-file text over the record, all or nothing, field by field as FieldReader
// splits it:
// - text that ends within its first two fields (empty, cut inside the second field) changes
//   nothing and fails;
// - the second field must be exactly "G" (case-sensitive), else the record's existing values
//   are clamped with `revision` and Unknown is returned (also when the first line is
//   empty, since that empty field is then the first and the key "Version" the second);
// - then twenty key/value pairs follow; keys are skipped unread, values are taken in the order
//   of kSettingsFileOrder and must each be a decimal number below the float range's top
//   (parseSettingsNumber);
// - if all twenty are good, they replace the record and clampSettings(record, revision) runs;
// - text that ends early (also inside a field), an empty line among the pairs, which moves
//   every value after it into the wrong field, or a value that is not a number leaves the
//   record untouched and fails with a message naming the line and the field.
// Anything after the twentieth pair is ignored.
Result<SettingsFormat> parseSettings(std::string_view text, CameraSettings& settings,
                                     std::int16_t revision);

// The largest file that loadSettingsFile reads; real settings files are a few hundred bytes.
inline constexpr std::uintmax_t kMaxSettingsFileSize = 64 * 1024;

// Loads a settings file over the record as parseSettings does. Refuses, with a failure naming
// the file and the reason and without opening it, a path that is not a regular file (folder,
// FIFO, device) and a file larger than kMaxSettingsFileSize; a file that cannot be opened or
// read fails with the system's reason. On a failure the record is unchanged and the message
// names the file.
Result<SettingsFormat> loadSettingsFile(const std::filesystem::path& path, CameraSettings& settings,
                                        std::int16_t revision);

// Saves the record as formatSettings writes it, crash-safe (writeFileAtomically): the file is
// always wholly old or wholly new. A record holding NaN or an infinity is refused, since such a
// file could not be loaded again. On failure the message names the file and the reason, and an
// existing file is untouched.
FileStatus saveSettingsFile(const std::filesystem::path& path, const CameraSettings& settings);

}  // namespace orvendel
