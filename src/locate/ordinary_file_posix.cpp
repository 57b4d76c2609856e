// SPDX-License-Identifier: MIT
#include <sys/stat.h>

#include "locate/ordinary_file.h"
#include "locate/text_encoding.h"

namespace orvendel {

bool isOrdinaryFile(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos ||
        path.find('\0') != std::string::npos) {
        return false;
    }
    const std::string name = fileNameOf(path);
    if (name.empty() || name.front() == '.') {
        return false;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return "name " + asciiLower(path);
    }
    return "file " + std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace orvendel
