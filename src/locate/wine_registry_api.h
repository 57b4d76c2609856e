// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "locate/registry_api.h"
#include "locate/wine_registry_file.h"

namespace orvendel {

// The registry and profile-file functions answered from the files of a Wine prefix:
// HKEY_LOCAL_MACHINE from system.reg, HKEY_CURRENT_USER from user.reg, HKEY_USERS from
// userdef.reg (".Default") and user.reg (the user's SID), HKEY_CLASSES_ROOT from
// Software\Classes of system.reg (as Wine does), HKEY_CURRENT_CONFIG from the current
// hardware profile of system.reg; HKEY_DYN_DATA has no keys. In a 64-bit prefix a key of
// HKEY_LOCAL_MACHINE\Software that does not exist is also looked for under Software\Wow6432Node,
// where 32-bit programs write. Texts come as UTF-8. Registry files are read once, when first
// needed.
class WineRegistryApi : public RegistryApi {
public:
    explicit WineRegistryApi(std::filesystem::path prefixDirectory);

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

    // Returns the problems met reading the prefix's registry files so far, each naming the
    // file and the reason (missing, unreadable, too large, not a registry file).
    const std::vector<std::string>& problems() const { return problems_; }

private:
    enum class HiveFile { System, User, UserDefault };
    struct Location {
        HiveFile file;
        std::string path;
    };

    const WineRegistryFile* file(HiveFile which);
    std::vector<Location> candidates(std::uint32_t hive, const std::string& subkey);

    std::filesystem::path prefix_;
    std::map<HiveFile, std::optional<WineRegistryFile>> files_;
    std::map<Key, std::vector<Location>> openKeys_;
    Key nextKey_ = 1;
    std::vector<std::string> problems_;
};

}  // namespace orvendel
