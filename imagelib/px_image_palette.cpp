// Palette operations of PxImage.
#include <algorithm>
#include <cstring>

#include "imagelib/px_image.h"

PxRgbQuad* PxImage::GetPalette() const {
    if (!m_dib || m_head.biClrUsed == 0)
        return nullptr;
    return reinterpret_cast<PxRgbQuad*>(static_cast<BYTE*>(m_dib) + kPxInfoHeaderSize);
}

PxRgbQuad PxImage::GetPaletteColor(BYTE index) const {
    const PxRgbQuad* palette = GetPalette();
    if (!palette || index >= m_head.biClrUsed)
        return PxRgbQuad{0, 0, 0, 0};
    return palette[index];
}

bool PxImage::GetPaletteColor(BYTE index, BYTE* red, BYTE* green, BYTE* blue) const {
    const PxRgbQuad* palette = GetPalette();
    if (!palette || index >= m_head.biClrUsed || !red || !green || !blue)
        return false;
    *red = palette[index].rgbRed;
    *green = palette[index].rgbGreen;
    *blue = palette[index].rgbBlue;
    return true;
}

void PxImage::SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha) {
    SetPaletteColor(index, PxRgbQuad{blue, green, red, alpha});
}

void PxImage::SetPaletteColor(BYTE index, PxRgbQuad colour) {
    PxRgbQuad* palette = GetPalette();
    if (!palette || index >= m_head.biClrUsed)
        return;
    palette[index] = colour;
    m_info.nearestValid = 0;
}

void PxImage::SetPalette(const PxRgbQuad* entries, DWORD count) {
    PxRgbQuad* palette = GetPalette();
    if (!palette || !entries)
        return;
    const std::uint64_t bytes = std::min<std::uint64_t>(count * 4ull, GetPaletteSize());
    std::memcpy(palette, entries, static_cast<std::size_t>(bytes));
    m_info.nearestValid = 0;
}

void PxImage::SetPalette(const BYTE* rgbTriplets, DWORD count) {
    PxRgbQuad* palette = GetPalette();
    if (!palette || !rgbTriplets)
        return;
    const DWORD n = std::min(count, m_head.biClrUsed);
    for (DWORD i = 0; i < n; ++i)
        palette[i] =
            PxRgbQuad{rgbTriplets[3 * i + 2], rgbTriplets[3 * i + 1], rgbTriplets[3 * i], 0};
    m_info.nearestValid = 0;
}

void PxImage::SetPalette(DWORD count, const BYTE* reds, const BYTE* greens, const BYTE* blues) {
    PxRgbQuad* palette = GetPalette();
    if (!palette || !reds)
        return;
    if (!greens)
        greens = reds;
    if (!blues)
        blues = greens;
    const DWORD n = std::min(count, m_head.biClrUsed);
    for (DWORD i = 0; i < n; ++i)
        palette[i] = PxRgbQuad{blues[i], greens[i], reds[i], 0};
    m_info.nearestValid = 0;
}

bool PxImage::SetPaletteCount(DWORD count) {
    const DWORD capacity = m_head.biBitCount <= 8 ? (1u << m_head.biBitCount) : 0;
    if (!m_dib || count == 0 || count > capacity)
        return false;
    if (count == m_head.biClrUsed)
        return true;
    // Create sized the block for `capacity` entries, so the rows fit after any shorter palette.
    BYTE* palette = static_cast<BYTE*>(m_dib) + kPxInfoHeaderSize;
    BYTE* rows = palette + count * 4;
    std::memmove(rows, m_info.pixels, m_head.biSizeImage);
    if (count > m_head.biClrUsed)
        std::memset(palette + m_head.biClrUsed * 4, 0, (count - m_head.biClrUsed) * 4);
    m_info.pixels = rows;
    m_head.biClrUsed = count;
    std::memcpy(m_dib, &m_head, kPxInfoHeaderSize);
    m_info.nearestValid = 0;
    return true;
}

