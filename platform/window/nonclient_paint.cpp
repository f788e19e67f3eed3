#include "window/nonclient_paint.h"

#include "win32/gdi.h"
#include "window/menu_port.h"
#include "window/nonclient_geometry.h"
#include "window/window_table.h"

#include <algorithm>
#include <string>

namespace lv::window {
namespace {

struct FrameFacts {
    DWORD style = 0;
    DWORD ex_style = 0;
    SIZE size{};
    bool active = false;
    std::string text;
};

bool facts(HWND hwnd, FrameFacts& out) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return false;
    out.style = w->style;
    out.ex_style = w->ex_style;
    out.size = SIZE{w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    out.active = w->nc_active;
    out.text = w->text;
    return true;
}

void fill(HDC dc, RECT r, int colour) {
    FillRect(dc, &r, GetSysColorBrush(colour));
}

// One ring of a classic edge: `light` along the top and left, `dark` along the bottom and right.
void ring(HDC dc, RECT& r, int light, int dark) {
    fill(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, light);
    fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, light);
    fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
    fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
    r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

void raised(HDC dc, RECT& r) {
    ring(dc, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    ring(dc, r, COLOR_3DHILIGHT, COLOR_3DSHADOW);
}

void sunken(HDC dc, RECT& r) {
    ring(dc, r, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    ring(dc, r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
}

enum class Glyph { close, maximize, restore, minimize };

// A caption button: a raised face with its symbol drawn in the button-text colour.
void caption_button(HDC dc, RECT r, Glyph glyph, bool active) {
    raised(dc, r);
    fill(dc, r, COLOR_BTNFACE);
    int colour = active ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
    int w = r.right - r.left, h = r.bottom - r.top;
    int size = std::min(w, h) - 5;
    if (size < 3)
        return;
    int x = r.left + (w - size) / 2, y = r.top + (h - size) / 2;
    switch (glyph) {
    case Glyph::close:
        for (int i = 0; i < size; ++i) {
            fill(dc, RECT{x + i, y + i, x + i + 2, y + i + 1}, colour);
            fill(dc, RECT{x + size - 1 - i, y + i, x + size + 1 - i, y + i + 1}, colour);
        }
        break;
    case Glyph::maximize:
    case Glyph::restore: {
        RECT box{x, y, x + size, y + size};
        fill(dc, RECT{box.left, box.top, box.right, box.top + 2}, colour);
        fill(dc, RECT{box.left, box.top, box.left + 1, box.bottom}, colour);
        fill(dc, RECT{box.right - 1, box.top, box.right, box.bottom}, colour);
        fill(dc, RECT{box.left, box.bottom - 1, box.right, box.bottom}, colour);
        break;
    }
    case Glyph::minimize:
        fill(dc, RECT{x, y + size - 2, x + size - 2, y + size}, colour);
        break;
    }
}

void draw_border(HDC dc, const FrameFacts& f, const FrameLayout& layout) {
    RECT r{0, 0, f.size.cx, f.size.cy};
    if (layout.border == 0)
        return;
    if (layout.border == 1) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        return;
    }
    raised(dc, r);
    int colour =
        layout.sizable ? (f.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE;
    for (int i = 2; i < layout.border; ++i) {
        FrameRect(dc, &r, GetSysColorBrush(colour));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
}

void draw_caption_text(HDC dc, const FrameFacts& f, const FrameLayout& layout) {
    if (f.text.empty())
        return;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    int old_mode = SetBkMode(dc, TRANSPARENT);
    COLORREF old_colour =
        SetTextColor(dc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text = layout.caption;
    if (layout.sys_menu.right > layout.sys_menu.left)
        text.left = layout.sys_menu.right;
    text.left += 2;
    for (const RECT* b : {&layout.close, &layout.maximize, &layout.minimize})
        if (b->right > b->left && b->left - 2 < text.right)
            text.right = b->left - 2;
    DrawTextA(dc, f.text.c_str(), -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, old_colour);
    SetBkMode(dc, old_mode);
    if (old_font)
        SelectObject(dc, old_font);
    if (font)
        DeleteObject(font);
}

void draw_caption(HDC dc, const FrameFacts& f, const FrameLayout& layout) {
    if (!layout.has_caption)
        return;
    RECT bar = layout.caption;
    fill(dc, bar, f.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    fill(dc, RECT{bar.left, bar.bottom, bar.right, bar.bottom + 1}, COLOR_BTNFACE);
    draw_caption_text(dc, f, layout);
    if (layout.close.right > layout.close.left)
        caption_button(dc, layout.close, Glyph::close, true);
    if (layout.maximize.right > layout.maximize.left) {
        caption_button(dc, layout.maximize,
                       (f.style & WS_MAXIMIZE) ? Glyph::restore : Glyph::maximize, true);
        caption_button(dc, layout.minimize,
                       (f.style & WS_MINIMIZE) ? Glyph::restore : Glyph::minimize, true);
    }
}

void draw_client_edge(HDC dc, const FrameFacts& f, const FrameLayout& layout) {
    if (!(f.ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)))
        return;
    RECT r{layout.border, layout.insets.top - ((f.ex_style & WS_EX_CLIENTEDGE) ? 2 : 1),
           f.size.cx - layout.border, f.size.cy - layout.border};
    if (f.ex_style & WS_EX_CLIENTEDGE)
        sunken(dc, r);
    else
        ring(dc, r, COLOR_3DSHADOW, COLOR_3DHILIGHT);
}

} // namespace

void paint_frame(HWND hwnd, HRGN update) {
    FrameFacts f;
    if (!facts(hwnd, f))
        return;
    FrameLayout layout =
        frame_layout(f.style, f.ex_style, f.size, menu_port::bar_height(hwnd, f.size.cx));
    bool nothing = layout.border == 0 && !layout.has_caption && layout.menu.bottom == 0 &&
                   !(f.ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) &&
                   !(f.style & (WS_VSCROLL | WS_HSCROLL));
    if (nothing)
        return;
    DWORD flags = DCX_WINDOW | DCX_CACHE;
    if (update && update != reinterpret_cast<HRGN>(1))
        flags |= DCX_INTERSECTRGN;
    HDC dc = GetDCEx(hwnd, update, flags);
    if (!dc)
        return;
    draw_border(dc, f, layout);
    draw_caption(dc, f, layout);
    if (layout.menu.bottom > layout.menu.top)
        menu_port::paint_bar(hwnd, dc, layout.menu);
    draw_client_edge(dc, f, layout);
    if (f.style & WS_VSCROLL)
        fill(dc, layout.vscroll, COLOR_SCROLLBAR);
    if (f.style & WS_HSCROLL)
        fill(dc, layout.hscroll, COLOR_SCROLLBAR);
    ReleaseDC(hwnd, dc);
}

} // namespace lv::window
