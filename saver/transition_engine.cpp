#include "saver/transition_engine.h"

#include "saver/transition_effects.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

namespace {

using Effect = BOOL (CTransitionEngine::*)(HDC, int, int, HDC, int, int, int, int, int, int);

// Indexed by transition id.
constexpr std::array<Effect, kTransitionLastEffect + 1> kEffects = {
    &CTransitionEngine::CopyAll,
    &CTransitionEngine::BlindsVertical,
    &CTransitionEngine::BlindsHorizontal,
    &CTransitionEngine::WipeRight,
    &CTransitionEngine::WipeLeft,
    &CTransitionEngine::DrippingPaint,
    &CTransitionEngine::RisingPaint,
    &CTransitionEngine::DrippingRightPaint,
    &CTransitionEngine::DrippingLeftPaint,
    &CTransitionEngine::Dissolve,
    &CTransitionEngine::SpiralIn,
    &CTransitionEngine::SlideRight,
    &CTransitionEngine::SlideLeft,
    &CTransitionEngine::SlideDown,
    &CTransitionEngine::SlideUp,
    &CTransitionEngine::ExpandBottomRight,
    &CTransitionEngine::ExpandTopRight,
    &CTransitionEngine::Outside,
    &CTransitionEngine::Inside,
    &CTransitionEngine::BothInside,
    &CTransitionEngine::BothOutside,
};

// 100 ns intervals between 1601-01-01 and 1970-01-01.
constexpr ULONGLONG kUnixEpochInFiletime = 116444736000000000ull;

} // namespace

void seed_random_from_clock() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    ULONGLONG seconds =
        ticks > kUnixEpochInFiletime ? (ticks - kUnixEpochInFiletime) / 10000000 : 0;
    std::srand(static_cast<unsigned>(seconds));
}

CTransitionEngine::~CTransitionEngine() = default;

void CTransitionEngine::SetParams(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                  int width, int height, int delayUnit, int step) {
    this->srcDC = srcDC;
    this->srcX = srcX;
    this->srcY = srcY;
    this->dstDC = dstDC;
    this->dstX = dstX;
    this->dstY = dstY;
    this->width = width;
    this->height = height;
    this->delayUnit = delayUnit;
    this->step = step;
}

void CTransitionEngine::RunEffect() {
    if (effectId < 0 || effectId > kTransitionLastEffect)
        return;
    (this->*kEffects[static_cast<std::size_t>(effectId)])(srcDC, srcX, srcY, dstDC, dstX, dstY,
                                                          width, height, delayUnit, step);
}

UINT CTransitionEngine::TransitionThreadProc(LPVOID param) {
    auto* engine = static_cast<CTransitionEngine*>(param);
    if (!engine)
        return 0;
    engine->RunEffect();
    engine->busy = 0;
    return 0;
}

void CTransitionEngine::Delay(int milliseconds) {
    if (observer)
        observer->OnDelay(milliseconds);
    // A negative wait would read as some 49 days of ticks.
    if (milliseconds <= 0)
        return;
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD now = GetTickCount();
        if (now < start || now - start > static_cast<DWORD>(milliseconds))
            return;
        // What reaches this thread's queue meanwhile is served, so a wait never holds it up.
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }
        Sleep(1);
    }
}

BOOL CTransitionEngine::Blit(HDC target, int x, int y, int w, int h, HDC source, int fromX,
                             int fromY) {
    if (observer)
        observer->OnBlit({target, x, y, w, h, source, fromX, fromY});
    return BitBlt(target, x, y, w, h, source, fromX, fromY, SRCCOPY);
}

