// The scroll-bar functions as the process calls them: each goes through its table entry.
#include "win32/scroll_dispatch.h"
#include "win32/errors.h"
#include "window/scroll_defaults.h"

#include <array>
#include <atomic>

namespace {

template <class Function> FARPROC as_entry(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

namespace defaults = lv::window::scroll_defaults;

const std::array<FARPROC, SCROLLAPI_COUNT> kDefaults = {
    as_entry(&defaults::EnableScrollBar), as_entry(&defaults::GetScrollInfo),
    as_entry(&defaults::GetScrollPos),    as_entry(&defaults::GetScrollRange),
    as_entry(&defaults::SetScrollInfo),   as_entry(&defaults::SetScrollPos),
    as_entry(&defaults::SetScrollRange),  as_entry(&defaults::ShowScrollBar),
};

// Read on every call from any thread; changed only by ReplaceScrollApiEntry.
struct EntryTable {
    EntryTable() {
        for (UINT i = 0; i < SCROLLAPI_COUNT; ++i)
            slots[i].store(kDefaults[i]);
    }
    std::array<std::atomic<FARPROC>, SCROLLAPI_COUNT> slots;
};

std::array<std::atomic<FARPROC>, SCROLLAPI_COUNT>& entries() {
    static EntryTable table;
    return table.slots;
}

template <class Function> Function entry(UINT api) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(entries()[api].load(std::memory_order_acquire)));
}

} // namespace

FARPROC GetScrollApiEntry(UINT api) {
    if (api >= SCROLLAPI_COUNT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return entries()[api].load(std::memory_order_acquire);
}

FARPROC GetDefaultScrollApiEntry(UINT api) {
    if (api >= SCROLLAPI_COUNT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return kDefaults[api];
}

BOOL ReplaceScrollApiEntry(UINT api, FARPROC expected, FARPROC replacement) {
    if (api >= SCROLLAPI_COUNT || !replacement) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!entries()[api].compare_exchange_strong(expected, replacement, std::memory_order_acq_rel)) {
        SetLastError(ERROR_INVALID_ACCESS);
        return FALSE;
    }
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    return entry<ENABLESCROLLBARPROC>(SCROLLAPI_ENABLESCROLLBAR)(hwnd, bar, arrows);
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    return entry<GETSCROLLINFOPROC>(SCROLLAPI_GETSCROLLINFO)(hwnd, bar, info);
}

int GetScrollPos(HWND hwnd, int bar) {
    return entry<GETSCROLLPOSPROC>(SCROLLAPI_GETSCROLLPOS)(hwnd, bar);
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum) {
    return entry<GETSCROLLRANGEPROC>(SCROLLAPI_GETSCROLLRANGE)(hwnd, bar, minimum, maximum);
}

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    return entry<SETSCROLLINFOPROC>(SCROLLAPI_SETSCROLLINFO)(hwnd, bar, info, redraw);
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    return entry<SETSCROLLPOSPROC>(SCROLLAPI_SETSCROLLPOS)(hwnd, bar, position, redraw);
}

BOOL SetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw) {
    return entry<SETSCROLLRANGEPROC>(SCROLLAPI_SETSCROLLRANGE)(hwnd, bar, minimum, maximum, redraw);
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    return entry<SHOWSCROLLBARPROC>(SCROLLAPI_SHOWSCROLLBAR)(hwnd, bar, show);
}
