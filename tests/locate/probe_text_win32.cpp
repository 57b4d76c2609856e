// SPDX-License-Identifier: MIT
#include <windows.h>

#include <vector>

#include "probe_text.h"

namespace orvendel {

std::string ansiToUtf8(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::vector<wchar_t> units(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, units.data(), wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, units.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace orvendel
