// SPDX-License-Identifier: MIT
#include "locate/game_location.h"

#include "locate/ordinary_file.h"
#include "locate/query_value.h"
#include "locate/registry_api.h"
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

Result<std::string> searchGameExecutableInPrefix(const std::filesystem::path& prefixDirectory) {
    const std::string prefixName = "the Wine prefix " + prefixDirectory.string();
    std::error_code error;
    if (prefixDirectory.empty() || !std::filesystem::is_directory(prefixDirectory, error)) {
        return FileStatus::failure(prefixName + " does not exist");
    }
    WineRegistryApi api(prefixDirectory);
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

GameSearch searchGameInPrefixes(const std::vector<PrefixCandidate>& prefixes) {
    GameSearch search{{}, {}, kWinePrefixPlaces};
    for (const PrefixCandidate& prefix : prefixes) {
        const Result<std::string> found = searchGameExecutableInPrefix(prefix.directory);
        if (!found) {
            search.failures.push_back(found.status());
        } else if (!isGameExecutablePath(*found)) {
            search.failures.push_back(FileStatus::failure(
                "no NWMAIN.EXE at " + *found + ", where the registry of the Wine prefix " +
                prefix.directory.string() + " puts it"));
        } else {
            search.games.push_back({*found, prefix.source, prefix.directory});
        }
    }
    return search;
}

bool isGameExecutablePath(const std::string& path) {
    return isOrdinaryFile(path) && equalsIgnoringAsciiCase(fileNameOf(path), kExecutableName);
}

}  // namespace orvendel
