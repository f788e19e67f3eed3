// The RTF reader of the rich edit control: text, paragraphs, escapes, skipped destinations and
// the attributes the about texts use.
#include "controls/rich_text.h"

#include <gtest/gtest.h>

namespace {

using lv::controls::kAutoColour;
using lv::controls::read_rtf;

struct TextCase {
    const char* rtf;
    const char* text;
};

TEST(RtfReader, YieldsThePlainTextOfEachCase) {
    const TextCase cases[] = {
        {R"({\rtf1\ansi Hello\par World})", "Hello\r\nWorld"},
        {R"({\rtf1{\fonttbl{\f0\fswiss Tahoma;}}\f0 Text})", "Text"},
        {R"({\rtf1{\colortbl;\red255\green0\blue0;}Red})", "Red"},
        {R"({\rtf1 a\\b\{c\}})", "a\\b{c}"},
        {R"({\rtf1 caf\'e9})", "caf\xC3\xA9"},       // Latin-1 byte
        {R"({\rtf1 \'e3\'81\'82})", "\xE3\x81\x82"}, // UTF-8 bytes stay
        {R"({\rtf1 x\u8364?y})", "x\xE2\x82\xACy"},  // stand-in skipped
        {R"({\rtf1\uc0 x\u8364 y})", "x\xE2\x82\xACy"},
        {R"({\rtf1{\*\generator Writer;}{\*\unknown dest}Body})", "Body"},
        {R"({\rtf1{\info{\title T}}Body})", "Body"},
        {"{\\rtf1 one\r\ntwo}", "onetwo"}, // raw breaks are not text
        {R"({\rtf1 A\line B})", "A\r\nB"},
        {R"({\rtf1 A\tab B})", "A\tB"},
        {"{\\rtf1\\uc0 a\\u10 b\\'0d\\u0 c\x07"
         "d}",
         "abcd"},                                        // controls are not text
        {R"({\rtf1\uc0 a\u9999999 b\u56000 c})", "abc"}, // no such character, a lone surrogate
        {R"({\rtf1 {\b bold} plain})", "bold plain"},
        {R"({\rtf1 unclosed {group)", "unclosed group"},
        {R"({\rtf1 done} after)", "done"},
        {R"({\rtf1 \'4)", ""}, // cut escape
        {R"({\rtf1 \)", ""},
        {"Plain\r\nlines\nhere", "Plain\r\nlines\r\nhere"}, // not RTF: plain text
        {"Soft\r\r\nbreak\r\rtwo", "Soft\r\nbreak\r\n\r\ntwo"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read_rtf(c.rtf).plain_text(), c.text) << c.rtf;
}

TEST(RtfReader, KeepsBoldColourAndSizeOfEachRun) {
    const auto doc = read_rtf(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                              R"(\fs32\b Title\b0\par \cf1 red {\cf2\b blue} \plain back})");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, "Title");
    EXPECT_TRUE(doc.paragraphs[0].runs[0].bold);
    EXPECT_EQ(doc.paragraphs[0].runs[0].half_points, 32);
    const auto& runs = doc.paragraphs[1].runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].text, "red ");
    EXPECT_EQ(runs[0].colour, 0x0000FFu);
    EXPECT_FALSE(runs[0].bold);
    EXPECT_EQ(runs[1].text, "blue");
    EXPECT_EQ(runs[1].colour, 0xFF0000u);
    EXPECT_TRUE(runs[1].bold);
    EXPECT_EQ(runs[2].text, " ");
    EXPECT_EQ(runs[2].colour, 0x0000FFu); // the group's colour ended with it
    EXPECT_EQ(runs[3].text, "back");
    EXPECT_EQ(runs[3].colour, kAutoColour);
    EXPECT_EQ(runs[3].half_points, 0);
}

TEST(RtfReader, ColourIndexOutsideTheTableIsTheControlsColour) {
    const auto doc = read_rtf(R"({\rtf1{\colortbl;\red1\green2\blue3;}\cf0 a\cf9 b\cf-4 c})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].colour, kAutoColour);
}

TEST(RtfReader, DeepNestingAndOverlongWordsStayBounded) {
    std::string deep = "{\\rtf1 ";
    deep += std::string(100000, '{') + "x" + std::string(100000, '}') + " y}";
    EXPECT_EQ(read_rtf(deep).plain_text(), "x y");
    std::string word = "{\\rtf1 \\" + std::string(5000, 'q') + "99999999999999 z}";
    EXPECT_EQ(read_rtf(word).plain_text(), "z");
}

} // namespace
