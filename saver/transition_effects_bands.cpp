// Band effects: outlines of 20-pixel bands growing from the centre or closing in from the
// edges, and the old slide parting or the new one closing from both sides.
#include "saver/transition_effects.h"

namespace {

constexpr int kBand = 20;
constexpr int kSideStep = 10;

// A memory DC compatible with `like` holding its own bitmap of the given size.
class ScratchCanvas {
public:
    ScratchCanvas(HDC like, int width, int height)
        : m_dc(CreateCompatibleDC(like)), m_bitmap(CreateCompatibleBitmap(like, width, height)) {
        if (m_dc && m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    ~ScratchCanvas() {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_dc)
            DeleteDC(m_dc);
        if (m_bitmap)
            DeleteObject(m_bitmap);
    }
    ScratchCanvas(const ScratchCanvas&) = delete;
    ScratchCanvas& operator=(const ScratchCanvas&) = delete;

    bool valid() const { return m_old != nullptr; }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

} // namespace

BOOL CTransitionEngine::Outside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                int width, int height, int delayUnit, int) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    int n = (width / 2 - kBand) / kBand + 1;
    int f = (height / 2 - kBand) / kBand;
    int yTop = kBand * f;
    int xLeft = kBand * n;
    int yLow = yTop + kBand;
    int g = n + 1;
    int h = f + 1;
    int xRight = kBand * g;
    while (n >= 0) {
        const int across = kBand * (g - n + 1);
        const int down = kBand * (h - f + 1);
        area.copy_band(xLeft, yTop, across, kBand);
        area.copy_band(xLeft, yLow, across, kBand);
        area.copy_band(xLeft, yTop, kBand, down);
        area.copy_band(xRight, yTop, kBand, down);
        Delay(delayUnit);
        --n;
        if (f >= 1)
            yTop -= kBand;
        ++g;
        xLeft -= kBand;
        ++h;
        yLow += kBand;
        if (f > 0)
            --f;
        xRight += kBand;
    }
    return TRUE;
}

BOOL CTransitionEngine::Inside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                               int width, int height, int delayUnit, int) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    const int rows = (height - kBand) / kBand + 1;
    const int columns = (width - kBand) / kBand + 1;
    for (int j = 0; columns - j >= j && rows - j >= j; ++j) {
        const int inset = kBand * j;
        const int across = kBand * (columns - 2 * j + 1);
        const int down = kBand * (rows - 2 * j + 1);
        area.copy_band(inset, inset, across, kBand);
        area.copy_band(inset, kBand * (rows - j), across, kBand);
        area.copy_band(inset, inset, kBand, down);
        area.copy_band(kBand * (columns - j), inset, kBand, down);
        Delay(delayUnit);
    }
    return TRUE;
}

BOOL CTransitionEngine::BothInside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                   int width, int height, int delayUnit, int) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    {
        ScratchCanvas old(dstDC, width, height);
        ScratchCanvas work(dstDC, width, height);
        if (old.valid() && work.valid()) {
            Blit(old.dc(), 0, 0, width, height, dstDC, dstX, dstY);
            const int half = width / 2;
            int w = half;
            int xr = half;
            for (int k = 0; k < width / kBand; ++k) {
                Blit(work.dc(), 0, 0, width, height, srcDC, srcX, srcY);
                Blit(work.dc(), 0, 0, w, height, old.dc(), xr - half, 0);
                Blit(work.dc(), xr, 0, w, height, old.dc(), half, 0);
                Blit(dstDC, dstX, dstY, width, height, work.dc(), 0, 0);
                Delay(kSideStep * delayUnit);
                w -= kSideStep;
                xr += kSideStep;
            }
        }
    }
    area.copy_all();
    return TRUE;
}

BOOL CTransitionEngine::BothOutside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                    int width, int height, int delayUnit, int) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    for (int i = 0; i < width / kBand; ++i) {
        const int w = 1 + kSideStep * i;
        const int right = width + 9 - kSideStep * i;
        area.copy(0, 0, w, height);
        area.copy(right, 0, w, height);
        Delay(delayUnit);
    }
    area.copy_all();
    return TRUE;
}
