// The pixel work of drawing an image on a device context, kept apart from the device calls:
// the visible area, the blend of the image over a captured background, the tile layout and the
// painting of rendered text into an image.
#pragma once

#include <functional>

#include "imagelib/px_image.h"

// A 24-bit DIB section (rows bottom-up) that holds the device area `area` (device coordinates,
// rows counted from the top).
struct PxDrawTarget {
    BYTE* bits = nullptr;
    DWORD stride = 0;
    RECT area{};
};

// Row stride of a 24-bit DIB section of the given width.
DWORD PxSectionStride(LONG width);

// The part of the destination rectangle (x, y, width, height) inside the clip box; false when
// nothing of it is visible.
bool PxVisibleDrawArea(const RECT& clipBox, LONG x, LONG y, LONG width, LONG height, RECT& visible);

// Draws the image at (x, y) scaled to width x height over the background that the target holds:
// nearest-neighbour sampling (bilinear with smooth), the opacity rule with alpha plane, alpha max
// and palette alpha, and pixels of the transparent index left out.
void PxComposeDraw(const PxImage& image, LONG x, LONG y, LONG width, LONG height, bool smooth,
                   PxDrawTarget& target);

// Visits the clip rectangles of the tiles that cover `area`, row by row from its top-left
// corner; the last tile of a row or column is cut to what is left.
void PxForEachTile(const RECT& area, LONG tileWidth, LONG tileHeight,
                   const std::function<void(const RECT& tile)>& visit);

// Paints text rendered white on black into `target`: every mask pixel whose blue byte is set
// takes `colour`. The mask's bottom row lands on picture row y (counted from the top) and its
// left edge on column x.
void PxPaintTextMask(PxImage& target, const PxImage& mask, LONG x, LONG y, PxRgbQuad colour,
                     bool setAlpha);
