// SPDX-License-Identifier: MIT
#include "locate/win32_registry_api.h"

#include <windows.h>

#include <vector>

namespace orvendel {
namespace {

HKEY toHandle(std::uintptr_t key) {
    return reinterpret_cast<HKEY>(key);
}

// Returns the full path of a profile file, so that kernel32 reads the file that was tested
// rather than one of the same name in the Windows folder.
std::string fullPath(const std::string& file) {
    const DWORD needed = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return file;
    }
    std::vector<char> buffer(needed + 1);
    const DWORD length = GetFullPathNameA(file.c_str(), needed + 1, buffer.data(), nullptr);
    return length == 0 || length > needed ? file : std::string(buffer.data(), length);
}

}  // namespace

std::int32_t Win32RegistryApi::openKey(std::uint32_t hive, const std::string& subkey, Key& key) {
    const HKEY root =
        reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(static_cast<std::int32_t>(hive)));
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND && sizeof(void*) == 8) {
        status = RegOpenKeyExA(root, subkey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened);
    }
    if (status == ERROR_SUCCESS) {
        key = reinterpret_cast<Key>(opened);
    }
    return static_cast<std::int32_t>(status);
}

std::int32_t Win32RegistryApi::queryValue(Key key, const std::string& name, char* buffer,
                                          std::uint32_t& size) {
    // A zero-length buffer is still a buffer: with a null one Windows would report the size
    // with success instead of ERROR_MORE_DATA.
    BYTE empty = 0;
    BYTE* data = buffer != nullptr ? reinterpret_cast<BYTE*>(buffer) : &empty;
    DWORD count = size;
    const LONG status =
        RegQueryValueExA(toHandle(key), name.c_str(), nullptr, nullptr, data, &count);
    size = count;
    return static_cast<std::int32_t>(status);
}

std::int32_t Win32RegistryApi::listSubkeys(std::uint32_t hive, const std::string& subkey,
                                           std::vector<std::string>& names) {
    names.clear();
    const HKEY root =
        reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(static_cast<std::int32_t>(hive)));
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &opened);
    if (status == ERROR_FILE_NOT_FOUND && sizeof(void*) == 8) {
        status = RegOpenKeyExA(root, subkey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_32KEY,
                               &opened);
    }
    if (status != ERROR_SUCCESS) {
        return static_cast<std::int32_t>(status);
    }
    // A key name has at most 255 characters; in the ANSI code page a character may take two
    // bytes.
    char name[512];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        status = RegEnumKeyExA(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(opened);
    if (status != ERROR_NO_MORE_ITEMS) {
        names.clear();
        return static_cast<std::int32_t>(status);
    }
    return kStatusSuccess;
}

std::int32_t Win32RegistryApi::closeKey(Key key) {
    return static_cast<std::int32_t>(RegCloseKey(toHandle(key)));
}

std::uint32_t Win32RegistryApi::profileString(const std::string& section, const std::string& name,
                                              const std::string& defaultText, char* buffer,
                                              std::uint32_t size, const std::string& file) {
    return GetPrivateProfileStringA(section.c_str(), name.c_str(), defaultText.c_str(), buffer,
                                    size, fullPath(file).c_str());
}

std::uint32_t Win32RegistryApi::profileInt(const std::string& section, const std::string& name,
                                           std::int32_t defaultValue, const std::string& file) {
    return GetPrivateProfileIntA(section.c_str(), name.c_str(), defaultValue,
                                 fullPath(file).c_str());
}

}  // namespace orvendel
