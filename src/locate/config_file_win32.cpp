// SPDX-License-Identifier: MIT
#include <windows.h>

#include "locate/config_file.h"

namespace orvendel {

std::optional<std::string> readConfigFile(const std::string& file) {
    const HANDLE handle =
        CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // Only a file on a disk is read: no pipe, console or device.
    std::optional<std::string> text;
    LARGE_INTEGER size{};
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size) &&
        static_cast<std::uintmax_t>(size.QuadPart) <= kMaxConfigFileSize) {
        std::string bytes;
        char chunk[65536];
        DWORD got = 0;
        bool ended = false;
        while (!ended && bytes.size() <= kMaxConfigFileSize &&
               ReadFile(handle, chunk, sizeof chunk, &got, nullptr)) {
            ended = got == 0;
            bytes.append(chunk, got);
        }
        if (ended && bytes.size() <= kMaxConfigFileSize) {
            text = std::move(bytes);
        }
    }
    CloseHandle(handle);
    return text;
}

}  // namespace orvendel
