// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "locate/registry_api.h"

namespace orvendel {

// Returns this platform's registry functions: advapi32 and kernel32 on Windows, elsewhere the
// files of the Wine prefix that Wine would use ($WINEPREFIX, else ~/.wine; with neither set,
// a prefix without files, so that every key is missing).
std::unique_ptr<RegistryApi> makePlatformRegistryApi();

}  // namespace orvendel
