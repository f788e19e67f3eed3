#include "imagelib/px_draw_compose.h"

#include <algorithm>
#include <cmath>
#include <vector>

DWORD PxSectionStride(LONG width) {
    return static_cast<DWORD>(((static_cast<std::uint64_t>(width) * 24 + 31) >> 5) * 4);
}

bool PxVisibleDrawArea(const RECT& clipBox, LONG x, LONG y, LONG width, LONG height,
                       RECT& visible) {
    const std::int64_t left = std::max<std::int64_t>(clipBox.left, x);
    const std::int64_t right = std::min<std::int64_t>(clipBox.right, std::int64_t{x} + width);
    const std::int64_t top = std::max<std::int64_t>(clipBox.top, y);
    const std::int64_t bottom = std::min<std::int64_t>(clipBox.bottom, std::int64_t{y} + height);
    if (left >= right || top >= bottom)
        return false;
    visible = RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                   static_cast<LONG>(bottom)};
    return true;
}

void PxComposeDraw(const PxImage& image, LONG x, LONG y, LONG width, LONG height, bool smooth,
                   PxDrawTarget& target) {
    if (!image.IsValid() || !target.bits || width <= 0 || height <= 0)
        return;
    const LONG imageWidth = static_cast<LONG>(image.GetWidth());
    const LONG imageHeight = static_cast<LONG>(image.GetHeight());
    const bool scaled = width != imageWidth || height != imageHeight;
    const float fx = static_cast<float>(imageWidth) / static_cast<float>(width);
    const float fy = static_cast<float>(imageHeight) / static_cast<float>(height);
    const LONG alphaMax = image.GetAlphaMax();
    const bool alphaPlane = image.AlphaIsValid();
    const bool palette = image.HasPalette();
    const bool paletteAlpha = palette && image.GetPaletteAlpha();
    const bool keyed = image.HasTransIndex();
    const PxRgbQuad key = image.GetTransColor();
    // Only the part of the target that the image covers is drawn.
    RECT area{};
    if (!PxVisibleDrawArea(target.area, x, y, width, height, area))
        return;
    const LONG areaHeight = target.area.bottom - target.area.top;

    // Source column of every destination column.
    std::vector<LONG> columns(static_cast<std::size_t>(area.right - area.left));
    for (LONG X = area.left; X < area.right; ++X) {
        const LONG dx = X - x;
        const LONG sx = scaled ? static_cast<LONG>(std::floor(static_cast<float>(dx) * fx)) : dx;
        columns[X - area.left] = std::clamp(sx, 0, imageWidth - 1);
    }

    for (LONG Y = area.top; Y < area.bottom; ++Y) {
        LONG sy = imageHeight - 1 - (Y - y);
        if (scaled) {
            sy = imageHeight - static_cast<LONG>(std::ceil(static_cast<float>(Y + 1 - y) * fy));
            sy = std::max(sy, 0);
        }
        sy = std::clamp(sy, 0, imageHeight - 1);
        BYTE* out =
            target.bits +
            static_cast<std::size_t>(areaHeight - 1 - (Y - target.area.top)) * target.stride +
            3 * static_cast<std::size_t>(area.left - target.area.left);
        for (LONG X = area.left; X < area.right; ++X, out += 3) {
            const LONG sx = columns[X - area.left];
            PxRgbQuad colour = image.GetPixelColor(sx, sy, false);
            if (keyed && colour == key)
                continue;
            LONG a = alphaPlane ? image.AlphaGet(sx, sy) : 255;
            if (smooth && scaled) {
                const float px = static_cast<float>(X - x) * fx - 0.5f;
                const float py =
                    static_cast<float>(imageHeight) - static_cast<float>(Y + 1 - y) * fy - 0.5f;
                const PxRgbQuad smoothed = image.GetPixelColorInterpolated(px, py, 2, 5);
                if (alphaPlane)
                    a = smoothed.rgbReserved;
                colour.rgbBlue = smoothed.rgbBlue;
                colour.rgbGreen = smoothed.rgbGreen;
                colour.rgbRed = smoothed.rgbRed;
            }
            a = (a * (alphaMax + 1)) >> 8;
            if (paletteAlpha)
                a = (a * (image.GetPaletteColor(image.GetPixelIndex(sx, sy)).rgbReserved + 1)) >> 8;
            if (a == 0)
                continue;
            if (a == 255) {
                out[0] = colour.rgbBlue;
                out[1] = colour.rgbGreen;
                out[2] = colour.rgbRed;
                continue;
            }
            out[0] = static_cast<BYTE>((colour.rgbBlue * a + out[0] * (255 - a)) >> 8);
            out[1] = static_cast<BYTE>((colour.rgbGreen * a + out[1] * (255 - a)) >> 8);
            out[2] = static_cast<BYTE>((colour.rgbRed * a + out[2] * (255 - a)) >> 8);
        }
    }
}

void PxForEachTile(const RECT& area, LONG tileWidth, LONG tileHeight,
                   const std::function<void(const RECT& tile)>& visit) {
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (std::int64_t top = area.top; top < area.bottom; top += tileHeight) {
        const std::int64_t bottom = std::min<std::int64_t>(top + tileHeight, area.bottom);
        for (std::int64_t left = area.left; left < area.right; left += tileWidth) {
            const std::int64_t right = std::min<std::int64_t>(left + tileWidth, area.right);
            visit(RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                       static_cast<LONG>(bottom)});
        }
    }
}

void PxPaintTextMask(PxImage& target, const PxImage& mask, LONG x, LONG y, PxRgbQuad colour,
                     bool setAlpha) {
    if (!target.IsValid() || !mask.IsValid() || mask.GetBpp() != 24)
        return;
    const std::int64_t base = std::int64_t{target.GetHeight()} - 1 - y;
    for (LONG j = 0; j < static_cast<LONG>(mask.GetHeight()); ++j) {
        const std::int64_t row = base + j;
        if (row < 0 || row >= target.GetHeight())
            continue;
        const BYTE* bits = mask.GetBits(static_cast<DWORD>(j));
        for (LONG i = 0; i < static_cast<LONG>(mask.GetWidth()); ++i) {
            const std::int64_t column = std::int64_t{x} + i;
            if (bits[3 * i] && column >= 0 && column < target.GetWidth())
                target.SetPixelColor(static_cast<LONG>(column), static_cast<LONG>(row), colour,
                                     setAlpha);
        }
    }
}
