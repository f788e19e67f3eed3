// Band effects: outlines of 20-pixel bands growing from the centre or closing in from the
// edges, and the old slide parting or the new one closing from both sides.
#include "saver/transition_effects.h"

#include <algorithm>
#include <vector>

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

namespace {

// Full-height columns [from, to) of a canvas `width` wide, offset by (x, y); none when empty.
void AddColumns(std::vector<RECT>& out, int from, int to, int width, int height, int x = 0,
                int y = 0) {
    from = std::max(from, 0);
    to = std::min(to, width);
    if (from < to && height > 0)
        out.push_back(RECT{x + from, y, x + to, y + height});
}

} // namespace

// The work canvas keeps what it held from step to step, so each step draws only the columns
// that change: the two moving parts of the old slide and the strips of the new one that they
// uncover, into the work canvas and from there onto the target.
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
            std::vector<RECT> newColumns, changed;
            for (int k = 0; k < width / kBand; ++k) {
                // The new slide shows between the two old parts and right of them (w stays
                // above 0). The work canvas holds nothing of it before the first step; later
                // only the strips the parts uncovered by moving out are new.
                newColumns.clear();
                if (k == 0) {
                    AddColumns(newColumns, w, xr, width, height);
                    AddColumns(newColumns, xr + w, width, width, height);
                } else {
                    AddColumns(newColumns, w, w + kSideStep, width, height);
                    AddColumns(newColumns, xr - kSideStep, xr, width, height);
                }
                BlitChanged(work.dc(), 0, 0, width, height, srcDC, srcX, srcY, newColumns);
                Blit(work.dc(), 0, 0, w, height, old.dc(), xr - half, 0);
                Blit(work.dc(), xr, 0, w, height, old.dc(), half, 0);
                // The target shows the work canvas of the step before: what moved or was
                // uncovered is drawn, and at the first step everything.
                changed.clear();
                if (k == 0) {
                    AddColumns(changed, 0, width, width, height, dstX, dstY);
                } else {
                    AddColumns(changed, 0, w + kSideStep, width, height, dstX, dstY);
                    AddColumns(changed, xr - kSideStep, xr + w, width, height, dstX, dstY);
                }
                BlitChanged(dstDC, dstX, dstY, width, height, work.dc(), 0, 0, changed);
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
