// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `locate`: prints the path of the game executable that the window proposes at start-up (on
// Linux the first one found in the user's Wine prefixes) and gives 0. `locate --all` prints
// every one found, each once, a line each: the path, its launcher and store (launcherName) and
// its prefix, separated by tabs. With none found, both say on the error stream where they looked
// and why each prefix gave nothing, and give 1.
int runLocateCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kLocateOptions[] = {
    {"--all",
     false,
     {},
     "print every copy found, one a line: the path, the launcher or store that led to it "
     "(Wine, Lutris, Steam, \"Lutris (GOG)\", ...) and its Wine prefix, separated by tabs"},
};

inline constexpr Command kLocateCommand = {
    "locate",
    "[--all]",
    "print the path of nwmain.exe, the first copy of the game found",
    &runLocateCommand,
    kLocateOptions,
};

}  // namespace orvendel::cli
