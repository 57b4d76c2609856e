// SPDX-License-Identifier: MIT
#include "locate/wine_registry_file.h"

#include <optional>
#include <set>

#include "locate/text_encoding.h"
#include "platform/hex_digit.h"

namespace orvendel {
namespace {

constexpr std::uint32_t kTypeSz = 1;
constexpr std::uint32_t kTypeExpandSz = 2;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDword = 4;
constexpr std::uint32_t kTypeMultiSz = 7;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t skipSpaces(std::string_view s, std::size_t p) {
    while (p < s.size() && isSpace(s[p])) {
        ++p;
    }
    return p;
}

// Decodes an escaped text as Wine writes names and string data, from `p` up to the unescaped
// `end` character, into UTF-16 code units. Returns the position after `end`, or nothing when
// the line ends first.
std::optional<std::size_t> parseEscaped(std::string_view s, std::size_t p, char end,
                                        std::u16string& out) {
    while (p < s.size() && s[p] != end) {
        if (s[p] == '\\') {
            ++p;
            if (p >= s.size()) {
                break;
            }
            const char c = s[p];
            static constexpr std::string_view kLetters = "abefnrtv";
            static constexpr char16_t kControls[] = {7, 8, 27, 12, 10, 13, 9, 11};
            if (const auto letter = kLetters.find(c); letter != std::string_view::npos) {
                out += kControls[letter];
                ++p;
                continue;
            }
            if (c == 'x') {
                ++p;
                if (p >= s.size() || hexDigit(s[p]) < 0) {
                    out += u'x';
                    continue;
                }
                char16_t unit = 0;
                for (int digits = 0; digits < 4 && p < s.size() && hexDigit(s[p]) >= 0; ++digits) {
                    unit = static_cast<char16_t>(unit * 16 + hexDigit(s[p++]));
                }
                out += unit;
                continue;
            }
            if (c >= '0' && c <= '7') {
                char16_t unit = 0;
                for (int digits = 0; digits < 3 && p < s.size() && s[p] >= '0' && s[p] <= '7';
                     ++digits) {
                    unit = static_cast<char16_t>(unit * 8 + (s[p++] - '0'));
                }
                out += unit;
                continue;
            }
            // Any other escaped character stands for itself.
        }
        out += static_cast<char16_t>(static_cast<unsigned char>(s[p++]));
    }
    if (p >= s.size()) {
        return std::nullopt;
    }
    return p + 1;
}

std::string unitsToUtf8(const std::u16string& units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        appendUtf16le(bytes, unit);
    }
    return utf16leToUtf8(bytes);
}

// Reads comma-separated hex bytes from `p`. Returns the position after them, or nothing when a
// number does not fit in a byte.
std::optional<std::size_t> parseHexBytes(std::string_view s, std::size_t p, std::string& out) {
    while (p < s.size() && hexDigit(s[p]) >= 0) {
        unsigned value = 0;
        while (p < s.size() && hexDigit(s[p]) >= 0) {
            value = value * 16 + static_cast<unsigned>(hexDigit(s[p++]));
            if (value > 0xFF) {
                return std::nullopt;
            }
        }
        out += static_cast<char>(value);
        p = skipSpaces(s, p);
        if (p < s.size() && s[p] == ',') {
            ++p;
        }
        p = skipSpaces(s, p);
    }
    return p;
}

// The value kinds that may follow '=' and how their data is written.
enum class DataForm { Text, Dword, Hex };

struct DataPrefix {
    std::string_view prefix;
    std::uint32_t type;
    DataForm form;
};

constexpr DataPrefix kDataPrefixes[] = {
    {"\"", kTypeSz, DataForm::Text},
    {"str:\"", kTypeSz, DataForm::Text},
    {"str(2):\"", kTypeExpandSz, DataForm::Text},
    {"str(7):\"", kTypeMultiSz, DataForm::Text},
    {"hex:", kTypeBinary, DataForm::Hex},
    {"dword:", kTypeDword, DataForm::Dword},
};

}  // namespace

