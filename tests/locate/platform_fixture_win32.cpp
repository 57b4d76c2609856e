// SPDX-License-Identifier: MIT
#include <windows.h>

#include <random>

#include "locate/win32_registry_api.h"
#include "registry_fixture.h"
#include "temp_dir.h"

namespace orvendel {
namespace {

HKEY rootHandle(std::uint32_t hive) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(static_cast<std::int32_t>(hive)));
}

// Writes values with RegCreateKeyExA and RegSetValueExA below a key unique to the fixture, and
// removes that key again from both views.
class NativeRegistryFixture : public RegistryFixture {
public:
    NativeRegistryFixture()
        : root_("Software\\OrvendelTest" + std::to_string(std::random_device()())) {}

    ~NativeRegistryFixture() override {
        for (const std::uint32_t hive : {kHkeyCurrentUser, kHkeyLocalMachine}) {
            RegDeleteTreeA(rootHandle(hive), root_.c_str());
        }
        HKEY software = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          &software) == ERROR_SUCCESS) {
            RegDeleteTreeA(software, root_.substr(std::string("Software\\").size()).c_str());
            RegCloseKey(software);
        }
    }

    std::string root() const override { return root_; }

    bool setValue(std::uint32_t hive, const std::string& key, const std::string& name,
                  std::uint32_t type, const std::string& bytes, bool in32BitView) override {
        HKEY opened = nullptr;
        const REGSAM access = KEY_ALL_ACCESS | (in32BitView ? KEY_WOW64_32KEY : 0);
        if (RegCreateKeyExA(rootHandle(hive), (root_ + '\\' + key).c_str(), 0, nullptr, 0, access,
                            nullptr, &opened, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const LONG status = RegSetValueExA(opened, name.c_str(), 0, type,
                                           reinterpret_cast<const BYTE*>(bytes.data()),
                                           static_cast<DWORD>(bytes.size()));
        RegCloseKey(opened);
        return status == ERROR_SUCCESS;
    }

    RegistryApi& api() override { return api_; }

    std::filesystem::path folder() const override { return folder_.path(); }

private:
    std::string root_;
    Win32RegistryApi api_;
    TempDir folder_;
};

}  // namespace

std::unique_ptr<RegistryFixture> makeNativeRegistryFixture() {
    return std::make_unique<NativeRegistryFixture>();
}

bool markHidden(const std::filesystem::path& file) {
    return SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool markSystem(const std::filesystem::path& file) {
    return SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_SYSTEM) != 0;
}

}  // namespace orvendel
