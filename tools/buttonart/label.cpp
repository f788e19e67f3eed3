#include "tools/buttonart/label.h"

#include "win32/win32.h"

#include <cstdint>

namespace {

constexpr const char* kFace = "Tahoma"; // the dialogs' font
constexpr int kLargestPoints = 8;
constexpr int kSmallestPoints = 6;
constexpr int kMargin = 3;
// Backgrounds at least this bright (0 to 255) take dark ink.
constexpr int kLightFrom = 140;

int Luma(COLORREF c) {
    return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
}

HFONT LabelFont(HDC dc, int points) {
    const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, kFace);
}

// The largest size from 8 points down whose text fits the width.
HFONT FittingFont(HDC dc, const std::string& text, int width) {
    for (int points = kLargestPoints; points > kSmallestPoints; --points) {
        HFONT font = LabelFont(dc, points);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        if (extent.cx <= width)
            return font;
        DeleteObject(font);
    }
    return LabelFont(dc, kSmallestPoints);
}

// Canvas colours are 0x00BBGGRR, 32-bit DIB pixels 0x00RRGGBB.
std::uint32_t ToDib(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

COLORREF FromDib(std::uint32_t p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace

COLORREF LabelInk(COLORREF background) {
    return Luma(background) >= kLightFrom ? RGB(24, 24, 24) : RGB(250, 250, 250);
}

bool DrawLabel(Canvas& canvas, const std::string& text, COLORREF ink, int shift) {
    const int width = canvas.Width();
    const int height = canvas.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows, as the canvas
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!section || !bits) {
        if (dc)
            DeleteDC(dc);
        return false;
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = ToDib(canvas.Pixel(x, y));

    HGDIOBJ oldBitmap = SelectObject(dc, section);
    HFONT font = FittingFont(dc, text, width - 2 * kMargin);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT area{shift, shift, width + shift, height + shift};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.SetPixel(x, y, FromDib(pixels[static_cast<std::size_t>(y) * width + x]));
    DeleteObject(font);
    DeleteObject(section);
    DeleteDC(dc);
    return true;
}
