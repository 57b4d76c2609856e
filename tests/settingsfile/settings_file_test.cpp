#include "settingsfile/settings_file.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "settingsfile/settings_file_layout.h"

namespace orvendel {
namespace {

using Status = LoadResult::Status;

constexpr std::string_view kBiowareFile =
    "\"Version\",\"G\"\r\n"
    "\"CTAngleMin\",40\r\n"
    "\"CTAngleMax\",89\r\n"
    "\"CTAngleDef\",40\r\n"
    "\"CTAngleDel\",40\r\n"
    "\"CTAngleIns\",89\r\n"
    "\"CTZoomMin\",5\r\n"
    "\"CTZoomMax\",20\r\n"
    "\"CTZoomDef\",20\r\n"
    "\"CTClipDist\",45\r\n"
    "\"CTHeight\",1\r\n"
    "\"DAngleMin\",28\r\n"
    "\"DAngleMax\",89\r\n"
    "\"DAngleDef\",28\r\n"
    "\"DAngleDel\",28\r\n"
    "\"DAngleIns\",89\r\n"
    "\"DZoomDef\",6\r\n"
    "\"DZoomMin\",6\r\n"
    "\"DZoomMax\",6\r\n"
    "\"DClipDist\",45\r\n"
    "\"DHeight\",2\r\n";

// A record whose every field differs from the Bioware values and lies inside every clamp.
CameraSettings distinctRecord() {
    CameraSettings s;
    s.CTAngleMin = 30, s.CTAngleMax = 80, s.CTAngleDef = 50, s.CTAngleDel = 31, s.CTAngleIns = 79;
    s.CTZoomMin = 4, s.CTZoomMax = 25, s.CTZoomDef = 12, s.CTClipDist = 60, s.CTHeight = 1.5f;
    s.DAngleMin = 20, s.DAngleMax = 85, s.DAngleDef = 21, s.DAngleDel = 22, s.DAngleIns = 84;
    s.DZoomMin = 7, s.DZoomMax = 9, s.DZoomDef = 8, s.DClipDist = 70, s.DHeight = 1.8f;
    return s;
}

// A file with the given value texts in file order (lines 2 to 21), CR LF line ends.
std::string fileWithValues(const std::array<std::string, kFieldCount>& values,
                           std::string_view tag = "G") {
    std::string text = "\"Version\",\"" + std::string(tag) + "\"\r\n";
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        text += "\"" + std::string(fieldName(kSettingsFileOrder[i])) + "\"," + values[i] + "\r\n";
    }
    return text;
}

std::array<std::string, kFieldCount> biowareValues() {
    return {"40", "89", "40", "40", "89", "5", "20", "20", "45", "1",
            "28", "89", "28", "28", "89", "6", "6",  "6",  "45", "2"};
}

TEST(FormatSettings, BiowareDefaultsGiveTheKnownFileByteForByte) {
    EXPECT_EQ(formatSettings(kBiowareDefaults), kBiowareFile);
}

TEST(FormatSettings, WritesValuesUnclampedInFileOrder) {
    CameraSettings s = kBiowareDefaults;
    s.DZoomDef = -0.4f;  // line 17
    s.DZoomMin = 31;     // line 18, beyond the clamp
    s.DZoomMax = 1e8f;   // line 19
    s.CTHeight = 2.2f;
    const std::string text = formatSettings(s);
    EXPECT_NE(text.find("\"CTHeight\",2.2\r\n\"DAngleMin\""), std::string::npos);
    EXPECT_NE(text.find("\"DAngleIns\",89\r\n\"DZoomDef\",-0.4\r\n\"DZoomMin\",31\r\n"
                        "\"DZoomMax\",1E+08\r\n\"DClipDist\",45\r\n"),
              std::string::npos);
}

TEST(ParseSettings, TheBiowareFileLoadsExactly) {
    CameraSettings s;
    const LoadResult result = parseSettings(kBiowareFile, s, 0);
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_TRUE(result.message.empty());
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
}

TEST(ParseSettings, SaveThenLoadGivesTheRecordBack) {
    const CameraSettings source = distinctRecord();
    CameraSettings s = kBiowareDefaults;
    ASSERT_EQ(parseSettings(formatSettings(source), s, 0).status, Status::Loaded);
    EXPECT_TRUE(sameBytes(s, source));
}

TEST(ParseSettings, LineEndsAndLayoutDoNotMatter) {
    std::string lf, cr, oneLine;
    for (const char c : kBiowareFile) {
        if (c == '\r') {
            continue;
        }
        lf.push_back(c);
        cr.push_back(c == '\n' ? '\r' : c);
        oneLine.push_back(c == '\n' ? ',' : c);
    }
    oneLine.pop_back();
    for (const std::string& text : {lf, cr, oneLine}) {
        CameraSettings s;
        EXPECT_EQ(parseSettings(text, s, 0).status, Status::Loaded) << text;
        EXPECT_TRUE(sameBytes(s, kBiowareDefaults)) << text;
    }
}

TEST(ParseSettings, KeysAreNeverCompared) {
    std::string misspelt(kBiowareFile);
    misspelt.replace(1, 7, "Versoin");
    CameraSettings s;
    EXPECT_EQ(parseSettings(misspelt, s, 0).status, Status::Loaded);
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));

    // All keys wrong, and two lines exchanged: values go by position.
    std::string text = "x,G\r\n";
    auto values = biowareValues();
    std::swap(values[0], values[8]);  // CTAngleMin 45, CTClipDist 40
    for (const std::string& v : values) {
        text += "\"wrong, key\"," + v + "\r\n";
    }
    s = CameraSettings{};
    EXPECT_EQ(parseSettings(text, s, 0).status, Status::Loaded);
    EXPECT_EQ(s.CTAngleMin, 45);
    EXPECT_EQ(s.CTClipDist, 40);
}

