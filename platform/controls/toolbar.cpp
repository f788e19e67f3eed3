// "ToolbarWindow32": buttons with an image from the toolbar's image lists and an optional
// text, laid out in a row (wrapped with TBSTYLE_WRAPABLE). A click sends WM_COMMAND with the
// button's command; check buttons toggle, and one of a group stays checked. Flat toolbars
// track the button under the pointer as the hot item.
#include "win32/toolbar.h"
#include "controls/bar_dock.h"
#include "controls/control_support.h"
#include "controls/item_control_classes.h"
#include "controls/item_text.h"
#include "controls/paint_message.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv::controls {
namespace {

constexpr int kPadding = 7; // a button's width and height beyond its image
constexpr int kSeparatorWidth = 8;
constexpr int kTop = 2; // above the first row
constexpr int kDropArrowWidth = 10;

struct ToolButton {
    TBBUTTON info{};
    std::string text; // the label, when iString named one
    RECT rect{};
};

struct ToolbarState {
    std::vector<ToolButton> buttons;
    std::vector<std::string> strings; // TB_ADDSTRING's pool
    HIMAGELIST images = nullptr;
    HIMAGELIST hot_images = nullptr;
    HIMAGELIST disabled_images = nullptr;
    SIZE bitmap{16, 15};
    SIZE button_size{0, 0}; // TB_SETBUTTONSIZE; 0: from the contents
    SIZE button{23, 22};    // what the layout gave
    HWND notify = nullptr;  // TB_SETPARENT
    HFONT font = nullptr;
    DWORD extended = 0;
    int hot = -1;
    int pressed = -1;
    bool tracking_leave = false;
    bool laying_out = false; // our own resizing comes back as WM_SIZE
};

bool is_separator(const ToolButton& b) {
    return (b.info.fsStyle & TBSTYLE_SEP) != 0;
}

bool is_enabled(const ToolButton& b) {
    return (b.info.fsState & TBSTATE_ENABLED) && !(b.info.fsState & TBSTATE_INDETERMINATE);
}

HWND notify_target(HWND hwnd, const ToolbarState& s) {
    return s.notify ? s.notify : parent_of(hwnd);
}

std::string label_of(const ToolbarState& s, INT_PTR string) {
    if (string < 0)
        return {};
    if (string < static_cast<INT_PTR>(s.strings.size()))
        return s.strings[static_cast<std::size_t>(string)];
    if ((static_cast<ULONG_PTR>(string) >> 16) == 0) // a small number is no text
        return {};
    return text_from(reinterpret_cast<LPCSTR>(string));
}

bool has_texts(const ToolbarState& s) {
    return std::any_of(s.buttons.begin(), s.buttons.end(),
                       [](const ToolButton& b) { return !b.text.empty(); });
}

bool has_drop_arrow(const ToolbarState& s, const ToolButton& b) {
    return (b.info.fsStyle & BTNS_WHOLEDROPDOWN) ||
           ((b.info.fsStyle & TBSTYLE_DROPDOWN) && (s.extended & TBSTYLE_EX_DRAWDDARROWS));
}

int bar_height(HWND hwnd, const ToolbarState& s, int rows) {
    return kTop + rows * s.button.cy + ((style_of(hwnd) & CCS_NODIVIDER) ? 0 : 2);
}

// Places the buttons in the current width; the number of rows they take.
int place_buttons(HWND hwnd, ToolbarState& s) {
    const DWORD style = style_of(hwnd);
    const bool list = (style & TBSTYLE_LIST) != 0;
    int text_width = 0;
    for (const ToolButton& b : s.buttons)
        text_width = std::max<int>(text_width, text_size(hwnd, s.font, b.text).cx);
    SIZE button{s.bitmap.cx + kPadding, s.bitmap.cy + kPadding};
    if (has_texts(s)) {
        const int line = line_height(hwnd, s.font);
        if (list) {
            button.cx += text_width + 4;
            button.cy = std::max<int>(button.cy, line + kPadding);
        } else {
            button.cx = std::max<int>(button.cx, text_width + 6);
            button.cy += line + 2;
        }
    }
    if (s.button_size.cx > 0)
        button.cx = std::max<int>(button.cx, s.button_size.cx);
    if (s.button_size.cy > 0)
        button.cy = std::max<int>(button.cy, s.button_size.cy);
    s.button = button;
    RECT client{};
    GetClientRect(hwnd, &client);
    const int top = kTop + ((style & CCS_NODIVIDER) ? 0 : 2);
    int x = 0, row = 0;
    for (ToolButton& b : s.buttons) {
        if (b.info.fsState & TBSTATE_HIDDEN) {
            b.rect = RECT{};
            continue;
        }
        int width =
            is_separator(b) ? (b.info.iBitmap > 0 ? b.info.iBitmap : kSeparatorWidth) : button.cx;
        if (!is_separator(b) && has_drop_arrow(s, b))
            width += kDropArrowWidth;
        if ((style & TBSTYLE_WRAPABLE) && x > 0 && x + width > client.right) {
            x = 0;
            ++row;
        }
        b.rect = RECT{x, top + row * button.cy, x + width, top + (row + 1) * button.cy};
        x += width;
        if (b.info.fsState & TBSTATE_WRAP) {
            x = 0;
            ++row;
        }
    }
    return row + 1;
}

void layout(HWND hwnd, ToolbarState& s) {
    if (s.laying_out)
        return;
    s.laying_out = true;
    RECT before{};
    GetClientRect(hwnd, &before);
    dock_bar(hwnd, bar_height(hwnd, s, place_buttons(hwnd, s)), false);
    RECT after{};
    GetClientRect(hwnd, &after);
    if (after.right != before.right) // docking changed the width the rows wrap in
        dock_bar(hwnd, bar_height(hwnd, s, place_buttons(hwnd, s)), false);
    s.laying_out = false;
    InvalidateRect(hwnd, nullptr, TRUE);
}

int index_of_command(const ToolbarState& s, WPARAM command) {
    for (std::size_t i = 0; i < s.buttons.size(); ++i)
        if (s.buttons[i].info.idCommand == static_cast<int>(command))
            return static_cast<int>(i);
    return -1;
}

ToolButton* by_command(ToolbarState& s, WPARAM command) {
    const int index = index_of_command(s, command);
    return index < 0 ? nullptr : &s.buttons[static_cast<std::size_t>(index)];
}

// The button under a client point: its index, or -(index + 1) for a separator, or -1.
int hit_test(const ToolbarState& s, POINT p) {
    for (std::size_t i = 0; i < s.buttons.size(); ++i) {
        if (PtInRect(&s.buttons[i].rect, p))
            return is_separator(s.buttons[i]) ? -static_cast<int>(i) - 1 : static_cast<int>(i);
    }
    return -1;
}

void draw_button(HWND hwnd, HDC dc, const ToolbarState& s, int index) {
    const ToolButton& b = s.buttons[static_cast<std::size_t>(index)];
    RECT r = b.rect;
    if (IsRectEmpty(&r))
        return;
    const DWORD style = style_of(hwnd);
    const bool flat = (style & TBSTYLE_FLAT) != 0;
    if (is_separator(b)) {
        if (flat) {
            RECT line{r.left + (r.right - r.left) / 2 - 1, r.top + 2, 0, r.bottom - 2};
            line.right = line.left + 2;
            DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        }
        return;
    }
    const bool checked = (b.info.fsState & TBSTATE_CHECKED) != 0;
    const bool down = (b.info.fsState & TBSTATE_PRESSED) || checked;
    const bool hot = index == s.hot && is_enabled(b);
    if (checked && !(b.info.fsState & TBSTATE_PRESSED))
        FillRect(dc, &r, GetSysColorBrush(COLOR_3DHILIGHT));
    if (down)
        DrawEdge(dc, &r, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat || hot)
        DrawEdge(dc, &r, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    RECT face = r;
    if (has_drop_arrow(s, b)) {
        face.right -= kDropArrowWidth;
        const int cx = face.right + kDropArrowWidth / 2, cy = (r.top + r.bottom) / 2;
        const POINT arrow[3] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
        HBRUSH black = GetSysColorBrush(COLOR_BTNTEXT);
        HGDIOBJ old_brush = SelectObject(dc, black);
        HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
        Polygon(dc, arrow, 3);
        SelectObject(dc, old_pen);
        SelectObject(dc, old_brush);
    }
    if (down)
        OffsetRect(&face, 1, 1);
    const bool list = (style & TBSTYLE_LIST) != 0;
    const bool texts = has_texts(s);
    const int image_x = list && texts ? face.left + kPadding / 2
                                      : face.left + (face.right - face.left - s.bitmap.cx) / 2;
    const int image_y = list || !texts ? face.top + (face.bottom - face.top - s.bitmap.cy) / 2
                                       : face.top + kPadding / 2;
    HIMAGELIST images = s.images;
    if (hot && s.hot_images)
        images = s.hot_images;
    if (!is_enabled(b) && s.disabled_images)
        images = s.disabled_images;
    if (images && b.info.iBitmap >= 0 && b.info.iBitmap < ImageList_GetImageCount(images)) {
        if (is_enabled(b) || images == s.disabled_images) {
            ImageList_Draw(images, b.info.iBitmap, dc, image_x, image_y, ILD_TRANSPARENT);
        } else if (HICON icon = ImageList_GetIcon(images, b.info.iBitmap, ILD_NORMAL)) {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, image_x, image_y,
                       s.bitmap.cx, s.bitmap.cy, DST_ICON | DSS_DISABLED);
            DestroyIcon(icon);
        }
    }
    if (b.text.empty())
        return;
    RECT text = face;
    if (list && texts)
        text.left = image_x + s.bitmap.cx + 4;
    else
        text.top = image_y + s.bitmap.cy + 1;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(is_enabled(b) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, b.text.c_str(), static_cast<int>(b.text.size()), &text,
              DT_SINGLELINE | DT_END_ELLIPSIS | (list ? DT_VCENTER : DT_CENTER | DT_TOP));
}

void paint(HWND hwnd, HDC dc, const ToolbarState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    if (!(style_of(hwnd) & CCS_NODIVIDER)) {
        RECT divider{client.left, 0, client.right, 2};
        DrawEdge(dc, &divider, EDGE_ETCHED, BF_TOP);
    }
    HGDIOBJ old = SelectObject(dc, font_or_default(s.font));
    for (int i = 0; i < static_cast<int>(s.buttons.size()); ++i)
        draw_button(hwnd, dc, s, i);
    SelectObject(dc, old);
}

LRESULT insert_buttons(HWND hwnd, ToolbarState& s, int index, const TBBUTTON* buttons, int count) {
    if (!buttons || count <= 0)
        return FALSE;
    index = std::clamp(index, 0, static_cast<int>(s.buttons.size()));
    std::vector<ToolButton> added;
    for (int i = 0; i < count; ++i) {
        ToolButton b;
        b.info = buttons[i];
        b.text = label_of(s, b.info.iString);
        added.push_back(b);
    }
    s.buttons.insert(s.buttons.begin() + index, added.begin(), added.end());
    layout(hwnd, s);
    return TRUE;
}

LRESULT add_strings(HWND hwnd, ToolbarState& s, WPARAM module, LPARAM strings) {
    if (module != 0 || !strings)
        return -1; // strings from a module's string table are not served
    const auto first = static_cast<LRESULT>(s.strings.size());
    // A list of texts, each ended by a NUL, the list by a second NUL.
    for (const char* p = reinterpret_cast<const char*>(strings); *p; p += std::strlen(p) + 1)
        s.strings.emplace_back(p);
    return first;
}

LRESULT set_state_bit(HWND hwnd, ToolbarState& s, WPARAM command, BYTE bit, bool on) {
    ToolButton* b = by_command(s, command);
    if (!b)
        return FALSE;
    const BYTE old = b->info.fsState;
    b->info.fsState = on ? static_cast<BYTE>(old | bit) : static_cast<BYTE>(old & ~bit);
    if ((old ^ b->info.fsState) & TBSTATE_HIDDEN)
        layout(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

// A check button toggles; in a group, the clicked one is checked and its group mates not.
void toggle_check(ToolbarState& s, int index) {
    ToolButton& b = s.buttons[static_cast<std::size_t>(index)];
    if (!(b.info.fsStyle & TBSTYLE_CHECK))
        return;
    if (!(b.info.fsStyle & TBSTYLE_GROUP)) {
        b.info.fsState ^= TBSTATE_CHECKED;
        return;
    }
    const auto in_group = [&](int i) {
        const ToolButton& o = s.buttons[static_cast<std::size_t>(i)];
        return (o.info.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP;
    };
    int first = index, last = index;
    while (first > 0 && in_group(first - 1))
        --first;
    while (last + 1 < static_cast<int>(s.buttons.size()) && in_group(last + 1))
        ++last;
    for (int i = first; i <= last; ++i)
        s.buttons[static_cast<std::size_t>(i)].info.fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
    b.info.fsState |= TBSTATE_CHECKED;
}

void set_hot(HWND hwnd, ToolbarState& s, int index) {
    if (index == s.hot)
        return;
    s.hot = index;
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT on_mouse_move(HWND hwnd, ToolbarState& s, POINT p) {
    if (!(style_of(hwnd) & TBSTYLE_FLAT))
        return 0;
    const int index = hit_test(s, p);
    set_hot(hwnd, s,
            index >= 0 && is_enabled(s.buttons[static_cast<std::size_t>(index)]) ? index : -1);
    if (!s.tracking_leave) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
        s.tracking_leave = TrackMouseEvent(&track) != 0;
    }
    return 0;
}

LRESULT on_button_down(HWND hwnd, ToolbarState& s, POINT p) {
    const int index = hit_test(s, p);
    if (index < 0)
        return 0;
    ToolButton& b = s.buttons[static_cast<std::size_t>(index)];
    if (!is_enabled(b))
        return 0;
    if (b.info.fsStyle & (TBSTYLE_DROPDOWN | BTNS_WHOLEDROPDOWN)) {
        NMTOOLBARA drop{};
        drop.iItem = b.info.idCommand;
        drop.tbButton = b.info;
        drop.rcButton = b.rect;
        drop.hdr.hwndFrom = hwnd;
        drop.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
        drop.hdr.code = TBN_DROPDOWN;
        SendMessageA(notify_target(hwnd, s), WM_NOTIFY, drop.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&drop));
        return 0;
    }
    b.info.fsState |= TBSTATE_PRESSED;
    s.pressed = index;
    SetCapture(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT on_button_up(HWND hwnd, ToolbarState& s, POINT p) {
    if (s.pressed < 0)
        return 0;
    const int index = s.pressed;
    s.pressed = -1;
    ToolButton& b = s.buttons[static_cast<std::size_t>(index)];
    b.info.fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
    ReleaseCapture();
    InvalidateRect(hwnd, nullptr, TRUE);
    if (!PtInRect(&b.rect, p))
        return 0;
    toggle_check(s, index);
    SendMessageA(notify_target(hwnd, s), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(b.info.idCommand), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
    return 0;
}

LRESULT get_button_text(const ToolbarState& s, WPARAM command, LPSTR buffer) {
    const int index = index_of_command(s, command);
    if (index < 0)
        return -1;
    const std::string& text = s.buttons[static_cast<std::size_t>(index)].text;
    // As on the platform the message carries no buffer size: callers ask for the length first.
    if (buffer)
        copy_text(text, buffer, static_cast<int>(text.size()) + 1);
    return static_cast<LRESULT>(text.size());
}

HIMAGELIST swap_list(HWND hwnd, ToolbarState& s, HIMAGELIST& slot, LPARAM list) {
    HIMAGELIST old = slot;
    slot = reinterpret_cast<HIMAGELIST>(list);
    if (slot == s.images && slot) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(slot, &cx, &cy);
        s.bitmap = SIZE{cx, cy};
    }
    layout(hwnd, s);
    return old;
}

LRESULT handle_button_message(HWND hwnd, ToolbarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TB_ENABLEBUTTON:
        return set_state_bit(hwnd, s, wParam, TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_CHECKBUTTON:
        return set_state_bit(hwnd, s, wParam, TBSTATE_CHECKED, LOWORD(lParam) != 0);
    case TB_PRESSBUTTON:
        return set_state_bit(hwnd, s, wParam, TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON:
        return set_state_bit(hwnd, s, wParam, TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_INDETERMINATE:
        return set_state_bit(hwnd, s, wParam, TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
    default:
        break;
    }
    const ToolButton* b = by_command(s, wParam);
    const BYTE state = b ? b->info.fsState : 0;
    switch (msg) {
    case TB_ISBUTTONENABLED:
        return (state & TBSTATE_ENABLED) != 0;
    case TB_ISBUTTONCHECKED:
        return (state & TBSTATE_CHECKED) != 0;
    case TB_ISBUTTONPRESSED:
        return (state & TBSTATE_PRESSED) != 0;
    case TB_ISBUTTONHIDDEN:
        return (state & TBSTATE_HIDDEN) != 0;
    case TB_ISBUTTONINDETERMINATE:
        return (state & TBSTATE_INDETERMINATE) != 0;
    case TB_GETSTATE:
        return b ? state : -1;
    default: // TB_SETSTATE
        if (ToolButton* target = by_command(s, wParam)) {
            target->info.fsState = static_cast<BYTE>(LOWORD(lParam));
            layout(hwnd, s);
            return TRUE;
        }
        return FALSE;
    }
}

LRESULT CALLBACK toolbar_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<ToolbarState>(hwnd);
    ToolbarState* s = state_of<ToolbarState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_NCDESTROY:
        destroy_state<ToolbarState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
        layout(hwnd, *s);
        return 0;
    case WM_SIZE:
        if (style_of(hwnd) & TBSTYLE_WRAPABLE)
            layout(hwnd, *s);
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        layout(hwnd, *s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_MOUSEMOVE:
        return on_mouse_move(hwnd, *s, p);
    case WM_MOUSELEAVE:
        s->tracking_leave = false;
        set_hot(hwnd, *s, -1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return on_button_down(hwnd, *s, p);
    case WM_LBUTTONUP:
        return on_button_up(hwnd, *s, p);
    case WM_CAPTURECHANGED:
        if (s->pressed >= 0) {
            s->buttons[static_cast<std::size_t>(s->pressed)].info.fsState &=
                static_cast<BYTE>(~TBSTATE_PRESSED);
            s->pressed = -1;
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case TB_ENABLEBUTTON:
    case TB_CHECKBUTTON:
    case TB_PRESSBUTTON:
    case TB_HIDEBUTTON:
    case TB_INDETERMINATE:
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED:
    case TB_ISBUTTONPRESSED:
    case TB_ISBUTTONHIDDEN:
    case TB_ISBUTTONINDETERMINATE:
    case TB_GETSTATE:
    case TB_SETSTATE:
        return handle_button_message(hwnd, *s, msg, wParam, lParam);
    case TB_ADDBITMAP:
        return -1; // images come through image lists
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_ADDBUTTONSA:
        return insert_buttons(hwnd, *s, static_cast<int>(s->buttons.size()),
                              reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam));
    case TB_INSERTBUTTONA:
        return insert_buttons(hwnd, *s, static_cast<int>(wParam),
                              reinterpret_cast<const TBBUTTON*>(lParam), 1);
    case TB_DELETEBUTTON: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index >= static_cast<int>(s->buttons.size()))
            return FALSE;
        s->buttons.erase(s->buttons.begin() + index);
        s->hot = s->pressed = -1;
        layout(hwnd, *s);
        return TRUE;
    }
    case TB_GETBUTTON: {
        const int index = static_cast<int>(wParam);
        auto* out = reinterpret_cast<TBBUTTON*>(lParam);
        if (!out || index < 0 || index >= static_cast<int>(s->buttons.size()))
            return FALSE;
        *out = s->buttons[static_cast<std::size_t>(index)].info;
        return TRUE;
    }
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(s->buttons.size());
    case TB_COMMANDTOINDEX:
        return index_of_command(*s, wParam);
    case TB_ADDSTRINGA:
        return add_strings(hwnd, *s, wParam, lParam);
    case TB_GETITEMRECT:
    case TB_GETRECT: {
        const int index =
            msg == TB_GETRECT ? index_of_command(*s, wParam) : static_cast<int>(wParam);
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || index < 0 || index >= static_cast<int>(s->buttons.size()))
            return FALSE;
        *rect = s->buttons[static_cast<std::size_t>(index)].rect;
        return TRUE;
    }
    case TB_SETBUTTONSIZE:
        s->button_size = SIZE{LOWORD(lParam), HIWORD(lParam)};
        layout(hwnd, *s);
        return TRUE;
    case TB_SETBITMAPSIZE:
        s->bitmap = SIZE{LOWORD(lParam), HIWORD(lParam)};
        layout(hwnd, *s);
        return TRUE;
    case TB_GETBUTTONSIZE:
        return MAKELRESULT(s->button.cx, s->button.cy);
    case TB_AUTOSIZE:
        layout(hwnd, *s);
        return 0;
    case TB_SETPARENT: {
        HWND old = notify_target(hwnd, *s);
        s->notify = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETBUTTONTEXTA:
        return get_button_text(*s, wParam, reinterpret_cast<LPSTR>(lParam));
    case TB_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(swap_list(hwnd, *s, s->images, lParam));
    case TB_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(s->images);
    case TB_SETHOTIMAGELIST:
        return reinterpret_cast<LRESULT>(swap_list(hwnd, *s, s->hot_images, lParam));
    case TB_GETHOTIMAGELIST:
        return reinterpret_cast<LRESULT>(s->hot_images);
    case TB_SETDISABLEDIMAGELIST:
        return reinterpret_cast<LRESULT>(swap_list(hwnd, *s, s->disabled_images, lParam));
    case TB_GETDISABLEDIMAGELIST:
        return reinterpret_cast<LRESULT>(s->disabled_images);
    case TB_SETSTYLE:
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(lParam));
        layout(hwnd, *s);
        return 0;
    case TB_GETSTYLE:
        return static_cast<LRESULT>(style_of(hwnd));
    case TB_HITTEST: {
        const auto* point = reinterpret_cast<const POINT*>(lParam);
        return point ? hit_test(*s, *point) : -1;
    }
    case TB_GETHOTITEM:
        return (style_of(hwnd) & TBSTYLE_FLAT) ? s->hot : -1;
    case TB_SETHOTITEM: {
        const int old = s->hot;
        const int index = static_cast<int>(wParam);
        set_hot(hwnd, *s, index >= 0 && index < static_cast<int>(s->buttons.size()) ? index : -1);
        return old;
    }
    case TB_SETEXTENDEDSTYLE: {
        const DWORD old = s->extended;
        s->extended = static_cast<DWORD>(lParam);
        layout(hwnd, *s);
        return static_cast<LRESULT>(old);
    }
    case TB_GETEXTENDEDSTYLE:
        return static_cast<LRESULT>(s->extended);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_toolbar_class() {
    register_system_class(TOOLBARCLASSNAMEA, toolbar_proc, CS_DBLCLKS, nullptr);
}

} // namespace lv::controls
