// SPDX-License-Identifier: MIT
#include "locate/text_encoding.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace orvendel {
namespace {

// Runs of code points that fold by the same distance: first, first + stride, ... up to last.
struct FoldingRun {
    char32_t first;
    char32_t last;
    std::int32_t distance;
    char32_t stride;
};

constexpr FoldingRun kFoldingRuns[] = {
#include "locate/case_folding_table.inc"
};

// The code point that starts at text[i] and its length in bytes, or a length of 0 when the
// bytes there are not well-formed UTF-8.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        valid = (c & 0xC0) == 0x80;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && cp >= kSmallest[length] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    return valid ? std::pair{cp, length} : std::pair{char32_t{0}, std::size_t{0}};
}

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += '?';
    }
}

void appendUtf16le(std::string& out, std::uint16_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

std::string utf16leToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const std::uint16_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            out += '?';
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::string utf8ToUtf16le(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        auto [cp, length] = decodeUtf8(text, i);
        if (length == 0) {
            appendUtf16le(out, '?');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            appendUtf16le(out, static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
            appendUtf16le(out, static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            appendUtf16le(out, static_cast<std::uint16_t>(cp));
        }
        i += length;
    }
    return out;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

char32_t foldCase(char32_t cp) {
    const auto* run = std::upper_bound(
        std::begin(kFoldingRuns), std::end(kFoldingRuns), cp,
        [](char32_t code, const FoldingRun& candidate) { return code < candidate.first; });
    if (run == std::begin(kFoldingRuns)) {
        return cp;
    }
    --run;
    if (cp > run->last || (cp - run->first) % run->stride != 0) {
        return cp;
    }
    return static_cast<char32_t>(static_cast<std::int32_t>(cp) + run->distance);
}

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 0x80) {  // most names are ASCII
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            ++i;
            continue;
        }
        const auto [cp, length] = decodeUtf8(text, i);
        if (length == 0) {
            out += text[i++];
            continue;
        }
        appendUtf8(out, foldCase(cp));
        i += length;
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return foldCase(a) == foldCase(b);
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace orvendel
