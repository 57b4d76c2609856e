// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvendel {

// Title of both read-only message boxes.
inline constexpr std::string_view kReadOnlyTitle = "Read Only";
// The Yes/No question asked when the executable is read-only.
inline constexpr std::string_view kReadOnlyQuestion =
    "The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?";
// The OK message shown when the read-only state could not be cleared.
inline constexpr std::string_view kReadOnlyClearFailed =
    "Unable to remove Read Only attribute from file.  Patch Aborted.";

// Title of the question before writing a file that has other names.
inline constexpr std::string_view kHardLinksTitle = "Other Names";
// The Yes/No question asked before a writing run on a file with `otherNames` further names
// (hard links), which would keep the old bytes.
std::string hardLinksQuestion(std::uint64_t otherNames);

// How clearReadOnlyIfAgreed talks to the user: the window shows message boxes, the command line
// prints the texts and answers from its --yes option, tests script the answers.
class ReadOnlyPrompt {
public:
    virtual ~ReadOnlyPrompt() = default;
    // Asks kReadOnlyQuestion (title kReadOnlyTitle, Yes/No). Returns true for Yes.
    virtual bool askClearReadOnly() = 0;
    // Tells the user kReadOnlyClearFailed (title kReadOnlyTitle, OK).
    virtual void reportClearFailed() = 0;
    // Asks hardLinksQuestion(otherNames) (title kHardLinksTitle, Yes/No). Returns true for Yes.
    virtual bool askReplaceLinkedFile(std::uint64_t otherNames) = 0;
};

}  // namespace orvendel
