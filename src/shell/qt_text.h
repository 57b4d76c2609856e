// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

namespace orvendel {

// Converts UTF-8 text, not necessarily NUL-terminated, into a QString.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace orvendel
