// Slides and expansions: a growing part of the new slide moves in from an edge or a corner.
#include "saver/transition_effects.h"

#include <cstdint>

BOOL CTransitionEngine::SlideRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                   int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    for (int k = 1; k <= width / s; ++k) {
        area.copy_from(0, 0, k * s, height, width - k * s, 0);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::SlideLeft(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                  int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    for (int k = 1; k <= width / s; ++k) {
        area.copy_from(width - k * s, 0, k * s, height, 0, 0);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::SlideDown(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                  int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    for (int k = 1; k <= height / s; ++k) {
        area.copy_from(0, 0, width, k * s, 0, height - k * s);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::SlideUp(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    for (int k = 1; k <= height / s; ++k) {
        area.copy_from(0, height - k * s, width, k * s, 0, 0);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::ExpandBottomRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX,
                                          int dstY, int width, int height, int delayUnit,
                                          int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    const int largest = std::max(width, height);
    for (std::int64_t side = s; side < largest; side += s) {
        const int k = static_cast<int>(side);
        area.copy_from(0, 0, k, k, std::max(0, width - k), std::max(0, height - k));
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::ExpandTopRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                       int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int s = step_at_least(step, 1);
    const int largest = std::max(width, height);
    for (std::int64_t side = s; side < largest; side += s) {
        const int k = static_cast<int>(side);
        area.copy_from(0, height - std::min(height, k), k, k, std::max(0, width - k), 0);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}
