#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "camera/camera_settings.h"

namespace orvendel {

// The permission bits of a file (07777).
mode_t modeOf(const std::filesystem::path& path);

// Settings that differ from the sample's own values at several sites and still leave either
// revision recognisable, so that a writing run over a sample succeeds and changes bytes.
CameraSettings changedValues();

// Names in `folder` other than `keep` that are not temporary files of `target` named as the
// file layer names them (tempFilePrefix plus six characters).
std::vector<std::string> strayEntries(const std::filesystem::path& folder,
                                      const std::filesystem::path& target,
                                      const std::vector<std::string>& keep);

// Temporary files of `target` in its folder, named as the file layer names them.
std::vector<std::string> temporaryFilesOf(const std::filesystem::path& target);

// The whole file, read with a few large reads (readFixture goes byte by byte, which is slow
// for 8 MiB in a debug build). Empty when the file cannot be read.
std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path);

// True when `text` contains `part`.
bool mentions(const std::string& text, const std::string& part);

}  // namespace orvendel
