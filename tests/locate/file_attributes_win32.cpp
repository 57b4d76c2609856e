#include <windows.h>

#include "file_attributes.h"

namespace orvendel {

bool markHidden(const std::filesystem::path& file) {
    return SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool markSystem(const std::filesystem::path& file) {
    return SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_SYSTEM) != 0;
}

}  // namespace orvendel
