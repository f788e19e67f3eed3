// Images onto device contexts, bitmaps from images, and text into images, checked as pixels
// read back from memory contexts.
#include "imagelib/px_image.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = RGB(10, 20, 30);

// A memory context with a 32-bit bitmap, cleared to the background colour.
class Canvas {
public:
    Canvas(int width, int height) : m_width(width), m_height(height) {
        m_dc = CreateCompatibleDC(nullptr);
        // A memory context's own bitmap is monochrome: draw into a 32-bit section instead.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        Fill(kBackground);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    void Fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, m_width, m_height};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }
    HDC dc() const { return m_dc; }
    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

PxRgbQuad Quad(BYTE r, BYTE g, BYTE b) { return PxRgbQuad{b, g, r, 0}; }

// A 24-bit image whose pixel (x, y counted from the top) is red x*10, green y*10, blue 200.
PxImage Gradient(int width, int height) {
    PxImage image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelColor(x, height - 1 - y, Quad(static_cast<BYTE>(x * 10), static_cast<BYTE>(y * 10), 200));
    return image;
}

} // namespace

TEST(ImageDraw, UnscaledDrawPlacesTopRowAtTheTop) {
    Canvas canvas(20, 20);
    PxImage image = Gradient(4, 3);
    ASSERT_TRUE(image.Draw(canvas.dc(), 5, 6));
    EXPECT_EQ(canvas.at(5, 6), RGB(0, 0, 200));
    EXPECT_EQ(canvas.at(8, 8), RGB(30, 20, 200));
    EXPECT_EQ(canvas.at(4, 6), kBackground);
    EXPECT_EQ(canvas.at(9, 6), kBackground);
    EXPECT_EQ(canvas.at(5, 9), kBackground);
}

TEST(ImageDraw, RefusalsAndInvisibleDraws) {
    Canvas canvas(10, 10);
    PxImage empty;
    EXPECT_FALSE(empty.Draw(canvas.dc(), 0, 0));
    PxImage image = Gradient(4, 4);
    EXPECT_FALSE(image.Draw(nullptr, 0, 0));
    EXPECT_FALSE(image.Draw(canvas.dc(), 0, 0, 0, 4));
    image.Enable(false);
    EXPECT_FALSE(image.Draw(canvas.dc(), 0, 0));
    EXPECT_EQ(canvas.at(0, 0), kBackground);
    image.Enable(true);
    image.SetAlphaMax(0);
    EXPECT_TRUE(image.Draw(canvas.dc(), 0, 0));
    EXPECT_EQ(canvas.at(1, 1), kBackground); // every opacity is 0
}

TEST(ImageDraw, TransparentIndexLeavesTheDestination) {
    Canvas canvas(10, 10);
    PxImage image;
    image.Create(4, 4, 8);
    image.SetPaletteColor(0, 255, 0, 0);
    image.SetPaletteColor(1, 0, 255, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>((x + y) % 2));
    image.SetTransIndex(1);
    ASSERT_TRUE(image.Draw(canvas.dc(), 0, 0));
    int red = 0, untouched = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            COLORREF c = canvas.at(x, y);
            red += c == RGB(255, 0, 0);
            untouched += c == kBackground;
        }
    EXPECT_EQ(red, 8);
    EXPECT_EQ(untouched, 8);
}

