// SPDX-License-Identifier: MIT
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "locate/game_folder_search.h"
#include "locate/launcher_config.h"
#include "locate/steam_library.h"
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

using Kind = GamePlace::Kind;
using Places = std::vector<GamePlace>;

// Places of one kind, without their source (filled in by gamePlaces).
Places placesOf(Kind kind, const Folders& paths) {
    Places places;
    for (const fs::path& path : paths) {
        places.push_back({kind, path, {}});
    }
    return places;
}

void addAll(Places& out, const Places& more) {
    out.insert(out.end(), more.begin(), more.end());
}

// The folders in which a launcher installed as a Flatpak, or natively, keeps `relative` (both
// relative to the home folder): the native one first.
std::array<fs::path, 2> nativeAndFlatpak(const SearchContext& where, const char* relative,
                                         const char* flatpakRelative) {
    return {where.home / relative, where.home / flatpakRelative};
}

Places lutrisPlaces(const SearchContext& where) {
    FolderList named;  // one prefix or executable may serve several games
    Places found;
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games",
                              ".var/app/net.lutris.Lutris/config/lutris/games",
                              ".var/app/net.lutris.Lutris/data/lutris/games"}) {
        for (const fs::path& file : filesEndingIn(where, where.home / games, ".yml")) {
            const auto text = readConfigFile(file);
            const auto game = text ? lutrisGame(*text) : std::nullopt;
            if (!game) {
                continue;
            }
            const auto prefix = hostFolder(game->prefix, where.home);
            // Lutris starts an `exe:` that is not absolute from the game's folder, its prefix.
            auto exe = hostFolder(game->exe, where.home);
            if (!exe && prefix && !game->exe.empty()) {
                exe = *prefix / game->exe;
            }
            if (exe && named.add(*exe)) {
                found.push_back({Kind::Executable, *exe, {}});
            }
            if (prefix && named.add(*prefix)) {
                found.push_back({Kind::Prefix, *prefix, {}});
            }
        }
    }
    addAll(found, placesOf(Kind::Prefix, subfolders(where, where.home / "Games")));
    return found;
}

Places bottlesPlaces(const SearchContext& where) {
    Folders found = subfolders(where, where.home / ".local/share/bottles/bottles");
    addAll(found,
           subfolders(where, where.home / ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    return placesOf(Kind::Prefix, found);
}

Places steamPlaces(const SearchContext& where) {
    // Each root's libraryfolders.vdf usually names the same libraries, the roots among them.
    FolderList libraries;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam",
                             "snap/steam/common/.local/share/Steam"}) {
        libraries.add(where.home / root);
        if (const auto text = readConfigFile(where.home / root / "steamapps/libraryfolders.vdf")) {
            for (const fs::path& library : foldersNamedIn(steamLibraryPaths(*text), where.home)) {
                libraries.add(library);
            }
        }
    }
    Places found;
    for (const fs::path& library : libraries.folders()) {
        ++where.foldersLookedAt;
        for (const std::string& game : steamGameFolders(library.native())) {
            found.push_back({Kind::Folder, game, {}});
        }
        for (const fs::path& game : subfolders(where, library / "steamapps/compatdata")) {
            found.push_back({Kind::Prefix, game / "pfx", {}});
        }
    }
    return found;
}

