// Image lists: images cut from bitmaps (one per width of the list), masks and icons with alpha,
// replacing, removing and counting, and what drawing an image leaves on a DC.
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);

// A 32-bit top-down DIB section filled by `colour_at`.
template <class ColourAt> HBITMAP MakeBitmap(int width, int height, ColourAt colour_at) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = colour_at(x, y);
    return bitmap;
}

HBITMAP Solid(int width, int height, std::uint32_t pixel) {
    return MakeBitmap(width, height, [pixel](int, int) { return pixel; });
}

// Draws image `index` on a background and reads the pixels back.
class Drawn {
public:
    Drawn(HIMAGELIST list, int index, int width, int height) {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_old = SelectObject(m_dc, m_bitmap);
        HBRUSH brush = CreateSolidBrush(kBackground);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
        m_drawn = ImageList_Draw(list, index, m_dc, 0, 0, ILD_NORMAL);
    }
    ~Drawn() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    bool drawn() const { return m_drawn != FALSE; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y) & 0xFFFFFF; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    BOOL m_drawn = FALSE;
};

TEST(ImageList, BitmapsAreCutIntoImagesOfTheListsWidth) {
    HIMAGELIST list = ImageList_Create(4, 3, ILC_COLOR32 | ILC_MASK, 0, 1);
    ASSERT_NE(list, nullptr);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 3);
    // Three images side by side: red, green, blue (DIB pixels are 0x00RRGGBB).
    const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
    HBITMAP strip = MakeBitmap(12, 3, [&](int x, int) { return colours[x / 4]; });
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 0);
    HBITMAP single = Solid(4, 3, 0xFFFF00);
    EXPECT_EQ(ImageList_Add(list, single, nullptr), 3);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (int i = 0; i < 4; ++i) {
        Drawn drawn(list, i, 6, 5);
        ASSERT_TRUE(drawn.drawn()) << i;
        EXPECT_EQ(drawn.at(0, 0), expected[i]) << i;
        EXPECT_EQ(drawn.at(3, 2), expected[i]) << i;
        EXPECT_EQ(drawn.at(4, 2), kBackground) << i; // beyond the image
        EXPECT_EQ(drawn.at(3, 3), kBackground) << i;
    }
    DeleteObject(strip);
    DeleteObject(single);
    EXPECT_TRUE(ImageList_Destroy(list));
}

TEST(ImageList, AMasksWhitePixelsLetTheBackgroundThrough) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 1);
    HBITMAP image = Solid(4, 4, 0x00FF00);
    // The left half transparent.
    HBITMAP mask = MakeBitmap(4, 4, [](int x, int) { return x < 2 ? 0xFFFFFFu : 0u; });
    ASSERT_EQ(ImageList_Add(list, image, mask), 0);
    Drawn drawn(list, 0, 4, 4);
    EXPECT_EQ(drawn.at(0, 1), kBackground);
    EXPECT_EQ(drawn.at(1, 3), kBackground);
    EXPECT_EQ(drawn.at(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(drawn.at(3, 3), RGB(0, 255, 0));
    DeleteObject(image);
    DeleteObject(mask);
    ImageList_Destroy(list);
}

TEST(ImageList, IconsKeepTheirShapeAndGoBackOutAsIcons) {
    HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 0, 1);
    // An icon with alpha: an opaque blue square in the middle, the rest clear.
    HBITMAP colour = MakeBitmap(
        8, 8, [](int x, int y) { return (x >= 2 && x < 6 && y >= 2 && y < 6) ? 0xFF0000FFu : 0u; });
    HBITMAP mask = MakeBitmap(
        8, 8, [](int x, int y) { return (x >= 2 && x < 6 && y >= 2 && y < 6) ? 0u : 0xFFFFFFu; });
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 5, icon), -1);
    {
        Drawn drawn(list, 0, 8, 8);
        EXPECT_EQ(drawn.at(3, 3), RGB(0, 0, 255));
        EXPECT_EQ(drawn.at(0, 0), kBackground);
        EXPECT_EQ(drawn.at(7, 4), kBackground);
    }
    HICON out = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ASSERT_NE(out, nullptr);
    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(out, &back));
    BITMAP header{};
    GetObjectA(back.hbmColor, sizeof header, &header);
    EXPECT_EQ(header.bmWidth, 8);
    EXPECT_EQ(header.bmHeight, 8);
    DeleteObject(back.hbmColor);
    DeleteObject(back.hbmMask);
    DestroyIcon(out);
    DestroyIcon(icon);
    DeleteObject(colour);
    DeleteObject(mask);
    ImageList_Destroy(list);
}

TEST(ImageList, ReplaceRemoveAndCountKeepTheOthersInOrder) {
    HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 1);
    std::vector<HBITMAP> bitmaps;
    const std::uint32_t pixels[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (std::uint32_t pixel : pixels) {
        bitmaps.push_back(Solid(2, 2, pixel));
        ImageList_Add(list, bitmaps.back(), nullptr);
    }
    auto colour_of = [&](int index) { return Drawn(list, index, 2, 2).at(1, 1); };
    ASSERT_TRUE(ImageList_Remove(list, 1));
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    EXPECT_EQ(colour_of(0), RGB(255, 0, 0));
    EXPECT_EQ(colour_of(1), RGB(0, 0, 255));
    EXPECT_FALSE(ImageList_Remove(list, 2));
    ASSERT_TRUE(ImageList_Replace(list, 0, bitmaps[1], nullptr));
    EXPECT_EQ(colour_of(0), RGB(0, 255, 0));
    EXPECT_FALSE(ImageList_Replace(list, 2, bitmaps[1], nullptr));

    // Growing adds empty images, which draw nothing; shrinking drops the last ones.
    ASSERT_TRUE(ImageList_SetImageCount(list, 4));
    EXPECT_EQ(ImageList_GetImageCount(list), 4);
    EXPECT_EQ(colour_of(3), kBackground);
    EXPECT_EQ(colour_of(1), RGB(0, 0, 255));
    ASSERT_TRUE(ImageList_SetImageCount(list, 1));
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    EXPECT_FALSE(ImageList_Draw(list, 1, nullptr, 0, 0, ILD_NORMAL));
    ASSERT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    for (HBITMAP bitmap : bitmaps)
        DeleteObject(bitmap);
    ImageList_Destroy(list);
}

TEST(ImageList, StaleHandlesAndBadArgumentsFail) {
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR32, 0, 1), nullptr);
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32, 0, 1);
    EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
    EXPECT_EQ(ImageList_GetIcon(list, 0, 0), nullptr);
    ASSERT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_SetImageCount(list, 2));
    HBITMAP bitmap = Solid(4, 4, 0);
    EXPECT_EQ(ImageList_Add(list, bitmap, nullptr), -1);
    DeleteObject(bitmap);
}

} // namespace