TEST(ImageDraw, AClipRectangleLimitsTheDrawAndTheClipComesBackExactly) {
    Canvas canvas(20, 20);
    HRGN region = CreateRectRgn(2, 2, 18, 18);
    SelectClipRgn(canvas.dc(), region);
    DeleteObject(region);
    RECT before{};
    GetClipBox(canvas.dc(), &before);

    PxImage image = Gradient(10, 10);
    image.SetAlphaMax(254); // takes the composing path
    RECT clip{5, 5, 8, 8};
    ASSERT_TRUE(image.Draw(canvas.dc(), 3, 3, -1, -1, &clip));
    EXPECT_NE(canvas.at(6, 6), kBackground);
    EXPECT_EQ(canvas.at(4, 4), kBackground);
    EXPECT_EQ(canvas.at(8, 8), kBackground);

    RECT after{};
    GetClipBox(canvas.dc(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    // Entirely outside the clip: nothing drawn, still true.
    RECT away{0, 0, 1, 1};
    EXPECT_TRUE(image.Draw(canvas.dc(), 10, 10, -1, -1, &away));
    EXPECT_EQ(canvas.at(12, 12), kBackground);
}

TEST(ImageDraw, TileCoversTheRectangleWithCutLastTiles) {
    Canvas canvas(40, 30);
    PxImage image;
    image.Create(10, 10, 24);
    image.Clear(0);
    image.SetPixelColor(0, 9, Quad(255, 255, 255)); // the top-left pixel of each tile
    RECT area{2, 3, 27, 18};                          // 25 x 15: six tiles
    ASSERT_TRUE(image.Tile(canvas.dc(), &area));
    int marks = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            marks += canvas.at(x, y) == RGB(255, 255, 255);
    EXPECT_EQ(marks, 6);
    EXPECT_EQ(canvas.at(22, 13), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(26, 17), RGB(0, 0, 0));  // inside the cut corner tile
    EXPECT_EQ(canvas.at(27, 18), kBackground);   // outside the rectangle
}

TEST(ImageDraw, StretchAndDrawStretchedWithMask) {
    Canvas canvas(20, 20);
    PxImage image;
    image.Create(2, 2, 24);
    image.SetPixelColor(0, 1, Quad(255, 0, 0));
    image.SetPixelColor(1, 1, Quad(0, 255, 0));
    image.SetPixelColor(0, 0, Quad(0, 0, 255));
    image.SetPixelColor(1, 0, Quad(255, 0, 255));
    ASSERT_TRUE(image.Stretch(canvas.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(3, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.at(0, 3), RGB(0, 0, 255));

    image.SetTransIndex(0);
    image.SetTransColor(Quad(255, 0, 255));
    canvas.Fill(kBackground);
    COLORREF bkBefore = GetBkColor(canvas.dc());
    ASSERT_TRUE(image.DrawStretched(canvas.dc(), 10, 10, 4, 4));
    EXPECT_EQ(canvas.at(11, 11), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(13, 13), kBackground); // the magenta corner stays see-through
    EXPECT_EQ(GetBkColor(canvas.dc()), bkBefore);
}

TEST(ImageBitmap, MakeBitmapRoundTripsThePixels) {
    PxImage image = Gradient(5, 4);
    HBITMAP section = image.MakeBitmap(nullptr);
    ASSERT_NE(section, nullptr);
    PxImage back;
    ASSERT_TRUE(back.CreateFromHBITMAP(section));
    EXPECT_EQ(back.GetWidth(), 5u);
    EXPECT_EQ(back.GetHeight(), 4u);
    EXPECT_EQ(back.GetPixelColor(3, 1, false), image.GetPixelColor(3, 1, false));
    DeleteObject(section);

    Canvas canvas(4, 4);
    HBITMAP device = image.MakeBitmap(canvas.dc());
    ASSERT_NE(device, nullptr);
    PxImage fromDevice;
    ASSERT_TRUE(fromDevice.CreateFromHBITMAP(device));
    EXPECT_EQ(fromDevice.GetPixelColor(4, 3, false), image.GetPixelColor(4, 3, false));
    DeleteObject(device);

    PxImage empty;
    EXPECT_EQ(empty.MakeBitmap(nullptr), nullptr);
}

TEST(ImageText, DrawStringPutsTheTextBoxBottomOnRowY) {
    PxImage image;
    image.Create(200, 60, 24);
    image.Clear(0);
    SIZE extent = image.MeasureString(nullptr, "Hello", "DejaVu Sans", -13, 400, 0, 0);
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    image.DrawString(nullptr, 10, 20, "Hello", Quad(255, 255, 0), "DejaVu Sans", -13, 400, 0, 0, false);
    int touched = 0, top = 1000, bottom = -1, left = 1000;
    for (int row = 0; row < 60; ++row)
        for (int x = 0; x < 200; ++x) {
            if (image.GetPixelColor(x, 59 - row, false) == Quad(255, 255, 0)) {
                ++touched;
                top = std::min(top, row);
                bottom = std::max(bottom, row);
                left = std::min(left, x);
            }
        }
    ASSERT_GT(touched, 0);
    EXPECT_LE(bottom, 20);
    EXPECT_GE(top, 20 - extent.cy + 1);
    EXPECT_GE(left, 10);
}

TEST(ImageText, SmoothTextBlendsOverThePictureAndReturnsItsExtent) {
    PxImage image;
    image.Create(120, 40, 24);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            image.SetPixelColor(x, y, Quad(0, 0, 128));
    SIZE extent = image.DrawStringEx(nullptr, 5, 30, "Soft", Quad(255, 255, 255), "DejaVu Sans", -20, 700, 0, 0,
                                     false, true);
    EXPECT_GT(extent.cx, 0);
    int white = 0, mixed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            PxRgbQuad c = image.GetPixelColor(x, y, false);
            white += c.rgbRed == 255 && c.rgbGreen == 255;
            mixed += c.rgbRed > 0 && c.rgbRed < 255;
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(mixed, 0); // anti-aliased edges over the blue picture
    EXPECT_EQ(image.GetPixelColor(110, 5, false), Quad(0, 0, 128));
}
