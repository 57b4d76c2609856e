// SPDX-License-Identifier: MIT
#include <cstdlib>

#include "locate/game_location.h"

namespace orvendel {
namespace {

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// Why `prefix`, which the user named, is no Wine prefix: its system.reg is missing or no file.
FileStatus whyNoPrefix(const std::filesystem::path& prefix) {
    const std::filesystem::path registry = prefix / "system.reg";
    std::error_code error;
    const auto status = std::filesystem::status(registry, error);
    const char* reason = !std::filesystem::exists(status)        ? "does not exist"
                         : std::filesystem::is_directory(status) ? "is a folder"
                                                                 : "is not an ordinary file";
    return FileStatus::failure("WINEPREFIX names no Wine prefix: " + registry.string() + ' ' +
                               reason);
}

}  // namespace

GameSearch searchGameExecutables() {
    const std::filesystem::path home = environmentPath("HOME");
    const std::filesystem::path winePrefix = environmentPath("WINEPREFIX");
    const std::vector<GamePlace> places = gamePlaces(home, winePrefix);
    GameSearch search = searchGameInPlaces(places);
    if (!winePrefix.empty() && (places.empty() || places.front().source != "WINEPREFIX")) {
        search.failures.insert(search.failures.begin(), whyNoPrefix(winePrefix));
    }
    if (home.empty()) {
        search.failures.push_back(FileStatus::failure("HOME is not set"));
    }
    return search;
}

}  // namespace orvendel
