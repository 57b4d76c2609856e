// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvendel {

// Configuration files larger than this are not read.
inline constexpr std::uintmax_t kMaxConfigFileSize = std::uintmax_t{1} << 20;

// At most this many different folders (Steam libraries, Heroic prefixes) are taken from one
// launcher file; the rest of the file is passed over, so that a file naming thousands of
// folders costs no more than one naming this many.
inline constexpr std::size_t kMaxConfigFileFolders = 64;

// Returns the text of `file` (a path in the system's code page) when it is an ordinary file of at
// most kMaxConfigFileSize bytes that can be read, else nothing. Never waits on a FIFO or a device.
std::optional<std::string> readConfigFile(const std::string& file);

}  // namespace orvendel
