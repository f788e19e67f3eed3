// Block effects: square blocks of the new slide at random places, or round a shrinking ring.
#include "saver/transition_effects.h"

#include <cstdint>
#include <cstdlib>

BOOL CTransitionEngine::Dissolve(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                 int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int b = step_at_least(step, 1);
    const int columns = std::max(width / b, 0) + 1;
    const int rows = std::max(height / b, 0) + 1;
    seed_random_from_clock();
    const std::int64_t blocks = std::int64_t{columns} * rows * 3;
    for (std::int64_t remaining = blocks; remaining > 0; --remaining) {
        const int x = b * (std::rand() % columns);
        const int y = b * (std::rand() % rows);
        area.copy(x, y, b, b);
        if (remaining % 10 == 0)
            Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::SpiralIn(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                 int width, int height, int delayUnit, int step) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int block = 2 * step_at_least(step, 4);
    const int rows = height / block;
    const int rings = (rows + 1) / 2;
    const int columns = width / block;
    int i = rows + 1;
    int right = width - block;
    int bottom = height - block;
    int bottomStart = columns * block;
    int leftStart = rows * block;
    int inset = 0;
    auto place = [&](int x, int y) {
        area.copy(x, y, block, block);
        Delay(delayUnit);
    };
    for (int ring = 0; ring < rings; ++ring) {
        const int across = columns + i - rows;
        for (int k = 0, x = 0; k < across; ++k, x += block)
            place(x, inset);
        for (int k = 0, y = 0; k < i; ++k, y += block)
            place(right, y);
        if (across >= 0) {
            for (int k = 0, x = bottomStart; k < across + 1; ++k, x -= block)
                place(x, bottom);
        }
        for (int k = 0, y = leftStart; k < i + 1; ++k, y -= block)
            place(inset, y);
        --i;
        right -= block;
        bottom -= block;
        bottomStart -= block;
        leftStart -= block;
        inset += block;
    }
    area.copy_all();
    return TRUE;
}
