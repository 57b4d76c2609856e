// SPDX-License-Identifier: MIT
#include "settingsfile/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvendel {
namespace {

using Fields = std::vector<std::string>;

Fields fieldsOf(std::string_view text) {
    FieldReader reader(text);
    Fields out;
    while (auto field = reader.next())
        out.emplace_back(field->text);
    return out;
}

TEST(FieldReader, SplitsEveryFormOfCommaSeparatedText) {
    const Fields settings = {"Version", "G", "CTAngleMin", "40"};
    const struct {
        const char* name;
        std::string text;
        Fields fields;
    } rows[] = {
        {"CR LF", "\"Version\",\"G\"\r\n\"CTAngleMin\",40\r\n", settings},
        {"one line", "\"Version\",\"G\",\"CTAngleMin\",40", settings},
        {"one per line", "\"Version\"\n\"G\"\r\n\"CTAngleMin\"\r40", settings},
        {"blank lines",
         "\r\n\r\na,b\r\n  \r\n\n\rc,d\r\n\r\n",
         {"", "", "a", "b", "", "", "", "c", "d", ""}},
        {"empty", "", {}},
        {"only blanks", " \r\n\t\n", {"", ""}},
        {"only blanks, no line end", " \t ", {}},
        {"blanks around", "  a  ,\t b\t,  \"c \" , d e ", {"a", "b", "c ", "d e"}},
        {"quoted separators", "\"a,b\",\"c\r\nd\",e", {"a,b", "c\r\nd", "e"}},
        {"empty quoted", "\"\",x", {"", "x"}},
        {"after closing quote", "\"ab\"cd,e", {"ab", "e"}},
        {"unclosed quote", "a,\"b,c\r\nd", {"a", "b,c\r\nd"}},
        {"comma before line end", "a,\r\nb", {"a", "", "b"}},
        {"comma at the end", "a,", {"a", ""}},
        {"quote inside", "a\"b,c", {"a\"b", "c"}},
        {"NUL and high bytes",
         std::string("a\0b,\xFF\xFE\r\n\"\0\"", 12),
         {std::string("a\0b", 3), "\xFF\xFE", std::string("\0", 1)}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(fieldsOf(row.text), row.fields) << row.name;
}

TEST(FieldReader, KeepsWhatFollowsAClosingQuotationMarkApartWithoutItsBlanks) {
    const struct {
        std::string text;
        std::vector<std::string> afterQuote;
    } rows[] = {
        {"\"5\"x,\"6\"", {"x", ""}},
        {"\"5\" \t,6 x", {"", ""}},
        {"\"a\" b c \r\n\"d\"\"e\"", {"b c", "\"e\""}},
    };
    for (const auto& row : rows) {
        FieldReader reader(row.text);
        std::vector<std::string> after;
        while (auto field = reader.next())
            after.emplace_back(field->afterQuote);
        EXPECT_EQ(after, row.afterQuote) << row.text;
    }
}

TEST(FieldReader, FieldsKnowTheirLineAndWhetherTheyWereQuotedEmptyLinesOrCut) {
    // Columns: line, quoted, empty line, cut.
    using Flags = std::vector<std::string>;
    const struct {
        std::string text;
        Flags flags;
    } rows[] = {
        {"a,\"b\"\r\nc\r\rd,\"e\nf\"\ng", {"1...", "1q..", "2...", "3.e.", "4...", "4q..", "6..."}},
        {" \r\n,\r\n\t", {"1.e.", "2...", "2..."}},
        {"a,", {"1...", "1..c"}},
        {"a,\"b,\r\nc", {"1...", "1q.c"}},
    };
    for (const auto& row : rows) {
        FieldReader reader(row.text);
        Flags flags;
        while (auto field = reader.next()) {
            flags.push_back(std::to_string(field->line) + (field->quoted ? "q" : ".") +
                            (field->emptyLine ? "e" : ".") + (field->cut ? "c" : "."));
        }
        EXPECT_EQ(flags, row.flags) << row.text;
        EXPECT_FALSE(reader.next().has_value()) << "stays at the end";
    }
}

}  // namespace
}  // namespace orvendel
