// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `restore GAME_EXE [--yes]`: puts back the copy of the executable that the first writing run
// kept beside it, after the restore question and the questions of any writing run (read-only,
// other names), crash-safely. The copy stays.
int runRestoreCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kRestoreOptions[] = {
    {.name = "--yes",
     .help = "answer yes to every question: \"Restore Original\", a read-only executable, an "
             "executable with other names (hard links); without it the first question stops the "
             "command with exit code 4"},
};

inline constexpr Command kRestoreCommand = {
    "restore",
    "GAME_EXE [--yes]",
    "put back the copy of the game executable kept before its first change",
    &runRestoreCommand,
    kRestoreOptions,
};

}  // namespace orvendel::cli
