// Blinds and wipes: the new slide arrives in one-pixel lines or in strips of the step's width.
#include "saver/transition_effects.h"

BOOL CTransitionEngine::BlindsVertical(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                       int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int passes = step_at_least(step, 2);
    const int perPass = width / passes;
    for (int pass = 0; pass < passes; ++pass) {
        for (int k = 0; k < perPass; ++k)
            area.copy(pass + k * passes, 0, 1, height);
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
    for (int pass = 0; pass < passes; ++pass) {
        for (int k = 0; k < perPass; ++k)
            area.copy(0, pass + k * passes, width, 1);
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
