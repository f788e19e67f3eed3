// Colours at any position: overflow rules outside the image and interpolation kernels.
#include <algorithm>
#include <cmath>

#include "imagelib/px_image.h"
#include "imagelib/px_interpolation_kernels.h"

namespace {

constexpr PxRgbQuad kWhiteTransparent{255, 255, 255, 0};
// Positions further out than this are all "far outside"; it keeps float to integer
// conversions defined.
constexpr float kFarOutside = 1.0e9f;

LONG FloorToLong(float value) {
    return static_cast<LONG>(std::floor(std::clamp(value, -kFarOutside, kFarOutside)));
}

BYTE ClampChannel(double value) {
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<BYTE>(value);
}

} // namespace

void PxImage::OverflowCoordinates(LONG& x, LONG& y, int overflow) const {
    if (!m_dib || IsInside(x, y))
        return;
    const auto apply = [overflow](LONG& c, LONG size) {
        if (c >= 0 && c < size)
            return;
        const std::int64_t v = c;
        switch (overflow) {
        case 4: // wrap
            c = static_cast<LONG>(((v % size) + size) % size);
            break;
        case 5: // repeat
            c = static_cast<LONG>(std::clamp<std::int64_t>(v, 0, size - 1));
            break;
        case 6: // mirror
            c = static_cast<LONG>(v < 0 ? (-v) % size : size - (v % size) - 1);
            break;
        default:
            break;
        }
    };
    apply(x, m_head.biWidth);
    apply(y, m_head.biHeight);
}

void PxImage::OverflowCoordinates(float& x, float& y, int overflow) const {
    if (!m_dib)
        return;
    const auto apply = [overflow](float& c, LONG size) {
        const float limit = static_cast<float>(size);
        if (!std::isfinite(c))
            c = 0.0f;
        if (c >= 0.0f && c < limit)
            return;
        switch (overflow) {
        case 4:
            c = std::fmod(c, limit);
            if (c < 0.0f)
                c += limit;
            break;
        case 5:
            c = std::clamp(c, 0.0f, limit - 1.0f);
            break;
        case 6:
            c = c < 0.0f ? std::fmod(-c, limit) : limit - std::fmod(c, limit) - 1.0f;
            break;
        default:
            break;
        }
        if (overflow >= 4 && overflow <= 6)
            c = std::clamp(c, 0.0f, limit - 1.0f);
    };
    apply(x, m_head.biWidth);
    apply(y, m_head.biHeight);
}

PxRgbQuad PxImage::GetPixelColorWithOverflow(LONG x, LONG y, int overflow,
                                             const PxRgbQuad* colour) const {
    if (!m_dib)
        return colour ? *colour : kWhiteTransparent;
    if (IsInside(x, y))
        return GetPixelColor(x, y, true);
    switch (overflow) {
    case 2: // background
        if (m_info.transIndex >= 0)
            return GetTransColor();
        break;
    case 3: // transparent
        if (m_alpha) {
            PxRgbQuad result = colour ? *colour : kWhiteTransparent;
            result.rgbReserved = 0;
            return result;
        }
        if (m_info.transIndex >= 0)
            return GetTransColor();
        break;
    case 4:
    case 5:
    case 6:
        OverflowCoordinates(x, y, overflow);
        return GetPixelColor(x, y, true);
    default:
        break;
    }
    return colour ? *colour : kWhiteTransparent;
}

