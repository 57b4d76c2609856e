// SPDX-License-Identifier: MIT
#include "patcher/read_only_prompt.h"

namespace orvendel {

std::string hardLinksQuestion(std::uint64_t otherNames) {
    const std::string count = std::to_string(otherNames);
    return "The NWMAIN.EXE you specified has " + count +
           (otherNames == 1 ? " other name (a hard link) that would keep"
                            : " other names (hard links) that would keep") +
           " the old values.  Do you wish me to modify this name anyway?";
}

}  // namespace orvendel
