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

// One copy of the game found: its executable, the prefix that led to it with the launcher or
// setting that named the prefix or the copy ("Lutris"; on Windows "registry", "GOG" or
// "Steam", and no prefix), and the store whose records named the copy ("GOG", "Steam"; empty
// when the game's own registry entry or a search of folders found it).
struct FoundGame {
    std::string executablePath;
    std::string source;
    std::filesystem::path prefix;
    std::string store;
};

// The launcher and store of a copy in a few words, for the player: the source, followed by
// the store in brackets when that is another name ("Lutris (GOG)", "Steam", "Wine").
std::string launcherName(const FoundGame& game);

// The outcome of looking for every copy of the game.
struct GameSearch {
    std::vector<FoundGame> games;      // in the order the places were searched, each copy once
    std::vector<FileStatus> failures;  // why each prefix with a registry gave no game
    std::string places;                // where the search looked, in a few words
};

// Looks for the game in each of `places` in turn and keeps the executables that pass
// isGameExecutablePath, each copy once (by identity on disk, see fileIdentity), where it was
// first found. A prefix is searched through its registry (the game's own entry, then the
// stores' records: storeCopies) and then on its drive C (findGameOnDrive on drive_c); a
// folder two levels down (findGameBelow); an executable is taken when it is called NWMAIN.EXE.
GameSearch searchGameInPlaces(const std::vector<GamePlace>& places);

// The same for prefixes alone.
GameSearch searchGameInPrefixes(const std::vector<PrefixCandidate>& prefixes);

// Looks for the game where this platform keeps it: on Windows the registry's install folder
// with "\NWMAIN.EXE" (whether or not the file is there), then the copies that GOG's and
// Steam's records lead to (storeCopies); elsewhere searchGameInPlaces over the places of the
// user ($WINEPREFIX, $HOME; see gamePlaces).
GameSearch searchGameExecutables();

// Returns whether `path`, taken literally, names an existing ordinary file called NWMAIN.EXE
// in any case (see isOrdinaryFile: folders, hidden and system files and wildcards refused).
bool isGameExecutablePath(const std::string& path);

}  // namespace orvendel
