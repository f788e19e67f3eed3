// Icon and bitmap statics whose template text names a resource ("#<id>"): they load it, take
// its size unless they centre it, and free it when they are destroyed.
#include "testing/screen_capture.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0x14, 0x8C, 0x3C);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class PictureStatics : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = CreateDialogParamA(nullptr, "PICTURES", nullptr, nullptr, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
    }
    void TearDown() override {
        if (dialog)
            DestroyWindow(dialog);
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    static SIZE client_size(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        return SIZE{r.right, r.bottom};
    }
    // The size the template gives, in pixels.
    SIZE template_size(int cx, int cy) const {
        RECT r{0, 0, cx, cy};
        MapDialogRect(dialog, &r);
        return SIZE{r.right, r.bottom};
    }
    // What the control shows at a point of its client area.
    static COLORREF shown(HWND control, int x, int y) {
        POINT p{x, y};
        ClientToScreen(control, &p);
        RECT window{};
        GetWindowRect(control, &window);
        return lv::testing::window_pixel(control, p.x - window.left, p.y - window.top);
    }
    template <typename Handle> static Handle image(HWND control, UINT type) {
        return reinterpret_cast<Handle>(SendMessageA(control, STM_GETIMAGE, type, 0));
    }

    HWND dialog = nullptr;
};

TEST_F(PictureStatics, BitmapsAreLoadedAndGiveTheirSize) {
    struct Case {
        int id;
        SIZE client;
        POINT red; // where the bitmap's top-left pixel shows
    };
    const SIZE centred = template_size(30, 20);
    const Case cases[] = {
        {501, {3, 2}, {0, 0}},
        {502, centred, {(centred.cx - 3) / 2, (centred.cy - 2) / 2}},
        {503, {3, 2}, {0, 0}}, // with a client edge around it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = item(c.id);
        ASSERT_NE(image<HBITMAP>(control, IMAGE_BITMAP), nullptr);
        const SIZE size = client_size(control);
        EXPECT_EQ(size.cx, c.client.cx);
        EXPECT_EQ(size.cy, c.client.cy);
        EXPECT_EQ(shown(control, c.red.x, c.red.y), kRed);
        EXPECT_EQ(shown(control, c.red.x + 2, c.red.y + 1), kGrey);
    }
    RECT edged{};
    GetWindowRect(item(503), &edged);
    EXPECT_GT(edged.right - edged.left, 3);
}

TEST_F(PictureStatics, IconsAreLoadedWithTheirTransparentParts) {
    HWND control = item(504);
    ASSERT_NE(image<HICON>(control, IMAGE_ICON), nullptr);
    const SIZE size = client_size(control);
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYICON));
    // The 8 x 8 picture fills the icon's size: each of its pixels covers 4 x 4.
    const int scale = size.cx / 8;
    const COLORREF background = shown(item(506), 1, 1);
    EXPECT_EQ(shown(control, 1, 1), background);
    EXPECT_EQ(shown(control, size.cx - 2, size.cy / 2), background);
    EXPECT_EQ(shown(control, 2 * scale + 1, 2 * scale + 1), kRed);
    EXPECT_EQ(shown(control, 4 * scale, 4 * scale), kGreen);
}

TEST_F(PictureStatics, MissingResourcesLeaveTheStaticEmptyAndItsSize) {
    EXPECT_EQ(image<HBITMAP>(item(505), IMAGE_BITMAP), nullptr);
    EXPECT_EQ(image<HICON>(item(506), IMAGE_ICON), nullptr);
    const SIZE bitmap = client_size(item(505));
    const SIZE expected = template_size(30, 20);
    EXPECT_EQ(bitmap.cx, expected.cx);
    EXPECT_EQ(bitmap.cy, expected.cy);
    EXPECT_EQ(client_size(item(506)).cx, template_size(20, 20).cx);
}

TEST_F(PictureStatics, WhatTheyLoadedIsFreedWithThemUnlessHandedOut) {
    const auto bitmap = image<HBITMAP>(item(501), IMAGE_BITMAP);
    const auto icon = image<HICON>(item(504), IMAGE_ICON);
    HBITMAP replacement = CreateBitmap(4, 4, 1, 32, nullptr);
    const auto handed = reinterpret_cast<HBITMAP>(
        SendMessageA(item(502), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(replacement)));
    ASSERT_NE(handed, nullptr);
    EXPECT_EQ(client_size(item(502)).cx, template_size(30, 20).cx); // still centring

    DestroyWindow(dialog);
    dialog = nullptr;
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), 0);
    ICONINFO parts{};
    EXPECT_FALSE(GetIconInfo(icon, &parts));
    // The caller owns what it set and what it got back.
    EXPECT_NE(GetObjectA(handed, sizeof info, &info), 0);
    EXPECT_NE(GetObjectA(replacement, sizeof info, &info), 0);
    DeleteObject(handed);
    DeleteObject(replacement);
}

} // namespace
