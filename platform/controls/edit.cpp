// "Edit": single-line text entry (digits only, aligned, scrolled, read-only, password) and
// read-only multi-line text.
#include "controls/control_support.h"
#include "controls/edit_text.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"

#include <algorithm>

namespace lv::controls {
namespace {

constexpr std::size_t kDefaultLimit = 30000;
constexpr int kMargin = 1;

struct EditState {
    EditText model;
    std::size_t limit = kDefaultLimit;
    bool modified = false;
    bool focused = false;
    bool selecting = false; // the left button is down in the control
    int scroll = 0;         // pixels of the text scrolled out on the left
    char password = '*';
    HFONT font = nullptr;
};

bool is_multiline(HWND hwnd) {
    return (style_of(hwnd) & ES_MULTILINE) != 0;
}

bool is_read_only(HWND hwnd) {
    return (style_of(hwnd) & ES_READONLY) != 0;
}

// What is drawn: the text, or as many password characters.
std::string shown_text(HWND hwnd, const EditState& s) {
    if ((style_of(hwnd) & ES_PASSWORD) && !is_multiline(hwnd) && s.password) {
        std::size_t characters = 0;
        for (char c : s.model.text())
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return std::string(characters, s.password);
    }
    return s.model.text();
}

// Byte offset in the model for a position in the shown text and back.
std::size_t shown_offset(HWND hwnd, const EditState& s, std::size_t model_offset) {
    if (!(style_of(hwnd) & ES_PASSWORD) || is_multiline(hwnd) || !s.password)
        return model_offset;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < model_offset && i < s.model.text().size(); ++i)
        characters += (static_cast<unsigned char>(s.model.text()[i]) & 0xC0) != 0x80;
    return characters;
}

int text_width(HDC dc, const std::string& text, std::size_t length) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(length), &size);
    return size.cx;
}

struct LineGeometry {
    int origin = 0; // x of the text's first character in client coordinates
    int top = 0;
    int height = 0;
};

LineGeometry geometry(HWND hwnd, HDC dc, const EditState& s, const std::string& shown) {
    RECT client{};
    GetClientRect(hwnd, &client);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int width = text_width(dc, shown, shown.size());
    const int room = client.right - 2 * kMargin;
    LineGeometry g;
    g.height = metrics.tmHeight;
    g.top = is_multiline(hwnd) ? kMargin : std::max(0, (client.bottom - g.height) / 2);
    const DWORD style = style_of(hwnd);
    if (style & ES_RIGHT)
        g.origin = kMargin + std::max(0, room - width);
    else if (style & ES_CENTER)
        g.origin = kMargin + std::max(0, (room - width) / 2);
    else
        g.origin = kMargin - s.scroll;
    return g;
}

// Keeps the caret visible: scrolls the text by a quarter of the control's width at a time.
void scroll_to_caret(HWND hwnd, EditState& s) {
    if (is_multiline(hwnd) || (style_of(hwnd) & (ES_RIGHT | ES_CENTER)))
        return;
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    const std::string shown = shown_text(hwnd, s);
    const int caret = text_width(dc, shown, shown_offset(hwnd, s, s.model.caret()));
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int room = std::max(1, static_cast<int>(client.right) - 2 * kMargin);
    if (!(style_of(hwnd) & ES_AUTOHSCROLL)) {
        s.scroll = 0;
        return;
    }
    if (caret - s.scroll > room)
        s.scroll = caret - room + room / 4;
    if (caret < s.scroll)
        s.scroll = std::max(0, caret - room / 4);
}

void changed(HWND hwnd, EditState& s, bool notify) {
    s.modified = true;
    scroll_to_caret(hwnd, s);
    DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.model.text().c_str()));
    if (notify)
        notify_parent(hwnd, EN_UPDATE);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify)
        notify_parent(hwnd, EN_CHANGE);
}

