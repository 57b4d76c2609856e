// SPDX-License-Identifier: MIT
#include "cli/locate_command.h"

#include "cli/argument_parser.h"
#include "cli/exit_code.h"
#include "cli/usage.h"
#include "locate/game_location.h"

namespace orvendel::cli {

int runLocateCommand(const std::vector<std::string>& args, CommandIo& io) {
    ParsedArguments parsed;
    if (const auto error = parsed.parse(args, kLocateCommand.options)) {
        return usageError(io, kLocateCommand, *error);
    }
    if (!parsed.positional().empty()) {
        return usageError(io, kLocateCommand, "takes no file arguments");
    }
    const bool all = parsed.has("--all");
    const GameSearch search = searchGameExecutables();
    if (search.games.empty()) {
        io.err << "orvendel-cli locate: game not found; looked in " << search.places << '\n';
        for (const FileStatus& failure : search.failures) {
            io.err << "  " << failure.message() << '\n';
        }
        return kExitFileError;
    }
    if (!all) {
        io.out << search.games.front().executablePath << '\n';
        return kExitDone;
    }
    for (const FoundGame& game : search.games) {
        io.out << game.executablePath << '\t' << launcherName(game) << '\t' << game.prefix.string()
               << '\n';
    }
    return kExitDone;
}

}  // namespace orvendel::cli
