// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel::cli {

// Exit codes of orvendel-cli. Nothing is written on any code but Done.
enum ExitCode : int {
    kExitDone = 0,
    kExitFileError = 1,              // a file could not be read or written, or a settings file
                                     // is unreadable, cut short or holds a non-number
    kExitUsage = 2,                  // wrong arguments
    kExitNotRecognised = 3,          // the executable is of neither known revision
    kExitNotConfirmed = 4,           // a question was not answered yes (--yes)
    kExitUnknownFormat = 5,          // settings file with a format tag other than "G"
    kExitWouldBeUnrecognisable = 6,  // the new values would break the executable's recognition
    kExitUntrustedCopy = 7,          // what lies at the kept copy's name is not a copy that
                                     // Orvendel kept of this executable
};

}  // namespace orvendel::cli
