#include "transition_rig.h"

#include "testing/virtual_clock.h"

#include <algorithm>
#include <functional>

using namespace lv::transitions::testing;

namespace {

constexpr int kW = 64;
constexpr int kH = 48;
constexpr int kUnknown = -1; // the random effects

struct EffectCase {
    int id;
    const char* name;
    int delays;
    int nominalMs;
    int screenBlits;
    bool finalCopy;
};

// 64 x 48 with the saver's step 20 and delay unit 1; each delay of t lasts t + 1 ms.
const EffectCase kEffects[] = {
    {0, "plain copy", 0, 0, 1, true},
    {1, "Blinds Vertical", 20, 60, 20 * 3 + 1, true},
    {2, "Blinds Horizontal", 20, 60, 20 * 2 + 1, true},
    {3, "Wipe Right", 4, 8, 5, true},
    {4, "Wipe Left", 4, 8, 5, true},
    {5, "Dripping Paint", kUnknown, kUnknown, kUnknown, false},
    {6, "Rising Paint", kUnknown, kUnknown, kUnknown, false},
    {7, "Dripping Right Paint", kUnknown, kUnknown, kUnknown, false},
    {8, "Dripping Left Paint", kUnknown, kUnknown, kUnknown, false},
    {9, "Dissolve", 3, 6, 4 * 3 * 3 + 1, true},
    {10, "Spiral In", 10, 20, 11, true},
    {11, "Slide Right", 3, 6, 4, true},
    {12, "Slide Left", 3, 6, 4, true},
    {13, "Slide Down", 2, 4, 3, true},
    {14, "Slide Up", 2, 4, 3, true},
    {15, "Expand BottomRight", 3, 6, 4, true},
    {16, "Expand TopRight", 3, 6, 4, true},
    {17, "Outside", 2, 4, 8, false},
    {18, "Inside", 2, 4, 8, false},
    {19, "Both Inside", 3, 33, 4, true},
    {20, "Both Outside", 3, 6, 7, true},
};

bool is_full_copy(const TransitionBlit& blit) {
    return blit.x == 0 && blit.y == 0 && blit.width == kW && blit.height == kH && blit.srcX == 0 &&
           blit.srcY == 0;
}

} // namespace

TEST(TransitionEffects, EachEndsOnTheNewSlideInItsNominalTime) {
    for (const EffectCase& c : kEffects) {
        SCOPED_TRACE(c.name);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        const auto elapsed = rig.run(c.id);

        EXPECT_EQ(pixels_not_new(rig.snapshot()), 0);
        EXPECT_EQ(elapsed, rig.recorder.nominal_ms());
        const auto onScreen = rig.screen_blits();
        ASSERT_FALSE(onScreen.empty());
        EXPECT_EQ(is_full_copy(onScreen.back()), c.finalCopy);
        if (c.delays == kUnknown)
            continue;
        EXPECT_EQ(static_cast<int>(rig.recorder.delays.size()), c.delays);
        EXPECT_EQ(elapsed, static_cast<std::uint64_t>(c.nominalMs));
        EXPECT_EQ(static_cast<int>(onScreen.size()), c.screenBlits);
    }
}

TEST(TransitionEffects, WithoutAFinalCopyNoBlitCoversTheWholeScreen) {
    for (int id : {5, 6, 7, 8, 17, 18}) {
        SCOPED_TRACE(id);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        rig.run(id);
        for (const auto& blit : rig.screen_blits())
            EXPECT_FALSE(is_full_copy(blit));
    }
}

namespace {

using Expected = std::function<COLORREF(int x, int y)>;

Expected new_where(std::function<bool(int, int)> inside) {
    return [inside](int x, int y) { return inside(x, y) ? new_pixel(x, y) : kOldColour; };
}

// The new slide's pixel (x + dx, y + dy) where `inside`, else the old colour.
Expected moved_where(int dx, int dy, std::function<bool(int, int)> inside) {
    return [=](int x, int y) { return inside(x, y) ? new_pixel(x + dx, y + dy) : kOldColour; };
}

struct CoverageCase {
    int id;
    const char* name;
    int atDelay;
    Expected expected;
};

} // namespace

