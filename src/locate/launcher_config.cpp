// SPDX-License-Identifier: MIT
#include "locate/launcher_config.h"

#include <cstdint>

namespace orvendel {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The value of a YAML scalar written on one line: quotes removed, or a trailing comment cut.
std::optional<std::string> yamlScalar(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::string value;
    if (text.front() == '\'') {
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] != '\'') {
                value += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '\'') {
                value += '\'';
                ++i;
            } else {
                return value.empty() ? std::nullopt : std::optional(value);
            }
        }
        return std::nullopt;
    }
    if (text.front() == '"') {
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '"') {
                return value.empty() ? std::nullopt : std::optional(value);
            }
            if (text[i] == '\\' && i + 1 < text.size()) {
                ++i;
            }
            value += text[i];
        }
        return std::nullopt;
    }
    if (const auto comment = text.find(" #"); comment != std::string_view::npos) {
        text = trimmed(text.substr(0, comment));
    }
    return text.empty() ? std::nullopt : std::optional(std::string(text));
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads the JSON text that starts at text[pos] == '"'; nothing when it is not terminated or
// holds an escape that JSON does not know. Leaves `pos` after the closing quote.
std::optional<std::string> jsonString(std::string_view text, std::size_t& pos) {
    std::string value;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return value;
        }
        if (c != '\\') {
            value += c;
            continue;
        }
        if (++pos == text.size()) {
            return std::nullopt;
        }
        switch (text[pos]) {
            case '"':
                value += '"';
                break;
            case '\\':
                value += '\\';
                break;
            case '/':
                value += '/';
                break;
            case 'b':
                value += '\b';
                break;
            case 'f':
                value += '\f';
                break;
            case 'n':
                value += '\n';
                break;
            case 'r':
                value += '\r';
                break;
            case 't':
                value += '\t';
                break;
            case 'u': {
                if (pos + 4 >= text.size()) {
                    return std::nullopt;
                }
                std::uint32_t code = 0;
                for (int i = 0; i < 4; ++i) {
                    const char h = text[++pos];
                    const int digit = h >= '0' && h <= '9'   ? h - '0'
                                      : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                      : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                             : -1;
                    if (digit < 0) {
                        return std::nullopt;
                    }
                    code = code * 16 + static_cast<std::uint32_t>(digit);
                }
                appendUtf8(value, code);
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> lutrisGamePrefix(std::string_view yaml) {
    bool inGame = false;
    std::size_t keyIndent = std::string_view::npos;
    while (!yaml.empty()) {
        const auto end = yaml.find('\n');
        const std::string_view line = yaml.substr(0, end);
        yaml = end == std::string_view::npos ? std::string_view() : yaml.substr(end + 1);
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == 0) {
            inGame = trimmed(content.substr(0, content.find('#'))) == "game:";
            keyIndent = std::string_view::npos;
            continue;
        }
        if (!inGame) {
            continue;
        }
        if (keyIndent == std::string_view::npos) {
            keyIndent = indent;
        }
        if (indent == keyIndent && content.starts_with("prefix:")) {
            return yamlScalar(content.substr(7));
        }
    }
    return std::nullopt;
}

std::vector<std::string> steamLibraryPaths(std::string_view vdf) {
    std::vector<std::string> paths;
    bool expectKey = true;
    bool pathKey = false;
    for (std::size_t pos = 0; pos < vdf.size(); ++pos) {
        if (vdf[pos] == '{' || vdf[pos] == '}') {
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
            pathKey = token == "path";
        } else if (pathKey && !token.empty()) {
            paths.push_back(token);
        }
        expectKey = !expectKey;
    }
    return paths;
}

std::vector<std::string> heroicWinePrefixes(std::string_view json) {
    std::vector<std::string> prefixes;
    std::size_t pos = 0;
    while (pos < json.size()) {
        if (json[pos] != '"') {
            ++pos;
            continue;
        }
        const auto key = jsonString(json, pos);
        if (!key) {
            break;
        }
        if (*key != "winePrefix") {
            continue;
        }
        pos = json.find_first_not_of(" \t\r\n", pos);
        if (pos == std::string_view::npos || json[pos] != ':') {
            continue;
        }
        pos = json.find_first_not_of(" \t\r\n", pos + 1);
        if (pos == std::string_view::npos || json[pos] != '"') {
            continue;
        }
        const auto value = jsonString(json, pos);
        if (!value) {
            break;
        }
        if (!value->empty()) {
            prefixes.push_back(*value);
        }
    }
    return prefixes;
}

}  // namespace orvendel
