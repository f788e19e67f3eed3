#include "saver/command_line.h"

#include <gtest/gtest.h>

TEST(SaverCommandLine, ModeAndParentTable) {
    struct Case {
        const char* lowered;
        char mode;
        std::uintptr_t parent;
    };
    const Case cases[] = {
        {"", 'C', 0},                 // no switch: settings without a parent
        {"   ", 'C', 0},
        {"/", 'C', 0},                // a switch character with nothing after it
        {"/s", 's', 0},
        {"-s", 's', 0},
        {"/x", 'x', 0},               // any other letter runs the saver too
        {"/c", 'c', 0},
        {"/c:1234", 'c', 0},          // the handle is parsed for p alone
        {"/a 5678", 'a', 0},
        {"/p", 'p', 0},               // nothing behind the switch: full screen
        {"/p 1", 'p', 1},             // longer than switch position + 3
        {"/p 1234", 'p', 1234},
        {"-p 987654", 'p', 987654},
        {"/p x12", 'p', 0},
        {"/p -5", 'p', 0},
        {"/p 99999999999999999999999", 'p', 0}, // does not fit: no parent rather than garbage
        {"c:\\saver.scr /s", 's', 0}, // the first switch character counts
        {"x-y /s", 'y', 0},
        {"/u", 'u', 0},
    };
    for (const Case& c : cases) {
        SaverCommand cmd = ParseSaverCommandLine(c.lowered);
        EXPECT_EQ(cmd.mode, c.mode) << '"' << c.lowered << '"';
        EXPECT_EQ(cmd.parent, c.parent) << '"' << c.lowered << '"';
    }
}
