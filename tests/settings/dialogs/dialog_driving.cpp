#include "tests/settings/dialogs/dialog_driving.h"

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

bool SaveScreenshot(HWND dialog, const std::string& path) {
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return lv::testing::save_window_png(dialog, path);
}

} // namespace dlgdrive
