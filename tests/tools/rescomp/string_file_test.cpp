#include "manifest.h"
#include "string_file.h"

#include <gtest/gtest.h>

namespace {

using rescomp::parse_string_file;

TEST(StringFile, ReadsIdsTextsAndEscapes) {
    const std::string content = "\xEF\xBB\xBF# comment\r\n"
                                "128\tAmber Tides\r\n"
                                "\n"
                                "130\tline\\none\\ttab\\\\slash\n"
                                "131\t\n"
                                "132\t\xED\x98\xB8\xEB\xB0\x95 \\ttab"; // no final line break
    const auto entries = parse_string_file(content, "en.txt");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].id, 128u);
    EXPECT_EQ(entries[0].text, "Amber Tides");
    EXPECT_EQ(entries[1].text, "line\none\ttab\\slash");
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_EQ(entries[2].text, "");
    EXPECT_EQ(entries[3].text, "\xED\x98\xB8\xEB\xB0\x95 \ttab");
}

TEST(StringFile, MalformedLinesNameTheirPlace) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"128 no tab", "expected <id><TAB><text>"},
        {"\ttext", "is not a number"},
        {"12a\ttext", "is not a number"},
        {"-1\ttext", "is not a number"},
        {"65536\ttext", "is not a number"},
        {"128\tbad \\q escape", "unknown escape \\q"},
        {"128\ttrailing \\", "backslash at the end"},
        {"128\t\xC0\x80 overlong", "not UTF-8"},
        {"128\t\x80 lone continuation", "not UTF-8"},
        {"128\tcut \xE3\x81", "not UTF-8"},
        {"128\t\xED\xA0\x80 surrogate", "not UTF-8"},
        {"128\t\xF4\x90\x80\x80 beyond U+10FFFF", "not UTF-8"},
    };
    for (const Case& c : cases) {
        try {
            parse_string_file(std::string("1\tfine\n") + c.line + "\n", "ja.txt");
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const rescomp::CompileError& error) {
            const std::string what = error.what();
            EXPECT_EQ(what.rfind("ja.txt:2: ", 0), 0u) << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << what;
        }
    }
}

} // namespace
