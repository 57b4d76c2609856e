// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvendel {

// A folder holding a Wine prefix's system.reg, with the launcher or setting that named it.
struct PrefixCandidate {
    std::filesystem::path directory;
    std::string source;  // "WINEPREFIX", "Wine", "Lutris", "Bottles", "Steam", "Heroic", ...
};

// The places winePrefixCandidates looks in, in a few words.
inline constexpr const char* kWinePrefixPlaces =
    "$WINEPREFIX, ~/.wine and the Wine prefixes of Lutris, Bottles, Steam (Proton), Heroic, "
    "PlayOnLinux and CrossOver";

// Configuration files larger than this are not read.
inline constexpr std::uintmax_t kMaxConfigFileSize = std::uintmax_t{1} << 20;

// Gathers the Wine prefixes that a player of `home` is likely to have, in this order:
// `winePrefix` (when not empty), ~/.wine, Lutris, Bottles, Steam (Proton), Heroic, PlayOnLinux,
// CrossOver (with an empty `home`, `winePrefix` alone). Only folders holding a system.reg count,
// each once (by identity on disk, so a link to a prefix already listed is left out). Launcher files
// that cannot be read or make no sense are passed over. POSIX only.
std::vector<PrefixCandidate> winePrefixCandidates(const std::filesystem::path& home,
                                                  const std::filesystem::path& winePrefix);

// Returns the text of `file` when it is an ordinary file of at most kMaxConfigFileSize bytes
// that can be read, else nothing. Never waits on a FIFO or a device. POSIX only.
std::optional<std::string> readConfigFile(const std::filesystem::path& file);

}  // namespace orvendel
