// LUMIVISTA_SCREEN parsing.
#include "display/screen_config.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    const char* text;
    bool ok;
    LONG cx;
    LONG cy;
};

class ScreenSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ScreenSize, ParsesWidthByHeight) {
    const SizeCase& c = GetParam();
    SIZE out{7, 7};
    EXPECT_EQ(lv::display::parse_screen_size(c.text, out), c.ok);
    EXPECT_EQ(out.cx, c.ok ? c.cx : 7);
    EXPECT_EQ(out.cy, c.ok ? c.cy : 7);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScreenSize,
    ::testing::Values(SizeCase{"800x600", true, 800, 600}, SizeCase{"1x1", true, 1, 1},
                      SizeCase{"16384x16384", true, 16384, 16384},
                      SizeCase{"16385x10", false, 0, 0}, SizeCase{"0x600", false, 0, 0},
                      SizeCase{"-800x600", false, 0, 0}, SizeCase{"800x", false, 0, 0},
                      SizeCase{"800 x 600", false, 0, 0}, SizeCase{"99999999999x1", false, 0, 0},
                      SizeCase{"", false, 0, 0}));

TEST(ScreenSize, NullIsRejected) {
    SIZE out{};
    EXPECT_FALSE(lv::display::parse_screen_size(nullptr, out));
}

} // namespace
