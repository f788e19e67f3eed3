// The one loop behind BitBlt, StretchBlt, StretchDIBits, SetDIBitsToDevice and TransparentBlt:
// maps destination pixels to source pixels (1:1, nearest, or averaged boxes), converts between
// colour and monochrome, and applies the raster operation row by row inside the clip.
#pragma once

#include "gdi/raster.h"

namespace lv::gdi {

struct BlitSource {
    const Surface* surface{nullptr};
    RECT bounds{0, 0, 0, 0}; // where source pixels exist, surface coordinates
    bool mono{false};
    Pixel bk{kWhite}; // colour source into a monochrome target: this colour becomes white
    bool mono_by_brightness{false}; // DIB sources into a monochrome target
};

struct Blit {
    const Target* dst{nullptr};
    int x{0}, y{0}, width{0}, height{0}; // destination, surface coordinates; negative sizes mirror
    const BlitSource* src{nullptr};
    int src_x{0}, src_y{0}, src_width{0}, src_height{0};
    DWORD rop{SRCCOPY};
    int stretch_mode{COLORONCOLOR};
    Pattern pattern;
    Pixel text{0};     // destination colours for a monochrome source: 0 bits
    Pixel bk{kWhite};  // 1 bits
    bool keyed{false}; // TransparentBlt: source pixels of `key` are skipped
    Pixel key{0};
};

// Runs the blit; the caller holds the surfaces (DrawScope).
void run_blit(const Blit& blit);

// Destination and source rectangles a blit touches, for DrawScope.
RECT blit_dst_area(const Blit& blit);
RECT blit_src_area(const Blit& blit);

} // namespace lv::gdi
