// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvendel {

class RegistryApi;

// Where GOG's client records the games it installed: one key per game with its install folder
// ("path") and its program ("exe"). 64-bit Windows keeps the 32-bit client's keys under
// Wow6432Node.
inline constexpr const char* kGogGameKeys[] = {"Software\\Wow6432Node\\GOG.com\\Games",
                                               "Software\\GOG.com\\Games"};

// Where Steam's client records its install folder: the user's key (value "SteamPath"), else
// the machine's (value "InstallPath").
inline constexpr const char* kSteamKey = "Software\\Valve\\Steam";

// Turns a Windows path that a store recorded into a path on this system (in the system's
// code page), or nothing when it names nothing there.
using HostPathOf = std::function<std::optional<std::string>(const std::string& windowsPath)>;

// One copy of the game that a store's records lead to.
struct StoreCopy {
    std::string executablePath;
    std::string store;  // "GOG" or "Steam"
};

// Returns the copies that the stores' records in `api` lead to, GOG's first: for each GOG
// game its "exe" when that is called NWMAIN.EXE, and NWMAIN.EXE in its "path"; then for each
// Steam library (Steam's install folder, and the libraries its steamapps/libraryfolders.vdf
// lists, at most kMaxConfigFileFolders) the game folders in steamapps/common, searched two
// levels down. Only files that pass isGameExecutablePath count, each path once.
std::vector<StoreCopy> storeCopies(RegistryApi& api, const HostPathOf& hostPath);

}  // namespace orvendel
