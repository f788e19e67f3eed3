// Bitmaps and icons as 32-bit top-down rows, a pixel 0x00RRGGBB (alpha in the top byte): the
// layout in which the layer's own callers read bitmaps and make them from pixels.
#pragma once

#include "win32/gdi.h"

#include <cstdint>
#include <vector>

namespace lv::gdi {

BITMAPINFO top_down_rows_info(int width, int height);
// The bitmap's pixels in that layout; false when it is no bitmap or cannot be read.
bool read_rows(HBITMAP bitmap, std::vector<std::uint32_t>& pixels, int& width, int& height);
// A new DIB section holding the rows (the caller owns it); null when it cannot be made.
HBITMAP section_of_rows(int width, int height, const std::vector<std::uint32_t>& pixels);
// A new icon of a colour part and a mask (white where transparent), both as rows.
HICON icon_of_rows(int width, int height, const std::vector<std::uint32_t>& colour,
                   const std::vector<std::uint32_t>& mask);

} // namespace lv::gdi
