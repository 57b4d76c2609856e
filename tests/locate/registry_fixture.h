#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "locate/registry_api.h"

namespace orvendel {

// A registry that tests can write values into and then read through one RegistryApi
// implementation. Values are given as the ANSI calls would deliver them: a text's bytes in
// UTF-8 with their NUL, other values' raw bytes.
class RegistryFixture {
public:
    virtual ~RegistryFixture() = default;

    // The subkey below which tests write, unique to this fixture.
    virtual std::string root() const = 0;

    // Stores value `name` of type `type` (1 text, 3 binary, 4 number, 11 64-bit number...)
    // with `bytes` under `hive`\root()\`key`. Returns false when the registry refuses the
    // write (a hive that this user may not write).
    virtual bool setValue(std::uint32_t hive, const std::string& key, const std::string& name,
                          std::uint32_t type, const std::string& bytes) = 0;

    // Stores a value as a 32-bit installer on 64-bit Windows does: under
    // HKEY_LOCAL_MACHINE\Software\Wow6432Node, with root() taken below Software.
    virtual bool setValueIn32BitView(const std::string& key, const std::string& name,
                                     std::uint32_t type, const std::string& bytes) = 0;

    // Creates `hive`\root()\`key` without values.
    virtual bool createKey(std::uint32_t hive, const std::string& key) = 0;

    // The functions under test; valid until the next setValue or createKey.
    virtual RegistryApi& api() = 0;

    // Folder for profile files of this test.
    virtual std::filesystem::path folder() const = 0;
};

// A fixture on a Wine prefix made of files in a temporary folder.
std::unique_ptr<RegistryFixture> makeWinePrefixFixture();

// Whether this platform has a registry of its own (Windows builds).
bool hasNativeRegistry();

// A fixture on this process's own registry (Windows builds only; null elsewhere).
std::unique_ptr<RegistryFixture> makeNativeRegistryFixture();

}  // namespace orvendel
