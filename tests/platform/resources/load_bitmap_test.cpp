// Bitmap resources compiled from a BMP file come back from LoadBitmap with their pixels.
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadBitmap, CompiledBmpKeepsItsSizeAndPixels) {
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCE(300));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(memory, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(memory, 0, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(memory, 2, 1), RGB(128, 128, 128));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

TEST(LoadBitmap, MissingOrMalformedBitmapGivesNull) {
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCE(399)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCE(301)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

} // namespace
