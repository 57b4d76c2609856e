#include "cli/locate_command.h"

#include "cli/exit_code.h"
#include "cli/usage.h"
#include "locate/game_location.h"

namespace orvendel::cli {

int runLocateCommand(const std::vector<std::string>& args, CommandIo& io) {
    if (!args.empty()) {
        return usageError(io, kLocateCommand, "takes no arguments");
    }
    const GameLocationSearch search = searchGameExecutable();
    if (search.executablePath.empty()) {
        io.err << "orvendel-cli locate: game not found: " << search.failure << '\n';
        return kExitFileError;
    }
    io.out << search.executablePath << '\n';
    return kExitDone;
}

}  // namespace orvendel::cli
