// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "locate/config_file.h"

namespace orvendel {

// A folder holding a Wine prefix's system.reg, with the launcher or setting that named it.
struct PrefixCandidate {
    std::filesystem::path directory;
    std::string source;  // "WINEPREFIX", "Wine", "Lutris", "Bottles", "Steam", "Heroic", ...
};

// A place where a launcher keeps the game or its Wine prefix, with the launcher or setting
// that named it.
struct GamePlace {
    enum class Kind {
        Prefix,      // a Wine prefix: a folder holding a system.reg
        Executable,  // the game's executable, as a launcher's file names it
        Folder,      // a game's folder, with the executable up to two levels down
    };
    Kind kind;
    std::filesystem::path path;
    std::string source;
};

// The places gamePlaces looks in, in a few words.
inline constexpr const char* kWinePrefixPlaces =
    "$WINEPREFIX, ~/.wine and the Wine prefixes and game folders of Lutris, Bottles, Steam "
    "(Proton), Heroic, PlayOnLinux and CrossOver";

// Gathers the places where a player of `home` is likely to have the game, by launcher in this
// order: `winePrefix` (when not empty), ~/.wine, Lutris (each game file's `exe:`, then its
// `prefix:`), Bottles, Steam (per library its steamapps/common game folders, then its Proton
// prefixes), Heroic (prefixes, then its GOG games' folders), PlayOnLinux, CrossOver; Flatpak
// and snap installs of the launchers included (with an empty `home`, `winePrefix` alone).
// Prefixes count only when they hold a system.reg, each once (by identity on disk, so a link to
// a prefix already listed is left out). A library, prefix or folder that launchers' files name
// several times is looked at once, where it was first named: paths are compared by their
// elements (after "~" is expanded), so doubled separators, "." elements and a trailing
// separator make no new folder. Launcher files that cannot be read or make no sense are passed
// over. When `foldersLookedAt` is given it receives how many folders were listed or checked for
// a system.reg. POSIX only.
std::vector<GamePlace> gamePlaces(const std::filesystem::path& home,
                                  const std::filesystem::path& winePrefix,
                                  std::size_t* foldersLookedAt = nullptr);

// The prefixes among gamePlaces, in the same order. POSIX only.
std::vector<PrefixCandidate> winePrefixCandidates(const std::filesystem::path& home,
                                                  const std::filesystem::path& winePrefix,
                                                  std::size_t* foldersLookedAt = nullptr);

}  // namespace orvendel
