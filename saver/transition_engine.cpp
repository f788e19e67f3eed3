#include "saver/transition_engine.h"

#include "saver/transition_effects.h"

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
