#include "registry_fixture.h"

namespace orvendel {

std::unique_ptr<RegistryFixture> makeNativeRegistryFixture() {
    return nullptr;
}

}  // namespace orvendel
