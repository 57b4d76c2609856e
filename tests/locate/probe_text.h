// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvendel {

// Converts a text of this platform's ANSI code page to UTF-8 (unchanged where the narrow
// encoding already is UTF-8), so that the Windows and the Linux probe print the same bytes.
std::string ansiToUtf8(const std::string& text);

}  // namespace orvendel
