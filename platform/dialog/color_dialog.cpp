// ChooseColorA: a dialog of the layer's own. The colour is picked from 48 basic cells or the 16
// custom ones, or typed as its red, green and blue; a sample shows it. A queued answer or the
// answer script answers it (OK keeps the colour it started from), a driver may click it, and
// where nobody can answer it is cancelled.
#include "dialog/common_dialog_error.h"
#include "dialog/dialog_template.h"
#include "dialog/message_box_layout.h"
#include "dialog/modal_loop.h"
#include "dialog/user_language_texts.h"
#include "win32/choose_color.h"
#include "win32/commdlg.h"
#include "win32/controls.h"
#include "win32/dialog.h"
#include "win32/gdi.h"

#include <algorithm>
#include <array>

namespace lv::dialog {
namespace {

constexpr int kColumns = 8;
constexpr int kBasicRows = 6;
constexpr int kBasicCount = kColumns * kBasicRows;
constexpr int kCustomCount = 16;
// In dialog units.
constexpr int kMargin = 4;
constexpr int kCellWidth = 14;
constexpr int kCellHeight = 11;
constexpr int kCellStepX = 17;
constexpr int kCellStepY = 14;
constexpr int kRightColumn = 152;

COLORREF mix(COLORREF a, COLORREF b, int percent_of_b) {
    auto part = [&](int shift) {
        const int x = static_cast<int>((a >> shift) & 0xFF),
                  y = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<COLORREF>(x + (y - x) * percent_of_b / 100) << shift;
    };
    return part(0) | part(8) | part(16);
}

// Eight hues across, from pale to deep down; the last column greys from white to black.
std::array<COLORREF, kBasicCount> basic_colours() {
    constexpr COLORREF hues[kColumns - 1] = {RGB(220, 30, 30), RGB(240, 140, 20), RGB(240, 220, 30),
                                             RGB(40, 170, 60), RGB(20, 170, 170), RGB(30, 80, 210),
                                             RGB(140, 50, 180)};
    constexpr int toward_white[kBasicRows] = {70, 40, 0, 0, 0, 0};
    constexpr int toward_black[kBasicRows] = {0, 0, 0, 30, 55, 75};
    constexpr BYTE greys[kBasicRows] = {255, 208, 160, 128, 64, 0};
    std::array<COLORREF, kBasicCount> colours{};
    for (int row = 0; row < kBasicRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            COLORREF& c = colours[static_cast<std::size_t>(row * kColumns + column)];
            if (column == kColumns - 1) {
                c = RGB(greys[row], greys[row], greys[row]);
                continue;
            }
            c = mix(hues[column], RGB(255, 255, 255), toward_white[row]);
            c = mix(c, RGB(0, 0, 0), toward_black[row]);
        }
    }
    return colours;
}

const std::array<COLORREF, kBasicCount>& basics() {
    static const std::array<COLORREF, kBasicCount> colours = basic_colours();
    return colours;
}

struct ColorDialogState {
    CHOOSECOLORA* choose = nullptr;
    COLORREF current = 0;
    bool filling = false; // the edits are being set from the colour
};

ColorDialogState& state_of(HWND dialog) {
    return *reinterpret_cast<ColorDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool is_basic(int id) {
    return id >= kColorDialogBasicFirst && id < kColorDialogBasicFirst + kBasicCount;
}

bool is_custom(int id) {
    return id >= kColorDialogCustomFirst && id < kColorDialogCustomFirst + kCustomCount;
}

COLORREF colour_of_cell(const ColorDialogState& s, int id) {
    if (is_basic(id))
        return basics()[static_cast<std::size_t>(id - kColorDialogBasicFirst)];
    if (s.choose->lpCustColors)
        return s.choose->lpCustColors[id - kColorDialogCustomFirst] & 0xFFFFFF;
    return RGB(255, 255, 255);
}

// Every cell and the sample show whether they hold the colour now.
void repaint_cells(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        InvalidateRect(child, nullptr, FALSE);
}

void show_colour(HWND dialog, ColorDialogState& s) {
    s.filling = true;
    SetDlgItemInt(dialog, kColorDialogRed, GetRValue(s.current), FALSE);
    SetDlgItemInt(dialog, kColorDialogGreen, GetGValue(s.current), FALSE);
    SetDlgItemInt(dialog, kColorDialogBlue, GetBValue(s.current), FALSE);
    s.filling = false;
    repaint_cells(dialog);
}

BYTE component(HWND dialog, int id) {
    BOOL read = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &read, FALSE);
    return static_cast<BYTE>(read ? std::min(value, 255u) : 0u);
}

void read_typed_colour(HWND dialog, ColorDialogState& s) {
    s.current = RGB(component(dialog, kColorDialogRed), component(dialog, kColorDialogGreen),
                    component(dialog, kColorDialogBlue));
    repaint_cells(dialog);
}

void draw_swatch(const DRAWITEMSTRUCT& item, COLORREF colour, bool chosen) {
    RECT r = item.rcItem;
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(item.hDC, &r, face);
    if (chosen) {
        HBRUSH frame = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        FrameRect(item.hDC, &r, frame);
        InflateRect(&r, -1, -1);
        FrameRect(item.hDC, &r, frame);
        InflateRect(&r, -1, -1);
    }
    DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(item.hDC, &r, brush);
    DeleteObject(brush);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

INT_PTR on_draw_item(HWND dialog, const DRAWITEMSTRUCT* item) {
    if (!item)
        return FALSE;
    const ColorDialogState& s = state_of(dialog);
    const int id = static_cast<int>(item->CtlID);
    if (id == kColorDialogSample) {
        draw_swatch(*item, s.current, false);
        return TRUE;
    }
    if (!is_basic(id) && !is_custom(id))
        return FALSE;
    const COLORREF colour = colour_of_cell(s, id);
    draw_swatch(*item, colour, colour == s.current);
    return TRUE;
}

INT_PTR on_command(HWND dialog, WORD id, WORD code) {
    ColorDialogState& s = state_of(dialog);
    if ((is_basic(id) || is_custom(id)) && code == BN_CLICKED) {
        s.current = colour_of_cell(s, id);
        show_colour(dialog, s);
        return TRUE;
    }
    if ((id == kColorDialogRed || id == kColorDialogGreen || id == kColorDialogBlue) &&
        code == EN_CHANGE && !s.filling) {
        read_typed_colour(dialog, s);
        return TRUE;
    }
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK color_dialog_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (int id : {kColorDialogRed, kColorDialogGreen, kColorDialogBlue})
            SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, 3, 0);
        show_colour(dialog, state_of(dialog));
        return TRUE;
    }
    case WM_COMMAND:
        return on_command(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        return on_draw_item(dialog, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

void add_cells(DialogTemplate& t, int first_id, int count, int top) {
    for (int i = 0; i < count; ++i) {
        const int column = i % kColumns, row = i / kColumns;
        t.items.push_back(dialog_item("Button", "", static_cast<WORD>(first_id + i),
                                      BS_OWNERDRAW | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                                      kMargin + column * kCellStepX, top + row * kCellStepY,
                                      kCellWidth, kCellHeight));
    }
}

struct ColorDialogTexts {
    const char* caption;
    const char* basic;
    const char* custom;
    const char* red;
    const char* green;
    const char* blue;
};

constexpr TextsByLanguage<ColorDialogTexts> kTexts{
    {"Color", "&Basic colors:", "&Custom colors:", "&Red:", "&Green:", "Bl&ue:"},
    {"色の設定", "基本色(&B):", "作成した色(&C):", "赤(&R):", "緑(&G):", "青(&U):"},
    {"색", "기본 색(&B):", "사용자 지정 색(&C):", "빨강(&R):", "녹색(&G):", "파랑(&U):"},
};

DialogTemplate color_dialog_template() {
    const ColorDialogTexts& texts = in_user_language(kTexts);
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.cx = 222;
    t.cy = 166;
    t.caption = texts.caption;
    t.font = "Tahoma";
    t.point_size = 8;
    t.items.push_back(dialog_item("Static", texts.basic, -1, SS_LEFT, kMargin, 4, 140, 9));
    add_cells(t, kColorDialogBasicFirst, kBasicCount, 14);
    t.items.push_back(dialog_item("Static", texts.custom, -1, SS_LEFT, kMargin, 100, 140, 9));
    add_cells(t, kColorDialogCustomFirst, kCustomCount, 110);
    t.items.push_back(
        dialog_item("Static", "", kColorDialogSample, SS_OWNERDRAW, kRightColumn, 14, 66, 38));
    const std::pair<const char*, int> parts[] = {{texts.red, kColorDialogRed},
                                                 {texts.green, kColorDialogGreen},
                                                 {texts.blue, kColorDialogBlue}};
    int y = 60;
    for (const auto& [label, id] : parts) {
        t.items.push_back(dialog_item("Static", label, -1, SS_LEFT, kRightColumn, y + 2, 32, 9));
        t.items.push_back(dialog_item("Edit", "", id, ES_NUMBER | WS_BORDER | WS_TABSTOP | WS_GROUP,
                                      kRightColumn + 36, y, 30, 12));
        y += 16;
    }
    t.items.push_back(dialog_item("Button", message_box_label(IDOK), IDOK,
                                  BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 118, 146, 48, 14));
    t.items.push_back(dialog_item("Button", message_box_label(IDCANCEL), IDCANCEL,
                                  BS_PUSHBUTTON | WS_TABSTOP, 170, 146, 48, 14));
    return t;
}

} // namespace
} // namespace lv::dialog

using namespace lv::dialog;

BOOL ChooseColorA(LPCHOOSECOLORA choose) {
    if (!choose || choose->lStructSize != sizeof(CHOOSECOLORA))
        return fail_common_dialog(CDERR_STRUCTSIZE);
    if (choose->Flags & (CC_ENABLEHOOK | CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE))
        return fail_common_dialog(CDERR_INITIALIZATION);
    clear_common_dialog_error();
    ColorDialogState state;
    state.choose = choose;
    state.current = (choose->Flags & CC_RGBINIT) ? (choose->rgbResult & 0xFFFFFF) : RGB(0, 0, 0);
    ModalOptions options;
    options.unattended_result = IDCANCEL;
    const INT_PTR result = dialog_box(nullptr, color_dialog_template(), choose->hwndOwner,
                                      color_dialog_proc, reinterpret_cast<LPARAM>(&state), options);
    if (result != IDOK)
        return FALSE;
    choose->rgbResult = state.current;
    return TRUE;
}
