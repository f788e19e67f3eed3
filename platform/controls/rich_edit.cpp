// "RichEdit20A": a read-only display of rich text, filled by EM_STREAMIN or WM_SETTEXT.
#include "controls/rich_edit.h"

#include "controls/control_scroll_bar.h"
#include "controls/rich_text.h"
#include "controls/rich_text_layout.h"
#include "system/modules.h"
#include "win32/richedit.h"
#include "win32/win32.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

namespace lv::controls {
namespace {

constexpr LONG kStreamBufferSize = 4096;
constexpr std::size_t kMaxStreamedBytes = 16u << 20; // a larger stream is cut off there
constexpr int kMargin = 1;
constexpr int kLineScroll = 16;

struct RichEditState {
    RichDocument doc;
    RichFonts fonts;
    HFONT font = nullptr;
    bool system_background = true;
    COLORREF background = 0;
    BOOL auto_url_detect = FALSE;
    int scroll_y = 0;
    int content_height = 0;
    ThumbDrag thumb;
};

RichEditState* state_of(HWND hwnd) {
    return reinterpret_cast<RichEditState*>(GetWindowLongPtrA(hwnd, 0));
}

COLORREF background_of(const RichEditState& s) {
    return s.system_background ? GetSysColor(COLOR_WINDOW) : s.background;
}

RECT text_area(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    InflateRect(&r, -kMargin, -kMargin);
    return r;
}

bool has_scroll_bar(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
}

ScrollModel scroll_model(HWND hwnd, const RichEditState& s) {
    const RECT area = text_area(hwnd);
    return ScrollModel{s.scroll_y, std::max(1, static_cast<int>(area.bottom - area.top)),
                       s.content_height, kLineScroll};
}

void paint_bar(HWND hwnd, const RichEditState& s) {
    if (has_scroll_bar(hwnd))
        paint_scroll_bar(hwnd, scroll_model(hwnd, s));
}

std::vector<RichLine> layout(HDC dc, RichEditState& s, const RECT& area) {
    s.fonts.set_base(s.font);
    return layout_rich_document(s.doc, dc, s.fonts, area.right - area.left);
}

int height_of(const std::vector<RichLine>& lines) {
    return lines.empty() ? 0 : lines.back().y + lines.back().height;
}

// The text's height decides the bar: measured whenever the text, the font or the width changes.
void measure(HWND hwnd, RichEditState& s) {
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    s.content_height = height_of(layout(dc, s, text_area(hwnd)));
    ReleaseDC(hwnd, dc);
    s.scroll_y = clamped_top(scroll_model(hwnd, s), s.scroll_y);
    paint_bar(hwnd, s);
}

void set_document(HWND hwnd, RichEditState& s, RichDocument doc) {
    s.doc = std::move(doc);
    s.scroll_y = 0;
    measure(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT stream_in(HWND hwnd, RichEditState& s, WPARAM format, EDITSTREAM* stream) {
    const WPARAM kind = format & (SF_TEXT | SF_RTF);
    if (!stream || !stream->pfnCallback || (kind != SF_TEXT && kind != SF_RTF))
        return 0;
    stream->dwError = 0;
    std::string text;
    std::vector<BYTE> buffer(kStreamBufferSize);
    for (;;) {
        LONG got = 0;
        const DWORD error =
            stream->pfnCallback(stream->dwCookie, buffer.data(), kStreamBufferSize, &got);
        if (error != 0) {
            stream->dwError = error;
            break;
        }
        if (got <= 0)
            break;
        const auto count = static_cast<std::size_t>(std::min(got, kStreamBufferSize));
        if (text.size() + count > kMaxStreamedBytes) {
            stream->dwError = static_cast<DWORD>(-1);
            break;
        }
        text.append(reinterpret_cast<const char*>(buffer.data()), count);
    }
    set_document(hwnd, s, kind == SF_RTF ? read_rtf(text) : read_plain_text(text));
    return static_cast<LRESULT>(text.size());
}

LRESULT get_text(const RichEditState& s, WPARAM size, LPSTR out) {
    if (!out || size == 0)
        return 0;
    const std::string text = s.doc.plain_text();
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

void scroll_to(HWND hwnd, RichEditState& s, int y) {
    y = clamped_top(scroll_model(hwnd, s), y);
    if (y == s.scroll_y)
        return;
    s.scroll_y = y;
    InvalidateRect(hwnd, nullptr, TRUE);
    paint_bar(hwnd, s);
}

LRESULT on_vertical_scroll(HWND hwnd, RichEditState& s, WPARAM wParam) {
    scroll_to(hwnd, s, scrolled_top(scroll_model(hwnd, s), LOWORD(wParam), HIWORD(wParam)));
    return 0;
}

LRESULT on_nc_paint(HWND hwnd, const RichEditState& s, WPARAM region) {
    DefWindowProcA(hwnd, WM_NCPAINT, region, 0);
    paint_bar(hwnd, s);
    return 0;
}

void paint(HWND hwnd, RichEditState& s) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(background_of(s));
    FillRect(dc, &client, brush);
    DeleteObject(brush);

    const RECT area = text_area(hwnd);
    const auto lines = layout(dc, s, area);

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF text_colour = GetSysColor(COLOR_WINDOWTEXT);
    for (const auto& line : lines) {
        const int top = area.top + line.y - s.scroll_y;
        if (top >= area.bottom || top + line.height <= area.top)
            continue;
        for (const auto& piece : line.pieces) {
            SelectObject(dc, piece.font);
            SetTextColor(dc, piece.colour == kAutoColour ? text_colour : piece.colour);
            TextOutA(dc, area.left + piece.x, top + line.ascent - piece.ascent, piece.text.c_str(),
                     static_cast<int>(piece.text.size()));
        }
    }
    RestoreDC(dc, saved);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK rich_edit_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new RichEditState));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    RichEditState* s = state_of(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, 0, 0);
        delete s;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (create && create->lpszName && *create->lpszName)
            set_document(hwnd, *s, read_rtf(create->lpszName));
        return 0;
    }
    case EM_STREAMIN:
        return stream_in(hwnd, *s, wParam, reinterpret_cast<EDITSTREAM*>(lParam));
    case WM_SETTEXT:
        set_document(hwnd, *s, read_rtf(lParam ? reinterpret_cast<LPCSTR>(lParam) : ""));
        return TRUE;
    case WM_GETTEXT:
        return get_text(*s, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->doc.plain_text().size());
    case EM_SETBKGNDCOLOR: {
        const COLORREF previous = background_of(*s);
        s->system_background = wParam != 0;
        s->background = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(previous);
    }
    case EM_AUTOURLDETECT:
        if (wParam > 1)
            return static_cast<LRESULT>(static_cast<LONG>(0x80070057)); // E_INVALIDARG
        s->auto_url_detect = static_cast<BOOL>(wParam);
        return 0;
    case EM_GETAUTOURLDETECT:
        return s->auto_url_detect;
    case EM_SETREADONLY: {
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE,
                       wParam ? style | static_cast<LONG>(ES_READONLY)
                              : style & ~static_cast<LONG>(ES_READONLY));
        return TRUE;
    }
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        measure(hwnd, *s);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SIZE:
        measure(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_VSCROLL:
        return on_vertical_scroll(hwnd, *s, wParam);
    case WM_NCPAINT:
        return on_nc_paint(hwnd, *s, wParam);
    case WM_NCLBUTTONDOWN:
        return press_scroll_bar(hwnd, scroll_model(hwnd, *s), wParam, lParam, s->thumb);
    case WM_MOUSEMOVE:
        follow_thumb_drag(hwnd, scroll_model(hwnd, *s), s->thumb,
                          POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        end_thumb_drag(hwnd, scroll_model(hwnd, *s), s->thumb,
                       POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        cancel_thumb_drag(hwnd, s->thumb);
        return 0;
    case WM_MOUSEWHEEL:
        scroll_to(hwnd, *s, s->scroll_y - GET_WHEEL_DELTA_WPARAM(wParam) * kLineScroll * 3 / 120);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting covers the whole client area
    case WM_PAINT:
        paint(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_rich_edit() {
    static std::once_flag once;
    std::call_once(once, [] {
        register_builtin_module("RICHED20.DLL", {});
        WNDCLASSA wc{};
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = rich_edit_proc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = RICHEDIT_CLASSA;
        RegisterClassA(&wc);
    });
}

} // namespace lv::controls
