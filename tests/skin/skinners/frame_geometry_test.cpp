// Frame layout as tables of rectangles: the nine parts for a window size, where elements go
// by their anchoring, and the hit code of every part of a skinned dialog.
#include "skin/skinners/frame_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace frame_geometry;

// The default design: 276 x 160 with a 30-pixel caption row, 10-pixel sides and a 12-pixel
// bottom row; part 0 is 86 wide and part 2 103.
constexpr PartRects kDesign{{
    {0, 0, 86, 30},
    {86, 0, 173, 30},
    {173, 0, 276, 30},
    {0, 30, 10, 148},
    {10, 30, 266, 148},
    {266, 30, 276, 148},
    {0, 148, 10, 160},
    {10, 148, 266, 160},
    {266, 148, 276, 160},
}};

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

TEST(FrameLayout, CornersKeepTheirSizeAndEdgesStretch) {
    struct Case {
        int width, height;
        PartRects expected;
    };
    const Case cases[] = {
        {276, 160, kDesign},
        {400,
         300,
         {{{0, 0, 86, 30},
           {86, 0, 297, 30},
           {297, 0, 400, 30},
           {0, 30, 10, 288},
           {10, 30, 390, 288},
           {390, 30, 400, 288},
           {0, 288, 10, 300},
           {10, 288, 390, 300},
           {390, 288, 400, 300}}}},
        // Narrower than the two top corners: part 2 still starts its own width from the right,
        // over part 0; nothing is clamped.
        {150,
         50,
         {{{0, 0, 86, 30},
           {86, 0, 47, 30},
           {47, 0, 150, 30},
           {0, 30, 10, 38},
           {10, 30, 140, 38},
           {140, 30, 150, 38},
           {0, 38, 10, 50},
           {10, 38, 140, 50},
           {140, 38, 150, 50}}}},
    };
    for (const Case& c : cases) {
        const PartRects laid = LayoutFrameParts(kDesign, c.width, c.height);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(Show(laid[i]), Show(c.expected[i]))
                << c.width << "x" << c.height << " part " << i;
    }
}

TEST(FrameLayout, ElementsFollowTheEdgeTheirAnchorNames) {
    const RECT design{250, 6, 268, 24};
    struct Case {
        std::uint32_t mode;
        RECT expected;
    };
    const Case cases[] = {
        {0, {250, 6, 268, 24}},  {1, {250, 6, 268, 24}}, {2, {250, 46, 268, 64}},
        {3, {250, 6, 268, 24}},  {4, {350, 6, 368, 24}}, {5, {350, 46, 368, 64}},
        {6, {350, 6, 368, 24}},  {7, {250, 6, 268, 24}}, {8, {250, 46, 268, 64}},
        {99, {250, 6, 268, 24}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(AnchorElement(design, c.mode, 100, 40)), Show(c.expected)) << c.mode;
}

TEST(FrameLayout, TextElementsStretchAlongAnAxisAnchoredAtBothEnds) {
    const RECT design{90, 0, 170, 30};
    struct Case {
        TextAnchors anchors;
        RECT expected;
    };
    const Case cases[] = {
        {{false, false, false, false}, {90, 0, 170, 30}},
        {{true, true, false, false}, {90, 0, 170, 30}},
        {{true, true, true, false}, {90, 0, 270, 30}},
        {{false, false, true, false}, {190, 0, 270, 30}},
        {{false, false, false, true}, {90, 40, 170, 70}},
        {{false, true, false, true}, {90, 0, 170, 70}},
        {{true, true, true, true}, {90, 0, 270, 70}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(AnchorTextElement(design, c.anchors, 100, 40)), Show(c.expected))
            << c.anchors.left << c.anchors.top << c.anchors.right << c.anchors.bottom;
}

TEST(FrameLayout, DialogHitCodes) {
    const PartRects parts = LayoutFrameParts(kDesign, 400, 300);
    struct Case {
        POINT at;
        LRESULT fixed;   // neither sizable nor maximised
        LRESULT sizable; // sizable
    };
    const Case cases[] = {
        {{2, 2}, HTCAPTION, HTTOPLEFT},         {{6, 2}, HTCAPTION, HTCAPTION},
        {{40, 20}, HTCAPTION, HTCAPTION},       {{150, 2}, HTCAPTION, HTTOP},
        {{150, 20}, HTCAPTION, HTCAPTION},      {{397, 2}, HTCAPTION, HTTOPRIGHT},
        {{397, 10}, HTCAPTION, HTCAPTION},      {{200, 150}, HTCLIENT, HTCLIENT},
        {{5, 150}, HTNOWHERE, HTLEFT},          {{395, 150}, HTNOWHERE, HTRIGHT},
        {{2, 297}, HTNOWHERE, HTBOTTOMLEFT},    {{2, 290}, HTNOWHERE, HTBOTTOM},
        {{397, 297}, HTNOWHERE, HTBOTTOMRIGHT}, {{397, 290}, HTNOWHERE, HTBOTTOM},
        {{200, 295}, HTNOWHERE, HTBOTTOM},      {{400, 150}, HTNOWHERE, HTNOWHERE},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogHitTest(parts, false, false, c.at), c.fixed) << c.at.x << "," << c.at.y;
        EXPECT_EQ(DialogHitTest(parts, true, false, c.at), c.sizable) << c.at.x << "," << c.at.y;
        EXPECT_EQ(DialogHitTest(parts, true, true, c.at), c.fixed) << c.at.x << "," << c.at.y;
    }
}

} // namespace