Places heroicPlaces(const SearchContext& where) {
    FolderList prefixes;
    FolderList games;
    for (const fs::path& config : nativeAndFlatpak(
             where, ".config/heroic", ".var/app/com.heroicgameslauncher.hgl/config/heroic")) {
        for (const fs::path& file : filesEndingIn(where, config / "GamesConfig", ".json")) {
            if (const auto text = readConfigFile(file)) {
                for (const fs::path& folder :
                     foldersNamedIn(heroicWinePrefixes(*text), where.home)) {
                    prefixes.add(folder);
                }
            }
        }
        if (const auto text = readConfigFile(config / "gog_store/installed.json")) {
            for (const fs::path& folder :
                 foldersNamedIn(heroicGogInstallPaths(*text), where.home)) {
                games.add(folder);
            }
        }
    }
    Places found = placesOf(Kind::Prefix, prefixes.folders());
    // Newer Heroic versions keep the prefixes one level deeper, under Prefixes/default.
    for (const fs::path& folder : subfolders(where, where.home / "Games/Heroic/Prefixes")) {
        found.push_back({Kind::Prefix, folder, {}});
        addAll(found, placesOf(Kind::Prefix, subfolders(where, folder)));
    }
    addAll(found, placesOf(Kind::Folder, games.folders()));
    return found;
}

struct PlaceSource {
    const char* name;
    Places (*list)(const SearchContext&);
};

constexpr std::array kPlaceSources = {
    PlaceSource{"WINEPREFIX",
                [](const SearchContext& where) {
                    return where.winePrefix.empty() ? Places{}
                                                    : Places{{Kind::Prefix, where.winePrefix, {}}};
                }},
    // The other sources lie in the home folder; without one only $WINEPREFIX is searched.
    PlaceSource{"Wine",
                [](const SearchContext& where) {
                    return Places{{Kind::Prefix, where.home / ".wine", {}}};
                }},
    PlaceSource{"Lutris", lutrisPlaces},
    PlaceSource{"Bottles", bottlesPlaces},
    PlaceSource{"Steam", steamPlaces},
    PlaceSource{"Heroic", heroicPlaces},
    PlaceSource{"PlayOnLinux",
                [](const SearchContext& where) {
                    return placesOf(Kind::Prefix,
                                    subfolders(where, where.home / ".PlayOnLinux/wineprefix"));
                }},
    PlaceSource{"CrossOver",
                [](const SearchContext& where) {
                    return placesOf(Kind::Prefix, subfolders(where, where.home / ".cxoffice"));
                }},
};

// Whether `folder` is a folder holding an ordinary system.reg that is not listed in `seen`
// yet (by identity on disk); lists it there when so.
bool isNewPrefix(const fs::path& folder, std::set<std::pair<dev_t, ino_t>>& seen) {
    struct stat folderInfo {};
    struct stat registryInfo {};
    return ::stat(folder.c_str(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode) &&
           ::stat((folder / "system.reg").c_str(), &registryInfo) == 0 &&
           S_ISREG(registryInfo.st_mode) &&
           seen.emplace(folderInfo.st_dev, folderInfo.st_ino).second;
}

}  // namespace

std::vector<GamePlace> gamePlaces(const fs::path& home, const fs::path& winePrefix,
                                  std::size_t* foldersLookedAt) {
    std::size_t looked = 0;
    const SearchContext where{home, winePrefix, looked};
    std::vector<GamePlace> places;
    std::set<std::pair<dev_t, ino_t>> seen;
    for (const PlaceSource& source : kPlaceSources) {
        if (home.empty() && &source != &kPlaceSources.front()) {
            break;
        }
        for (GamePlace& place : source.list(where)) {
            if (place.kind == Kind::Prefix) {
                ++looked;
                if (!isNewPrefix(place.path, seen)) {
                    continue;
                }
            }
            place.source = source.name;
            places.push_back(std::move(place));
        }
    }
    if (foldersLookedAt != nullptr) {
        *foldersLookedAt = looked;
    }
    return places;
}

std::vector<PrefixCandidate> winePrefixCandidates(const fs::path& home, const fs::path& winePrefix,
                                                  std::size_t* foldersLookedAt) {
    std::vector<PrefixCandidate> candidates;
    for (GamePlace& place : gamePlaces(home, winePrefix, foldersLookedAt)) {
        if (place.kind == Kind::Prefix) {
            candidates.push_back({std::move(place.path), std::move(place.source)});
        }
    }
    return candidates;
}

}  // namespace orvendel
