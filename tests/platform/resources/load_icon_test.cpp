// Icon resources compiled from a 24-bit BMP: magenta pixels become the icon's transparent part.
#include "mfc/winapp.h"
#include "tests/platform/gdi/gdi_fixture.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(200, 200, 200);
constexpr COLORREF kGreen = RGB(0x14, 0x8C, 0x3C);
constexpr COLORREF kRed = RGB(255, 0, 0);

using Board = lv::gdi::testing::MemoryCanvas;

TEST(LoadIcon, MagentaPixelsLetTheBackgroundThrough) {
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCE(128));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 8);
    EXPECT_EQ(mask.bmHeight, 8);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    Board board(40, 40, kBackground);
    ASSERT_TRUE(DrawIcon(board.dc, 10, 10, icon));
    EXPECT_EQ(board.at(10, 10), kBackground); // the magenta border
    EXPECT_EQ(board.at(17, 13), kBackground);
    EXPECT_EQ(board.at(12, 12), kRed);
    EXPECT_EQ(board.at(13, 12), kGreen);
    EXPECT_EQ(board.at(15, 15), kGreen);
    EXPECT_EQ(board.at(16, 15), kBackground);
    // Drawn twice the size, each pixel covers two by two.
    ASSERT_TRUE(DrawIconEx(board.dc, 20, 20, icon, 16, 16, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(board.at(23, 23), kBackground);
    EXPECT_EQ(board.at(25, 25), kRed);
    EXPECT_EQ(board.at(27, 27), kGreen);
    EXPECT_EQ(board.at(32, 27), kBackground);
    DestroyIcon(icon);
}

TEST(LoadIcon, TheApplicationLoadsItsIconsById) {
    CWinApp app("Icons");
    HICON icon = app.LoadIcon(128);
    ASSERT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST(LoadIcon, MissingOrMalformedIconGivesNull) {
    SetLastError(0);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(129)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(301)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

// The program's own file holds its icon resources in id order: 128, then 301 (which does not
// load); any other file has none here.
TEST(ExtractIcon, TheRunningProgramsFileGivesItsIcons) {
    char own[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, own, MAX_PATH), 0u);
    EXPECT_EQ(ExtractIconExA(own, -1, nullptr, nullptr, 0), 2u);

    HICON small = nullptr;
    HICON large = nullptr;
    ASSERT_EQ(ExtractIconExA(own, 0, &large, &small, 1), 1u);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(small, large);
    Board board(20, 20, kBackground);
    ASSERT_TRUE(DrawIconEx(board.dc, 0, 0, small, 16, 16, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(board.at(5, 5), kRed);
    DestroyIcon(small);
    DestroyIcon(large);

    HICON pair[2] = {};
    EXPECT_EQ(ExtractIconExA(own, 0, nullptr, pair, 2), 1u);
    EXPECT_NE(pair[0], nullptr);
    EXPECT_EQ(pair[1], nullptr);
    DestroyIcon(pair[0]);
    EXPECT_EQ(ExtractIconExA(own, 5, nullptr, pair, 1), 0u);

    HICON none = nullptr;
    EXPECT_EQ(ExtractIconExA("C:\\WINDOWS\\notepad.exe", 0, nullptr, &none, 1), 0u);
    EXPECT_EQ(ExtractIconExA("C:\\WINDOWS\\notepad.exe", -1, nullptr, nullptr, 0), 0u);
    EXPECT_EQ(none, nullptr);
}

} // namespace
