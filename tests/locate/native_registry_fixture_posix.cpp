#include "registry_fixture.h"

namespace orvendel {

bool hasNativeRegistry() {
    return false;
}

std::unique_ptr<RegistryFixture> makeNativeRegistryFixture() {
    return nullptr;
}

}  // namespace orvendel
