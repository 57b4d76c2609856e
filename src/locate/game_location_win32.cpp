#include "locate/game_location.h"
#include "locate/win32_registry_api.h"

namespace orvendel {

GameLocationSearch searchGameExecutable() {
    Win32RegistryApi api;
    const std::string folder = gameInstallFolder(api);
    if (folder.empty()) {
        return {{},
                std::string("no install folder recorded in the registry (HKEY_LOCAL_MACHINE\\") +
                    kGameLocationKey + ", value \"" + kGameLocationValue + "\")"};
    }
    return {executablePathFromFolder(folder), {}};
}

}  // namespace orvendel