void selection_moved(HWND hwnd, EditState& s) {
    scroll_to_caret(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// ---- painting ---------------------------------------------------------------------------------

void paint_line(HWND hwnd, HDC dc, const EditState& s, const RECT& client) {
    const std::string shown = shown_text(hwnd, s);
    const LineGeometry g = geometry(hwnd, dc, s, shown);
    const std::size_t start = shown_offset(hwnd, s, s.model.selection_start());
    const std::size_t end = shown_offset(hwnd, s, s.model.selection_end());
    const bool show_selection = (s.focused || (style_of(hwnd) & ES_NOHIDESEL)) && start != end;
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, g.origin, g.top, shown.c_str(), static_cast<int>(shown.size()));
    if (show_selection) {
        const int left = g.origin + text_width(dc, shown, start);
        RECT band{left, g.top, g.origin + text_width(dc, shown, end), g.top + g.height};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        TextOutA(dc, left, g.top, shown.c_str() + start, static_cast<int>(end - start));
    }
    if (s.focused) {
        const int x = g.origin + text_width(dc, shown, shown_offset(hwnd, s, s.model.caret()));
        RECT caret{x, g.top, x + 1, g.top + g.height};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    (void)client;
}

void paint_multiline(HWND hwnd, HDC dc, const EditState& s, RECT client) {
    InflateRect(&client, -kMargin, -kMargin);
    SetBkMode(dc, TRANSPARENT);
    const std::string& text = s.model.text();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
}

void paint(HWND hwnd, HDC dc, const EditState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool greyed = is_read_only(hwnd) || !IsWindowEnabled(hwnd);
    HBRUSH brush = parent_brush(hwnd, dc, greyed ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &client, brush);
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    if (is_multiline(hwnd))
        paint_multiline(hwnd, dc, s, client);
    else
        paint_line(hwnd, dc, s, client);
    SelectObject(dc, old);
}

// ---- input ------------------------------------------------------------------------------------

bool accepts(HWND hwnd, char c) {
    if ((style_of(hwnd) & ES_NUMBER) && !(c >= '0' && c <= '9'))
        return false;
    return static_cast<unsigned char>(c) >= 0x20 || (c == '\t' && is_multiline(hwnd));
}

LRESULT on_char(HWND hwnd, EditState& s, WPARAM code) {
    const char c = static_cast<char>(code);
    if (is_read_only(hwnd))
        return 0;
    if (c == '\b') {
        if (s.model.erase(true))
            changed(hwnd, s, true);
        return 0;
    }
    if (!accepts(hwnd, c)) {
        if (static_cast<unsigned char>(c) >= 0x20)
            MessageBeep(0xFFFFFFFF);
        return 0;
    }
    std::string insert(1, c);
    if (style_of(hwnd) & ES_UPPERCASE)
        insert[0] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (style_of(hwnd) & ES_LOWERCASE)
        insert[0] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (!s.model.replace_selection(insert, s.limit)) {
        notify_parent(hwnd, EN_MAXTEXT);
        return 0;
    }
    changed(hwnd, s, true);
    return 0;
}

LRESULT on_key_down(HWND hwnd, EditState& s, WPARAM key) {
    const bool extend = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        s.model.move(key == VK_LEFT ? -1 : 1, extend);
        selection_moved(hwnd, s);
        return 0;
    case VK_HOME:
    case VK_END:
        s.model.move_to(key == VK_HOME ? 0 : s.model.text().size(), extend);
        selection_moved(hwnd, s);
        return 0;
    case VK_DELETE:
        if (!is_read_only(hwnd) && s.model.erase(false))
            changed(hwnd, s, true);
        return 0;
    default:
        return 0;
    }
}

std::size_t offset_at(HWND hwnd, const EditState& s, int x) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    const std::string shown = shown_text(hwnd, s);
    const LineGeometry g = geometry(hwnd, dc, s, shown);
    std::size_t best = 0;
    int best_distance = std::abs(x - g.origin);
    for (std::size_t i = 1; i <= shown.size(); ++i) {
        if (i < shown.size() && (static_cast<unsigned char>(shown[i]) & 0xC0) == 0x80)
            continue;
        const int distance = std::abs(x - g.origin - text_width(dc, shown, i));
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    if (shown.size() == s.model.text().size())
        return best;
    // Password characters: back from characters to bytes.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < s.model.text().size(); ++i) {
        if ((static_cast<unsigned char>(s.model.text()[i]) & 0xC0) == 0x80)
            continue;
        if (characters++ == best)
            return i;
    }
    return s.model.text().size();
}

LRESULT on_button_down(HWND hwnd, EditState& s, LPARAM lParam) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    s.selecting = true;
    const bool extend = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    s.model.move_to(offset_at(hwnd, s, GET_X_LPARAM(lParam)), extend);
    selection_moved(hwnd, s);
    return 0;
}

LRESULT on_mouse_move(HWND hwnd, EditState& s, LPARAM lParam) {
    if (!s.selecting)
        return 0;
    s.model.move_to(offset_at(hwnd, s, GET_X_LPARAM(lParam)), true);
    selection_moved(hwnd, s);
    return 0;
}

LRESULT on_button_up(HWND hwnd, EditState& s) {
    if (s.selecting && GetCapture() == hwnd)
        ReleaseCapture();
    s.selecting = false;
    return 0;
}