std::string WineRegistryFile::canonicalPath(std::string_view path) {
    std::string out;
    std::size_t start = 0;
    while (start <= path.size()) {
        auto end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            if (!out.empty()) {
                out += '\\';
            }
            out += foldCase(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

Result<WineRegistryFile> WineRegistryFile::parse(std::string_view text) {
    // Lines are taken one at a time, so that memory does not grow with their number.
    std::size_t offset = 0;
    auto nextLine = [&]() -> std::optional<std::string_view> {
        if (offset >= text.size()) {
            return std::nullopt;
        }
        auto end = text.find('\n', offset);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        auto line = text.substr(offset, end - offset);
        offset = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return line;
    };
    const auto header = nextLine();
    if (!header || *header != "WINE REGISTRY Version 2") {
        return FileStatus::failure(
            "not a Wine registry file (no \"WINE REGISTRY Version 2\" header)");
    }

    WineRegistryFile file;
    Values* current = nullptr;
    bool inHeader = true;
    while (const auto next = nextLine()) {
        const std::string_view line = *next;
        const std::size_t p = skipSpaces(line, 0);
        if (p >= line.size()) {
            continue;
        }
        const char first = line[p];
        if (first == ';') {
            constexpr std::string_view kRelative = ";; All keys relative to ";
            if (inHeader && line.substr(p).starts_with(kRelative)) {
                std::u16string units;
                const std::string rest(line.substr(p + kRelative.size()));
                parseEscaped(rest + '\n', 0, '\n', units);
                file.relativeTo_ = unitsToUtf8(units);
            }
            continue;
        }
        if (first == '#') {
            if (inHeader && line.substr(p) == "#arch=win64") {
                file.is64Bit_ = true;
            }
            continue;
        }
        if (first == '[') {
            inHeader = false;
            std::u16string name;
            if (!parseEscaped(line, p + 1, ']', name)) {
                current = nullptr;
                continue;
            }
            current = &file.keys_[canonicalPath(unitsToUtf8(name))];
            continue;
        }
        if (first != '@' && first != '"') {
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        std::string name;
        std::size_t q = p + 1;
        if (first == '"') {
            std::u16string units;
            const auto after = parseEscaped(line, p + 1, '"', units);
            if (!after) {
                continue;
            }
            name = foldCase(unitsToUtf8(units));
            q = *after;
        }
        while (q < line.size() && (line[q] == ' ' || line[q] == '\t')) {
            ++q;
        }
        if (q >= line.size() || line[q] != '=') {
            continue;
        }
        q = skipSpaces(line, q + 1);

        const std::string_view rest = line.substr(q);
        WineRegistryData data;
        DataForm form{};
        bool known = false;
        for (const auto& prefix : kDataPrefixes) {
            if (rest.starts_with(prefix.prefix)) {
                data.type = prefix.type;
                form = prefix.form;
                q += prefix.prefix.size();
                known = true;
                break;
            }
        }
        if (!known && rest.starts_with("hex(")) {
            std::size_t r = 4;
            std::uint64_t type = 0;
            while (r < rest.size() && hexDigit(rest[r]) >= 0 && type <= 0xFFFFFFFFu) {
                type = type * 16 + static_cast<unsigned>(hexDigit(rest[r++]));
            }
            if (r > 4 && type <= 0xFFFFFFFFu && rest.substr(r).starts_with("):")) {
                data.type = static_cast<std::uint32_t>(type);
                form = DataForm::Hex;
                q += r + 2;
                known = true;
            }
        }
        if (!known) {
            continue;
        }

        bool ok = true;
        if (form == DataForm::Text) {
            std::u16string units;
            ok = parseEscaped(line, q, '"', units).has_value();
            units += u'\0';
            for (const char16_t unit : units) {
                appendUtf16le(data.bytes, unit);
            }
        } else if (form == DataForm::Dword) {
            std::uint64_t value = 0;
            for (std::size_t r = skipSpaces(line, q); r < line.size() && hexDigit(line[r]) >= 0;
                 ++r) {
                value = std::min<std::uint64_t>(
                    value * 16 + static_cast<unsigned>(hexDigit(line[r])), 0xFFFFFFFFu);
            }
            for (int shift = 0; shift < 32; shift += 8) {
                data.bytes += static_cast<char>((value >> shift) & 0xFF);
            }
        } else {
            std::string_view part = line;
            while (true) {
                const auto after = parseHexBytes(part, q, data.bytes);
                if (!after) {
                    ok = false;
                    break;
                }
                q = skipSpaces(part, *after);
                if (q >= part.size()) {
                    break;
                }
                const auto continued = part[q] == '\\' ? nextLine() : std::nullopt;
                if (!continued) {
                    ok = false;
                    break;
                }
                part = *continued;
                q = skipSpaces(part, 0);
            }
        }
        if (ok) {
            (*current)[name] = std::move(data);
        }
    }
    return file;
}

bool WineRegistryFile::hasKey(std::string_view path) const {
    const std::string key = canonicalPath(path);
    if (key.empty() || keys_.contains(key)) {
        return true;
    }
    const std::string below = key + '\\';
    const auto next = keys_.lower_bound(below);
    return next != keys_.end() && next->first.starts_with(below);
}

std::vector<std::string> WineRegistryFile::subkeys(std::string_view path) const {
    const std::string key = canonicalPath(path);
    const std::string below = key.empty() ? key : key + '\\';
    std::set<std::string> names;
    for (auto next = keys_.lower_bound(below);
         next != keys_.end() && next->first.starts_with(below); ++next) {
        const std::string_view rest = std::string_view(next->first).substr(below.size());
        if (!rest.empty()) {
            names.emplace(rest.substr(0, rest.find('\\')));
        }
    }
    return {names.begin(), names.end()};
}

const WineRegistryData* WineRegistryFile::findValue(std::string_view path,
                                                    std::string_view name) const {
    const auto key = keys_.find(canonicalPath(path));
    if (key == keys_.end()) {
        return nullptr;
    }
    const auto value = key->second.find(foldCase(name));
    return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace orvendel
