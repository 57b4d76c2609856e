// SPDX-License-Identifier: MIT
#include "lutris_writer.h"

#include <cstdlib>

namespace orvendel {
namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

bool writeLutrisGame(const std::filesystem::path& file, const std::string& prefix,
                     const std::string& exe) {
    std::filesystem::create_directories(file.parent_path());
    const std::string command =
        shellQuoted(ORVENDEL_PYTHON) + ' ' + shellQuoted(ORVENDEL_LUTRIS_WRITER) + ' ' +
        shellQuoted(file.string()) + ' ' + shellQuoted(prefix) + ' ' + shellQuoted(exe);
    return std::system(command.c_str()) == 0;
}

}  // namespace orvendel
