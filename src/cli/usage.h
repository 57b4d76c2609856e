// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "cli/command.h"

namespace orvendel::cli {

// Prints "orvendel-cli: VERB: message" and the verb's usage line on err; returns the usage
// exit code.
int usageError(CommandIo& io, const Command& command, std::string_view message);

// Prints the usage in two lines and where the whole help is, for a wrong or missing verb.
void printShortUsage(std::ostream& out, std::span<const Command> commands);

// Prints the usage of every verb, what each does, and the exit codes.
void printUsage(std::ostream& out, std::span<const Command> commands);

// Prints the help of one verb: its usage line, what it does, and each of its options with what
// it does, wrapped to 79 columns.
void printCommandHelp(std::ostream& out, const Command& command);

}  // namespace orvendel::cli
