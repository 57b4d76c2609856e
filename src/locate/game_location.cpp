// SPDX-License-Identifier: MIT
#include "locate/game_location.h"

#include <set>

#include "locate/game_folder_search.h"
#include "locate/ordinary_file.h"
#include "locate/query_value.h"
#include "locate/registry_api.h"
#include "locate/store_records.h"
#include "locate/text_encoding.h"
#include "locate/wine_prefix.h"
#include "locate/wine_registry_api.h"

namespace orvendel {
namespace {

std::string registryEntryName() {
    return std::string("HKEY_LOCAL_MACHINE\\") + kGameLocationKey + ", value \"" +
           kGameLocationValue + "\"";
}

}  // namespace

std::string gameInstallFolder(RegistryApi& api) {
    RegistryValue location;
    queryValue(api, kGameLocationSource, kGameLocationKey, kGameLocationValue, "S", std::string(),
               location);
    const auto* text = std::get_if<std::string>(&location);
    return text != nullptr ? *text : std::string();
}

std::string executablePathFromFolder(const std::string& folder) {
    return folder.empty() ? folder : folder + '\\' + kExecutableName;
}

namespace {

// The game's own registry entry in the prefix whose registry `api` reads, as a host path.
Result<std::string> ownEntryInPrefix(const std::filesystem::path& prefixDirectory,
                                     WineRegistryApi& api) {
    const std::string prefixName = "the Wine prefix " + prefixDirectory.string();
    std::error_code error;
    if (prefixDirectory.empty() || !std::filesystem::is_directory(prefixDirectory, error)) {
        return FileStatus::failure(prefixName + " does not exist");
    }
    const std::string folder = gameInstallFolder(api);
    if (folder.empty()) {
        std::string failure = "no install folder recorded in the registry of " + prefixName + " (" +
                              registryEntryName() + ")";
        for (const std::string& problem : api.problems()) {
            failure += "; " + problem;
        }
        return FileStatus::failure(std::move(failure));
    }
    const auto host = WinePrefix(prefixDirectory).hostPath(executablePathFromFolder(folder));
    if (!host) {
        return FileStatus::failure("the install folder \"" + folder + "\" recorded in " +
                                   prefixName + " is not on disk");
    }
    return host->string();
}

// The copies found so far, each once.
class Finds {
public:
    explicit Finds(GameSearch& search) : search_(search) {}

    // Adds `game` unless its executable is no game or a copy found already. Returns whether it
    // is a game, new or not.
    bool add(FoundGame game) {
        if (!isGameExecutablePath(game.executablePath)) {
            return false;
        }
        if (identities_.insert(fileIdentity(game.executablePath)).second) {
            search_.games.push_back(std::move(game));
        }
        return true;
    }

    void fail(FileStatus failure) { search_.failures.push_back(std::move(failure)); }

private:
    GameSearch& search_;
    std::set<std::string> identities_;
};

void searchPrefix(const GamePlace& place, Finds& finds) {
    WineRegistryApi api(place.path);
    const Result<std::string> own = ownEntryInPrefix(place.path, api);
    bool found = own && finds.add({*own, place.source, place.path, {}});
    const WinePrefix prefix(place.path);
    const HostPathOf hostPath = [&prefix](const std::string& windowsPath) {
        const auto host = prefix.hostPath(windowsPath);
        return host ? std::optional(host->string()) : std::nullopt;
    };
    for (StoreCopy& copy : storeCopies(api, hostPath)) {
        found = finds.add({std::move(copy.executablePath), place.source, place.path,
                           std::move(copy.store)}) ||
                found;
    }
    for (std::string& exe : findGameOnDrive((place.path / "drive_c").string())) {
        found = finds.add({std::move(exe), place.source, place.path, {}}) || found;
    }
    if (found) {
        return;
    }
    finds.fail(!own ? own.status()
                    : FileStatus::failure("no NWMAIN.EXE at " + *own +
                                          ", where the registry of the Wine prefix " +
                                          place.path.string() + " puts it"));
}

}  // namespace

Result<std::string> searchGameExecutableInPrefix(const std::filesystem::path& prefixDirectory) {
    WineRegistryApi api(prefixDirectory);
    return ownEntryInPrefix(prefixDirectory, api);
}

std::string launcherName(const FoundGame& game) {
    return game.store.empty() || game.store == game.source ? game.source
                                                           : game.source + " (" + game.store + ")";
}

GameSearch searchGameInPlaces(const std::vector<GamePlace>& places) {
    GameSearch search{{}, {}, kWinePrefixPlaces};
    Finds finds(search);
    for (const GamePlace& place : places) {
        switch (place.kind) {
            case GamePlace::Kind::Prefix:
                searchPrefix(place, finds);
                break;
            case GamePlace::Kind::Folder:
                for (std::string& exe : findGameBelow(place.path.string(), 2)) {
                    finds.add({std::move(exe), place.source, {}, {}});
                }
                break;
            case GamePlace::Kind::Executable:
                if (equalsIgnoringAsciiCase(fileNameOf(place.path.string()), kExecutableName) &&
                    !finds.add({place.path.string(), place.source, {}, {}})) {
                    finds.fail(FileStatus::failure("no NWMAIN.EXE at " + place.path.string() +
                                                   ", where a game file of " + place.source +
                                                   " puts it"));
                }
                break;
        }
    }
    return search;
}

GameSearch searchGameInPrefixes(const std::vector<PrefixCandidate>& prefixes) {
    std::vector<GamePlace> places;
    for (const PrefixCandidate& prefix : prefixes) {
        places.push_back({GamePlace::Kind::Prefix, prefix.directory, prefix.source});
    }
    return searchGameInPlaces(places);
}

bool isGameExecutablePath(const std::string& path) {
    return isOrdinaryFile(path) && equalsIgnoringAsciiCase(fileNameOf(path), kExecutableName);
}

}  // namespace orvendel
