#include "cli/usage.h"

#include "cli/exit_code.h"

namespace orvendel::cli {

int usageError(CommandIo& io, const Command& command, std::string_view message) {
    io.err << "orvendel-cli " << command.name << ": " << message << '\n'
           << "usage: orvendel-cli " << command.name << ' ' << command.synopsis << '\n'
           << "Try 'orvendel-cli --help' for more.\n";
    return kExitUsage;
}

}  // namespace orvendel::cli
