// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvendel {

// Converts UTF-16 little-endian bytes to UTF-8. An odd trailing byte is dropped, as the
// Windows conversion of a byte count to characters does; unpaired surrogates become '?'.
std::string utf16leToUtf8(std::string_view bytes);

// Converts UTF-8 text to UTF-16 little-endian bytes. Malformed sequences become '?'.
std::string utf8ToUtf16le(std::string_view text);

// Appends the UTF-8 form of one code point (at most U+10FFFF; larger values become '?').
void appendUtf8(std::string& out, char32_t codePoint);

// Appends one UTF-16 code unit as two little-endian bytes.
void appendUtf16le(std::string& out, std::uint16_t unit);

// Returns the text with ASCII letters in lower case; other bytes are kept.
std::string asciiLower(std::string_view text);

// Returns whether two texts are equal when ASCII letters are compared without regard to case.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Returns Unicode's simple case folding of one code point (the C and S mappings of
// CaseFolding.txt): 'É' gives 'é', 'K' (Kelvin) gives 'k'; a code point without one is kept.
char32_t foldCase(char32_t codePoint);

// Returns UTF-8 text with every code point folded as above; bytes that are not well-formed
// UTF-8 are kept as they are.
std::string foldCase(std::string_view text);

// Returns whether two UTF-8 texts are equal after simple case folding. Wine compares registry
// and file names by Unicode case; full folding ("ß" against "SS") is not done.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Returns the text without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

}  // namespace orvendel
