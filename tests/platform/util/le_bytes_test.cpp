#include "util/le_bytes.h"

#include <gtest/gtest.h>

TEST(LeBytes, RoundTripsFieldsAndFailsPastTheEnd) {
    lv::ByteWriter w;
    w.i32(-2);
    w.u16(0xBEEF);
    w.text("abc", 6);
    ASSERT_EQ(w.size(), 12u);
    EXPECT_EQ(w.buffer()[0], 0xFE);
    EXPECT_EQ(w.buffer()[11], 0);

    lv::ByteReader r(w.buffer());
    std::int32_t i = 0;
    std::uint16_t u = 0;
    std::string s;
    bool terminated = false;
    ASSERT_TRUE(r.i32(i));
    ASSERT_TRUE(r.u16(u));
    ASSERT_TRUE(r.text(s, 6, &terminated));
    EXPECT_EQ(i, -2);
    EXPECT_EQ(u, 0xBEEF);
    EXPECT_EQ(s, "abc");
    EXPECT_TRUE(terminated);
    EXPECT_FALSE(r.u8(*reinterpret_cast<std::uint8_t*>(&u)));
    EXPECT_FALSE(r.ok());
}

TEST(LeBytes, TextFieldsAreCutToTheirSizeAndUnterminatedFieldsAreSeen) {
    lv::ByteWriter w;
    w.text("abcdefgh", 4);
    w.bytes("wxyz", 4);
    lv::ByteReader r(w.buffer());
    std::string s;
    bool terminated = true;
    ASSERT_TRUE(r.text(s, 4, &terminated));
    EXPECT_EQ(s, "abc");
    ASSERT_TRUE(r.text(s, 4, &terminated));
    EXPECT_EQ(s, "wxyz");
    EXPECT_FALSE(terminated);
}

TEST(LeBytes, HugeCountsDoNotOverflowTheBoundsCheck) {
    std::vector<std::uint8_t> data(8, 0);
    lv::ByteReader r(data);
    ASSERT_TRUE(r.skip(4));
    EXPECT_FALSE(r.skip(SIZE_MAX));
    EXPECT_FALSE(r.ok());
}
