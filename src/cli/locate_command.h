#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `locate`: prints the path of the game executable that the window proposes at start-up (on
// Linux found through the Wine prefix, $WINEPREFIX or ~/.wine) and gives 0, or says on the
// error stream why there is none and gives 1.
int runLocateCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr Command kLocateCommand = {
    "locate",
    "",
    "print the path of nwmain.exe that the game's registry entry gives",
    &runLocateCommand,
};

}  // namespace orvendel::cli
