// SPDX-License-Identifier: MIT
#include "locate/game_location.h"
#include "locate/win32_registry_api.h"

namespace orvendel {

GameSearch searchGameExecutables() {
    const std::string entry = std::string("the registry (HKEY_LOCAL_MACHINE\\") + kGameLocationKey +
                              ", value \"" + kGameLocationValue + "\")";
    Win32RegistryApi api;
    const std::string folder = gameInstallFolder(api);
    if (folder.empty()) {
        return {{}, {FileStatus::failure("no install folder recorded in " + entry)}, entry};
    }
    return {{{executablePathFromFolder(folder), "registry", {}}}, {}, entry};
}

}  // namespace orvendel