namespace {

// Copies (x, y, width, height) from the source, restricted to `areas` (logical coordinates of
// the target). One clipped copy walks memory in rows, however narrow the areas are.
BOOL CopyInside(HDC target, int x, int y, int width, int height, HDC source, int srcX, int srcY,
                const std::vector<RECT>& areas) {
    if (areas.empty())
        return TRUE;
    // Clip regions are in device units.
    POINT origin{0, 0};
    LPtoDP(target, &origin, 1);
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + areas.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(areas.size());
    region->rdh.nRgnSize = static_cast<DWORD>(areas.size() * sizeof(RECT));
    RECT bounds = areas.front();
    auto* rects = reinterpret_cast<RECT*>(region->Buffer);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const RECT& a = areas[i];
        rects[i] =
            RECT{a.left + origin.x, a.top + origin.y, a.right + origin.x, a.bottom + origin.y};
        bounds = RECT{std::min(bounds.left, a.left), std::min(bounds.top, a.top),
                      std::max(bounds.right, a.right), std::max(bounds.bottom, a.bottom)};
    }
    region->rdh.rcBound = RECT{bounds.left + origin.x, bounds.top + origin.y,
                               bounds.right + origin.x, bounds.bottom + origin.y};
    HRGN clip = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
    const int saved = clip ? SaveDC(target) : 0;
    if (!saved) {
        if (clip)
            DeleteObject(clip);
        // Without a clip each area is copied alone.
        BOOL ok = TRUE;
        for (const RECT& a : areas) {
            const RECT part{std::max<LONG>(a.left, x), std::max<LONG>(a.top, y),
                            std::min<LONG>(a.right, x + width),
                            std::min<LONG>(a.bottom, y + height)};
            if (part.left < part.right && part.top < part.bottom)
                ok &= BitBlt(target, part.left, part.top, part.right - part.left,
                             part.bottom - part.top, source, srcX + part.left - x,
                             srcY + part.top - y, SRCCOPY);
        }
        return ok;
    }
    ExtSelectClipRgn(target, clip, RGN_AND);
    const BOOL ok = BitBlt(target, x, y, width, height, source, srcX, srcY, SRCCOPY);
    RestoreDC(target, saved);
    DeleteObject(clip);
    return ok;
}

} // namespace

BOOL CTransitionEngine::BlitChanged(HDC target, int x, int y, int w, int h, HDC source, int fromX,
                                    int fromY, const std::vector<RECT>& changed) {
    if (observer)
        observer->OnBlit({target, x, y, w, h, source, fromX, fromY});
    return CopyInside(target, x, y, w, h, source, fromX, fromY, changed);
}

BOOL CTransitionEngine::BlitEach(HDC target, const std::vector<RECT>& areas, HDC source,
                                 int toSourceX, int toSourceY) {
    if (areas.empty())
        return TRUE;
    RECT bounds = areas.front();
    for (const RECT& a : areas) {
        if (observer)
            observer->OnBlit({target, a.left, a.top, a.right - a.left, a.bottom - a.top, source,
                              a.left + toSourceX, a.top + toSourceY});
        bounds = RECT{std::min(bounds.left, a.left), std::min(bounds.top, a.top),
                      std::max(bounds.right, a.right), std::max(bounds.bottom, a.bottom)};
    }
    return CopyInside(target, bounds.left, bounds.top, bounds.right - bounds.left,
                      bounds.bottom - bounds.top, source, bounds.left + toSourceX,
                      bounds.top + toSourceY, areas);
}

BOOL CTransitionEngine::CopyAll(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY,
                                int width, int height, int, int) {
    EffectArea area{*this, srcDC, srcX, srcY, dstDC, dstX, dstY, width, height};
    area.copy_all();
    return TRUE;
}

std::jthread StartTransitionWorker(CTransitionEngine& engine) {
    engine.busy = 1;
    const DWORD pump = GetCurrentThreadId();
    try {
        return std::jthread([&engine, pump] {
            CTransitionEngine::TransitionThreadProc(&engine);
            PostThreadMessageA(pump, WM_NULL, 0, 0);
        });
    } catch (const std::system_error&) {
        CTransitionEngine::TransitionThreadProc(&engine);
        return {};
    }
}