TEST(ParseSettings, AByteOrderMarkFromAnEditorIsHarmless) {
    CameraSettings s;
    EXPECT_EQ(parseSettings("\xEF\xBB\xBF" + std::string(kBiowareFile), s, 0).status,
              Status::Loaded);
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
}

TEST(ParseSettings, OtherWritersNumberFormsAreRead) {
    auto values = biowareValues();
    values[5] = ".4";       // CTZoomMin
    values[6] = "1E+01";    // CTZoomMax
    values[7] = "-.4";      // CTZoomDef, raised to the minimum
    values[8] = " 45.0 ";   // CTClipDist with blanks around
    values[9] = "\"1.5\"";  // CTHeight quoted
    CameraSettings s;
    ASSERT_EQ(parseSettings(fileWithValues(values), s, 0).status, Status::Loaded);
    EXPECT_EQ(s.CTZoomMin, 0.4f);
    EXPECT_EQ(s.CTZoomMax, 10);
    EXPECT_EQ(s.CTZoomDef, 0.4f);
    EXPECT_EQ(s.CTClipDist, 45);
    EXPECT_EQ(s.CTHeight, 1.5f);
}

TEST(ParseSettings, QuotedFieldsMayHoldCommas) {
    std::string text = "\"Ver,sion\",\"G\"\r\n";
    for (const std::string& v : biowareValues()) {
        text += "\"a, b, c\"," + v + "\r\n";
    }
    CameraSettings s;
    EXPECT_EQ(parseSettings(text, s, 0).status, Status::Loaded);
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
}

TEST(ParseSettings, MinimumAboveMaximumIsExchanged) {
    auto values = biowareValues();
    values[0] = "60";  // CTAngleMin
    values[1] = "30";  // CTAngleMax
    values[2] = "10";
    values[3] = "45";
    values[4] = "70";
    CameraSettings s;
    ASSERT_EQ(parseSettings(fileWithValues(values), s, 0).status, Status::Loaded);
    EXPECT_EQ(s.CTAngleMin, 30);
    EXPECT_EQ(s.CTAngleMax, 60);
    EXPECT_EQ(s.CTAngleDef, 30);
    EXPECT_EQ(s.CTAngleDel, 45);
    EXPECT_EQ(s.CTAngleIns, 60);
}

