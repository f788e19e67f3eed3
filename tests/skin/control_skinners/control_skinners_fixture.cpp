#include "tests/skin/control_skinners/control_skinners_fixture.h"

#include "skin/core/glazework.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/skin_builder.h"

#include <memory>

namespace lvtest {

std::vector<std::pair<int, int>> g_commands;
std::vector<int> g_scrolls;

namespace {
// The open dialog: its keys go through the dialog manager, as in a modal loop.
HWND g_dialog = nullptr;
} // namespace

namespace {

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        g_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_scrolls.push_back(LOWORD(wParam));
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HBRUSH brush = CreateSolidBrush(kOwnerColor);
        FillRect(item->hDC, &item->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (g_dialog && IsWindow(g_dialog) && IsDialogMessageA(g_dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND ControlDialog::Open(bool skinned, const std::function<void(SkinData&)>& alter) {
    g_commands.clear();
    if (skinned) {
        EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
        auto skin = LoadSkinFile(LV_FULL_SKIN_PATH);
        EXPECT_NE(skin, nullptr) << LV_FULL_SKIN_PATH;
        if (skin && alter)
            alter(*skin);
        SkinManager::Instance().SetSkin(std::move(skin));
        GlazeworkSetDialogSkinName("Dialog");
        started = true;
    }
    dialog = CreateDialogParamA(nullptr, "CONTROLS", nullptr, DialogProc, 0);
    EXPECT_NE(dialog, nullptr);
    g_dialog = dialog;
    SetActiveWindow(dialog);
    lv::testing::mouse_move(1000, 760);
    Pump();
    g_commands.clear();
    g_scrolls.clear();
    return dialog;
}

void ControlDialog::TearDown() {
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
    g_dialog = nullptr;
    if (started)
        GlazeworkShutdown();
    Pump();
}

COLORREF ControlDialog::At(int id, int x, int y) const {
    return lv::testing::window_pixel(Item(id), x, y);
}

SIZE ControlDialog::SizeOf(int id) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

COLORREF ControlDialog::AtCentreLeft(int id, int x) const {
    return At(id, x, SizeOf(id).cy / 2);
}

COLORREF SkinPixel(const char* image, int x, int y) {
    const SkinImage* entry = SkinManager::Instance().GetSkin()->FindImageEntry(image);
    if (!entry)
        return CLR_INVALID;
    const auto height = static_cast<LONG>(entry->image.GetHeight());
    return PxImage::RgbQuadToRgb(entry->image.GetPixelColor(x, height - 1 - y));
}

void ControlDialog::MoveOnto(int id, int x, int y) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    lv::testing::mouse_move(r.left + x, r.top + y);
    Pump();
}

} // namespace lvtest