PxRgbQuad PxImage::GetPixelColorInterpolated(float x, float y, int method, int overflow,
                                             const PxRgbQuad* colour) const {
    if (!m_dib)
        return colour ? *colour : kWhiteTransparent;
    if (method < 1 || method > 16)
        method = 2;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        x = -kFarOutside;
        y = -kFarOutside;
    }
    if (method == 1)
        return GetPixelColorWithOverflow(FloorToLong(x + 0.5f), FloorToLong(y + 0.5f), overflow,
                                         colour);

    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    const int taps = PxKernelTaps(method);
    const LONG before = taps == 2 ? 0 : taps / 2 - 1; // taps left of floor(x)
    LONG ix = FloorToLong(x);
    LONG iy = FloorToLong(y);
    const bool whollyOutside = ix + (taps - before - 1) < 0 || ix - before >= width ||
                               iy + (taps - before - 1) < 0 || iy - before >= height;
    if (whollyOutside) {
        if (overflow < 4 || overflow > 6)
            return GetPixelColorWithOverflow(ix, iy, overflow, colour);
        OverflowCoordinates(x, y, overflow);
        ix = FloorToLong(x);
        iy = FloorToLong(y);
    }
    const bool interior24 = m_head.biBitCount == 24 && ix - before >= 0 && iy - before >= 0 &&
                            ix + (taps - before - 1) < width && iy + (taps - before - 1) < height;
    const auto colourAt = [&](LONG px, LONG py) {
        return interior24 ? GetPixelColorUnchecked(px, py)
                          : GetPixelColorWithOverflow(px, py, overflow, colour);
    };

    if (method == 2) {
        if (interior24) {
            const LONG u = static_cast<LONG>(256.0f * (x - static_cast<float>(ix)));
            const LONG v = static_cast<LONG>(256.0f * (y - static_cast<float>(iy)));
            const LONG w11 = (u * v) >> 8;
            const LONG w10 = u - w11;
            const LONG w01 = v - w11;
            const LONG w00 = 256 - u - v + w11;
            const BYTE* p0 =
                m_info.pixels + static_cast<std::size_t>(iy) * m_info.rowStride + 3 * ix;
            const BYTE* p1 = p0 + m_info.rowStride;
            PxRgbQuad result;
            result.rgbBlue =
                static_cast<BYTE>((w00 * p0[0] + w10 * p0[3] + w01 * p1[0] + w11 * p1[3]) >> 8);
            result.rgbGreen =
                static_cast<BYTE>((w00 * p0[1] + w10 * p0[4] + w01 * p1[1] + w11 * p1[4]) >> 8);
            result.rgbRed =
                static_cast<BYTE>((w00 * p0[2] + w10 * p0[5] + w01 * p1[2] + w11 * p1[5]) >> 8);
            result.rgbReserved = 0;
            if (m_alpha) {
                const BYTE* a0 = m_alpha + static_cast<std::size_t>(iy) * width + ix;
                const BYTE* a1 = a0 + width;
                result.rgbReserved =
                    static_cast<BYTE>((w00 * a0[0] + w10 * a0[1] + w01 * a1[0] + w11 * a1[1]) >> 8);
            }
            return result;
        }
        const double dx = x - ix;
        const double dy = y - iy;
        const PxRgbQuad c00 = colourAt(ix, iy), c10 = colourAt(ix + 1, iy);
        const PxRgbQuad c01 = colourAt(ix, iy + 1), c11 = colourAt(ix + 1, iy + 1);
        const double w00 = (1 - dx) * (1 - dy), w10 = dx * (1 - dy), w01 = (1 - dx) * dy,
                     w11 = dx * dy;
        const auto mix = [&](BYTE PxRgbQuad::*channel) {
            return ClampChannel(w00 * (c00.*channel) + w10 * (c10.*channel) + w01 * (c01.*channel) +
                                w11 * (c11.*channel));
        };
        return PxRgbQuad{mix(&PxRgbQuad::rgbBlue), mix(&PxRgbQuad::rgbGreen),
                         mix(&PxRgbQuad::rgbRed),
                         m_alpha ? mix(&PxRgbQuad::rgbReserved) : static_cast<BYTE>(0)};
    }

    double weights[2][12];
    for (int i = 0; i < taps; ++i) {
        weights[0][i] = PxInterpolationKernel(method, static_cast<double>(ix - before + i) - x);
        weights[1][i] = PxInterpolationKernel(method, static_cast<double>(iy - before + i) - y);
    }
    double blue = 0, green = 0, red = 0, alpha = 0;
    for (int j = 0; j < taps; ++j) {
        const double wy = weights[1][j];
        if (wy == 0.0)
            continue;
        for (int i = 0; i < taps; ++i) {
            const double w = weights[0][i] * wy;
            if (w == 0.0)
                continue;
            const PxRgbQuad c = colourAt(ix - before + i, iy - before + j);
            blue += w * c.rgbBlue;
            green += w * c.rgbGreen;
            red += w * c.rgbRed;
            alpha += w * c.rgbReserved;
        }
    }
    return PxRgbQuad{ClampChannel(blue), ClampChannel(green), ClampChannel(red),
                     m_alpha ? ClampChannel(alpha) : static_cast<BYTE>(0)};
}
