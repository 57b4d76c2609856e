// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvendel {

// Readers for the few entries of game launchers' configuration files that name Wine prefixes.
// Each reads only what it needs, line by line or token by token; anything it cannot make sense
// of yields nothing rather than a guess.

// Returns the `prefix:` entry of the top-level `game:` section of a Lutris game file (YAML),
// unquoted ('...' and "..." forms); nothing when the section or entry is missing or empty.
std::optional<std::string> lutrisGamePrefix(std::string_view yaml);

// Returns every "path" value of a Steam libraryfolders.vdf, in file order, unescaped.
std::vector<std::string> steamLibraryPaths(std::string_view vdf);

// Returns every "winePrefix" text value of a Heroic game configuration (JSON), in file order,
// unescaped; values that are not terminated texts are left out.
std::vector<std::string> heroicWinePrefixes(std::string_view json);

}  // namespace orvendel
