// The paint effects: columns or rows of the new slide run down, up, right or left in random
// pieces of 0 to 9 pixels until every one has crossed the screen.
#include "saver/transition_effects.h"

#include <cstdlib>
#include <vector>

namespace {

// Runs passes over `lanes` painted lengths until none is below `length`, a delay after each
// pass (the last one, which finds nothing to paint, included).
template <typename Paint>
void paint_lanes(CTransitionEngine& engine, int lanes, int length, int delayUnit, Paint paint) {
    std::vector<int> painted(static_cast<std::size_t>(std::max(lanes, 0)), 0);
    seed_random_from_clock();
    bool anyBelow = true;
    while (anyBelow) {
        anyBelow = false;
        for (int lane = 0; lane < lanes; ++lane) {
            int& p = painted[static_cast<std::size_t>(lane)];
            if (p >= length)
                continue;
            anyBelow = true;
            const int piece = std::rand() % 10;
            paint(lane, p, piece);
            p += piece;
        }
        engine.Delay(delayUnit);
    }
}

} // namespace

BOOL CTransitionEngine::DrippingPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                      int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int w = step_at_least(step, 1);
    paint_lanes(*this, width / w + 1, height, delayUnit,
                [&](int lane, int p, int r) { area.copy(lane * w, p, w, r); });
    return TRUE;
}

BOOL CTransitionEngine::RisingPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                    int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int w = step_at_least(step, 1);
    paint_lanes(*this, width / w + 1, height, delayUnit,
                [&](int lane, int p, int r) { area.copy(lane * w, height - p - r, w, r); });
    return TRUE;
}

BOOL CTransitionEngine::DrippingRightPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX,
                                           int dstY, int width, int height, int delayUnit,
                                           int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int h = step_at_least(step, 1);
    paint_lanes(*this, height / h + 1, width, delayUnit,
                [&](int lane, int p, int r) { area.copy(p, lane * h, r, h); });
    return TRUE;
}

BOOL CTransitionEngine::DrippingLeftPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX,
                                          int dstY, int width, int height, int delayUnit,
                                          int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int h = step_at_least(step, 1);
    paint_lanes(*this, height / h + 1, width, delayUnit,
                [&](int lane, int p, int r) { area.copy(width - p - r, lane * h, r, h); });
    return TRUE;
}
