// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `check SETTINGS.chs [--revision -1|0|1] [--json]`: loads the settings file over an all-zero
// record with the clamps of that revision (default -1) and prints the record, as a table or as
// one JSON object. An unreadable, cut short or non-numeric file prints nothing and gives 1; a
// file of an unknown format prints the clamped all-zero record and gives 5.
int runCheckCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kCheckOptions[] = {
    {.name = "--revision",
     .takesValue = true,
     .valueName = "-1|0|1",
     .help = "load with the limits of that revision of the executable; -1, the default, stands for "
             "none recognised"},
    {.name = "--json",
     .help = "print one JSON object, {\"revision\": R, \"settings\": {...}}, instead of the table"},
};

inline constexpr Command kCheckCommand = {
    "check",
    "SETTINGS.chs [--revision -1|0|1] [--json]",
    "load a settings file and print the values it gives",
    &runCheckCommand,
    kCheckOptions,
};

}  // namespace orvendel::cli
