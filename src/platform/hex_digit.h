// SPDX-License-Identifier: MIT
#pragma once

namespace orvendel {

// The value of the hexadecimal digit `c` (0-9, A-F, a-f), or -1 for any other character.
constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace orvendel
