// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `read GAME_EXE [--json] [--save SETTINGS.chs]`: a reading run on the executable. Prints the
// revision and the twenty values (a table, or one JSON object with --json), also when the
// executable was not recognised (exit 3; revision -1 and the record as the run left it). With
// --save and a recognised executable, first saves the record as a settings file. Reading never
// asks about nor changes a read-only executable.
int runReadCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kReadOptions[] = {
    {.name = "--json",
     .help = "print one JSON object, {\"revision\": R, \"settings\": {...}}, instead of the table"},
    {.name = "--save",
     .takesValue = true,
     .valueName = "SETTINGS.chs",
     .help = "also save the values as a settings file, as \"Save Settings...\" does; only when the "
             "executable was recognised"},
};

inline constexpr Command kReadCommand = {
    "read",
    "GAME_EXE [--json] [--save SETTINGS.chs]",
    "read the camera settings out of the game executable",
    &runReadCommand,
    kReadOptions,
};

}  // namespace orvendel::cli
