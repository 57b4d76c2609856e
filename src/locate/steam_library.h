// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvendel {

// Returns the library folders that a Steam libraryfolders.vdf lists, in file order, unescaped:
// the "path" of each library in the current form ("0" { "path" "..." ... }), and the text of
// each numbered entry directly inside the outer section in the old form ("1" "D:\\Games").
// Other entries, such as the games of a library ("apps" { "704450" "..." }), are passed over;
// an unterminated text ends the file.
std::vector<std::string> steamLibraryPaths(std::string_view vdf);

}  // namespace orvendel
