// SPDX-License-Identifier: MIT
#pragma once

// What every reliability test uses.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "camera/camera_settings.h"
#include "child_process.h"
#include "patcher/patch_run.h"
#include "platform/files.h"
#include "recording_progress.h"
#include "sample_builder.h"
#include "settingsfile/settings_file.h"
#include "temp_dir.h"

namespace orvendel {

// Settings that differ from the sample's values at several sites, so a writing run changes bytes.
CameraSettings changedValues();

// Names in the folder of `target` that are (or, with `temporary` false, are not) temporary
// files of `target` as the file layer names them (tempFilePrefix plus six characters). Sorted.
std::vector<std::string> filesBeside(const std::filesystem::path& target, bool temporary);

// Temporary files of `target` in its folder.
inline std::vector<std::string> temporaryFilesOf(const std::filesystem::path& target) {
    return filesBeside(target, true);
}

// A regular file's bytes in one read; empty for anything else (never opens a FIFO).
std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path);

// True when `text` contains `part`.
inline bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A writing patch run of changedValues() over `exe`, as after a reading run that found
// revision 0; `progress` receives what the window would show.
RunResult writeChanged(const std::filesystem::path& exe, RecordingProgress& progress);

}  // namespace orvendel
