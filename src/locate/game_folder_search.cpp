// SPDX-License-Identifier: MIT
#include "locate/game_folder_search.h"

#include "locate/folder_listing.h"
#include "locate/text_encoding.h"

namespace orvendel {
namespace {

class Search {
public:
    // Lists `folder` and goes `levels` folder levels further down.
    void below(const std::string& folder, int levels) {
        for (const FolderEntry& entry : list(folder)) {
            if (entry.kind == FolderEntry::Kind::Folder && levels > 0) {
                below(joinPath(folder, entry.name), levels - 1);
            } else {
                take(folder, entry);
            }
        }
    }

    void onDrive(const std::string& root) {
        for (const FolderEntry& entry : list(root)) {
            const std::string name = asciiLower(entry.name);
            if (entry.kind != FolderEntry::Kind::Folder) {
                take(root, entry);
            } else if (name != "windows") {
                const bool games =
                    name.starts_with("program files") || name == "gog games" || name == "games";
                below(joinPath(root, entry.name), games ? 2 : 1);
            }
        }
    }

    std::vector<std::string> found;
    std::size_t listed = 0;

private:
    std::vector<FolderEntry> list(const std::string& folder) {
        if (listed == kMaxSearchFolders) {
            return {};
        }
        ++listed;
        return listFolder(folder).value_or(std::vector<FolderEntry>{});
    }

    void take(const std::string& folder, const FolderEntry& entry) {
        if (entry.kind == FolderEntry::Kind::File &&
            equalsIgnoringAsciiCase(entry.name, "nwmain.exe")) {
            found.push_back(joinPath(folder, entry.name));
        }
    }
};

std::vector<std::string> finish(Search& search, std::size_t* foldersListed) {
    if (foldersListed != nullptr) {
        *foldersListed = search.listed;
    }
    return std::move(search.found);
}

}  // namespace

std::vector<std::string> findGameBelow(const std::string& folder, int levels,
                                       std::size_t* foldersListed) {
    Search search;
    search.below(folder, levels);
    return finish(search, foldersListed);
}

std::vector<std::string> findGameOnDrive(const std::string& root, std::size_t* foldersListed) {
    Search search;
    search.onDrive(root);
    return finish(search, foldersListed);
}

std::vector<std::string> steamGameFolders(const std::string& library) {
    const std::string common = joinPath(joinPath(library, "steamapps"), "common");
    std::vector<std::string> folders;
    for (const FolderEntry& entry : listFolder(common).value_or(std::vector<FolderEntry>{})) {
        if (entry.kind == FolderEntry::Kind::Folder &&
            asciiLower(entry.name).find("neverwinter") != std::string::npos) {
            folders.push_back(joinPath(common, entry.name));
        }
    }
    return folders;
}

}  // namespace orvendel
