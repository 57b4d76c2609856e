// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "locate/registry_api.h"

namespace orvendel {

// A registry that tests write values into and then read through one RegistryApi implementation.
class RegistryFixture {
public:
    virtual ~RegistryFixture() = default;

    // The subkey below which tests write, unique to this fixture.
    virtual std::string root() const = 0;

    // Stores value `name` of `type` with `bytes` (texts as UTF-8 with their NUL) under
    // `hive`\root()\`key`, with `in32BitView` in the 32-bit view; false when refused.
    virtual bool setValue(std::uint32_t hive, const std::string& key, const std::string& name,
                          std::uint32_t type, const std::string& bytes, bool in32BitView) = 0;

    // The functions under test; valid until the next setValue.
    virtual RegistryApi& api() = 0;

    // Folder for profile files of this test.
    virtual std::filesystem::path folder() const = 0;
};

// A fixture on a Wine prefix made of files in a temporary folder.
std::unique_ptr<RegistryFixture> makeWinePrefixFixture();

// A fixture on this process's own registry (Windows builds only; null elsewhere).
std::unique_ptr<RegistryFixture> makeNativeRegistryFixture();

// Give a file the hidden (or system) attribute where the platform has file attributes; return
// false where it has none.
bool markHidden(const std::filesystem::path& file);
bool markSystem(const std::filesystem::path& file);

}  // namespace orvendel
