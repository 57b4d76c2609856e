// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "locate/wine_prefix_search.h"
#include "platform/result.h"

namespace orvendel {

class RegistryApi;

// Where the game's installer records its install folder.
inline constexpr const char* kGameLocationSource = "HKLM";
inline constexpr const char* kGameLocationKey = "Software\\BioWare\\NWN\\Neverwinter";
inline constexpr const char* kGameLocationValue = "Location";
inline constexpr const char* kExecutableName = "NWMAIN.EXE";

// Returns the install folder that the registry behind `api` records, or the empty text when
// there is none (the status of the lookup does not matter, only whether a text was read).
std::string gameInstallFolder(RegistryApi& api);

// Returns `folder` followed by "\NWMAIN.EXE", or the empty text for an empty folder. The text
// is only appended to: a folder ending in '\' gives a doubled backslash.
std::string executablePathFromFolder(const std::string& folder);

// Looks for the game executable in the Wine prefix at `prefixDirectory`: its registry's install
// folder with "\NWMAIN.EXE", through the prefix's drives, each component matched on disk
// without regard to case. Gives the host path, or a failure naming the prefix, registry entry
// or folder that is missing.
Result<std::string> searchGameExecutableInPrefix(const std::filesystem::path& prefixDirectory);

// One copy of the game found: its executable, and the prefix that led to it with the launcher
// or setting that named the prefix ("Lutris"; on Windows "registry" and no prefix).
struct FoundGame {
    std::string executablePath;
    std::string source;
    std::filesystem::path prefix;
};

// The outcome of looking for every copy of the game.
struct GameSearch {
    std::vector<FoundGame> games;      // in the order the places were searched
    std::vector<FileStatus> failures;  // why each prefix with a registry gave no game
    std::string places;                // where the search looked, in a few words
};

// Looks for the game in each of `prefixes` in turn (searchGameExecutableInPrefix) and keeps
// those whose executable passes isGameExecutablePath.
GameSearch searchGameInPrefixes(const std::vector<PrefixCandidate>& prefixes);

// Looks for the game where this platform keeps it: on Windows the registry's install folder
// with "\NWMAIN.EXE" (whether or not the file is there); elsewhere searchGameInPrefixes over
// the Wine prefixes of the user ($WINEPREFIX, $HOME; see winePrefixCandidates).
GameSearch searchGameExecutables();

// Returns whether `path`, taken literally, names an existing ordinary file called NWMAIN.EXE
// in any case (see isOrdinaryFile: folders, hidden and system files and wildcards refused).
bool isGameExecutablePath(const std::string& path);

}  // namespace orvendel
