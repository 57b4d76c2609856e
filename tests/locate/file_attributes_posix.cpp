#include "file_attributes.h"

namespace orvendel {

bool markHidden(const std::filesystem::path&) {
    return false;
}
bool markSystem(const std::filesystem::path&) {
    return false;
}

}  // namespace orvendel
