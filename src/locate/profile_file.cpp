// SPDX-License-Identifier: MIT
#include "locate/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "locate/text_encoding.h"

namespace orvendel {
namespace {

std::string_view stripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

ProfileFile::ProfileFile(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text_ = text.substr(3);
    } else if (text.starts_with("\xFF\xFE")) {
        text_ = utf16leToUtf8(text.substr(2));
    } else {
        text_ = text;
    }
}

std::optional<std::string> ProfileFile::find(std::string_view section,
                                             std::string_view name) const {
    const std::string_view text = text_;
    const std::string wantedSection = asciiLower(trimBlanks(section));
    const std::string wantedName = asciiLower(trimBlanks(name));
    bool seenSection = false;
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = trimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (inSection) {
                return std::nullopt;
            }
            line.remove_prefix(1);
            const auto close = line.rfind(']');
            if (close != std::string_view::npos) {
                line = line.substr(0, close);
            }
            inSection = !seenSection && asciiLower(trimBlanks(line)) == wantedSection;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = trimBlanks(line.substr(0, equals));
        if (asciiLower(key) != wantedName) {
            continue;
        }
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view value = stripQuotes(trimBlanks(line.substr(equals + 1)));
        value = value.substr(0, value.find('\0'));
        return std::string(value);
    }
    return std::nullopt;
}

std::uint32_t ProfileFile::getString(std::string_view section, std::string_view name,
                                     std::string_view defaultText, char* buffer,
                                     std::uint32_t size) const {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const auto value = find(section, name);
    std::string_view text;
    if (value) {
        text = *value;
    } else {
        text = defaultText.substr(0, defaultText.find('\0'));
        const auto last = text.find_last_not_of(' ');
        text = text.substr(0, last == std::string_view::npos ? 0 : last + 1);
    }
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), size - 1));
    std::copy_n(text.data(), count, buffer);
    buffer[count] = '\0';
    return count;
}

std::uint32_t ProfileFile::getInt(std::string_view section, std::string_view name,
                                  std::int32_t defaultValue) const {
    const auto value = find(section, name);
    if (!value || value->empty()) {
        return static_cast<std::uint32_t>(defaultValue);
    }
    // The number is read from the first characters only, as the Windows call reads the entry
    // into a small buffer.
    const std::string_view s = std::string_view(*value).substr(0, kIntegerCharacters);
    std::size_t p = 0;
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) {
        ++p;
    }
    bool negative = false;
    if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
        negative = s[p] == '-';
        ++p;
    }
    unsigned base = 10;
    if (p + 1 < s.size() && s[p] == '0') {
        const char marker = s[p + 1];
        if (marker == 'x' || marker == 'X') {
            base = 16;
        } else if (marker == 'o' || marker == 'O') {
            base = 8;
        } else if (marker == 'b' || marker == 'B') {
            base = 2;
        }
        if (base != 10) {
            p += 2;
        }
    }
    std::uint32_t result = 0;
    for (; p < s.size(); ++p) {
        const char c = s[p];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        result = result * base + digit;
    }
    return negative ? 0u - result : result;
}

ProfileFile ProfileFile::load(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileSize) {
        return ProfileFile("");
    }
    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        return ProfileFile("");
    }
    return ProfileFile(text);
}

}  // namespace orvendel
