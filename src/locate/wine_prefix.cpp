// SPDX-License-Identifier: MIT
#include "locate/wine_prefix.h"

#include <cstdlib>
#include <vector>

#include "locate/text_encoding.h"

namespace orvendel {

std::optional<std::filesystem::path> WinePrefix::defaultDirectory() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return std::filesystem::path(prefix);
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".wine";
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> WinePrefix::findEntry(const std::filesystem::path& directory,
                                                           const std::string& name) {
    std::error_code error;
    const auto exact = directory / name;
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, error))) {
        return exact;
    }
    std::optional<std::string> best;
    std::filesystem::directory_iterator entries(directory, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string candidate = entries->path().filename().string();
        if (equalsIgnoringCase(candidate, name) && (!best || candidate < *best)) {
            best = candidate;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return directory / *best;
}

std::optional<std::filesystem::path> WinePrefix::hostPath(std::string_view windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !((windowsPath[0] >= 'A' && windowsPath[0] <= 'Z') ||
          (windowsPath[0] >= 'a' && windowsPath[0] <= 'z'))) {
        return std::nullopt;
    }
    std::vector<std::string> components;
    std::size_t start = 2;
    while (start <= windowsPath.size()) {
        auto end = windowsPath.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = windowsPath.size();
        }
        const std::string component(windowsPath.substr(start, end - start));
        if (component == "..") {
            if (!components.empty()) {
                components.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            components.push_back(component);
        }
        start = end + 1;
    }

    const std::string drive = asciiLower(windowsPath.substr(0, 2));
    auto current = findEntry(directory_ / "dosdevices", drive);
    std::error_code error;
    if (!current || !std::filesystem::is_directory(*current, error)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        auto next = findEntry(*current, components[i]);
        if (!next) {
            if (!last) {
                return std::nullopt;
            }
            next = *current / components[i];
        } else if (!last && !std::filesystem::is_directory(*next, error)) {
            return std::nullopt;
        }
        current = next;
    }
    return current;
}

}  // namespace orvendel
