// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvendel {

// One entry of a folder, as the folder itself records it: a link is neither a file nor a
// folder, whatever it points to.
struct FolderEntry {
    enum class Kind { File, Folder, Other };
    std::string name;
    Kind kind;
};

// The separator that joinPath puts between a folder and a name: '\' on Windows, '/' elsewhere.
std::string joinPath(const std::string& folder, const std::string& name);

// Lists `folder` (a path in the system's code page), sorted by name, without "." and "..".
// Nothing when it cannot be opened or is itself a link (on Windows any reparse point): the
// folder is opened without following a link at its end.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

}  // namespace orvendel
