// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvendel {

// One field of comma-separated text.
struct TextField {
    std::string_view text;  // without the quotation marks of a quoted field
    bool quoted = false;
    std::size_t line = 1;         // 1-based line on which the field begins
    bool emptyLine = false;       // the field is a whole line holding nothing but blanks
    bool cut = false;             // the text ended inside the field: within its quotation marks, or
                                  // right after the comma before it
    std::string_view afterQuote;  // what stands between a quoted field's closing mark and the
                                  // next separator, blanks at either end left out
};

// Splits text into comma-separated fields, the way settings files are read:
// - fields are separated by a comma or by a line end (CR LF, LF or CR), so fields read the same
//   whether they stand on one line or on many; a line holding nothing but blanks is one empty
//   field (emptyLine), and so is each further line end in a row;
// - blanks (spaces and tabs) before a field are skipped;
// - a field that begins with a quotation mark runs to the next quotation mark, commas and line
//   ends included; the marks are not part of the text; what follows the closing mark up to the
//   next separator is not part of it either but kept apart (afterQuote), so that the caller can
//   refuse it; an unclosed quote runs to the end of the text (cut);
// - an unquoted field ends at the next comma or line end, and blanks at its end are dropped;
// - a comma directly before a line end leaves an empty field, and so does one at the end of the
//   text (cut); a line end at the end of the text leaves none.
// Any byte, NUL included, is an ordinary character. The reader keeps a view of the text, which
// must outlive it.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    // Returns the next field, or nothing once the text is used up.
    std::optional<TextField> next();

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    void skipBlanks();
    // Consumes one line end at the cursor (CR LF counts once); false if there is none.
    bool consumeLineEnd();
    // Consumes the text up to the next comma or line end and returns it without the blanks at
    // its end.
    std::string_view restOfField();
    // Consumes the separator after a field: a comma, a line end or the end of the text.
    void consumeSeparator();

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    bool afterComma_ = false;
};

}  // namespace orvendel
