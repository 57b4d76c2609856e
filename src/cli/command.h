// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/argument_parser.h"

namespace orvendel::cli {

// What every line on the error stream that reports a failure starts with.
inline constexpr std::string_view kErrorPrefix = "orvendel-cli: ";

// Where a command writes: results on `out`; questions, outcome messages and failures on `err`.
struct CommandIo {
    std::ostream& out;
    std::ostream& err;
};

// The file an argument names. Arguments are UTF-8 (on Windows, main converts the wide command
// line), so the path keeps every character of the name.
inline std::filesystem::path argumentPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// One verb of orvendel-cli. `run` gets the arguments after the verb and returns an exit code.
// The verb parses its arguments by `options`, and its --help explains each of them.
struct Command {
    std::string_view name;
    std::string_view synopsis;  // arguments after the verb, e.g. "GAME_EXE [--json]"
    std::string_view summary;   // one line saying what the verb does
    int (*run)(const std::vector<std::string>& args, CommandIo& io);
    std::span<const OptionSpec> options = {};
};

}  // namespace orvendel::cli
