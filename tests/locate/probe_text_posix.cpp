// SPDX-License-Identifier: MIT
#include "probe_text.h"

namespace orvendel {

std::string ansiToUtf8(const std::string& text) {
    return text;
}

}  // namespace orvendel
