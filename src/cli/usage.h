#pragma once

#include <string_view>

#include "cli/command.h"

namespace orvendel::cli {

// Prints "orvendel-cli VERB: message" and the verb's usage line on err; returns the usage
// exit code.
int usageError(CommandIo& io, const Command& command, std::string_view message);

}  // namespace orvendel::cli
