// SPDX-License-Identifier: MIT
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "locate/folder_listing.h"

namespace orvendel {
namespace {

FolderEntry::Kind kindOf(int folder, const dirent& entry) {
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN) {
        // Some file systems leave the type out: ask without following a link.
        struct stat info {};
        if (::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return FolderEntry::Kind::Other;
        }
        type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_LNK;
    }
    return type == DT_REG   ? FolderEntry::Kind::File
           : type == DT_DIR ? FolderEntry::Kind::Folder
                            : FolderEntry::Kind::Other;
}

}  // namespace

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    DIR* stream = ::fdopendir(fd);
    if (stream == nullptr) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(stream)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            entries.push_back({name, kindOf(fd, *entry)});
        }
    }
    ::closedir(stream);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace orvendel
