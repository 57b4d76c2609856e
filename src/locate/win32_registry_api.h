// SPDX-License-Identifier: MIT
#pragma once

#include "locate/registry_api.h"

namespace orvendel {

// The registry and profile-file functions of Windows, in their ANSI forms: RegOpenKeyExA,
// RegQueryValueExA, RegEnumKeyExA, RegCloseKey (advapi32), GetPrivateProfileStringA and
// GetPrivateProfileIntA (kernel32). A 64-bit build that does not find a key in its own view of the
// registry also opens it in the 32-bit view, where 32-bit installers write, so that it finds what a
// 32-bit build finds. A relative profile file name is taken from the current folder, where the file
// test looked, not from the Windows folder.
class Win32RegistryApi : public RegistryApi {
public:
    std::int32_t openKey(std::uint32_t hive, const std::string& subkey, Key& key) override;
    std::int32_t queryValue(Key key, const std::string& name, char* buffer,
                            std::uint32_t& size) override;
    std::int32_t listSubkeys(std::uint32_t hive, const std::string& subkey,
                             std::vector<std::string>& names) override;
    std::int32_t closeKey(Key key) override;
    std::uint32_t profileString(const std::string& section, const std::string& name,
                                const std::string& defaultText, char* buffer, std::uint32_t size,
                                const std::string& file) override;
    std::uint32_t profileInt(const std::string& section, const std::string& name,
                             std::int32_t defaultValue, const std::string& file) override;
};

}  // namespace orvendel
