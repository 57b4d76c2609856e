// SPDX-License-Identifier: MIT
#include "settingsfile/settings_file.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace orvendel {
namespace {

// A record whose every field differs from the Bioware values and lies inside every clamp.
constexpr CameraSettings kDistinct = {30, 80, 50, 31, 79, 4, 25, 12, 60, 1.5f,
                                      20, 85, 21, 22, 84, 7, 9,  8,  70, 1.8f};

using Values = std::array<std::string, kFieldCount>;

// The keys and Bioware values in file order (lines 2 to 21).
constexpr std::array<std::string_view, kFieldCount> kKeys = {
    "CTAngleMin", "CTAngleMax", "CTAngleDef", "CTAngleDel", "CTAngleIns", "CTZoomMin", "CTZoomMax",
    "CTZoomDef",  "CTClipDist", "CTHeight",   "DAngleMin",  "DAngleMax",  "DAngleDef", "DAngleDel",
    "DAngleIns",  "DZoomDef",   "DZoomMin",   "DZoomMax",   "DClipDist",  "DHeight"};
Values biowareValues() {
    return {"40", "89", "40", "40", "89", "5", "20", "20", "45", "1",
            "28", "89", "28", "28", "89", "6", "6",  "6",  "45", "2"};
}

// A file with the given value texts in file order, CR LF line ends.
std::string fileWithValues(const Values& values, std::string_view tag = "G") {
    std::string text = "\"Version\",\"" + std::string(tag) + "\"\r\n";
    for (std::size_t i = 0; i < kFieldCount; ++i)
        text += "\"" + std::string(kKeys[i]) + "\"," + values[i] + "\r\n";
    return text;
}

const std::string kBiowareFile = fileWithValues(biowareValues());

TEST(FormatSettings, WritesTheBiowareFileByteForByteAndValuesUnclampedInFileOrder) {
    EXPECT_EQ(formatSettings(kBiowareDefaults), kBiowareFile);
    CameraSettings s = kBiowareDefaults;
    s.DZoomDef = -0.4f;
    s.DZoomMin = 31;  // beyond the clamp
    s.DZoomMax = 1e8f;
    EXPECT_NE(formatSettings(s).find("\"DAngleIns\",89\r\n\"DZoomDef\",-0.4\r\n\"DZoomMin\",31\r\n"
                                     "\"DZoomMax\",1E+08\r\n\"DClipDist\",45\r\n"),
              std::string::npos);
}

// Line ends and quoting are the field reader's; these are the layouts of whole files.
TEST(ParseSettings, EveryLayoutOfTheBiowareFileLoadsExactly) {
    std::string wrongKeys = "\"Ver,sion\",\"G\"\r\n";
    for (const std::string& v : biowareValues())
        wrongKeys += "\"a, b\"," + v + "\r\n";
    const struct {
        const char* name;
        std::string text;
    } rows[] = {
        {"as written", kBiowareFile},
        {"no last line end", kBiowareFile.substr(0, kBiowareFile.size() - 2)},
        {"byte order mark", "\xEF\xBB\xBF" + kBiowareFile},
        {"keys never compared", wrongKeys},
        {"text after the last value", kBiowareFile + "\"Extra\",x\r\ngarbage\xFF"},
    };
    for (const auto& row : rows) {
        CameraSettings s = kDistinct;
        const Result<SettingsFormat> result = parseSettings(row.text, s, 0);
        EXPECT_TRUE(result == SettingsFormat::Known) << row.name << ": " << result.message();
        EXPECT_TRUE(result.message().empty()) << row.name;
        EXPECT_TRUE(sameBytes(s, kBiowareDefaults)) << row.name;
    }
}

TEST(ParseSettings, SavedRecordsAndOtherWritersNumberFormsLoadClampedForTheRevision) {
    CameraSettings s = kBiowareDefaults;
    ASSERT_TRUE(parseSettings(formatSettings(kDistinct), s, 0) == SettingsFormat::Known);
    EXPECT_TRUE(sameBytes(s, kDistinct));

    Values values = biowareValues();
    values[5] = ".4";       // CTZoomMin
    values[6] = "1E+01";    // CTZoomMax
    values[7] = "-.4";      // CTZoomDef, raised to the minimum
    values[8] = " 45.0 ";   // CTClipDist with blanks around
    values[9] = "\"1.5\"";  // CTHeight quoted
    ASSERT_TRUE(parseSettings(fileWithValues(values), s, 0) == SettingsFormat::Known);
    EXPECT_EQ(s.CTZoomMin, 0.4f);
    EXPECT_EQ(s.CTZoomMax, 10);
    EXPECT_EQ(s.CTZoomDef, 0.4f);
    EXPECT_EQ(s.CTClipDist, 45);
    EXPECT_EQ(s.CTHeight, 1.5f);
    // The same file clamped for revision 1 raises the zoom minimum to 5.
    ASSERT_TRUE(parseSettings(fileWithValues(values), s, 1) == SettingsFormat::Known);
    EXPECT_EQ(s.CTZoomMin, 5.0f);
    EXPECT_EQ(s.CTZoomMax, 10.0f);

    // A number too small for a float is the nearest one, here a negative zero.
    values[5] = "-1e-50";
    ASSERT_TRUE(parseSettings(fileWithValues(values), s, 0) == SettingsFormat::Known);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(s.CTZoomMin), 0x80000000u);
}

