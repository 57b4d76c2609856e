#pragma once

#include <filesystem>

namespace orvendel {

// Gives a file the hidden (or system) attribute where the platform has file attributes.
// Returns false where it has none.
bool markHidden(const std::filesystem::path& file);
bool markSystem(const std::filesystem::path& file);

}  // namespace orvendel
