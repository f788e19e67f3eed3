// Texts fitted into the theme file's fixed fields: cut to the field less its NUL, never inside
// a character.
#include "saver/text_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFields, LongTextsAreCutWhereNoCharacterIsSplit) {
    struct Case {
        const char* text;
        int field;
        const char* expected;
    };
    const Case cases[] = {
        {"1.0", 4, "1.0"},     {"1.05", 4, "1.0"}, {"", 3, ""},
        {"abc", 1, ""},        {"abc", 0, ""},     {"順番です", 7, "順番"},
        {"順番です", 6, "順"}, {"a順", 5, "a順"},  {"a順", 4, "a"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FitTextField(c.text, c.field), c.expected) << c.text << " in " << c.field;
}

} // namespace
