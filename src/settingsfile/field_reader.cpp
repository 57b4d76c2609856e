// SPDX-License-Identifier: MIT
#include "settingsfile/field_reader.h"

namespace orvendel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

void FieldReader::skipBlanks() {
    while (!atEnd() && isBlank(text_[pos_])) {
        ++pos_;
    }
}

bool FieldReader::consumeLineEnd() {
    if (atEnd() || !isLineEnd(text_[pos_])) {
        return false;
    }
    const char first = text_[pos_++];
    if (first == '\r' && !atEnd() && text_[pos_] == '\n') {
        ++pos_;
    }
    ++line_;
    return true;
}

std::string_view FieldReader::restOfField() {
    const std::size_t start = pos_;
    while (!atEnd() && text_[pos_] != ',' && !isLineEnd(text_[pos_])) {
        ++pos_;
    }
    std::size_t end = pos_;
    while (end > start && isBlank(text_[end - 1])) {
        --end;
    }
    return text_.substr(start, end - start);
}

void FieldReader::consumeSeparator() {
    afterComma_ = false;
    if (atEnd()) {
        return;
    }
    if (text_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
        return;
    }
    consumeLineEnd();
}

std::optional<TextField> FieldReader::next() {
    skipBlanks();
    TextField field;
    field.line = line_;
    if (atEnd()) {
        if (!afterComma_) {
            return std::nullopt;
        }
        afterComma_ = false;
        field.cut = true;
        return field;
    }
    if (!afterComma_ && consumeLineEnd()) {
        // A line end is a separator, so a line without a field is an empty one.
        field.emptyLine = true;
        return field;
    }
    if (text_[pos_] == '"') {
        field.quoted = true;
        const std::size_t start = ++pos_;
        while (!atEnd() && text_[pos_] != '"') {
            if (!consumeLineEnd()) {
                ++pos_;
            }
        }
        field.text = text_.substr(start, pos_ - start);
        if (atEnd()) {
            field.cut = true;
        } else {
            ++pos_;  // the closing mark
        }
        skipBlanks();
        field.afterQuote = restOfField();
    } else {
        field.text = restOfField();
    }
    consumeSeparator();
    return field;
}

}  // namespace orvendel
