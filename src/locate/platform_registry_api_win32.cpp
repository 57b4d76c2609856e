// SPDX-License-Identifier: MIT
#include "locate/platform_registry_api.h"
#include "locate/win32_registry_api.h"

namespace orvendel {

std::unique_ptr<RegistryApi> makePlatformRegistryApi() {
    return std::make_unique<Win32RegistryApi>();
}

}  // namespace orvendel
