// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_buffer.h"
#include "platform/result.h"

namespace orvendel {

// What lies at an executable's kept-copy name (originalCopyPath), judged by what the file is,
// never by its name.
struct KeptCopy {
    enum class Standing {
        Absent,     // nothing lies there
        Untrusted,  // something lies there that is not a copy Orvendel kept; `reason` says what
        OtherFile,  // a trusted copy of a known revision that differs from the executable
                    // beyond its camera values (another build, or a file changed since)
        Matching,   // a trusted copy that differs from the executable at most in camera values
    };
    Standing standing = Standing::Absent;
    std::string reason;  // Untrusted: what lies there, e.g. "a symbolic link"
    FileBuffer bytes;    // OtherFile and Matching: the copy, read from the handle that was checked
};

// Looks at the file at originalCopyPath(executable) without following a link there. It is
// trusted only when, checked on the open handle, it is a regular file with one name, owned by
// the executable's owner and writable by no one else, and its bytes are recognised as
// revision 0 or 1. A trusted copy is Matching when `executableBytes` has its length and differs
// from it only within the 4 bytes of that revision's patch sites, else OtherFile. Fails naming
// the file when the copy or the executable cannot be looked at.
Result<KeptCopy> examineKeptCopy(const std::filesystem::path& executable,
                                 std::span<const std::uint8_t> executableBytes);

// `Cannot read "<copy>": there is no original copy of this file.`
FileStatus noOriginalCopy(const std::filesystem::path& executable);

// `"<copy>" is not a copy that Orvendel kept (<reason>): <advice>`
std::string untrustedCopyMessage(const std::filesystem::path& executable, std::string_view reason,
                                 std::string_view advice);

// The reason given for an OtherFile copy.
inline constexpr std::string_view kOtherFileReason =
    "it differs from the executable beyond the camera values";

// Success when settings may be saved at `target`: it must be neither the executable nor
// anything at its kept-copy name (compared as files where they exist, and by name where the
// copy does not); otherwise `Cannot save the settings as "<target>": <why>.`
FileStatus settingsTargetAllowed(const std::filesystem::path& target,
                                 const std::filesystem::path& executable);

}  // namespace orvendel
