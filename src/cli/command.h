#pragma once

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

// One verb of orvendel-cli. `run` gets the arguments after the verb and returns an exit code.
struct Command {
    std::string_view name;
    std::string_view synopsis;  // arguments after the verb, e.g. "GAME_EXE [--json]"
    std::string_view summary;   // one line saying what the verb does
    int (*run)(const std::vector<std::string>& args, CommandIo& io);
};

}  // namespace orvendel::cli
