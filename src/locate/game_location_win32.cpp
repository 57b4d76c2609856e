// SPDX-License-Identifier: MIT
#include <set>

#include "locate/game_location.h"
#include "locate/ordinary_file.h"
#include "locate/store_records.h"
#include "locate/win32_registry_api.h"

namespace orvendel {

GameSearch searchGameExecutables() {
    const std::string entry = std::string("the registry (HKEY_LOCAL_MACHINE\\") + kGameLocationKey +
                              ", value \"" + kGameLocationValue + "\")";
    GameSearch search{{}, {}, entry + " and the records of GOG's and Steam's clients"};
    Win32RegistryApi api;
    std::set<std::string> identities;
    const std::string folder = gameInstallFolder(api);
    if (folder.empty()) {
        search.failures.push_back(FileStatus::failure("no install folder recorded in " + entry));
    } else {
        // The game's own entry is proposed whether or not the file is there.
        const std::string exe = executablePathFromFolder(folder);
        identities.insert(fileIdentity(exe));
        search.games.push_back({exe, "registry", {}, {}});
    }
    const HostPathOf samePath = [](const std::string& path) { return std::optional(path); };
    for (StoreCopy& copy : storeCopies(api, samePath)) {
        if (identities.insert(fileIdentity(copy.executablePath)).second) {
            search.games.push_back({copy.executablePath, copy.store, {}, copy.store});
        }
    }
    return search;
}

}  // namespace orvendel
