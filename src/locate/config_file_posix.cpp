// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "locate/config_file.h"

namespace orvendel {

std::optional<std::string> readConfigFile(const std::string& file) {
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
