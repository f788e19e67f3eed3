// The layout of a device-independent bitmap described by a BITMAPINFO, and conversion of its
// rows to and from surface pixels.
#pragma once

#include "gdi/surface.h"
#include "win32/gdi.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lv::gdi {

struct DibFormat {
    int width{0};
    int height{0}; // rows, always positive
    bool bottom_up{true};
    int bits{0}; // 1, 4, 8, 16, 24 or 32
    DWORD compression{BI_RGB};
    std::uint32_t masks[3]{};   // red, green, blue for 16 and 32 bits
    std::vector<Pixel> palette; // 1, 4 and 8 bits
    std::size_t stride{0};      // bytes per row, a multiple of 4

    std::size_t image_size() const { return stride * static_cast<std::size_t>(height); }
    // Stored row index of the picture row counted from the top.
    int stored_row(int y) const { return bottom_up ? height - 1 - y : y; }
    // Whether rows map onto surface pixels unchanged (32 bits, BI_RGB or the BGRA masks).
    bool native() const;
};

// Parses and checks a BITMAPINFO (header, then colour table or masks). `usage` is
// DIB_RGB_COLORS or DIB_PAL_COLORS (the palette then counts as a grey ramp of indices).
std::optional<DibFormat> parse_dib_format(const BITMAPINFO* info, UINT usage);
std::size_t dib_stride(int width, int bits);
// Bytes that the header, colour table and masks of this format take in a BITMAPINFO.
std::size_t dib_info_size(const DibFormat& format);

// Converts `count` pixels of one stored row from column x on into surface pixels (alpha from
// 32-bit rows, 0 otherwise).
void dib_row_to_pixels(const DibFormat& format, const std::uint8_t* row, int x, int count,
                       Pixel* out);
// Converts surface pixels into one stored row from column x on; palette formats take the
// nearest entry.
void pixels_to_dib_row(const DibFormat& format, const Pixel* in, int x, int count,
                       std::uint8_t* row);

inline Pixel pixel_from_colorref(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF colorref_from_pixel(Pixel p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
inline Pixel pixel_from_quad(const RGBQUAD& q) {
    return (static_cast<Pixel>(q.rgbRed) << 16) | (static_cast<Pixel>(q.rgbGreen) << 8) | q.rgbBlue;
}
constexpr Pixel kRgbMask = 0x00FFFFFF;

} // namespace lv::gdi
