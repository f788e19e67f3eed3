// The image button driven by injected mouse and keys: radio groups, check boxes, pressing and
// dragging out and back, hover, and what each state shows.
#include "settings/controls/image_button.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kNormal = RGB(255, 0, 0);
constexpr COLORREF kPressed = RGB(0, 255, 0);
constexpr COLORREF kHover = RGB(0, 0, 255);
constexpr COLORREF kFocus = RGB(255, 255, 0);

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A class-library window, so that the buttons' drawing is reflected to them.
        ASSERT_TRUE(host_wnd.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200,
                                      nullptr, nullptr));
        host = host_wnd.GetSafeHwnd();
        lv::testing::mouse_move(390, 190);
        pump();
    }
    void TearDown() override {
        buttons.clear();
        host_wnd.DestroyWindow();
    }

    CImageButton& add(DWORD style, int x, int y, int id, bool bitmaps = true) {
        HWND hwnd =
            CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | style, x, y, 40, 20, host,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        buttons.push_back(std::make_unique<CImageButton>());
        auto& button = *buttons.back();
        EXPECT_TRUE(button.SubclassWindow(hwnd));
        if (bitmaps)
            button.SetBitmaps(501, 502, 503, 501, 504);
        UpdateWindow(host);
        return button;
    }

    void click(int x, int y) {
        lv::testing::click(x, y);
        pump();
    }

    COLORREF pixel(int x, int y) {
        pump();
        UpdateWindow(host);
        return lv::testing::window_pixel(host, x, y);
    }

    CWnd host_wnd;
    HWND host = nullptr;
    std::vector<std::unique_ptr<CImageButton>> buttons;
};

TEST_F(ImageButtonTest, KindComesFromTheStyleAndTheButtonBecomesOwnerDrawn) {
    EXPECT_EQ(add(BS_PUSHBUTTON, 10, 10, 1).GetKind(), CImageButton::kPushButton);
    EXPECT_EQ(add(BS_AUTOCHECKBOX, 60, 10, 2).GetKind(), CImageButton::kCheckBox);
    auto& radio = add(BS_AUTORADIOBUTTON, 110, 10, 3);
    EXPECT_EQ(radio.GetKind(), CImageButton::kRadioButton);
    EXPECT_EQ(radio.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ImageButtonTest, ClickingARadioButtonChecksItAndClearsTheRestOfItsGroup) {
    auto& first = add(BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 1);
    auto& second = add(BS_AUTORADIOBUTTON, 60, 10, 2);
    auto& third = add(BS_AUTORADIOBUTTON, 110, 10, 3);
    auto& outside = add(BS_AUTORADIOBUTTON | WS_GROUP, 160, 10, 4);
    first.SetCheck(1);
    outside.SetCheck(1);
    third.SetCheck(1);
    pump();
    EXPECT_EQ(first.GetCheck(), 0);
    click(80, 20);
    EXPECT_EQ(first.GetCheck(), 0);
    EXPECT_EQ(second.GetCheck(), 1);
    EXPECT_EQ(third.GetCheck(), 0);
    EXPECT_EQ(outside.GetCheck(), 1);   // another group
    EXPECT_EQ(pixel(65, 15), kPressed); // a checked button shows its pressed image
    EXPECT_EQ(pixel(115, 15), kNormal);
}

TEST_F(ImageButtonTest, CheckBoxTogglesOnlyWhenReleasedOverIt) {
    auto& box = add(BS_AUTOCHECKBOX, 10, 10, 1);
    click(30, 20);
    EXPECT_EQ(box.GetCheck(), 1);
    click(30, 20);
    EXPECT_EQ(box.GetCheck(), 0);
    lv::testing::mouse_move(30, 20);
    lv::testing::mouse_down();
    lv::testing::mouse_move(200, 150);
    lv::testing::mouse_up();
    pump();
    EXPECT_EQ(box.GetCheck(), 0);
}

TEST_F(ImageButtonTest, SpaceBarChangesTheCheckLikeAClick) {
    auto& box = add(BS_AUTOCHECKBOX, 10, 10, 1);
    box.SetFocus();
    lv::testing::key_press(VK_SPACE);
    pump();
    EXPECT_EQ(box.GetCheck(), 1);
}

TEST_F(ImageButtonTest, PushButtonNeverStaysChecked) {
    auto& push = add(BS_PUSHBUTTON, 10, 10, 1);
    push.SetCheck(1);
    EXPECT_EQ(push.GetCheck(), 0);
}

// The press gave the button the focus, so out of it the button shows its focus image.
TEST_F(ImageButtonTest, DraggingThePressedPointerOutShowsFocusAndBackShowsPressed) {
    add(BS_PUSHBUTTON, 10, 10, 1);
    lv::testing::mouse_move(30, 20);
    pump();
    lv::testing::mouse_down();
    pump();
    EXPECT_EQ(pixel(15, 15), kPressed);
    lv::testing::mouse_move(200, 150);
    pump();
    EXPECT_EQ(pixel(15, 15), kFocus);
    lv::testing::mouse_move(30, 20);
    pump();
    EXPECT_EQ(pixel(15, 15), kPressed);
    lv::testing::mouse_up();
    pump();
}

TEST_F(ImageButtonTest, HoverShowsTheHoverImageUntilThePointerLeaves) {
    auto& push = add(BS_PUSHBUTTON, 10, 10, 1);
    EXPECT_EQ(pixel(15, 15), kNormal);
    lv::testing::mouse_move(30, 20);
    pump();
    EXPECT_TRUE(push.IsHovering());
    EXPECT_EQ(pixel(15, 15), kHover);
    lv::testing::mouse_move(300, 150);
    pump();
    EXPECT_FALSE(push.IsHovering());
    EXPECT_EQ(pixel(15, 15), kNormal);
}

TEST_F(ImageButtonTest, ButtonWithoutBitmapsIsFilledWithTheFaceColour) {
    add(BS_PUSHBUTTON, 10, 10, 1, false);
    EXPECT_EQ(pixel(12, 12), GetSysColor(COLOR_BTNFACE));
}

TEST(ImageButtonRegion, HoldsExactlyTheNonTransparentPixels) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 6, 3);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 6, 3};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(memory, &all, white);
    DeleteObject(white);
    SetPixel(memory, 1, 0, RGB(0, 0, 0));
    SetPixel(memory, 2, 0, RGB(0, 0, 0));
    SetPixel(memory, 5, 2, RGB(10, 20, 30));
    SelectObject(memory, old);
    DeleteDC(memory);

    HRGN region = CImageButton::RegionFromBitmap(bitmap, RGB(255, 255, 255));
    ASSERT_NE(region, nullptr);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = (y == 0 && (x == 1 || x == 2)) || (y == 2 && x == 5);
            EXPECT_EQ(PtInRegion(region, x, y) != 0, inside) << x << "," << y;
        }
    }
    DeleteObject(region);
    DeleteObject(bitmap);
    EXPECT_EQ(CImageButton::RegionFromBitmap(nullptr, 0), nullptr);
}

} // namespace
