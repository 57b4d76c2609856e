// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
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

// At most this many different folders (Steam libraries, Heroic prefixes) are taken from one
// launcher file; the rest of the file is passed over, so that a file naming thousands of
// folders costs no more than one naming this many.
inline constexpr std::size_t kMaxConfigFileFolders = 64;

// Gathers the Wine prefixes that a player of `home` is likely to have, in this order:
// `winePrefix` (when not empty), ~/.wine, Lutris, Bottles, Steam (Proton), Heroic, PlayOnLinux,
// CrossOver (with an empty `home`, `winePrefix` alone). Only folders holding a system.reg count,
// each once (by identity on disk, so a link to a prefix already listed is left out). A library
// or prefix that a launcher's files name several times is looked at once, where it was first
// named: paths are compared by their elements (after "~" is expanded), so doubled separators,
// "." elements and a trailing separator make no new folder. Launcher files that cannot be read
// or make no sense are passed over. When `foldersLookedAt` is given it receives how many
// folders were listed or checked for a system.reg. POSIX only.
std::vector<PrefixCandidate> winePrefixCandidates(const std::filesystem::path& home,
                                                  const std::filesystem::path& winePrefix,
                                                  std::size_t* foldersLookedAt = nullptr);

// Returns the text of `file` when it is an ordinary file of at most kMaxConfigFileSize bytes
// that can be read, else nothing. Never waits on a FIFO or a device. POSIX only.
std::optional<std::string> readConfigFile(const std::filesystem::path& file);

}  // namespace orvendel
