// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace orvendel {

// Writes a Lutris game file at `file` with PyYAML, as Lutris saves one (write_lutris_game.py);
// an empty `prefix` or `exe` leaves that entry out. Returns whether python3 succeeded.
bool writeLutrisGame(const std::filesystem::path& file, const std::string& prefix,
                     const std::string& exe);

}  // namespace orvendel
