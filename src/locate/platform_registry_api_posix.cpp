// SPDX-License-Identifier: MIT
#include "locate/platform_registry_api.h"
#include "locate/wine_prefix.h"
#include "locate/wine_registry_api.h"

namespace orvendel {

std::unique_ptr<RegistryApi> makePlatformRegistryApi() {
    return std::make_unique<WineRegistryApi>(
        WinePrefix::defaultDirectory().value_or(std::filesystem::path()));
}

}  // namespace orvendel
