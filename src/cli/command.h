#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvendel::cli {

// Where a command writes: results on `out`, questions and failures on `err`.
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
struct Command {
    std::string_view name;
    std::string_view synopsis;  // arguments after the verb, e.g. "GAME_EXE [--json]"
    std::string_view summary;   // one line saying what the verb does
    int (*run)(const std::vector<std::string>& args, CommandIo& io);
};

}  // namespace orvendel::cli
