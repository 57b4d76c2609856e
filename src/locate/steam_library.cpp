// SPDX-License-Identifier: MIT
#include "locate/steam_library.h"

#include <algorithm>

namespace orvendel {
namespace {

bool isNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<std::string> steamLibraryPaths(std::string_view vdf) {
    std::vector<std::string> paths;
    int depth = 0;  // sections open around the next token
    bool expectKey = true;
    std::string key;
    for (std::size_t pos = 0; pos < vdf.size(); ++pos) {
        if (vdf[pos] == '{' || vdf[pos] == '}') {
            depth = std::max(0, depth + (vdf[pos] == '{' ? 1 : -1));
            expectKey = true;
            continue;
        }
        if (vdf[pos] != '"') {
            continue;
        }
        std::string token;
        for (++pos; pos < vdf.size() && vdf[pos] != '"'; ++pos) {
            if (vdf[pos] == '\\' && pos + 1 < vdf.size()) {
                ++pos;
            }
            token += vdf[pos];
        }
        if (pos == vdf.size()) {
            break;  // an unterminated token ends the file
        }
        if (expectKey) {
            key = std::move(token);
        } else if (!token.empty() && (key == "path" || (depth == 1 && isNumber(key)))) {
            paths.push_back(std::move(token));
        }
        expectKey = !expectKey;
    }
    return paths;
}

}  // namespace orvendel
