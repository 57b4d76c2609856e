// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvendel {

// Readers for the few entries of game launchers' files that say where a game lies. Each reads
// the file with a YAML or JSON library and takes only the entries it needs; a file that cannot
// be parsed, or an entry of another type, yields nothing rather than a guess. POSIX only: the
// launchers are those of Linux.

// What a Lutris game file (YAML, as Lutris writes it) says under its top-level `game:` section.
struct LutrisGame {
    std::string prefix;  // `prefix:`, the Wine prefix; empty when missing or no text
    std::string exe;     // `exe:`, the program that Lutris starts; empty when missing or no text
};

// Reads a Lutris game file; nothing when it is no YAML mapping with a `game:` mapping.
std::optional<LutrisGame> lutrisGame(std::string_view yaml);

// Returns the non-empty "winePrefix" texts of a Heroic game configuration (JSON: one object per
// game, keyed by the game's name), in file order.
std::vector<std::string> heroicWinePrefixes(std::string_view json);

// Returns the non-empty "install_path" texts of the games in Heroic's list of installed GOG
// games (gog_store/installed.json: {"installed": [{"install_path": ...}, ...]}), in file order.
std::vector<std::string> heroicGogInstallPaths(std::string_view json);

}  // namespace orvendel
