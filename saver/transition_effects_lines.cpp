// Blinds and wipes: the new slide arrives in one-pixel lines or in strips of the step's width.
#include "saver/transition_effects.h"

#include <vector>

// The lines of one pass are drawn as one copy, row by row, rather than one line at a time
// down the whole screen.
BOOL CTransitionEngine::BlindsVertical(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                       int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int passes = step_at_least(step, 2);
    const int perPass = width / passes;
    std::vector<RECT> lines;
    for (int pass = 0; pass < passes; ++pass) {
        lines.clear();
        for (int k = 0; k < perPass; ++k) {
            const int x = dstX + pass + k * passes;
            lines.push_back(RECT{x, dstY, x + 1, dstY + height});
        }
        area.copy_each(lines);
        Delay(2 * delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::BlindsHorizontal(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX,
                                         int dstY, int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int passes = step_at_least(step, 2);
    const int perPass = height / passes;
    std::vector<RECT> lines;
    for (int pass = 0; pass < passes; ++pass) {
        lines.clear();
        for (int k = 0; k < perPass; ++k) {
            const int y = dstY + pass + k * passes;
            lines.push_back(RECT{dstX, y, dstX + width, y + 1});
        }
        area.copy_each(lines);
        Delay(2 * delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::WipeRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                  int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int strip = step_at_least(step, 1);
    for (int x = 0; x < width; x += strip) {
        area.copy(x, 0, strip, height);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::WipeLeft(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                 int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int strip = step_at_least(step, 1);
    for (int c = width; c >= 0;) {
        c -= strip;
        area.copy(c, 0, strip, height);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}