TEST(ParseSettings, EachClampBoundApplies) {
    auto values = biowareValues();
    values[0] = "-120";  // CTAngleMin
    values[1] = "90";    // CTAngleMax
    values[5] = "-5";    // CTZoomMin
    values[6] = "31";    // CTZoomMax
    values[8] = "5";     // CTClipDist
    values[9] = "0.5";   // CTHeight
    values[18] = "400";  // DClipDist
    values[19] = "3";    // DHeight
    CameraSettings s;
    ASSERT_EQ(parseSettings(fileWithValues(values), s, 0).status, Status::Loaded);
    EXPECT_EQ(s.CTAngleMin, -90);
    EXPECT_EQ(s.CTAngleMax, 89);
    EXPECT_EQ(s.CTZoomMin, -1);
    EXPECT_EQ(s.CTZoomMax, 30);
    EXPECT_EQ(s.CTClipDist, 10);
    EXPECT_EQ(s.CTHeight, 1);
    EXPECT_EQ(s.DClipDist, 350);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(s.DHeight), 0x400CCCCDu);
}

TEST(ParseSettings, Revision1RuleRaisesLowZoomsRevision0KeepsThem) {
    auto values = biowareValues();
    values[5] = "2";    // CTZoomMin
    values[6] = "3";    // CTZoomMax
    values[7] = "2.5";  // CTZoomDef
    const std::string text = fileWithValues(values);

    CameraSettings rev1;
    ASSERT_EQ(parseSettings(text, rev1, 1).status, Status::Loaded);
    EXPECT_EQ(rev1.CTZoomMin, 5);
    EXPECT_EQ(rev1.CTZoomMax, 5);
    EXPECT_EQ(rev1.CTZoomDef, 5);

    CameraSettings rev0;
    ASSERT_EQ(parseSettings(text, rev0, 0).status, Status::Loaded);
    EXPECT_EQ(rev0.CTZoomMin, 2);
    EXPECT_EQ(rev0.CTZoomMax, 3);
    EXPECT_EQ(rev0.CTZoomDef, 2.5f);
}

TEST(ParseSettings, AnyTagButCapitalGIsRefusedAndTheRecordOnlyClamped) {
    for (const std::string_view tag : {"g", "H", "G ", "GG", ""}) {
        CameraSettings s = distinctRecord();
        s.CTAngleMax = 120;  // the record's own value, clamped after the refusal
        const LoadResult result = parseSettings(fileWithValues(biowareValues(), tag), s, 1);
        EXPECT_EQ(result.status, Status::UnknownFormat) << tag;
        EXPECT_EQ(result.message, "Filename is in an unknown format.");
        CameraSettings expected = distinctRecord();
        expected.CTAngleMax = 89;
        expected.CTZoomMin = 5;  // revision 1 rule on the record's own values
        expected.DZoomMin = 6;
        EXPECT_TRUE(sameBytes(s, expected)) << "no value of the file is used";
    }
}

TEST(ParseSettings, AFileCutShortChangesNothing) {
    const std::string full = fileWithValues(biowareValues());
    std::size_t cut = 0;
    for (int line = 0; line < 10; ++line) {
        cut = full.find("\r\n", cut) + 2;
    }
    const std::string firstTenLines = full.substr(0, cut);
    const CameraSettings before = distinctRecord();
    CameraSettings s = before;
    const LoadResult result = parseSettings(firstTenLines, s, 0);
    EXPECT_EQ(result.status, Status::Error);
    EXPECT_EQ(result.message,
              "the file ends early after line 10: no value for CTHeight and the fields after it");
    EXPECT_TRUE(sameBytes(s, before));

    // Cut after a key of the last line, and within the first two fields.
    s = before;
    EXPECT_EQ(parseSettings(full.substr(0, full.size() - 2), s, 0).status, Status::Loaded)
        << "\"DHeight\",2 without its line end is complete";
    s = before;
    const LoadResult lastMissing = parseSettings(full.substr(0, full.rfind(',') + 1), s, 0);
    EXPECT_EQ(lastMissing.status, Status::Error) << "empty last value";
    s = before;
    const LoadResult noValue = parseSettings(full.substr(0, full.rfind(',')), s, 0);
    EXPECT_EQ(noValue.status, Status::Error);
    EXPECT_NE(noValue.message.find("no value for DHeight"), std::string::npos) << noValue.message;
    EXPECT_TRUE(sameBytes(s, before));

    for (const std::string_view text : {"", "\r\n", "\"Version\"", "\"Version\",\r\n"}) {
        s = before;
        const LoadResult r = parseSettings(text, s, 0);
        EXPECT_EQ(r.status, text == "\"Version\",\r\n" ? Status::UnknownFormat : Status::Error)
            << text;
        EXPECT_TRUE(sameBytes(s, before)) << text;
    }
}

