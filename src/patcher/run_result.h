// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/file_status.h"

namespace orvendel {

// How a patch run ended, and the text it left in the progress window's status line.
struct RunResult {
    enum class Outcome {
        Loaded,                 // reading run, executable recognised
        Modified,               // writing run, executable recognised and written
        UnknownVersion,         // neither revision recognised; nothing written
        WouldBeUnrecognisable,  // writing run refused: the patched image would not be recognised
        FileError,              // the file could not be read or written; status names the reason
        NothingToWrite,         // writing run refused: the record holds no chosen values
        Restored,               // restoreOriginal: the original copy is back in place
        UntrustedCopy,          // writing run or restore refused: what lies at the kept copy's
                                // name is not a copy Orvendel kept of this file; nothing written
        Refused,                // runNotTaken: a question before the run was answered No, or the
                                // read-only state could not be cleared; no run took place
    };

    Outcome outcome = Outcome::FileError;
    std::string status;  // final status line; empty for Refused
    // The removal of temporary files that an interrupted earlier write left beside the file,
    // before a writing run or a restore: a failure here did not stop the run.
    FileStatus cleanUp = FileStatus::success();

    bool recognised() const { return outcome == Outcome::Loaded || outcome == Outcome::Modified; }
    // Whether the run ended as asked (read, written or restored).
    bool succeeded() const { return recognised() || outcome == Outcome::Restored; }
};

}  // namespace orvendel