LRESULT on_focus(HWND hwnd, EditState& s, bool gained) {
    s.focused = gained;
    if (!gained)
        on_button_up(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    notify_parent(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

// ---- messages ---------------------------------------------------------------------------------

LRESULT dialog_code(HWND hwnd, LPARAM lParam) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (is_multiline(hwnd) && (style_of(hwnd) & ES_WANTRETURN) && msg &&
        msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
    return code;
}

LRESULT set_text(HWND hwnd, EditState& s, LPCSTR text) {
    std::string value = text ? text : "";
    if (value.size() > s.limit && !is_multiline(hwnd))
        value.resize(s.limit);
    s.model.set_text(std::move(value));
    s.scroll = 0;
    changed(hwnd, s, true);
    s.modified = false;
    return TRUE;
}

LRESULT get_text(const EditState& s, WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0)
        return 0;
    const std::size_t n = std::min(s.model.text().size(), static_cast<std::size_t>(size - 1));
    std::copy_n(s.model.text().data(), n, buffer);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT set_selection(HWND hwnd, EditState& s, WPARAM start, LPARAM end) {
    const std::size_t size = s.model.text().size();
    const auto as_offset = [size](long long v) {
        return v < 0 ? size : std::min(static_cast<std::size_t>(v), size);
    };
    const auto from = static_cast<long long>(static_cast<int>(start));
    const auto to = static_cast<long long>(static_cast<int>(end));
    if (from < 0)
        s.model.select(s.model.caret(), s.model.caret()); // -1 removes the selection
    else
        s.model.select(as_offset(from), as_offset(to));
    selection_moved(hwnd, s);
    return 0;
}

LRESULT get_selection(const EditState& s, WPARAM start, LPARAM end) {
    const auto first = static_cast<DWORD>(s.model.selection_start());
    const auto last = static_cast<DWORD>(s.model.selection_end());
    if (start)
        *reinterpret_cast<DWORD*>(start) = first;
    if (end)
        *reinterpret_cast<DWORD*>(end) = last;
    return MAKELRESULT(std::min<DWORD>(first, 0xFFFF), std::min<DWORD>(last, 0xFFFF));
}

LRESULT replace_selection(HWND hwnd, EditState& s, LPCSTR text) {
    s.model.replace_selection(text ? text : "", s.limit);
    changed(hwnd, s, true);
    return 0;
}

LRESULT set_read_only(HWND hwnd, WPARAM read_only) {
    const DWORD style = style_of(hwnd);
    SetWindowLongA(hwnd, GWL_STYLE,
                   static_cast<LONG>(read_only ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT line_count(HWND hwnd, const EditState& s) {
    if (!is_multiline(hwnd))
        return 1;
    return 1 + std::count(s.model.text().begin(), s.model.text().end(), '\n');
}

LRESULT on_create(HWND hwnd, EditState& s, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
        s.model.set_text(cs->lpszName);
    return DefWindowProcA(hwnd, WM_NCCREATE, 0, lParam);
}

LRESULT CALLBACK edit_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<EditState>(hwnd);
    EditState* s = state_of<EditState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        return on_create(hwnd, *s, lParam);
    case WM_NCDESTROY:
        destroy_state<EditState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return dialog_code(hwnd, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT:
        return set_text(hwnd, *s, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return get_text(*s, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->model.text().size());
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_CHAR:
        return on_char(hwnd, *s, wParam);
    case WM_KEYDOWN:
        return on_key_down(hwnd, *s, wParam);
    case WM_LBUTTONDOWN:
        return on_button_down(hwnd, *s, lParam);
    case WM_LBUTTONDBLCLK:
        s->model.select(0, s->model.text().size());
        selection_moved(hwnd, *s);
        return 0;
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, lParam);
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return on_button_up(hwnd, *s);
    case WM_SETFOCUS:
        return on_focus(hwnd, *s, true);
    case WM_KILLFOCUS:
        return on_focus(hwnd, *s, false);
    case EM_SETSEL:
        return set_selection(hwnd, *s, wParam, lParam);
    case EM_GETSEL:
        return get_selection(*s, wParam, lParam);
    case EM_REPLACESEL:
        return replace_selection(hwnd, *s, reinterpret_cast<LPCSTR>(lParam));
    case EM_LIMITTEXT:
        s->limit = wParam ? static_cast<std::size_t>(wParam) : 0x7FFFFFFE;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s->limit);
    case EM_SETREADONLY:
        return set_read_only(hwnd, wParam);
    case EM_GETMODIFY:
        return s->modified;
    case EM_SETMODIFY:
        s->modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return line_count(hwnd, *s);
    case EM_SETPASSWORDCHAR:
        s->password = static_cast<char>(wParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(s->password);
    case EM_SCROLLCARET:
        scroll_to_caret(hwnd, *s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_edit_class() {
    register_system_class(WC_EDITA, edit_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
