#include "tests/skin/item_skinners/item_skinners_fixture.h"

#include "skin/core/glazework.h"
#include "skin/core/skin_data.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/skin_builder.h"

#include <memory>

namespace lvtest {
namespace {

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

} // namespace

void PumpItems() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ItemDialog::SetUp() {
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    auto skin = LoadSkinFile(LV_FULL_SKIN_PATH);
    ASSERT_NE(skin, nullptr) << LV_FULL_SKIN_PATH;
    SkinManager::Instance().SetSkin(std::move(skin));
    GlazeworkSetDialogSkinName("Dialog");
    dialog = CreateDialogParamA(nullptr, "ITEMS", nullptr, DialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetActiveWindow(dialog);
    lv::testing::mouse_move(1000, 760);
    PumpItems();
}

void ItemDialog::TearDown() {
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
    GlazeworkShutdown();
    PumpItems();
}

HWND ItemDialog::Make(const char* className, DWORD style, const RECT& place, const char* text,
                      int id) {
    HWND control =
        CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr) << className;
    PumpItems();
    return control;
}

COLORREF ItemDialog::At(HWND control, int x, int y) {
    UpdateWindow(control);
    return lv::testing::window_pixel(control, x, y);
}

void ItemDialog::MoveOnto(HWND control, int x, int y) {
    POINT at{x, y};
    ClientToScreen(control, &at);
    lv::testing::mouse_move(at.x, at.y);
    PumpItems();
}

COLORREF ItemSkinPixel(const char* image, int x, int y) {
    const SkinImage* entry = SkinManager::Instance().GetSkin()->FindImageEntry(image);
    if (!entry)
        return CLR_INVALID;
    const auto height = static_cast<LONG>(entry->image.GetHeight());
    return PxImage::RgbQuadToRgb(entry->image.GetPixelColor(x, height - 1 - y));
}

COLORREF ItemSkinCentre(const char* image, const RECT& cell) {
    return ItemSkinPixel(image, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

} // namespace lvtest
