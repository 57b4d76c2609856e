// SPDX-License-Identifier: MIT
#include <windows.h>

#include "locate/ordinary_file.h"

namespace orvendel {

bool isOrdinaryFile(const std::string& path) {
    if (path.empty() || path.find_first_of("*?<>\"") != std::string::npos ||
        path.find('\0') != std::string::npos) {
        return false;
    }
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    constexpr DWORD kRefused = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    return (found.dwFileAttributes & kRefused) == 0;
}

std::string fileNameOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace orvendel
