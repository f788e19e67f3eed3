// Flip, mirror, quarter turns, crop and negative.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imagelib/px_image.h"

namespace {

constexpr LONG kTile = 64;

// Where a result ends up: the output when one is given (and it is not this image itself).
bool Deliver(PxImage& self, PxImage* output, PxImage& result) {
    PxImage& target = output ? *output : self;
    return target.Transfer(result);
}

// A result of the given size with this image's information block, palette and (when the
// source has one) alpha plane.
bool PrepareResult(const PxImage& source, PxImage& result, LONG width, LONG height) {
    result.CopyInfo(source);
    if (!result.Create(width, height, source.GetBpp(), source.GetFormat()))
        return false;
    result.CopyPalette(source);
    if (source.AlphaIsValid() && !result.AlphaCreate())
        return false;
    return true;
}

} // namespace

bool PxImage::Flip() {
    if (!m_dib)
        return false;
    std::vector<BYTE> swap(m_info.rowStride);
    for (LONG low = 0, high = m_head.biHeight - 1; low < high; ++low, --high) {
        BYTE* a = GetBits(static_cast<DWORD>(low));
        BYTE* b = GetBits(static_cast<DWORD>(high));
        std::memcpy(swap.data(), a, m_info.rowStride);
        std::memcpy(a, b, m_info.rowStride);
        std::memcpy(b, swap.data(), m_info.rowStride);
    }
    AlphaFlip();
    SelectionDelete();
    return true;
}

bool PxImage::Mirror() {
    if (!m_dib)
        return false;
    const LONG width = m_head.biWidth;
    for (LONG y = 0; y < m_head.biHeight; ++y) {
        BYTE* row = GetBits(static_cast<DWORD>(y));
        switch (m_head.biBitCount) {
        case 24:
            for (LONG l = 0, r = width - 1; l < r; ++l, --r)
                std::swap_ranges(row + 3 * l, row + 3 * l + 3, row + 3 * r);
            break;
        case 8:
            std::reverse(row, row + width);
            break;
        default:
            for (LONG l = 0, r = width - 1; l < r; ++l, --r) {
                const BYTE left = GetPixelIndexUnchecked(l, y);
                SetPixelIndex(l, y, GetPixelIndexUnchecked(r, y));
                SetPixelIndex(r, y, left);
            }
            break;
        }
    }
    AlphaMirror();
    SelectionDelete();
    return true;
}

// Quarter turns in 64 x 64 tiles so that reads and writes stay close together in both buffers.
// `left` turns counter-clockwise: result (x', y') = source (y', height - 1 - x'); clockwise
// takes source (width - 1 - y', x').
static bool RotateQuarter(PxImage& self, PxImage* output, bool left, const BYTE* alpha) {
    const LONG width = static_cast<LONG>(self.GetWidth());
    const LONG height = static_cast<LONG>(self.GetHeight());
    PxImage result;
    if (!PrepareResult(self, result, height, width))
        return false;
    const LONG newWidth = height;
    const LONG newHeight = width;
    const WORD bpp = self.GetBpp();
    BYTE* resultAlpha = result.AlphaGetPointer(0, 0);
    std::vector<const BYTE*> sourceRows(static_cast<std::size_t>(height));
    for (LONG y = 0; y < height; ++y)
        sourceRows[y] = self.GetBits(static_cast<DWORD>(y));

    for (LONG tileX = 0; tileX < newWidth; tileX += kTile) {
        if (self.GetCancel())
            return false;
        result.SetProgress(static_cast<DWORD>(static_cast<std::int64_t>(tileX) * 100 / newWidth));
        const LONG endX = std::min(tileX + kTile, newWidth);
        for (LONG tileY = 0; tileY < newHeight; tileY += kTile) {
            const LONG endY = std::min(tileY + kTile, newHeight);
            for (LONG y = tileY; y < endY; ++y) {
                BYTE* to = result.GetBits(static_cast<DWORD>(y));
                const LONG sx = left ? y : width - 1 - y;
                const auto sourceRow = [&](LONG x) { return left ? height - 1 - x : x; };
                if (bpp == 24) {
                    for (LONG x = tileX; x < endX; ++x) {
                        const BYTE* from = sourceRows[sourceRow(x)] + 3 * sx;
                        to[3 * x] = from[0];
                        to[3 * x + 1] = from[1];
                        to[3 * x + 2] = from[2];
                    }
                } else if (bpp == 8) {
                    for (LONG x = tileX; x < endX; ++x)
                        to[x] = sourceRows[sourceRow(x)][sx];
                } else {
                    for (LONG x = tileX; x < endX; ++x)
                        result.SetPixelIndex(x, y, self.GetPixelIndexUnchecked(sx, sourceRow(x)));
                }
                if (alpha) {
                    BYTE* toAlpha = resultAlpha + static_cast<std::size_t>(y) * newWidth;
                    for (LONG x = tileX; x < endX; ++x)
                        toAlpha[x] = alpha[static_cast<std::size_t>(sourceRow(x)) * width + sx];
                }
            }
        }
    }
    result.SetProgress(100);
    return Deliver(self, output, result);
}

