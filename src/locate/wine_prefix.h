// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvendel {

// A Wine prefix on the host: the folder that holds a Windows installation's registry files
// and, under dosdevices/, one link per drive letter ("c:" -> "../drive_c").
class WinePrefix {
public:
    explicit WinePrefix(std::filesystem::path directory) : directory_(std::move(directory)) {}

    // Returns the prefix that Wine itself would use: $WINEPREFIX when set and not empty,
    // otherwise ~/.wine ($HOME), or nothing when neither is known.
    static std::optional<std::filesystem::path> defaultDirectory();

    const std::filesystem::path& directory() const { return directory_; }

    // Turns an absolute Windows path ("C:\NeverwinterNights\NWN\NWMAIN.EXE") into the host
    // path it stands for in this prefix. The drive goes through dosdevices/; every component
    // is matched against the disk without regard to case, as Wine matches it (Unicode simple
    // case folding, see foldCase). '\' and '/' both separate, "." and ".." are resolved, empty
    // components ignored. Every folder on the way must exist;
    // the last component is spelt as on disk when it exists and as written otherwise. Returns
    // nothing for a path without a drive letter or with a missing drive or folder.
    std::optional<std::filesystem::path> hostPath(std::string_view windowsPath) const;

    // Returns `directory`/`name` when an entry of that name exists, else the entry whose name
    // equals `name` without regard to case (foldCase; the first in byte order when several
    // do), or nothing.
    static std::optional<std::filesystem::path> findEntry(const std::filesystem::path& directory,
                                                          const std::string& name);

private:
    std::filesystem::path directory_;
};

}  // namespace orvendel