TEST(TransitionEffects, CoverWhatTheyShouldAtEachStep) {
    const CoverageCase cases[] = {
        {1, "blinds vertical, first pass", 1,
         new_where([](int x, int) { return x % 20 == 0 && x < 60; })},
        {2, "blinds horizontal, first pass", 1,
         new_where([](int, int y) { return y == 0 || y == 20; })},
        {3, "wipe right, first strip", 1, new_where([](int x, int) { return x < 20; })},
        {3, "wipe right, third strip", 3, new_where([](int x, int) { return x < 60; })},
        {4, "wipe left, first strip", 1, new_where([](int x, int) { return x >= 44; })},
        {4, "wipe left, strip left of the edge", 4, new_where([](int, int) { return true; })},
        {10, "spiral, first block", 1, new_where([](int x, int y) { return x < 40 && y < 40; })},
        {10, "spiral, right column at W - B", 4,
         new_where([](int x, int y) { return y < 40 || x >= 24; })},
        {11, "slide right, first step", 1, moved_where(44, 0, [](int x, int) { return x < 20; })},
        {11, "slide right, second step", 2, moved_where(24, 0, [](int x, int) { return x < 40; })},
        {12, "slide left", 1, moved_where(-44, 0, [](int x, int) { return x >= 44; })},
        {13, "slide down", 1, moved_where(0, 28, [](int, int y) { return y < 20; })},
        {14, "slide up", 1, moved_where(0, -28, [](int, int y) { return y >= 28; })},
        {15, "expand bottom right, first square", 1,
         moved_where(44, 28, [](int x, int y) { return x < 20 && y < 20; })},
        {15, "expand bottom right, square taller than the screen", 3,
         moved_where(4, 0, [](int x, int) { return x < 60; })},
        {16, "expand top right", 1,
         moved_where(44, -28, [](int x, int y) { return x < 20 && y >= 28; })},
        {17, "outside, centre bands", 1,
         new_where([](int x, int y) { return x >= 20 && x < 60 && y < 40; })},
        {18, "inside, outer outline", 1,
         new_where([](int x, int y) { return y < 20 || y >= 40 || x < 20 || x >= 60; })},
        {19, "both inside, nothing parted yet", 1, new_where([](int, int) { return false; })},
        {19, "both inside, parted by 20", 2,
         new_where([](int x, int) { return x >= 22 && x < 42; })},
        {19, "both inside, parted by 40", 3,
         new_where([](int x, int) { return x >= 12 && x < 52; })},
        {20, "both outside, one column", 1, new_where([](int x, int) { return x < 1; })},
        {20, "both outside, second step", 2,
         new_where([](int x, int) { return x < 11 || x >= 63; })},
        {20, "both outside, third step", 3,
         new_where([](int x, int) { return x < 21 || x >= 53; })},
    };
    for (const CoverageCase& c : cases) {
        SCOPED_TRACE(c.name);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        int mismatches = -1;
        rig.recorder.at_delay = [&](int delay) {
            if (delay != c.atDelay)
                return;
            Snapshot shot = rig.snapshot();
            mismatches = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    mismatches += shot.at(x, y) == c.expected(x, y) ? 0 : 1;
        };
        rig.run(c.id);
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(TransitionEffects, BlindsCopyEveryStepthLineInStepPasses) {
    struct Case {
        int id;
        int width;
        int height;
    };
    // 1024 / 20: 20 passes of 51 lines, then the final copy.
    for (const Case& c : {Case{1, 1024, 2}, Case{2, 2, 1024}}) {
        SCOPED_TRACE(c.id);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(c.width, c.height);
        std::vector<std::size_t> blitsAtDelay;
        rig.recorder.at_delay = [&](int) { blitsAtDelay.push_back(rig.recorder.blits.size()); };
        rig.run(c.id);

        const auto& blits = rig.recorder.blits;
        ASSERT_EQ(blits.size(), 20u * 51u + 1u);
        ASSERT_EQ(blitsAtDelay.size(), 20u);
        for (std::size_t pass = 0; pass < 20; ++pass)
            EXPECT_EQ(blitsAtDelay[pass], (pass + 1) * 51);
        for (int pass = 0; pass < 20; ++pass) {
            for (int k = 0; k < 51; ++k) {
                const auto& blit = blits[static_cast<std::size_t>(pass * 51 + k)];
                const int line = pass + 20 * k;
                if (c.id == 1) {
                    EXPECT_EQ(blit.x, line);
                    EXPECT_EQ(blit.width, 1);
                    EXPECT_EQ(blit.height, c.height);
                } else {
                    EXPECT_EQ(blit.y, line);
                    EXPECT_EQ(blit.height, 1);
                    EXPECT_EQ(blit.width, c.width);
                }
            }
        }
        for (int ms : rig.recorder.delays)
            EXPECT_EQ(ms, 2);
        EXPECT_EQ(blits.back().width, c.width);
        EXPECT_EQ(blits.back().height, c.height);
    }
}

namespace {

// Each lane of a paint effect, walked from the edge it is painted from.
struct PaintCase {
    int id;
    const char* name;
    bool lanesAreColumns;
    bool fromFarEdge;
};

const PaintCase kPaint[] = {
    {5, "dripping", true, false},
    {6, "rising", true, true},
    {7, "dripping right", false, false},
    {8, "dripping left", false, true},
};

// True when every lane shows new pixels up to some point from its edge and old beyond it.
bool lanes_painted_from_edge(const Snapshot& shot, const PaintCase& c) {
    const int lanes = c.lanesAreColumns ? shot.width() : shot.height();
    const int length = c.lanesAreColumns ? shot.height() : shot.width();
    for (int lane = 0; lane < lanes; ++lane) {
        bool reachedOld = false;
        for (int i = 0; i < length; ++i) {
            const int along = c.fromFarEdge ? length - 1 - i : i;
            const int x = c.lanesAreColumns ? lane : along;
            const int y = c.lanesAreColumns ? along : lane;
            if (shot.is_new(x, y)) {
                if (reachedOld)
                    return false;
            } else if (shot.is_old(x, y)) {
                reachedOld = true;
            } else {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(TransitionEffects, PaintRunsFromItsEdgeUntilEveryLaneIsFull) {
    for (const PaintCase& c : kPaint) {
        SCOPED_TRACE(c.name);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        bool painted = true;
        rig.recorder.at_delay = [&](int) {
            painted = painted && lanes_painted_from_edge(rig.snapshot(), c);
        };
        rig.run(c.id);
        EXPECT_TRUE(painted);

        // Lanes 20 wide at 0, 20, 40, ... (one more than fits), each painted in pieces of 0
        // to 9 until it reached the far edge; one pass more finds nothing to paint.
        const int length = c.lanesAreColumns ? kH : kW;
        const std::size_t lanes = static_cast<std::size_t>((c.lanesAreColumns ? kW : kH) / 20 + 1);
        std::vector<int> painted_length(lanes, 0);
        std::vector<int> pieces(lanes, 0);
        for (const auto& blit : rig.screen_blits()) {
            const int start = c.lanesAreColumns ? blit.x : blit.y;
            const int piece = c.lanesAreColumns ? blit.height : blit.width;
            const int across = c.lanesAreColumns ? blit.width : blit.height;
            ASSERT_EQ(start % 20, 0);
            ASSERT_EQ(across, 20);
            ASSERT_GE(piece, 0);
            ASSERT_LE(piece, 9);
            const auto lane = static_cast<std::size_t>(start / 20);
            ASSERT_LT(lane, lanes);
            EXPECT_LT(painted_length[lane], length);
            painted_length[lane] += piece;
            pieces[lane] += 1;
        }
        for (int p : painted_length)
            EXPECT_GE(p, length);
        EXPECT_EQ(static_cast<int>(rig.recorder.delays.size()),
                  *std::max_element(pieces.begin(), pieces.end()) + 1);
    }
}

TEST(TransitionEffects, DissolvePlacesAlignedBlocksThreeTimesTheGrid) {
    lv::testing::VirtualClockScope clock;
    TransitionRig rig(kW, kH);
    rig.run(9);
    const auto blits = rig.screen_blits();
    ASSERT_EQ(blits.size(), 36u + 1u);
    for (std::size_t i = 0; i + 1 < blits.size(); ++i) {
        EXPECT_EQ(blits[i].x % 20, 0);
        EXPECT_EQ(blits[i].y % 20, 0);
        EXPECT_LE(blits[i].x, 60);
        EXPECT_LE(blits[i].y, 40);
        EXPECT_EQ(blits[i].width, 20);
        EXPECT_EQ(blits[i].height, 20);
    }
}

TEST(TransitionEffects, RandomEffectsRepeatUnderTheVirtualClock) {
    for (int id : {5, 6, 7, 8, 9}) {
        SCOPED_TRACE(id);
        std::vector<int> first;
        std::vector<int> second;
        for (auto* log : {&first, &second}) {
            lv::testing::VirtualClockScope clock;
            TransitionRig rig(kW, kH);
            rig.run(id);
            for (const auto& blit : rig.screen_blits()) {
                log->push_back(blit.x);
                log->push_back(blit.y);
                log->push_back(blit.width * 1000 + blit.height);
            }
        }
        EXPECT_EQ(first, second);
    }
}

TEST(TransitionEffects, OutsideLeavesWhatItsBandsMissOld) {
    // On a screen taller than wide the bands stop growing when they reach the sides.
    lv::testing::VirtualClockScope clock;
    TransitionRig rig(48, 100);
    rig.run(17);
    const Snapshot shot = rig.snapshot();
    int wrong = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 48; ++x)
            wrong += (y < 80 ? shot.is_new(x, y) : shot.is_old(x, y)) ? 0 : 1;
    EXPECT_EQ(wrong, 0);
}

TEST(TransitionEffects, BandEffectsOffsetOnlyTheTarget) {
    for (int id : {17, 18}) {
        SCOPED_TRACE(id);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(kW, kH);
        rig.engine.effectId = id;
        rig.engine.SetParams(rig.slide.dc, 5, 7, rig.screen.dc, 3, 2, kW, kH, 1, 20);
        rig.engine.RunEffect();
        for (const auto& blit : rig.screen_blits()) {
            EXPECT_EQ(blit.x, blit.srcX + 3);
            EXPECT_EQ(blit.y, blit.srcY + 2);
        }
    }
}

TEST(TransitionEffects, OtherEffectsOffsetSourceAndTarget) {
    lv::testing::VirtualClockScope clock;
    TransitionRig rig(kW, kH);
    rig.engine.effectId = 3;
    rig.engine.SetParams(rig.slide.dc, 5, 7, rig.screen.dc, 3, 2, kW, kH, 1, 20);
    rig.engine.RunEffect();
    for (const auto& blit : rig.screen_blits()) {
        EXPECT_EQ(blit.x - 3, blit.srcX - 5);
        EXPECT_EQ(blit.y - 2, blit.srcY - 7);
    }
}