bool PxImage::RotateLeft(PxImage* output) {
    if (!m_dib)
        return false;
    return RotateQuarter(*this, output == this ? nullptr : output, true, m_alpha);
}

bool PxImage::RotateRight(PxImage* output) {
    if (!m_dib)
        return false;
    return RotateQuarter(*this, output == this ? nullptr : output, false, m_alpha);
}

bool PxImage::Rotate180(PxImage* output) {
    if (!m_dib)
        return false;
    if (output == this)
        output = nullptr;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    PxImage result;
    if (!PrepareResult(*this, result, width, height))
        return false;
    for (LONG y = 0; y < height; ++y) {
        const LONG ty = height - 1 - y;
        const BYTE* from = GetBits(static_cast<DWORD>(y));
        BYTE* to = result.GetBits(static_cast<DWORD>(ty));
        if (m_head.biBitCount == 24) {
            for (LONG x = 0; x < width; ++x)
                std::memcpy(to + 3 * (width - 1 - x), from + 3 * x, 3);
        } else if (m_head.biBitCount == 8) {
            std::reverse_copy(from, from + width, to);
        } else {
            for (LONG x = 0; x < width; ++x)
                result.SetPixelIndex(width - 1 - x, ty, GetPixelIndexUnchecked(x, y));
        }
        if (m_alpha) {
            const BYTE* a = m_alpha + static_cast<std::size_t>(y) * width;
            std::reverse_copy(a, a + width, result.AlphaGetPointer(0, ty));
        }
    }
    return Deliver(*this, output, result);
}

bool PxImage::Crop(LONG left, LONG top, LONG right, LONG bottom, PxImage* output) {
    if (!m_dib)
        return false;
    if (output == this)
        output = nullptr;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    left = std::clamp(left, 0, width);
    right = std::clamp(right, 0, width);
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, 0, height);
    if (left == right || top == bottom)
        return false;
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);

    const LONG newWidth = right - left;
    const LONG newHeight = bottom - top;
    PxImage result(m_info.format);
    if (!result.Create(newWidth, newHeight, m_head.biBitCount, m_info.format))
        return false;
    result.CopyPalette(*this);
    result.SetTransIndex(m_info.transIndex);
    result.SetTransColor(m_info.transColor);
    if (m_alpha && !result.AlphaCreate())
        return false;

    const std::size_t bytesPerPixel = m_head.biBitCount == 24 ? 3 : 1;
    for (LONG row = top; row < bottom; ++row) {
        const LONG sy = height - 1 - row;
        const LONG ty = newHeight - 1 - (row - top);
        if (m_head.biBitCount >= 8) {
            std::memcpy(result.GetBits(static_cast<DWORD>(ty)),
                        GetBits(static_cast<DWORD>(sy)) + left * bytesPerPixel,
                        newWidth * bytesPerPixel);
        } else {
            for (LONG x = 0; x < newWidth; ++x)
                result.SetPixelIndex(x, ty, GetPixelIndexUnchecked(left + x, sy));
        }
        if (m_alpha)
            std::memcpy(result.AlphaGetPointer(0, ty), AlphaGetPointer(left, sy), newWidth);
        result.SetProgress(
            static_cast<DWORD>(static_cast<std::int64_t>(row - top) * 100 / newHeight));
    }
    return Deliver(*this, output, result);
}

bool PxImage::Negative() {
    if (!m_dib)
        return false;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    if (m_head.biBitCount == 24) {
        if (m_selection) {
            const RECT& box = m_info.selectionBox;
            for (LONG y = std::max(box.bottom, 0); y < std::min(box.top, height); ++y) {
                for (LONG x = std::max(box.left, 0); x < std::min(box.right, width); ++x) {
                    if (!SelectionIsInside(x, y))
                        continue;
                    BYTE* p = GetPixelPointer(x, y);
                    p[0] = static_cast<BYTE>(~p[0]);
                    p[1] = static_cast<BYTE>(~p[1]);
                    p[2] = static_cast<BYTE>(~p[2]);
                }
            }
        } else {
            for (DWORD i = 0; i < m_head.biSizeImage; ++i)
                m_info.pixels[i] = static_cast<BYTE>(~m_info.pixels[i]);
        }
        m_info.transColor.rgbBlue = static_cast<BYTE>(~m_info.transColor.rgbBlue);
        m_info.transColor.rgbGreen = static_cast<BYTE>(~m_info.transColor.rgbGreen);
        m_info.transColor.rgbRed = static_cast<BYTE>(~m_info.transColor.rgbRed);
        return true;
    }
    if (!IsGreyScale()) {
        PxRgbQuad* palette = GetPalette();
        for (DWORD i = 0; i < m_head.biClrUsed; ++i) {
            palette[i].rgbBlue = static_cast<BYTE>(~palette[i].rgbBlue);
            palette[i].rgbGreen = static_cast<BYTE>(~palette[i].rgbGreen);
            palette[i].rgbRed = static_cast<BYTE>(~palette[i].rgbRed);
        }
        m_info.nearestValid = 0;
        return true;
    }
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            if (m_selection && !SelectionIsInside(x, y))
                continue;
            SetPixelIndex(x, y, static_cast<BYTE>(~GetPixelIndexUnchecked(x, y)));
        }
    }
    return true;
}
