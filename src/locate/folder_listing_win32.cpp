// SPDX-License-Identifier: MIT
#include <windows.h>

#include <algorithm>

#include "locate/folder_listing.h"

namespace orvendel {

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' || folder.back() == '/' ? folder + name
                                                                           : folder + '\\' + name;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return std::nullopt;
    }
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(joinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const DWORD kind = found.dwFileAttributes;
        entries.push_back(
            {name, (kind & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? FolderEntry::Kind::Other
                   : (kind & FILE_ATTRIBUTE_DIRECTORY) != 0   ? FolderEntry::Kind::Folder
                                                              : FolderEntry::Kind::File});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace orvendel
