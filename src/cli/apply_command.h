// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "cli/command.h"

namespace orvendel::cli {

// `apply GAME_EXE SETTINGS.chs [--yes]`: writes a settings file into the executable, as the
// window's "Load Settings..." followed by "Modify NWN" would:
// 1. the settings file is checked first, so that a broken one stops the command before the
//    executable is touched (1 unreadable, cut short or not a number; 5 unknown format);
// 2. a reading run (3 not recognised); reading needs no write access, so it asks nothing;
// 3. the settings file is loaded over the record with the clamps of the recognised revision,
//    and each camera height becomes that of the list item the window shows for it
//    (snapHeightToList), as "Modify NWN" reads the lists;
// 4. the warning of that revision (DEL-key or drive-zoom), if it applies;
// 5. the writing run, with the read-only question first if the file is read-only and the
//    other-names question if it has hard links (6 when the new values would leave the
//    executable unrecognisable).
// Every question is printed and answered yes only with --yes; otherwise the command stops with
// 4. Nothing is written on any non-zero exit: a read-only state cleared for a writing run that
// then wrote nothing is set again.
int runApplyCommand(const std::vector<std::string>& args, CommandIo& io);

inline constexpr OptionSpec kApplyOptions[] = {
    {.name = "--yes",
     .help = "answer yes to every question: the warning of the revision, a read-only executable, "
             "an executable with other names (hard links); without it the first question stops the "
             "command with exit code 4"},
};

inline constexpr Command kApplyCommand = {
    "apply",
    "GAME_EXE SETTINGS.chs [--yes]",
    "write the values of a settings file into the game executable",
    &runApplyCommand,
    kApplyOptions,
};

}  // namespace orvendel::cli
