#include "mfc/mfc.h"
#include "system/resources_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

namespace {

TEST(CString, ConstructionAssignmentAndConcatenation) {
    EXPECT_EQ(CString(), "");
    EXPECT_EQ(CString(static_cast<LPCTSTR>(nullptr)), "");
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', 0), "");
    CString s = "Amber";
    s += ' ';
    s += "Tides";
    s += CString("!");
    EXPECT_EQ(s, "Amber Tides!");
    EXPECT_EQ(s.GetLength(), 12);
    EXPECT_EQ("[" + s + "]", "[Amber Tides!]");
    EXPECT_EQ('<' + CString("a") + '>', "<a>");
    s += s;
    EXPECT_EQ(s, "Amber Tides!Amber Tides!");
    s = 'z';
    EXPECT_EQ(s, "z");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(static_cast<LPCTSTR>(s), "");
}

TEST(CString, ComparisonsAreByteWiseAndNoCaseIsAsciiOnly) {
    EXPECT_TRUE(CString("abc") == CString("abc"));
    EXPECT_TRUE("abc" != CString("abd"));
    EXPECT_TRUE(CString("abc") < "abd");
    EXPECT_TRUE("ab" < CString("abc"));
    EXPECT_FALSE(CString("b") < CString("a"));
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_GT(CString("\xC3\xA9").Compare("z"), 0); // bytes compare unsigned
    EXPECT_EQ(CString("Settings").CompareNoCase("SETTINGS"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_NE(CString("\xC3\xA9").CompareNoCase("\xC3\x89"), 0);
}

TEST(CString, LeftRightMidClampTheirArguments) {
    const CString s("abcdef");
    struct Case {
        CString got;
        const char* expected;
    };
    const Case cases[] = {
        {s.Left(2), "ab"},
        {s.Left(0), ""},
        {s.Left(-1), ""},
        {s.Left(99), "abcdef"},
        {s.Right(2), "ef"},
        {s.Right(-5), ""},
        {s.Right(99), "abcdef"},
        {s.Mid(2), "cdef"},
        {s.Mid(6), ""},
        {s.Mid(7), ""},
        {s.Mid(-3), "abcdef"},
        {s.Mid(1, 2), "bc"},
        {s.Mid(4, 99), "ef"},
        {s.Mid(2, -1), ""},
        {s.Mid(-2, 3), "abc"},
        {s.Mid(3, 0x7FFFFFFF), "def"},
        {s.Mid(0x7FFFFFFF, 0x7FFFFFFF), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(CString, FindReverseFindFindOneOf) {
    const CString s("C:\\Windows\\system32\\x.scr");
    struct Case {
        int got;
        int expected;
    };
    const Case cases[] = {
        {s.Find('\\'), 2},
        {s.Find('\\', 3), 10},
        {s.Find('\\', 2), 2},
        {s.Find('q'), -1},
        {s.Find('C', -1), -1},
        {s.Find('r', s.GetLength()), -1},
        {s.Find("system"), 11},
        {s.Find("system", 12), -1},
        {s.Find(""), 0},
        {s.Find("", s.GetLength()), s.GetLength()},
        {s.Find("x", s.GetLength() + 1), -1},
        {s.ReverseFind('\\'), 19},
        {s.ReverseFind('#'), -1},
        {CString("").ReverseFind('a'), -1},
        {CString("mode /p 1234").FindOneOf("/-"), 5},
        {CString("-s /p").FindOneOf("/-"), 0},
        {CString("none").FindOneOf("/-"), -1},
        {CString("none").FindOneOf(""), -1},
        {CString("\xE3\x81\xAE/x").Find('/'), 3},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(CString, CaseTrimReplaceRemoveInsertDelete) {
    CString s(" /S 1234\t\r\n");
    EXPECT_EQ(s.MakeLower(), " /s 1234\t\r\n");
    EXPECT_EQ(s.Trim(), "/s 1234");
    EXPECT_EQ(CString("\xC3\x89t\xC3\xA9").MakeUpper(), "\xC3\x89T\xC3\xA9"); // ASCII only
    EXPECT_EQ(CString("xxabcxx").TrimLeft('x'), "abcxx");
    EXPECT_EQ(CString("xxabcxx").TrimRight('x'), "xxabc");
    EXPECT_EQ(CString("\\\\path\\\\").Trim("\\"), "path");
    EXPECT_EQ(CString("   ").TrimRight(), "");
    EXPECT_EQ(CString("a\\").TrimRight(""), "a\\");

    CString r("a.b.c");
    EXPECT_EQ(r.Replace('.', '/'), 2);
    EXPECT_EQ(r, "a/b/c");
    CString t("aaaa");
    EXPECT_EQ(t.Replace("aa", "a"), 2);
    EXPECT_EQ(t, "aa");
    EXPECT_EQ(t.Replace("", "x"), 0);
    EXPECT_EQ(t.Replace("a", nullptr), 2);
    EXPECT_EQ(t, "");
    CString path("%s\\_qjv_%s_work");
    EXPECT_EQ(path.Replace("%s", "<dir>"), 2);
    EXPECT_EQ(path, "<dir>\\_qjv_<dir>_work");

    CString u("banana");
    EXPECT_EQ(u.Remove('a'), 3);
    EXPECT_EQ(u, "bnn");
    EXPECT_EQ(u.Insert(1, 'X'), 4);
    EXPECT_EQ(u.Insert(-5, "<"), 5);
    EXPECT_EQ(u.Insert(99, ">"), 6);
    EXPECT_EQ(u, "<bXnn>");
    EXPECT_EQ(u.Delete(1), 5);
    EXPECT_EQ(u.Delete(2, 99), 2);
    EXPECT_EQ(u.Delete(9, 1), 2);
    EXPECT_EQ(u.Delete(0, -1), 2);
    EXPECT_EQ(u, "<X");
}

TEST(CString, GetAtSetAtAndIndexing) {
    CString s("abc");
    EXPECT_EQ(s.GetAt(0), 'a');
    EXPECT_EQ(s[2], 'c');
    EXPECT_EQ(s.GetAt(3), '\0');
    s.SetAt(1, 'X');
    EXPECT_EQ(s, "aXc");
    EXPECT_DEATH(s.GetAt(4), "index 4 outside");
    EXPECT_DEATH(s.SetAt(3, 'y'), "index 3 outside");
    EXPECT_DEATH(s.GetAt(-1), "index -1 outside");
}

TEST(CString, FormatHasPrintfSemantics) {
    CString s;
    s.Format("%s\\_qjv_%s_work", CString("C:\\Saver"), "Amber");
    EXPECT_EQ(s, "C:\\Saver\\_qjv_Amber_work");
    s.Format("Utility Class Error in %s (%d)", "GetRegString", 2);
    EXPECT_EQ(s, "Utility Class Error in GetRegString (2)");
    s.Format("%05.1f|%-4d|%x|%c|%%", 3.14159, 7, 255, 'q');
    EXPECT_EQ(s, "003.1|7   |ff|q|%");
    s.Format("");
    EXPECT_EQ(s, "");
    const std::string long_text(5000, 'y');
    s.Format("<%s>", long_text.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.AppendFormat(" %d", 42);
    EXPECT_EQ(s.Right(3), " 42");
    char array[8] = "arr";
    s.Format("%s", array);
    EXPECT_EQ(s, "arr");
    s.Format("%s", s); // the argument is read before the text is replaced
    EXPECT_EQ(s, "arr");
}

TEST(CString, GetBufferAndReleaseBuffer) {
    CString s("keep");
    char* buffer = s.GetBuffer(260);
    EXPECT_STREQ(buffer, "keep");
    std::strcpy(buffer, "C:\\WINDOWS\\system32");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "C:\\WINDOWS\\system32");
    EXPECT_EQ(s.GetLength(), 19);

    buffer = s.GetBuffer(4);
    buffer[0] = 'D';
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "D:");

    buffer = s.GetBufferSetLength(5);
    std::memcpy(buffer, "hello", 5);
    EXPECT_EQ(s.GetLength(), 5);
    s.ReleaseBuffer(99); // more than the buffer: keeps what is there
    EXPECT_EQ(s, "hello");

    CString empty;
    empty.GetBuffer(0)[0] = '\0';
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

class CStringResources : public ::testing::Test {
protected:
    static constexpr lv::resources::StringEntry kEnglish[] = {
        {128, "Amber Tides", 11},
        {200, "%d pictures in %s", 17},
    };
    static constexpr lv::resources::StringTable kTables[] = {
        {lv::resources::Language::English, kEnglish, std::size(kEnglish)}};
    static constexpr lv::resources::ResourceTable kTable = {kTables, 1, nullptr, 0};
    lv::resources::TableRegistration m_registration{kTable};
};

TEST_F(CStringResources, LoadStringAndResourceConstruction) {
    CString s("unchanged");
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_EQ(s, "unchanged");
    EXPECT_TRUE(s.LoadString(128));
    EXPECT_EQ(s, "Amber Tides");
    EXPECT_EQ(CString(MAKEINTRESOURCE(128)), "Amber Tides");
    s.Format(200u, 3, CString("Amber"));
    EXPECT_EQ(s, "3 pictures in Amber");
}

} // namespace
