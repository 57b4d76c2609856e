// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "locate/launcher_config.h"
#include "locate/wine_prefix_search.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

struct SearchContext {
    const fs::path& home;
    const fs::path& winePrefix;
};

using Folders = std::vector<fs::path>;

// The entries of `directory` that `keep` accepts, sorted by name; none when it cannot be read.
template <typename Keep>
Folders entriesOf(const fs::path& directory, Keep keep) {
    Folders found;
    std::error_code error;
    fs::directory_iterator entries(directory, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        if (keep(*entries)) {
            found.push_back(entries->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

Folders subfolders(const fs::path& directory) {
    return entriesOf(directory, [](const fs::directory_entry& entry) {
        std::error_code error;
        return entry.is_directory(error);
    });
}

Folders filesEndingIn(const fs::path& directory, const char* extension) {
    return entriesOf(directory, [extension](const fs::directory_entry& entry) {
        return entry.path().extension() == extension;
    });
}

// A launcher's path text as a host path: "~" stands for the home folder; relative paths are
// refused.
std::optional<fs::path> hostFolder(const std::string& text, const fs::path& home) {
    if (text == "~") {
        return home;
    }
    if (text.starts_with("~/")) {
        return home / text.substr(2);
    }
    if (text.starts_with('/')) {
        return fs::path(text);
    }
    return std::nullopt;
}

void addAll(Folders& out, const Folders& more) {
    out.insert(out.end(), more.begin(), more.end());
}

Folders lutrisPrefixes(const SearchContext& where) {
    Folders found;
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        for (const fs::path& file : filesEndingIn(where.home / games, ".yml")) {
            const auto text = readConfigFile(file);
            const auto prefix = text ? lutrisGamePrefix(*text) : std::nullopt;
            if (const auto folder = prefix ? hostFolder(*prefix, where.home) : std::nullopt) {
                found.push_back(*folder);
            }
        }
    }
    addAll(found, subfolders(where.home / "Games"));
    return found;
}

Folders bottlesPrefixes(const SearchContext& where) {
    Folders found = subfolders(where.home / ".local/share/bottles/bottles");
    addAll(found, subfolders(where.home / ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    return found;
}

Folders steamPrefixes(const SearchContext& where) {
    Folders found;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        Folders libraries{where.home / root};
        if (const auto text = readConfigFile(where.home / root / "steamapps/libraryfolders.vdf")) {
            for (const std::string& path : steamLibraryPaths(*text)) {
                if (const auto folder = hostFolder(path, where.home)) {
                    libraries.push_back(*folder);
                }
            }
        }
        for (const fs::path& library : libraries) {
            for (const fs::path& game : subfolders(library / "steamapps/compatdata")) {
                found.push_back(game / "pfx");
            }
        }
    }
    return found;
}

Folders heroicPrefixes(const SearchContext& where) {
    Folders found;
    for (const fs::path& file : filesEndingIn(where.home / ".config/heroic/GamesConfig", ".json")) {
        if (const auto text = readConfigFile(file)) {
            for (const std::string& prefix : heroicWinePrefixes(*text)) {
                if (const auto folder = hostFolder(prefix, where.home)) {
                    found.push_back(*folder);
                }
            }
        }
    }
    // Newer Heroic versions keep the prefixes one level deeper, under Prefixes/default.
    for (const fs::path& folder : subfolders(where.home / "Games/Heroic/Prefixes")) {
        found.push_back(folder);
        addAll(found, subfolders(folder));
    }
    return found;
}

struct PrefixSource {
    const char* name;
    Folders (*list)(const SearchContext&);
};

constexpr std::array kPrefixSources = {
    PrefixSource{"WINEPREFIX",
                 [](const SearchContext& where) {
                     return where.winePrefix.empty() ? Folders{} : Folders{where.winePrefix};
                 }},
    // The other sources lie in the home folder; without one only $WINEPREFIX is searched.
    PrefixSource{"Wine", [](const SearchContext& where) { return Folders{where.home / ".wine"}; }},
    PrefixSource{"Lutris", lutrisPrefixes},
    PrefixSource{"Bottles", bottlesPrefixes},
    PrefixSource{"Steam", steamPrefixes},
    PrefixSource{"Heroic", heroicPrefixes},
    PrefixSource{"PlayOnLinux",
                 [](const SearchContext& where) {
                     return subfolders(where.home / ".PlayOnLinux/wineprefix");
                 }},
    PrefixSource{"CrossOver",
                 [](const SearchContext& where) { return subfolders(where.home / ".cxoffice"); }},
};

}  // namespace

std::vector<PrefixCandidate> winePrefixCandidates(const fs::path& home,
                                                  const fs::path& winePrefix) {
    const SearchContext where{home, winePrefix};
    std::vector<PrefixCandidate> candidates;
    std::set<std::pair<dev_t, ino_t>> seen;
    for (const PrefixSource& source : kPrefixSources) {
        if (home.empty() && &source != &kPrefixSources.front()) {
            break;
        }
        for (const fs::path& folder : source.list(where)) {
            struct stat folderInfo {};
            struct stat registryInfo {};
            if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode) ||
                ::stat((folder / "system.reg").c_str(), &registryInfo) != 0 ||
                !S_ISREG(registryInfo.st_mode) ||
                !seen.emplace(folderInfo.st_dev, folderInfo.st_ino).second) {
                continue;
            }
            candidates.push_back({folder, source.name});
        }
    }
    return candidates;
}

std::optional<std::string> readConfigFile(const fs::path& file) {
    // Checked before opening so that no device is ever opened, and again on the open file in
    // case it was swapped meanwhile; O_NONBLOCK keeps a FIFO from waiting for a writer.
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        std::string bytes;
        char chunk[65536];
        ssize_t got = 0;
        while (bytes.size() <= kMaxConfigFileSize && (got = ::read(fd, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, static_cast<std::size_t>(got));
        }
        if (got == 0 && bytes.size() <= kMaxConfigFileSize) {
            text = std::move(bytes);
        }
    }
    ::close(fd);
    return text;
}

}  // namespace orvendel
