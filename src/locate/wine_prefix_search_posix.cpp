// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "locate/launcher_config.h"
#include "locate/wine_prefix_search.h"

namespace orvendel {
namespace {

namespace fs = std::filesystem;

struct SearchContext {
    const fs::path& home;
    const fs::path& winePrefix;
    std::size_t& foldersLookedAt;
};

using Folders = std::vector<fs::path>;

// Folders in the order they were first named, each once. Two paths name the same folder when
// their elements are the same, leaving out empty and "." elements: "/a//b/./c/" is "/a/b/c".
class FolderList {
public:
    // Appends `folder` unless it is listed already; returns whether it was appended.
    bool add(const fs::path& folder) {
        if (!keys_.insert(keyOf(folder.native())).second) {
            return false;
        }
        folders_.push_back(folder);
        return true;
    }
    const Folders& folders() const { return folders_; }

private:
    // The path's elements joined by single separators, after a leading one for an absolute path.
    static std::string keyOf(std::string_view path) {
        std::string key(path.starts_with('/') ? "/" : "");
        while (!path.empty()) {
            const std::string_view element = path.substr(0, path.find('/'));
            path.remove_prefix(std::min(path.size(), element.size() + 1));
            if (!element.empty() && element != ".") {
                key.append(key.empty() || key.back() == '/' ? "" : "/").append(element);
            }
        }
        return key;
    }

    Folders folders_;
    std::unordered_set<std::string> keys_;
};

// The entries of `directory` that `keep` accepts, sorted by name; none when it cannot be read.
template <typename Keep>
Folders entriesOf(const SearchContext& where, const fs::path& directory, Keep keep) {
    ++where.foldersLookedAt;
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

Folders subfolders(const SearchContext& where, const fs::path& directory) {
    return entriesOf(where, directory, [](const fs::directory_entry& entry) {
        std::error_code error;
        return entry.is_directory(error);
    });
}

Folders filesEndingIn(const SearchContext& where, const fs::path& directory,
                      const char* extension) {
    return entriesOf(where, directory, [extension](const fs::directory_entry& entry) {
        return entry.path().extension() == extension;
    });
}

// A launcher's path text as a host path: "~" stands for the home folder; relative paths are
// refused.
std::optional<fs::path> hostFolder(const std::string& text, const fs::path& home) {
    if (text == "~" || text.starts_with("~/")) {
        // What follows "~" lies in the home folder however many separators come first.
        const auto rest = text.find_first_not_of('/', 1);
        return rest == std::string::npos ? home : home / text.substr(rest);
    }
    if (text.starts_with('/')) {
        return fs::path(text);
    }
    return std::nullopt;
}

void addAll(Folders& out, const Folders& more) {
    out.insert(out.end(), more.begin(), more.end());
}

// The different folders that one launcher file names in `texts`, in file order, at most
// kMaxConfigFileFolders of them.
Folders foldersNamedIn(const std::vector<std::string>& texts, const fs::path& home) {
    FolderList named;
    std::unordered_set<std::string_view> read;  // a text repeated letter for letter costs little
    for (const std::string& text : texts) {
        if (named.folders().size() == kMaxConfigFileFolders) {
            break;
        }
        if (const auto folder = read.insert(text).second ? hostFolder(text, home) : std::nullopt) {
            named.add(*folder);
        }
    }
    return named.folders();
}

Folders lutrisPrefixes(const SearchContext& where) {
    FolderList named;  // one prefix may serve several games
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        for (const fs::path& file : filesEndingIn(where, where.home / games, ".yml")) {
            const auto text = readConfigFile(file);
            const auto prefix = text ? lutrisGamePrefix(*text) : std::nullopt;
            if (const auto folder = prefix ? hostFolder(*prefix, where.home) : std::nullopt) {
                named.add(*folder);
            }
        }
    }
    Folders found = named.folders();
    addAll(found, subfolders(where, where.home / "Games"));
    return found;
}

Folders bottlesPrefixes(const SearchContext& where) {
    Folders found = subfolders(where, where.home / ".local/share/bottles/bottles");
    addAll(found,
           subfolders(where, where.home / ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    return found;
}

Folders steamPrefixes(const SearchContext& where) {
    // Each root's libraryfolders.vdf usually names the same libraries, the roots among them.
    FolderList libraries;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        libraries.add(where.home / root);
        if (const auto text = readConfigFile(where.home / root / "steamapps/libraryfolders.vdf")) {
            for (const fs::path& library : foldersNamedIn(steamLibraryPaths(*text), where.home)) {
                libraries.add(library);
            }
        }
    }
    Folders found;
    for (const fs::path& library : libraries.folders()) {
        for (const fs::path& game : subfolders(where, library / "steamapps/compatdata")) {
            found.push_back(game / "pfx");
        }
    }
    return found;
}

Folders heroicPrefixes(const SearchContext& where) {
    FolderList named;
    for (const fs::path& file :
         filesEndingIn(where, where.home / ".config/heroic/GamesConfig", ".json")) {
        if (const auto text = readConfigFile(file)) {
            for (const fs::path& folder : foldersNamedIn(heroicWinePrefixes(*text), where.home)) {
                named.add(folder);
            }
        }
    }
    Folders found = named.folders();
    // Newer Heroic versions keep the prefixes one level deeper, under Prefixes/default.
    for (const fs::path& folder : subfolders(where, where.home / "Games/Heroic/Prefixes")) {
        found.push_back(folder);
        addAll(found, subfolders(where, folder));
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
                     return subfolders(where, where.home / ".PlayOnLinux/wineprefix");
                 }},
    PrefixSource{
        "CrossOver",
        [](const SearchContext& where) { return subfolders(where, where.home / ".cxoffice"); }},
};

}  // namespace

std::vector<PrefixCandidate> winePrefixCandidates(const fs::path& home, const fs::path& winePrefix,
                                                  std::size_t* foldersLookedAt) {
    std::size_t looked = 0;
    const SearchContext where{home, winePrefix, looked};
    std::vector<PrefixCandidate> candidates;
    std::set<std::pair<dev_t, ino_t>> seen;
    for (const PrefixSource& source : kPrefixSources) {
        if (home.empty() && &source != &kPrefixSources.front()) {
            break;
        }
        for (const fs::path& folder : source.list(where)) {
            ++looked;
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
    if (foldersLookedAt != nullptr) {
        *foldersLookedAt = looked;
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
