// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `locate`: prints the path of the game executable that the window proposes at start-up (on
// Linux the first one found in the user's Wine prefixes) and gives 0. `locate --all` prints
// every one found, a line each: the path, the source of its prefix and the prefix, separated
// by tabs. With none found, both say on the error stream where they looked and why each prefix
// gave nothing, and give 1.
int runLocateCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kLocateOptions[] = {
    {"--all",
     false,
     {},
     "print every copy found, one a line: the path, the source of its Wine prefix (Wine, "
     "Lutris, Steam, ...) and the prefix, separated by tabs"},
};

inline constexpr Command kLocateCommand = {
    "locate",
    "[--all]",
    "print the path of nwmain.exe that the game's registry entry gives",
    &runLocateCommand,
    kLocateOptions,
};

}  // namespace orvendel::cli
