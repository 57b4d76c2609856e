// SPDX-License-Identifier: MIT
#include "registry_fixture.h"

namespace orvendel {

std::unique_ptr<RegistryFixture> makeNativeRegistryFixture() {
    return nullptr;
}

bool markHidden(const std::filesystem::path&) {
    return false;
}

bool markSystem(const std::filesystem::path&) {
    return false;
}

}  // namespace orvendel
