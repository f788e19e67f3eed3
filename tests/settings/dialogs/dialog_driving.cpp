#include "tests/settings/dialogs/dialog_driving.h"

#include "testing/file_dialog_answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <algorithm>

namespace dlgdrive {

HWND FindControl(HWND root, int id) {
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        if (HWND inside = FindControl(child, id))
            return inside;
    }
    return nullptr;
}

void Pump(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Click(HWND control) {
    lv::testing::click_window(control);
    Pump(GetAncestor(control, GA_ROOT));
}

void ClickAt(HWND control, int x, int y) {
    RECT r{};
    GetWindowRect(control, &r);
    lv::testing::click(r.left + x, r.top + y);
    Pump(GetAncestor(control, GA_ROOT));
}

void ClickAndPickFile(HWND button, const std::string& path, DWORD filterIndex) {
    lv::testing::push_file_dialog_answer({{path}, filterIndex});
    Click(button);
}

void TypeInto(HWND edit, const std::string& text) {
    Click(edit);
    lv::testing::key_press(VK_END);
    for (int i = GetWindowTextLengthA(edit); i > 0; --i)
        lv::testing::key_press(VK_BACK);
    lv::testing::type_text(text);
    Pump(GetAncestor(edit, GA_ROOT));
}

void MovePointerAway() {
    lv::testing::mouse_move(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

std::string TextOf(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool ShowsBitmap(HWND control, UINT id) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(id));
    if (!bitmap)
        return false;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    RECT r{};
    GetWindowRect(control, &r);
    const int width = std::min<int>(info.bmWidth, r.right - r.left);
    const int height = std::min<int>(info.bmHeight, r.bottom - r.top);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The far corner of the border, and the face near the four corners (a neighbour may overlap
    // the first columns).
    const POINT points[] = {
        {width - 1, height - 1}, {6, 3}, {width - 6, 3}, {6, height - 4}, {width - 6, height - 4}};
    bool same = width > 8 && height > 8;
    for (const POINT& p : points) {
        if (lv::testing::window_pixel(control, p.x, p.y) != GetPixel(memory, p.x, p.y))
            same = false;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return same;
}

bool HasDrawing(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const COLORREF corner = lv::testing::window_pixel(control, 1, 1);
    int different = 0;
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
            if (lv::testing::window_pixel(control, x, y) != corner)
                ++different;
    return different > 5;
}

namespace {

constexpr int kCheckRoom = 13 + 4; // a check box's or radio button's box and the gap after it
constexpr int kGroupRoom = 16;     // a group box's frame and the gaps round its title

// The room for the text and how the text is laid out in it; false for controls without a label.
bool LabelRoom(HWND control, RECT& room, UINT& format) {
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    const std::string kind = name;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    GetClientRect(control, &room);
    format = DT_CALCRECT | DT_SINGLELINE;
    if (kind == "Static") {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE &&
            type != SS_LEFTNOWORDWRAP)
            return false;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
            format = DT_CALCRECT | DT_WORDBREAK;
        return true;
    }
    if (kind != "Button")
        return false;
    switch (style & BS_TYPEMASK) {
    case BS_OWNERDRAW:
        return false;
    case BS_GROUPBOX:
        room.right -= kGroupRoom;
        return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        room.right -= kCheckRoom;
        return true;
    default:
        room.right -= 4;
        return true;
    }
}

} // namespace

std::vector<std::string> TextsThatDoNotFit(HWND window) {
    std::vector<std::string> misfits;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = TextOf(child);
        RECT room{};
        UINT format = 0;
        if (text.empty() || !LabelRoom(child, room, format))
            continue;
        HDC dc = GetDC(child);
        auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        HGDIOBJ old =
            SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        RECT needed{0, 0, room.right - room.left, 0};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
        RECT line{0, 0, 0, 0};
        DrawTextA(dc, "Ag", 2, &line, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        const int width = needed.right - needed.left, height = needed.bottom - needed.top;
        const int roomWidth = room.right - room.left, roomHeight = room.bottom - room.top;
        // One line may be a little taller than a small label: only wrapped lines must fit.
        const bool tooTall = (format & DT_WORDBREAK) && height > roomHeight && height > line.bottom;
        if (width > roomWidth || tooTall)
            misfits.push_back(std::to_string(GetDlgCtrlID(child)) + " \"" + text + "\" needs " +
                              std::to_string(width) + " x " + std::to_string(height) + ", has " +
                              std::to_string(roomWidth) + " x " + std::to_string(roomHeight));
    }
    return misfits;
}

bool SaveScreenshot(HWND dialog, const std::string& path) {
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return lv::testing::save_window_png(dialog, path);
}

} // namespace dlgdrive
