#include "skin/core/skin_blit.h"

#include "imagelib/px_image.h"

#include <algorithm>

BOOL GlazeworkTransparentBlt(HDC dc, int x, int y, int width, int height, HBITMAP source,
                             int sourceX, int sourceY, COLORREF key, HPALETTE palette) {
    if (!source || width <= 0 || height <= 0)
        return FALSE;
    HDC sourceDc = CreateCompatibleDC(dc);
    if (!sourceDc)
        return FALSE;
    HGDIOBJ previous = SelectObject(sourceDc, source);
    HPALETTE previousPalette = nullptr;
    if (palette && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) {
        previousPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    const BOOL done = GlazeworkTransparentStretchBlt(dc, x, y, width, height, sourceDc, sourceX,
                                                     sourceY, width, height, key);
    if (previousPalette)
        SelectPalette(dc, previousPalette, FALSE);
    SelectObject(sourceDc, previous);
    DeleteDC(sourceDc);
    return done;
}

BOOL GlazeworkTransparentStretchBlt(HDC dc, int x, int y, int width, int height, HDC source,
                                    int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                    COLORREF key) {
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return FALSE;
    return TransparentBlt(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                          sourceHeight, key & 0xFFFFFF);
}

BOOL GlazeworkDrawImageKeyed(HDC dc, PxImage& image, const RECT& target, COLORREF key) {
    HBITMAP bitmap = image.MakeBitmap(dc);
    if (!bitmap)
        return FALSE;
    const int width = std::min<int>(static_cast<int>(image.GetWidth()), target.right - target.left);
    const int height =
        std::min<int>(static_cast<int>(image.GetHeight()), target.bottom - target.top);
    GlazeworkTransparentBlt(dc, target.left, target.top, width, height, bitmap, 0, 0, key, nullptr);
    DeleteObject(bitmap);
    return TRUE;
}

BOOL GlazeworkDrawBitmapKeyed(HDC dc, HBITMAP bitmap, const RECT& target, COLORREF key) {
    PxImage image;
    if (!image.CreateFromHBITMAP(bitmap))
        return FALSE;
    PxRgbQuad transparent{};
    transparent.rgbRed = GetRValue(key);
    transparent.rgbGreen = GetGValue(key);
    transparent.rgbBlue = GetBValue(key);
    // A palette picture keys by the entry nearest the key; a true-colour one by the colour,
    // once it has a transparent index at all.
    image.SetTransIndex(image.GetBpp() < 24 ? image.GetNearestIndex(transparent) : 0);
    image.SetTransColor(transparent);
    image.DrawStretched(dc, target.left, target.top, target.right - target.left,
                        target.bottom - target.top);
    return TRUE;
}
