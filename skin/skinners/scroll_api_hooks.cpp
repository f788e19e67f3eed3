#include "skin/skinners/scroll_api_hooks.h"

#include "skin/skinners/drawn_scroll_bars.h"
#include "win32/scroll_dispatch.h"

#include <array>
#include <mutex>

namespace {

// The entries each detour replaced: its way to the function it stands in front of.
std::array<FARPROC, SCROLLAPI_COUNT> g_trampolines{};
std::mutex g_lock;

template <class Function> FARPROC AsEntry(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

template <class Function> Function Trampoline(UINT api) {
    FARPROC entry = g_trampolines[api] ? g_trampolines[api] : GetDefaultScrollApiEntry(api);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

const std::array<FARPROC, SCROLLAPI_COUNT>& Detours() {
    static const std::array<FARPROC, SCROLLAPI_COUNT> detours{
        AsEntry(&EnableScrollBarDetour), AsEntry(&GetScrollInfoDetour),
        AsEntry(&GetScrollPosDetour),    AsEntry(&GetScrollRangeDetour),
        AsEntry(&SetScrollInfoDetour),   AsEntry(&SetScrollPosDetour),
        AsEntry(&SetScrollRangeDetour),  AsEntry(&ShowScrollBarDetour)};
    return detours;
}

bool NineXFamily() {
    return (GetVersion() & 0x80000000u) != 0;
}

} // namespace

int GlazeworkHookScrollApis() {
    if (NineXFamily())
        return 0;
    std::lock_guard guard(g_lock);
    for (UINT api = 0; api < SCROLLAPI_COUNT; ++api) {
        const FARPROC current = GetScrollApiEntry(api);
        if (current == Detours()[api])
            continue;
        if (ReplaceScrollApiEntry(api, current, Detours()[api]))
            g_trampolines[api] = current;
    }
    DrawnSB_SetEnableScrollBarFn(Trampoline<ENABLESCROLLBARPROC>(SCROLLAPI_ENABLESCROLLBAR));
    return 1;
}

int GlazeworkUnhookScrollApis() {
    if (NineXFamily())
        return 0;
    std::lock_guard guard(g_lock);
    for (UINT api = 0; api < SCROLLAPI_COUNT; ++api) {
        // An entry someone else has put over ours stays: taking ours out would cut it off.
        if (g_trampolines[api] && ReplaceScrollApiEntry(api, Detours()[api], g_trampolines[api]))
            g_trampolines[api] = nullptr;
    }
    DrawnSB_SetEnableScrollBarFn(reinterpret_cast<ENABLESCROLLBARPROC>(
        reinterpret_cast<void (*)()>(GetDefaultScrollApiEntry(SCROLLAPI_ENABLESCROLLBAR))));
    return 1;
}

BOOL EnableScrollBarDetour(HWND hwnd, UINT bar, UINT arrows) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_EnableScrollBar(hwnd, bar, arrows)
               : Trampoline<ENABLESCROLLBARPROC>(SCROLLAPI_ENABLESCROLLBAR)(hwnd, bar, arrows);
}

BOOL GetScrollInfoDetour(HWND hwnd, int bar, LPSCROLLINFO info) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_GetScrollInfo(hwnd, bar, info)
               : Trampoline<GETSCROLLINFOPROC>(SCROLLAPI_GETSCROLLINFO)(hwnd, bar, info);
}

int GetScrollPosDetour(HWND hwnd, int bar) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_GetScrollPos(hwnd, bar)
               : Trampoline<GETSCROLLPOSPROC>(SCROLLAPI_GETSCROLLPOS)(hwnd, bar);
}

BOOL GetScrollRangeDetour(HWND hwnd, int bar, LPINT minimum, LPINT maximum) {
    return DrawnSB_IsInitialized(hwnd) ? DrawnSB_GetScrollRange(hwnd, bar, minimum, maximum)
                                       : Trampoline<GETSCROLLRANGEPROC>(SCROLLAPI_GETSCROLLRANGE)(
                                             hwnd, bar, minimum, maximum);
}

int SetScrollInfoDetour(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_SetScrollInfo(hwnd, bar, info, redraw)
               : Trampoline<SETSCROLLINFOPROC>(SCROLLAPI_SETSCROLLINFO)(hwnd, bar, info, redraw);
}

int SetScrollPosDetour(HWND hwnd, int bar, int position, BOOL redraw) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_SetScrollPos(hwnd, bar, position, redraw)
               : Trampoline<SETSCROLLPOSPROC>(SCROLLAPI_SETSCROLLPOS)(hwnd, bar, position, redraw);
}

BOOL SetScrollRangeDetour(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
    return DrawnSB_IsInitialized(hwnd) ? DrawnSB_SetScrollRange(hwnd, bar, minimum, maximum, redraw)
                                       : Trampoline<SETSCROLLRANGEPROC>(SCROLLAPI_SETSCROLLRANGE)(
                                             hwnd, bar, minimum, maximum, redraw);
}

BOOL ShowScrollBarDetour(HWND hwnd, int bar, BOOL show) {
    return DrawnSB_IsInitialized(hwnd)
               ? DrawnSB_ShowScrollBar(hwnd, bar, show)
               : Trampoline<SHOWSCROLLBARPROC>(SCROLLAPI_SHOWSCROLLBAR)(hwnd, bar, show);
}
