// SPDX-License-Identifier: MIT
#include "platform/file_status.h"

namespace orvendel {

std::string displayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string quoted(const std::filesystem::path& path) {
    return '"' + displayPath(path) + '"';
}

std::string fileMessage(std::string_view action, const std::filesystem::path& path,
                        std::string_view why) {
    return fileMessage(action, path, {}, why);
}

std::string fileMessage(std::string_view action, const std::filesystem::path& path,
                        std::string_view outcome, std::string_view why) {
    std::string message(action);
    message += ' ';
    message += quoted(path);
    if (!outcome.empty()) {
        message += ' ';
        message += outcome;
    }
    message += ": ";
    message += why;
    message += '.';
    return message;
}

}  // namespace orvendel
