// SPDX-License-Identifier: MIT
#include "locate/store_records.h"

#include <set>

#include "locate/config_file.h"
#include "locate/folder_listing.h"
#include "locate/game_folder_search.h"
#include "locate/game_location.h"
#include "locate/ordinary_file.h"
#include "locate/query_value.h"
#include "locate/registry_api.h"
#include "locate/steam_library.h"
#include "locate/text_encoding.h"

namespace orvendel {
namespace {

std::string registryText(RegistryApi& api, const char* hive, const std::string& key,
                         const char* name) {
    RegistryValue value;
    queryValue(api, hive, key, name, "S", std::string(), value);
    const auto* text = std::get_if<std::string>(&value);
    return text != nullptr ? *text : std::string();
}

// The last component of a Windows path ('\' and '/' both separate).
std::string windowsFileName(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::vector<std::string> gogExecutables(RegistryApi& api) {
    std::vector<std::string> paths;
    for (const char* games : kGogGameKeys) {
        std::vector<std::string> ids;
        api.listSubkeys(kHkeyLocalMachine, games, ids);
        for (const std::string& id : ids) {
            const std::string key = std::string(games) + '\\' + id;
            const std::string exe = registryText(api, "HKLM", key, "exe");
            if (equalsIgnoringAsciiCase(windowsFileName(exe), kExecutableName)) {
                paths.push_back(exe);
            }
            const std::string folder = registryText(api, "HKLM", key, "path");
            if (!folder.empty()) {
                paths.push_back(folder + '\\' + kExecutableName);
            }
        }
    }
    return paths;
}

std::vector<std::string> steamLibraries(RegistryApi& api, const HostPathOf& hostPath) {
    std::string root = registryText(api, "HKCU", kSteamKey, "SteamPath");
    if (root.empty()) {
        root = registryText(api, "HKLM", kSteamKey, "InstallPath");
    }
    const auto hostRoot = root.empty() ? std::nullopt : hostPath(root);
    if (!hostRoot) {
        return {};
    }
    std::vector<std::string> libraries{*hostRoot};
    std::set<std::string> hosts{*hostRoot};
    std::set<std::string> read;  // a text repeated letter for letter is mapped once
    const auto vdf =
        readConfigFile(joinPath(joinPath(*hostRoot, "steamapps"), "libraryfolders.vdf"));
    for (const std::string& library : vdf ? steamLibraryPaths(*vdf) : std::vector<std::string>{}) {
        if (libraries.size() > kMaxConfigFileFolders) {
            break;
        }
        const auto host = read.insert(library).second ? hostPath(library) : std::nullopt;
        if (host && hosts.insert(*host).second) {
            libraries.push_back(*host);
        }
    }
    return libraries;
}

}  // namespace

std::vector<StoreCopy> storeCopies(RegistryApi& api, const HostPathOf& hostPath) {
    std::vector<StoreCopy> copies;
    std::set<std::string> taken;
    const auto take = [&](const std::string& path, const char* store) {
        if (isGameExecutablePath(path) && taken.insert(path).second) {
            copies.push_back({path, store});
        }
    };
    for (const std::string& exe : gogExecutables(api)) {
        if (const auto host = hostPath(exe)) {
            take(*host, "GOG");
        }
    }
    for (const std::string& library : steamLibraries(api, hostPath)) {
        for (const std::string& folder : steamGameFolders(library)) {
            for (const std::string& exe : findGameBelow(folder, 2)) {
                take(exe, "Steam");
            }
        }
    }
    return copies;
}

}  // namespace orvendel