TEST(ParseSettings, AnyTagButCapitalGIsRefusedAndTheRecordOnlyClamped) {
    std::vector<std::string> texts;
    for (const std::string_view tag : {"g", "H", "G ", "GG", ""})
        texts.push_back(fileWithValues(biowareValues(), tag));
    // An empty first line is an empty field: the key "Version" then stands where the tag does.
    texts.push_back("\r\n" + kBiowareFile);
    EXPECT_EQ(kUnknownFormatMessage, "Filename is in an unknown format.");
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 16));
        CameraSettings s = kDistinct;
        s.CTAngleMax = 120;  // the record's own value, clamped after the refusal
        const Result<SettingsFormat> result = parseSettings(text, s, 1);
        EXPECT_TRUE(result == SettingsFormat::Unknown) << result.message();
        CameraSettings expected = kDistinct;
        expected.CTAngleMax = 89;
        expected.CTZoomMin = 5;  // revision 1 rule on the record's own values
        expected.DZoomMin = 6;
        EXPECT_TRUE(sameBytes(s, expected)) << "no value of the file is used";
    }
}

TEST(ParseSettings, ABrokenFileChangesNothingAndSaysWhere) {
    const std::string full = fileWithValues(biowareValues());
    std::size_t tenLines = 0;
    for (int line = 0; line < 10; ++line)
        tenLines = full.find("\r\n", tenLines) + 2;
    auto withValue = [](std::size_t index, std::string value) {
        Values values = biowareValues();
        values[index] = std::move(value);
        return fileWithValues(values);
    };
    struct Row {
        std::string text;
        std::string message;
    };
    std::vector<Row> rows = {
        {full.substr(0, tenLines),
         "the file ends early after line 10: no value for CTHeight and the fields after it"},
        {full.substr(0, full.rfind(',')),
         "the file ends early after line 20: no value for DHeight"},
        {full.substr(0, full.rfind(',') + 1),
         "the file ends early after line 20: no value for DHeight"},
        {full.substr(0, full.rfind(',') + 1) + "\r\n",
         "line 21: the value of DHeight, \"\", is not a number"},
        {full.substr(0, full.rfind(',')) + "\r\n\r\n",
         "line 22 is empty, so every value after it would land in the wrong field"},
        {"", "the file is empty"},
        // An empty line shifts every field after it: keys would become values.
        {full.substr(0, tenLines) + "\r\n" + full.substr(tenLines),
         "line 11 is empty, so every value after it would land in the wrong field"},
        {withValue(3, "forty"), "line 5: the value of CTAngleDel, \"forty\", is not a number"},
        {withValue(9, std::string("1\0\xC3\xA9\xFF", 5)),
         "line 11: the value of CTHeight, \"1\\x00\\xC3\\xA9\\xFF\", is not a number"},
        {withValue(6, "1e39"),
         "line 8: the value of CTZoomMax, \"1e39\", is beyond the range of a 4-byte float"},
        {withValue(6, std::string(100, '7') + "x"),
         "line 8: the value of CTZoomMax, \"" + std::string(40, '7') + "...\", is not a number"},
        // The comma makes "5" the key of the next pair and the key "DZoomMin" its value.
        {withValue(15, "4,5"), "line 18: the value of DZoomMin, \"DZoomMin\", is not a number"},
        // Only blanks may follow a closing quotation mark.
        {withValue(9, "\"5\"x"),
         "line 11: \"x\" follows the closing quotation mark of the value "
         "of CTHeight"},
        {withValue(9, "\"5\" \t7 "),
         "line 11: \"7\" follows the closing quotation mark of the "
         "value of CTHeight"},
        {"\"Version\",\"G\"?\r\n" + full.substr(full.find('\n') + 1),
         "line 1: \"?\" follows the closing quotation mark of the format tag"},
        {"\"Version\"v,\"G\"\r\n" + full.substr(full.find('\n') + 1),
         "line 1: \"v\" follows the closing quotation mark of the first key"},
        {full.substr(0, tenLines) + "\"CTHeight\"=,1" + full.substr(full.find('\r', tenLines)),
         "line 11: \"=\" follows the closing quotation mark of the key of CTHeight"},
    };
    // Nothing of the file is used before its format tag, not even for the clamps.
    for (const char* text :
         {"\"Version\"", "\"Version\",", "\"Version\",\"G", "\"Vers", "\r\n", " \t "})
        rows.push_back({text, "the file ends early, before its format tag"});
    CameraSettings before = kDistinct;
    before.CTAngleMax = 120;  // so that a clamp would show
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 16));
        CameraSettings s = before;
        const Result<SettingsFormat> result = parseSettings(row.text, s, 0);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.message(), row.message);
        EXPECT_TRUE(sameBytes(s, before));
    }
}

}  // namespace
}  // namespace orvendel
