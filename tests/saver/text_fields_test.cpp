// Texts fitted into fixed fields and buffers: cut to the bytes there are, never inside a
// character.
#include "saver/text_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFields, LongTextsAreCutWhereNoCharacterIsSplit) {
    struct Case {
        const char* text;
        int bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"1.0", 3, "1.0"},     {"1.05", 3, "1.0"}, {"", 2, ""},
        {"abc", 0, ""},        {"abc", -1, ""},    {"順番です", 6, "順番"},
        {"順番です", 5, "順"}, {"a順", 4, "a順"},  {"a順", 3, "a"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FitTextBytes(c.text, c.bytes), c.expected) << c.text << " in " << c.bytes;
}

} // namespace
