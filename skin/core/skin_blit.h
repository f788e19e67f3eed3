// Blits that leave the key colour's pixels of the source out, and images drawn that way.
#pragma once

#include "win32/win32.h"

class PxImage;

BOOL GlazeworkTransparentBlt(HDC dc, int x, int y, int width, int height, HBITMAP source,
                             int sourceX, int sourceY, COLORREF key, HPALETTE palette);
// From a DC; stretched when the sizes differ.
BOOL GlazeworkTransparentStretchBlt(HDC dc, int x, int y, int width, int height, HDC source,
                                    int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                    COLORREF key);
// At the target's top-left, at most the target's size.
BOOL GlazeworkDrawImageKeyed(HDC dc, PxImage& image, const RECT& target, COLORREF key);
// Stretched over the whole target.
BOOL GlazeworkDrawBitmapKeyed(HDC dc, HBITMAP bitmap, const RECT& target, COLORREF key);
