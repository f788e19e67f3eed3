// Rotation by any angle about the stored origin (the picture's bottom-left corner).
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "imagelib/px_image.h"

bool PxImage::Rotate(double angle, PxImage* output) {
    if (!m_dib || !std::isfinite(angle))
        return false;
    if (output == this)
        output = nullptr;
    const double theta = -(std::numbers::pi / 2.0) * angle / 90.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;

    const double corners[4][2] = {{0.0, 0.0},
                                  {static_cast<double>(width), 0.0},
                                  {0.0, static_cast<double>(height)},
                                  {static_cast<double>(width - 1), static_cast<double>(height)}};
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const auto& corner : corners) {
        const double x = std::floor(corner[0] * c - corner[1] * s);
        const double y = std::floor(corner[0] * s + corner[1] * c);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    const LONG newWidth = static_cast<LONG>(maxX - minX) + 2;
    const LONG newHeight = static_cast<LONG>(maxY - minY) + 2;

    PxImage result;
    result.CopyInfo(*this);
    if (!result.Create(newWidth, newHeight, m_head.biBitCount, m_info.format))
        return false;
    result.CopyPalette(*this);
    if (m_alpha) {
        if (!result.AlphaCreate())
            return false;
        result.AlphaClear();
    }

    // What a position outside the source yields, as GetPixelIndex / GetPixelColor say.
    const BYTE outsideIndex = GetPixelIndex(-1, -1);
    const PxRgbQuad outsideColour = GetPixelColor(-1, -1, false);
    const bool palette = HasPalette();
    const LONG originX = static_cast<LONG>(minX);
    const LONG originY = static_cast<LONG>(minY);

    for (LONG r = 0; r < newHeight; ++r) {
        if (m_info.cancel)
            return false;
        result.SetProgress(static_cast<DWORD>(static_cast<std::int64_t>(r) * 100 / newHeight));
        const double Y = originY + r;
        BYTE* to = result.GetBits(static_cast<DWORD>(r));
        BYTE* toAlpha = result.AlphaGetPointer(0, r);
        for (LONG k = 0; k < newWidth; ++k) {
            const double X = originX + k;
            const double fx = X * c + Y * s - 0.5;
            const double fy = Y * c - X * s - 0.5;
            const LONG sx = static_cast<LONG>(fx);
            const LONG sy = static_cast<LONG>(fy);
            const bool inside = fx > -1.0 && fy > -1.0 && sx < width && sy < height;
            if (palette) {
                result.SetPixelIndex(k, r, inside ? GetPixelIndexUnchecked(sx, sy) : outsideIndex);
            } else if (inside) {
                std::memcpy(to + 3 * k, GetBits(static_cast<DWORD>(sy)) + 3 * sx, 3);
            } else {
                to[3 * k] = outsideColour.rgbBlue;
                to[3 * k + 1] = outsideColour.rgbGreen;
                to[3 * k + 2] = outsideColour.rgbRed;
            }
            if (toAlpha)
                toAlpha[k] = inside ? m_alpha[static_cast<std::size_t>(sy) * width + sx] : 0;
        }
    }
    result.SetProgress(100);
    return (output ? *output : *this).Transfer(result);
}