void PxImage::CopyPalette(const PxImage& source) {
    if (!source.HasPalette() || !SetPaletteCount(source.GetPaletteCount()))
        return;
    SetPalette(source.GetPalette(), source.GetPaletteCount());
}

void PxImage::SetGreyPalette() {
    PxRgbQuad* palette = GetPalette();
    const DWORD count = m_head.biClrUsed;
    if (!palette || count < 2)
        return;
    const DWORD step = 255 / (count - 1);
    for (DWORD i = 0; i < count; ++i) {
        const BYTE level = static_cast<BYTE>(i * step);
        palette[i] = PxRgbQuad{level, level, level, 0};
    }
    m_info.nearestValid = 0;
}

bool PxImage::IsGreyScale() const {
    const PxRgbQuad* palette = GetPalette();
    if (!palette)
        return false;
    for (DWORD i = 0; i < m_head.biClrUsed; ++i) {
        if (palette[i].rgbBlue != i || palette[i].rgbGreen != i || palette[i].rgbRed != i)
            return false;
    }
    return true;
}

void PxImage::SwapIndex(BYTE a, BYTE b) {
    PxRgbQuad* palette = GetPalette();
    if (!palette || a >= m_head.biClrUsed || b >= m_head.biClrUsed || a == b)
        return;
    std::swap(palette[a], palette[b]);
    m_info.nearestValid = 0;
    const LONG width = m_head.biWidth;
    const LONG height = m_head.biHeight;
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const BYTE index = GetPixelIndexUnchecked(x, y);
            if (index == a)
                SetPixelIndex(x, y, b);
            else if (index == b)
                SetPixelIndex(x, y, a);
        }
    }
}

BYTE PxImage::GetNearestIndex(PxRgbQuad colour) {
    const PxRgbQuad* palette = GetPalette();
    if (!palette)
        return 0;
    if (m_info.nearestValid && m_info.nearestColor == colour)
        return m_info.nearestIndex;
    m_info.nearestColor = colour;
    m_info.nearestValid = 1;

    DWORD count = m_head.biClrImportant ? m_head.biClrImportant : m_head.biClrUsed;
    count = std::min(count, m_head.biClrUsed);
    LONG best = 200000;
    BYTE found = 0;
    for (DWORD i = 0; i < count; ++i) {
        const LONG dr = static_cast<LONG>(palette[i].rgbRed) - colour.rgbRed;
        const LONG dg = static_cast<LONG>(palette[i].rgbGreen) - colour.rgbGreen;
        const LONG db = static_cast<LONG>(palette[i].rgbBlue) - colour.rgbBlue;
        const LONG distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            found = static_cast<BYTE>(i);
            if (distance == 0)
                break;
        }
    }
    m_info.nearestIndex = found;
    return found;
}

PxRgbQuad PxImage::RgbToRgbQuad(COLORREF colour) {
    return PxRgbQuad{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
}

COLORREF PxImage::RgbQuadToRgb(PxRgbQuad colour) {
    return RGB(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
}

void PxImage::SwapRedBlue(BYTE* buffer, DWORD length) const {
    if (!buffer || m_head.biBitCount != 24)
        return;
    const DWORD limit = std::min(length, m_info.rowStride);
    for (DWORD i = 0; i + 2 < limit; i += 3)
        std::swap(buffer[i], buffer[i + 2]);
}

LONG PxImage::CompareColorLuma(const BYTE* a, const BYTE* b) {
    const auto luma = [](const BYTE* c) { return (117 * c[0] + 601 * c[1] + 306 * c[2]) >> 10; };
    return luma(a) - luma(b);
}

bool PxImage::AlphaPaletteIsValid() const {
    const PxRgbQuad* palette = GetPalette();
    if (!palette)
        return false;
    for (DWORD i = 0; i < m_head.biClrUsed; ++i) {
        if (palette[i].rgbReserved)
            return true;
    }
    return false;
}
