// The kernel's string copies and comparisons that the toolkit keeps its names with.
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(StringCalls, CopyKeepsAtMostTheLimitLessOneAndTerminates) {
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(lstrcpynA(out, "Dialog", 8), out);
    EXPECT_STREQ(out, "Dialog");
    EXPECT_EQ(lstrcpynA(out, "a name of sixty characters", 5), out);
    EXPECT_STREQ(out, "a na");
    EXPECT_EQ(lstrcpynA(out, "abc", 1), out);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(lstrcpynA(out, "abc", 0), nullptr);
    EXPECT_EQ(lstrcpynA(nullptr, "abc", 4), nullptr);
    EXPECT_EQ(lstrcpynA(out, nullptr, 4), nullptr);
}

TEST(StringCalls, CompareIgnoresAsciiCase) {
    EXPECT_EQ(lstrcmpiA("GlazeworkPopupMenuWnd", "glazeworkpopupmenuwnd"), 0);
    EXPECT_LT(lstrcmpiA("abc", "ABD"), 0);
    EXPECT_GT(lstrcmpiA("abcd", "ABC"), 0);
    EXPECT_LT(lstrcmpiA("", "a"), 0);
    EXPECT_EQ(lstrcmpiA(nullptr, nullptr), 0);
    EXPECT_LT(lstrcmpiA(nullptr, ""), 0);
}

} // namespace
