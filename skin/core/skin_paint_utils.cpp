#include "skin/core/skin_paint_utils.h"

namespace {

constexpr int kIconSize = 16;

// A window's program file, for its icons.
bool ModuleFileOf(HWND hwnd, char (&path)[1024]) {
    auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    return GetModuleFileNameA(instance, path, sizeof path) != 0;
}

} // namespace

int GlazeworkDrawTextShadow(HDC dc, const RECT& rect, std::uint32_t offsets, std::uint32_t flags,
                            COLORREF shadowColor, COLORREF textColor, const char* text, int length,
                            UINT format) {
    if (!text)
        return 0;
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    if (flags & SkinTextEffect::kShadowFlag) {
        const int dx = static_cast<std::int8_t>(offsets & 0xFF);
        const int dy = static_cast<std::int8_t>((offsets >> 8) & 0xFF);
        RECT shadow{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
        SetTextColor(dc, shadowColor);
        DrawTextA(dc, text, length, &shadow, format);
    }
    RECT place = rect;
    SetTextColor(dc, textColor);
    const int height = DrawTextA(dc, text, length, &place, format);
    RestoreDC(dc, saved);
    return height;
}

int GlazeworkDrawElementText(HDC dc, const SkinTextEffect& effect, const RECT& rect,
                             const char* text, int length, UINT format) {
    return GlazeworkDrawTextShadow(dc, rect, effect.offsets, effect.flags, effect.ShadowColor(),
                                   effect.TextColor(), text, length, format);
}

BOOL GlazeworkDrawWindowIcon(HWND hwnd, HDC dc, const RECT& rect) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(hwnd, GCLP_HICONSM));
    // An icon taken from the program file is this call's own: it goes again after drawing.
    HICON extracted = nullptr;
    char path[1024] = {};
    if (!icon && ModuleFileOf(hwnd, path) && ExtractIconExA(path, 0, nullptr, &extracted, 1) == 1)
        icon = extracted;
    if (!icon)
        return FALSE;
    const BOOL drawn =
        DrawIconEx(dc, rect.left, rect.top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    if (extracted)
        DestroyIcon(extracted);
    return drawn;
}

BOOL GlazeworkDrawArrow(HDC dc, const POINT (&points)[3], COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return FALSE;
    HGDIOBJ previous = SelectObject(dc, brush);
    const BOOL drawn = Polygon(dc, points, 3);
    SelectObject(dc, previous);
    DeleteObject(brush);
    return drawn;
}

BOOL GlazeworkFillRectColor(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return FALSE;
    const int filled = FillRect(dc, &rect, brush);
    DeleteObject(brush);
    return filled ? TRUE : FALSE;
}

RECT& GlazeworkSetRect(RECT& out, int left, int top, int right, int bottom) {
    out = RECT{left, top, right, bottom};
    return out;
}

void GlazeworkScreenToClientRect(HWND hwnd, RECT& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(hwnd, &corners[0]);
    ScreenToClient(hwnd, &corners[1]);
    rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void GlazeworkClientToScreenRect(HWND hwnd, RECT& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ClientToScreen(hwnd, &corners[0]);
    ClientToScreen(hwnd, &corners[1]);
    rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool GlazeworkIsSizableToolWindow(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
           (GetWindowLongA(hwnd, GWL_STYLE) & WS_THICKFRAME);
}
