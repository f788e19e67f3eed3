// What the effects share: their parameters as one drawing area, and the rules for the step.
#pragma once

#include "saver/transition_engine.h"

#include <algorithm>
#include <vector>

struct EffectArea {
    CTransitionEngine& engine;
    HDC src;
    int srcX;
    int srcY;
    HDC dst;
    int dstX;
    int dstY;
    int width;
    int height;

    // The rectangle (x, y, w, h) of the source onto the same place of the target.
    BOOL copy(int x, int y, int w, int h) const {
        return engine.Blit(dst, dstX + x, dstY + y, w, h, src, srcX + x, srcY + y);
    }
    // Onto target (x, y) from source (fromX, fromY), both relative to their origins.
    BOOL copy_from(int x, int y, int w, int h, int fromX, int fromY) const {
        return engine.Blit(dst, dstX + x, dstY + y, w, h, src, srcX + fromX, srcY + fromY);
    }
    // The band effects offset only the target.
    BOOL copy_band(int x, int y, int w, int h) const {
        return engine.Blit(dst, dstX + x, dstY + y, w, h, src, x, y);
    }
    BOOL copy_all() const { return copy(0, 0, width, height); }
    // Each rectangle (target coordinates) from the same place of the source, drawn as one.
    BOOL copy_each(const std::vector<RECT>& rects) const {
        return engine.BlitEach(dst, rects, src, srcX - dstX, srcY - dstY);
    }
};

// A step of 0 (or below) would divide by zero or never advance; it counts as the floor.
inline int step_at_least(int step, int floor) {
    return std::max(step, floor);
}

// Seeds the C library generator with the platform clock's calendar time in seconds, so that
// runs under the virtual clock repeat.
void seed_random_from_clock();
