// A dialog skinned from the full skin, with item controls made on it one by one, and what
// they show.
#pragma once

#include "win32/win32.h"

#include <gtest/gtest.h>

namespace lvtest {

class ItemDialog : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A child control of the dialog (client coordinates), skinned as the toolkit skins it.
    HWND Make(const char* className, DWORD style, const RECT& place, const char* text = "",
              int id = 0);
    // The colour a control shows at a point of its client area (it has no border).
    static COLORREF At(HWND control, int x, int y);
    static COLORREF At(HWND control, POINT p) { return At(control, p.x, p.y); }
    // The pointer moved onto a point of a control's client area.
    static void MoveOnto(HWND control, int x, int y);
    template <typename T> static T* Skinner(HWND control);

    HWND dialog = nullptr;
};

void PumpItems();
// The full skin's pixel in one of its images; the centre of a cell of it.
COLORREF ItemSkinPixel(const char* image, int x, int y);
COLORREF ItemSkinCentre(const char* image, const RECT& cell);

} // namespace lvtest

#include "skin/core/skin_manager.h"

template <typename T> T* lvtest::ItemDialog::Skinner(HWND control) {
    return dynamic_cast<T*>(SkinManager::Instance().Find(control));
}
