// The show's fixed rules: intervals, the fade's alphas, the end-of-track poll, the
// transition order, the input rules and the password question.
#include "saver/slide_show_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(SlideShowRules, SlideIntervalIsThePictureTimeInMillisecondsAndOneSecondForZero) {
    EXPECT_EQ(SlideIntervalMs(0), 1000u);
    EXPECT_EQ(SlideIntervalMs(1), 1000u);
    EXPECT_EQ(SlideIntervalMs(6), 6000u);
    EXPECT_EQ(SlideIntervalMs(-3), 1000u);
    // No wrap-around into a short interval.
    EXPECT_EQ(SlideIntervalMs(0x7FFFFFFF), 0x7FFFFFFFu);
}

TEST(SlideShowRules, TheFadeDraws123TicksRisingFrom10To255) {
    int step = 0;
    int total = 0;
    std::vector<int> alphas;
    BYTE alpha = 0;
    while (AdvanceFade(step, total, alpha)) {
        alphas.push_back(alpha);
        ASSERT_LT(alphas.size(), 1000u);
    }
    ASSERT_EQ(alphas.size(), 123u);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(alphas[i], 10) << i;
    EXPECT_EQ(alphas[24], 11);
    EXPECT_EQ(alphas.back(), 255);
    // Rising steps that grow by one every 25 ticks.
    EXPECT_EQ(alphas[49] - alphas[48], 2);
    EXPECT_EQ(alphas[74] - alphas[73], 3);
    for (size_t i = 1; i < alphas.size(); ++i)
        EXPECT_GE(alphas[i], alphas[i - 1]);
    EXPECT_EQ(total, 0);
}

TEST(SlideShowRules, TrackEndsWhenWholeSecondsOfPositionReachTheLength) {
    struct Case {
        int position, length;
        bool ended;
    };
    const Case cases[] = {
        {0, 0, false},       // nothing open
        {500, 900, false},   // shorter than a second: the poll never sees an end
        {2999, 3000, false}, // 2 of 3 seconds
        {3000, 3000, true},     {3999, 3500, true}, // whole seconds: 3 of 3
        {250000, 250000, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrackHasEnded(c.position, c.length), c.ended) << c.position << "/" << c.length;

    EXPECT_TRUE(ShouldPlayNextTrack(0, 2, false));
    EXPECT_FALSE(ShouldPlayNextTrack(1, 2, false));
    EXPECT_TRUE(ShouldPlayNextTrack(1, 2, true));
    EXPECT_FALSE(ShouldPlayNextTrack(0, 1, false));
    EXPECT_TRUE(ShouldPlayNextTrack(0, 1, true));
    EXPECT_EQ(FollowingTrack(0, 2), 1);
    EXPECT_EQ(FollowingTrack(1, 2), 0);
    EXPECT_EQ(FollowingTrack(0, 1), 0);
}

TEST(SlideShowRules, EnabledTransitionsRunInListOrderAndRepeat) {
    const std::vector<int> enabled = {2, 7, 20};
    int counter = 0;
    std::vector<int> ids;
    for (int i = 0; i < 7; ++i)
        ids.push_back(NextTransitionId(counter, enabled));
    EXPECT_EQ(ids, (std::vector<int>{3, 8, 21, 3, 8, 21, 3}));

    int none = 0;
    EXPECT_EQ(NextTransitionId(none, {}), 0);
    EXPECT_EQ(NextTransitionId(none, {}), 0);
    // A list that shrank under the counter starts over.
    int beyond = 5;
    EXPECT_EQ(NextTransitionId(beyond, enabled), 3);
}

TEST(SlideShowRules, MouseMovementOfSixPixelsFromTheFirstPositionEnds) {
    MouseMoveRule rule;
    EXPECT_FALSE(rule.EndsSaver({100, 100}, false)); // the first move only records
    EXPECT_FALSE(rule.EndsSaver({103, 102}, false)); // 5
    EXPECT_FALSE(rule.EndsSaver({95, 100}, false));  // 5
    EXPECT_TRUE(rule.EndsSaver({103, 103}, false));  // 6
    EXPECT_TRUE(rule.EndsSaver({97, 97}, false));    // 6 the other way
    EXPECT_FALSE(rule.EndsSaver({200, 200}, true));  // disabled
    rule.Forget();
    EXPECT_FALSE(rule.EndsSaver({200, 200}, false));
}

TEST(SlideShowRules, ClickNudgesTheCursorSoThatAFewClicksEnd) {
    // A free cursor: (x0 + 1, y0 - 1).
    EXPECT_EQ(ClickNudgeTarget({10, 10}, {11, 11}).x, 11);
    EXPECT_EQ(ClickNudgeTarget({10, 10}, {11, 11}).y, 9);
    // Held at a corner: (x0 - 1, y0 - 1).
    POINT held = ClickNudgeTarget({10, 10}, {10, 10});
    EXPECT_EQ(held.x, 9);
    EXPECT_EQ(held.y, 9);
    // From rest, each click moves the cursor 2 pixels from the first position in total.
    MouseMoveRule rule;
    POINT cursor{50, 50};
    rule.EndsSaver(cursor, false);
    int clicks = 0;
    bool ended = false;
    while (!ended && clicks < 10) {
        ++clicks;
        POINT nudged{cursor.x + 1, cursor.y + 1};
        ended = rule.EndsSaver(nudged, false);
        cursor = ClickNudgeTarget(cursor, nudged);
        ended = ended || rule.EndsSaver(cursor, false);
    }
    EXPECT_EQ(clicks, 3);
}

TEST(SlideShowRules, PasswordIsAskedOnlyOnTheOlderFamilyAndPassesWhenItCannotBeAsked) {
    for (const char* version : {"XP", "2000", "NT4", "95", "98", "ME"}) {
        ::setenv("LUMIVISTA_WINVER", version, 1);
        // No PASSWORD.CPL here: the older family cannot ask and lets the saver end.
        EXPECT_EQ(VerifyScreenSaverPassword(nullptr), TRUE) << version;
    }
    ::unsetenv("LUMIVISTA_WINVER");
}