TEST(ParseSettings, AValueThatIsNotANumberChangesNothing) {
    struct Case {
        std::size_t index;
        std::string value;
        std::string message;
    };
    const std::vector<Case> cases = {
        {3, "forty", "line 5: the value of CTAngleDel, \"forty\", is not a number"},
        {0, "", "line 2: the value of CTAngleMin, \"\", is not a number"},
        {19, "nan", "line 21: the value of DHeight, \"nan\", is not a number"},
        {15, "4,5", "line 17: the value of DZoomDef, \"4\", is not a number"},
        {9, std::string("1\0", 2), "line 11: the value of CTHeight, \"1\\x00\", is not a number"},
        {9, "\xC3\xA9\xFF", "line 11: the value of CTHeight, \"\\xC3\\xA9\\xFF\", is not a number"},
        {6, "1e39",
         "line 8: the value of CTZoomMax, \"1e39\", is beyond the range of a 4-byte "
         "float"},
        {6, std::string(100, '7') + "x",
         "line 8: the value of CTZoomMax, \"" + std::string(40, '7') + "...\", is not a number"},
    };
    for (const Case& c : cases) {
        auto values = biowareValues();
        values[c.index] = c.value;
        if (c.index == 15) {
            values[c.index] = "4.0";  // ',' would shift the fields; see below
        }
        std::string text = fileWithValues(values);
        if (c.index == 15) {
            text.replace(text.find("\"DZoomDef\",4.0"), 14, "\"DZoomDef\",4,5");
        }
        const CameraSettings before = distinctRecord();
        CameraSettings s = before;
        const LoadResult result = parseSettings(text, s, 0);
        EXPECT_EQ(result.status, Status::Error) << c.message;
        if (c.index == 15) {
            // The comma makes "5" the key of the next pair, and the key "DZoomMin" its value.
            EXPECT_EQ(result.message,
                      "line 18: the value of DZoomMin, \"DZoomMin\", is not a number");
        } else {
            EXPECT_EQ(result.message, c.message);
        }
        EXPECT_TRUE(sameBytes(s, before)) << c.message;
    }
}

TEST(ParseSettings, WhatFollowsTheLastValueIsIgnored) {
    std::string text(kBiowareFile);
    text += "\"Extra\",\"not a number\"\r\ngarbage\0\xFF";
    CameraSettings s;
    EXPECT_EQ(parseSettings(text, s, 0).status, Status::Loaded);
    EXPECT_TRUE(sameBytes(s, kBiowareDefaults));
}

TEST(ParseSettings, ArbitraryTextEitherLoadsWholeOrChangesNothing) {
    // Texts made of the characters that matter to the reader, spliced into a good file.
    constexpr char kAlphabet[] = {'"', ',', '\r', '\n', ' ', '\t', '1',    '9', '.',
                                  '-', '+', 'E',  'G',  'g', '\0', '\xFF', 'x'};
    std::mt19937 random(4711);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    const std::string good(kBiowareFile);
    std::uniform_int_distribution<std::size_t> where(0, good.size());
    int loaded = 0, refused = 0, failed = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string text = good;
        const std::size_t at = where(random);
        std::string noise;
        for (std::size_t n = random() % 6; n > 0; --n) {
            noise.push_back(kAlphabet[pick(random)]);
        }
        text.replace(at, random() % 4, noise);
        if (i % 3 == 0) {
            text.resize(where(random) % (text.size() + 1));
        }
        const CameraSettings before = distinctRecord();
        CameraSettings s = before;
        const LoadResult result = parseSettings(text, s, static_cast<std::int16_t>(i % 3 - 1));
        switch (result.status) {
            case Status::Loaded:
                ++loaded;
                break;
            case Status::UnknownFormat:
                ++refused;
                break;
            case Status::Error:
                ++failed;
                EXPECT_TRUE(sameBytes(s, before)) << result.message;
                EXPECT_FALSE(result.message.empty());
                break;
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
    EXPECT_GT(failed, 0);
}

}  // namespace
}  // namespace orvendel
