// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvendel {

// Bounded searches for the game's executable in folders (paths in the system's code page).
// Each lists a fixed number of folder levels, at most kMaxSearchFolders folders in all, and
// never enters a link (see listFolder). Files count when they are called NWMAIN.EXE in any
// case and are no link; they are given in name order, depth first.
inline constexpr std::size_t kMaxSearchFolders = 512;

// Looks in `folder` and up to `levels` folder levels below it. When `foldersListed` is given it
// receives how many folders were listed.
std::vector<std::string> findGameBelow(const std::string& folder, int levels,
                                       std::size_t* foldersListed = nullptr);

// Looks on the root folder of a drive (a Wine prefix's drive_c) where installers put games:
// the root and two levels below it, and three below the folders called "Program Files*",
// "GOG Games" or "Games" in any case. The Windows folder is passed over.
std::vector<std::string> findGameOnDrive(const std::string& root,
                                         std::size_t* foldersListed = nullptr);

// Returns the folders of `library`/steamapps/common whose name contains "neverwinter" in any
// case, where Steam installs the game, in name order.
std::vector<std::string> steamGameFolders(const std::string& library);

}  // namespace orvendel
