// Pixel, alpha-plane and selection access of PxImage.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "imagelib/px_image.h"

namespace {

std::size_t PlaneIndex(LONG x, LONG y, LONG width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

} // namespace

BYTE PxImage::GetPixelIndexUnchecked(LONG x, LONG y) const {
    const BYTE* row = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride;
    switch (m_head.biBitCount) {
    case 8:
        return row[x];
    case 4: {
        const BYTE packed = row[x >> 1];
        return (x & 1) ? (packed & 0x0F) : (packed >> 4);
    }
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default:
        return 0;
    }
}

BYTE PxImage::GetPixelIndex(LONG x, LONG y) const {
    if (!m_dib || m_head.biClrUsed == 0)
        return 0;
    if (!IsInside(x, y)) {
        if (m_info.transIndex >= 0)
            return static_cast<BYTE>(m_info.transIndex);
        return m_info.pixels[0];
    }
    return GetPixelIndexUnchecked(x, y);
}

void PxImage::SetPixelIndex(LONG x, LONG y, BYTE index) {
    if (!m_dib || m_head.biClrUsed == 0 || !IsInside(x, y))
        return;
    BYTE* row = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride;
    switch (m_head.biBitCount) {
    case 8:
        row[x] = index;
        break;
    case 4: {
        BYTE& packed = row[x >> 1];
        if (x & 1)
            packed = static_cast<BYTE>((packed & 0xF0) | (index & 0x0F));
        else
            packed = static_cast<BYTE>((packed & 0x0F) | ((index & 0x0F) << 4));
        break;
    }
    case 1: {
        BYTE& packed = row[x >> 3];
        const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
        packed = (index & 1) ? (packed | bit) : (packed & ~bit);
        break;
    }
    default:
        break;
    }
}

PxRgbQuad PxImage::GetPixelColorUnchecked(LONG x, LONG y) const {
    if (m_head.biClrUsed)
        return GetPalette()[GetPixelIndexUnchecked(x, y)];
    const BYTE* p = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride + 3 * x;
    const BYTE reserved =
        m_alpha ? m_alpha[PlaneIndex(x, y, m_head.biWidth)] : m_info.transColor.rgbReserved;
    return PxRgbQuad{p[0], p[1], p[2], reserved};
}

PxRgbQuad PxImage::GetPixelColor(LONG x, LONG y, bool withAlpha) const {
    if (!m_dib)
        return m_info.transColor;
    if (!IsInside(x, y)) {
        if (m_info.transIndex >= 0) {
            if (m_head.biBitCount < 24)
                return GetPaletteColor(static_cast<BYTE>(m_info.transIndex));
            return m_info.transColor;
        }
        x = 0;
        y = 0;
    }
    PxRgbQuad colour;
    if (m_head.biClrUsed) {
        colour = GetPalette()[GetPixelIndexUnchecked(x, y)];
    } else {
        const BYTE* p = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride + 3 * x;
        colour = PxRgbQuad{p[0], p[1], p[2], m_info.transColor.rgbReserved};
    }
    if (m_alpha && withAlpha)
        colour.rgbReserved = m_alpha[PlaneIndex(x, y, m_head.biWidth)];
    return colour;
}

void PxImage::SetPixelColor(LONG x, LONG y, PxRgbQuad colour, bool withAlpha) {
    if (!m_dib || !IsInside(x, y))
        return;
    if (m_head.biClrUsed) {
        SetPixelIndex(x, y, GetNearestIndex(colour));
        return;
    }
    BYTE* p = m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride + 3 * x;
    p[0] = colour.rgbBlue;
    p[1] = colour.rgbGreen;
    p[2] = colour.rgbRed;
    if (withAlpha)
        AlphaSet(x, y, colour.rgbReserved);
}

void PxImage::SetPixelColorRef(LONG x, LONG y, COLORREF colour) {
    SetPixelColor(x, y, RgbToRgbQuad(colour), false);
}

BYTE* PxImage::GetPixelPointer(LONG x, LONG y) const {
    if (m_head.biClrUsed)
        return nullptr;
    return m_info.pixels + static_cast<std::size_t>(y) * m_info.rowStride + 3 * x;
}

bool PxImage::IsPixelTransparent(LONG x, LONG y) const {
    if (!m_dib)
        return false;
    if (m_info.transIndex >= 0) {
        if (m_head.biClrUsed) {
            if (GetPixelIndex(x, y) == m_info.transIndex)
                return true;
        } else if (GetPixelColor(x, y, false) == m_info.transColor) {
            return true;
        }
    }
    return m_alpha && AlphaGet(x, y) == 0;
}

bool PxImage::AlphaCreate() {
    if (m_alpha)
        return true;
    if (!m_dib)
        return false;
    const std::size_t bytes = PlaneIndex(0, m_head.biHeight, m_head.biWidth);
    m_alpha = static_cast<BYTE*>(std::malloc(bytes));
    if (!m_alpha)
        return false;
    std::memset(m_alpha, 255, bytes);
    return true;
}

void PxImage::AlphaDelete() {
    std::free(m_alpha);
    m_alpha = nullptr;
}

void PxImage::AlphaFill(BYTE level) {
    if (m_alpha)
        std::memset(m_alpha, level, PlaneIndex(0, m_head.biHeight, m_head.biWidth));
}

void PxImage::AlphaSet(LONG x, LONG y, BYTE level) {
    if (m_alpha && IsInside(x, y))
        m_alpha[PlaneIndex(x, y, m_head.biWidth)] = level;
}

BYTE PxImage::AlphaGet(LONG x, LONG y) const {
    if (m_alpha && IsInside(x, y))
        return m_alpha[PlaneIndex(x, y, m_head.biWidth)];
    return 0;
}

BYTE* PxImage::AlphaGetPointer(LONG x, LONG y) const {
    if (m_alpha && IsInside(x, y))
        return m_alpha + PlaneIndex(x, y, m_head.biWidth);
    return nullptr;
}

bool PxImage::AlphaFlip() {
    if (!m_alpha)
        return false;
    const std::size_t width = static_cast<std::size_t>(m_head.biWidth);
    for (LONG top = 0, bottom = m_head.biHeight - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(m_alpha + top * width, m_alpha + (top + 1) * width,
                         m_alpha + bottom * width);
    return true;
}

bool PxImage::AlphaMirror() {
    if (!m_alpha)
        return false;
    const std::size_t width = static_cast<std::size_t>(m_head.biWidth);
    for (LONG y = 0; y < m_head.biHeight; ++y)
        std::reverse(m_alpha + y * width, m_alpha + (y + 1) * width);
    return true;
}

bool PxImage::SelectionCreate() {
    if (m_selection)
        return true;
    if (!m_dib)
        return false;
    m_selection =
        static_cast<BYTE*>(std::calloc(PlaneIndex(0, m_head.biHeight, m_head.biWidth), 1));
    m_info.selectionBox = RECT{m_head.biWidth, 0, 0, m_head.biHeight};
    return m_selection != nullptr;
}

bool PxImage::SelectionDelete() {
    std::free(m_selection);
    m_selection = nullptr;
    m_info.selectionBox = RECT{m_head.biWidth, 0, 0, m_head.biHeight};
    return true;
}

bool PxImage::SelectionIsInside(LONG x, LONG y) const {
    if (!IsInside(x, y))
        return false;
    if (!m_selection)
        return true;
    return m_selection[PlaneIndex(x, y, m_head.biWidth)] != 0;
}

void PxImage::SelectionSet(LONG x, LONG y, BYTE level) {
    if (!m_selection || !IsInside(x, y))
        return;
    m_selection[PlaneIndex(x, y, m_head.biWidth)] = level;
    if (!level)
        return;
    // The box counts stored rows: bottom is the lowest selected row, top one past the highest.
    RECT& box = m_info.selectionBox;
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x + 1);
    box.bottom = std::min(box.bottom, y);
    box.top = std::max(box.top, y + 1);
}
