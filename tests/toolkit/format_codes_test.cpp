#include "toolkit/format_codes.h"

#include <gtest/gtest.h>

namespace {

// The text of every run of every line, "|" between runs, "/" between lines.
std::string Shape(const std::vector<FmtLine>& lines) {
    std::string shape;
    for (const FmtLine& line : lines) {
        if (!shape.empty()) shape += '/';
        for (size_t i = 0; i < line.size(); ++i) shape += (i ? "|" : "") + line[i].text;
    }
    return shape;
}

}  // namespace

TEST(FormatCodes, BackslashShowsACodeCharacterAndKeepsItselfBeforeOthers) {
    EXPECT_EQ(Shape(ParseFormatCodes("a\\@9b")), "a@9b");
    EXPECT_EQ(Shape(ParseFormatCodes("\\$\\%\\&\\~")), "$%&~");
    EXPECT_EQ(Shape(ParseFormatCodes("C:\\Korven")), "C:\\Korven");
    EXPECT_EQ(Shape(ParseFormatCodes("C:\\WinKorv\\")), "C:\\WinKorv\\") << "a final backslash is text";
    // A backslash before a backslash is text; the second one then escapes.
    EXPECT_EQ(Shape(ParseFormatCodes("x\\\\@9y")), "x\\@9y");
    // After a backslash and a letter, a code is read as a code.
    auto lines = ParseFormatCodes("\\z@9y");
    EXPECT_EQ(Shape(lines), "\\z|y");
    EXPECT_EQ(lines[0][1].look.color, clRed);
}

TEST(FormatCodes, ColourNumberColoursTheFollowingText) {
    auto lines = ParseFormatCodes("a@9b");
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 2u);
    EXPECT_EQ(lines[0][0].text, "a");
    EXPECT_FALSE(lines[0][0].look.color);
    EXPECT_EQ(lines[0][1].text, "b");
    EXPECT_EQ(lines[0][1].look.color, TColor{0x000000FF});
}

TEST(FormatCodes, BothDigitsOfATrailingColourAreTheNumberAndShowNothing) {
    EXPECT_EQ(Shape(ParseFormatCodes("Korven@12")), "Korven");
    auto lines = ParseFormatCodes("@12x");
    EXPECT_EQ(lines[0][0].look.color, TColor{0x00FF0000}) << "12 is blue, not 1 then the text 2";
    EXPECT_EQ(lines[0][0].text, "x");
}

TEST(FormatCodes, ColourTableEndsAtThirtySix) {
    EXPECT_EQ(FormatColor(0), clBlack);
    EXPECT_EQ(FormatColor(8), TColor{0x00C0C0C0});
    EXPECT_EQ(FormatColor(15), TColor{0x00FFFFFF});
    EXPECT_EQ(FormatColor(16), TColor(0x80000000u));
    EXPECT_EQ(FormatColor(36), TColor(0x80000014u));
    EXPECT_FALSE(FormatColor(37));
    // Past the table, and past any integer: the code is read and ignored.
    EXPECT_EQ(Shape(ParseFormatCodes("a@37b")), "ab");
    EXPECT_FALSE(ParseFormatCodes("a@37b")[0][0].look.color);
    auto huge = ParseFormatCodes("@99999999999999999999z");
    EXPECT_EQ(Shape(huge), "z");
    EXPECT_FALSE(huge[0][0].look.color);
}

TEST(FormatCodes, StylesAndSizes) {
    auto lines = ParseFormatCodes("n$2bold$0plain&14big$7same");
    ASSERT_EQ(Shape(lines), "n|bold|plain|bigsame") << "$7 changes nothing, so starts no run";
    const FmtLine& l = lines[0];
    EXPECT_FALSE(l[0].look.styleCode);
    EXPECT_EQ(l[1].look.styleCode, 2);
    EXPECT_EQ(l[2].look.styleCode, 0);
    EXPECT_EQ(l[3].look.points, 14);
    EXPECT_EQ(l[3].look.styleCode, 0) << "a new run keeps the look so far";
    EXPECT_EQ(ParseFormatCodes("&999999999x")[0][0].look.points, kLargestFormatPoints);
    EXPECT_FALSE(ParseFormatCodes("&0x")[0][0].look.points) << "no font of no size";
}

TEST(FormatCodes, CodesWithoutDigitsAreSkipped) {
    auto lines = ParseFormatCodes("a@b$c&d");
    EXPECT_EQ(Shape(lines), "abcd");
    EXPECT_EQ(lines[0][0].look, FmtAttributes{});
}

TEST(FormatCodes, CodesOnAnEmptyRunChangeThatRun) {
    auto lines = ParseFormatCodes("@15% ver");
    ASSERT_EQ(Shape(lines), " ver");
    EXPECT_EQ(lines[0][0].look.color, clWhite);
    EXPECT_TRUE(lines[0][0].look.shadow);
}

TEST(FormatCodes, ShadowAndBlinkingSwitch) {
    auto lines = ParseFormatCodes("a~b~c%d%e");
    ASSERT_EQ(Shape(lines), "a|b|c|d|e");
    EXPECT_FALSE(lines[0][0].look.blink);
    EXPECT_TRUE(lines[0][1].look.blink);
    EXPECT_FALSE(lines[0][2].look.blink);
    EXPECT_TRUE(lines[0][3].look.shadow);
    EXPECT_FALSE(lines[0][4].look.shadow);
}

TEST(FormatCodes, LinesCarryTheLookOnAndEmptyLinesKeepARun) {
    auto lines = ParseFormatCodes("$2unu\r\rdoi@9\r");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Shape(lines), "unu//doi/");
    EXPECT_EQ(lines[1].size(), 1u);
    EXPECT_EQ(lines[2][0].look.styleCode, 2);
    EXPECT_EQ(lines[2].size(), 1u) << "the empty run the colour left behind is dropped";
    EXPECT_EQ(lines[3][0].look.color, clRed);
    EXPECT_EQ(Shape(ParseFormatCodes("")), "");
}

// Whatever a file name or an error holds comes out of the parser as it went
// in: one plain run per line.
TEST(LiteralFormatText, DataShowsAsItStands) {
    for (const std::string text : {"C:\\R&D\\50%\\$pret@firma~1\\", "\\@ si \\\\& ", "capat\\"}) {
        const auto lines = ParseFormatCodes(LiteralFormatText(text));
        ASSERT_EQ(lines.size(), 1u) << text;
        std::string shown;
        for (const auto& run : lines[0]) {
            EXPECT_EQ(run.look, FmtAttributes{}) << text;
            shown += run.text;
        }
        EXPECT_EQ(shown, text);
    }
}
