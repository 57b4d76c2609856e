// SPDX-License-Identifier: MIT
#include <windows.h>

#include "locate/ordinary_file.h"
#include "locate/text_encoding.h"

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

std::string fileIdentity(const std::string& path) {
    const HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "name " + asciiLower(path);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known) {
        return "name " + asciiLower(path);
    }
    return "file " + std::to_string(info.dwVolumeSerialNumber) + ':' +
           std::to_string(info.nFileIndexHigh) + ':' + std::to_string(info.nFileIndexLow);
}

std::string fileNameOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace orvendel
