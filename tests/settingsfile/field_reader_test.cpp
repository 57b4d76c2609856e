#include "settingsfile/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvendel {
namespace {

std::vector<std::string> fieldsOf(std::string_view text) {
    FieldReader reader(text);
    std::vector<std::string> out;
    while (auto field = reader.next()) {
        out.emplace_back(field->text);
    }
    return out;
}

using Fields = std::vector<std::string>;

TEST(FieldReader, CommasAndEveryKindOfLineEndSeparateFields) {
    const Fields expected = {"Version", "G", "CTAngleMin", "40", "CTAngleMax", "89"};
    EXPECT_EQ(fieldsOf("\"Version\",\"G\"\r\n\"CTAngleMin\",40\r\n\"CTAngleMax\",89\r\n"),
              expected);
    EXPECT_EQ(fieldsOf("\"Version\",\"G\"\n\"CTAngleMin\",40\n\"CTAngleMax\",89\n"), expected);
    EXPECT_EQ(fieldsOf("\"Version\",\"G\"\r\"CTAngleMin\",40\r\"CTAngleMax\",89\r"), expected);
    EXPECT_EQ(fieldsOf("\"Version\",\"G\",\"CTAngleMin\",40,\"CTAngleMax\",89"), expected);
    EXPECT_EQ(fieldsOf("\"Version\"\n\"G\"\r\n\"CTAngleMin\"\r40\n\"CTAngleMax\"\n89"), expected);
}

TEST(FieldReader, BlankLinesCarryNoField) {
    EXPECT_EQ(fieldsOf("\r\n\r\na,b\r\n  \r\n\n\rc,d\r\n\r\n"), (Fields{"a", "b", "c", "d"}));
    EXPECT_TRUE(fieldsOf("").empty());
    EXPECT_TRUE(fieldsOf(" \r\n\t\n").empty());
}

TEST(FieldReader, BlanksBeforeFieldsAndAfterUnquotedFieldsAreDropped) {
    EXPECT_EQ(fieldsOf("  a  ,\t b\t,  \"c \" , d e "), (Fields{"a", "b", "c ", "d e"}));
}

TEST(FieldReader, QuotedFieldsRunToTheNextQuoteCommasAndLineEndsIncluded) {
    EXPECT_EQ(fieldsOf("\"a,b\",\"c\r\nd\",e"), (Fields{"a,b", "c\r\nd", "e"}));
    EXPECT_EQ(fieldsOf("\"\",x"), (Fields{"", "x"}));
}

TEST(FieldReader, TextAfterAClosingQuoteUpToTheSeparatorIsDropped) {
    EXPECT_EQ(fieldsOf("\"ab\"cd,e"), (Fields{"ab", "e"}));
}

TEST(FieldReader, AnUnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(fieldsOf("a,\"b,c\r\nd"), (Fields{"a", "b,c\r\nd"}));
}

TEST(FieldReader, ACommaBeforeALineEndOrTheEndLeavesAnEmptyField) {
    EXPECT_EQ(fieldsOf("a,\r\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(fieldsOf("a,"), (Fields{"a", ""}));
    EXPECT_EQ(fieldsOf("a,,b"), (Fields{"a", "", "b"}));
}

TEST(FieldReader, QuoteMarksInsideUnquotedFieldsAreOrdinary) {
    EXPECT_EQ(fieldsOf("a\"b,c"), (Fields{"a\"b", "c"}));
}

TEST(FieldReader, NulAndNonAsciiBytesAreOrdinaryCharacters) {
    const std::string text("a\0b,\xFF\xFE\r\n\"\0\"", 12);
    EXPECT_EQ(fieldsOf(text), (Fields{std::string("a\0b", 3), "\xFF\xFE", std::string("\0", 1)}));
}

TEST(FieldReader, FieldsKnowTheLineTheyBeginOn) {
    FieldReader reader("a,b\r\nc\r\rd,\"e\nf\"\ng");
    std::vector<std::size_t> lines;
    while (auto field = reader.next()) {
        lines.push_back(field->line);
    }
    EXPECT_EQ(lines, (std::vector<std::size_t>{1, 1, 2, 4, 4, 6}));
}

TEST(FieldReader, QuotedIsReported) {
    FieldReader reader("\"a\",b");
    EXPECT_TRUE(reader.next()->quoted);
    EXPECT_FALSE(reader.next()->quoted);
    EXPECT_FALSE(reader.next().has_value());
    EXPECT_FALSE(reader.next().has_value()) << "stays at the end";
}

}  // namespace
}  // namespace orvendel
