// Pixel loops shared by blits, fills and shapes: raster operations over rows, brush patterns,
// and the scope that locks the surfaces of one call and keeps DIB section bits in step.
#pragma once

#include "gdi/dc.h"

#include <optional>

namespace lv::gdi {

constexpr Pixel kWhite = 0x00FFFFFF;

// Colour to the black or white of a monochrome bitmap, by brightness.
inline Pixel mono_of(Pixel p) {
    unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    return sum >= 383 ? kWhite : 0;
}

// A brush as the pixels it paints at device positions.
struct Pattern {
    bool none{true}; // a null brush paints nothing
    Pixel solid{0};
    const Surface* tile{nullptr};
    Pixel tile_fg{0}; // monochrome tiles: 0 bits
    Pixel tile_bg{0}; // 1 bits
    bool tile_mono{false};
    POINT org{0, 0}; // surface coordinates of the tile's (0, 0)
    // Hatched brushes: the hatch (-1: none) in `solid` over `hatch_bg`, which a transparent
    // background mode leaves unpainted.
    int hatch{-1};
    Pixel hatch_bg{0};
    bool hatch_transparent{false};

    Pixel at(int x, int y) const;
    // False where the pattern leaves the pixel as it is (a transparent hatch's gaps).
    bool paints(int x, int y) const;
};
Pattern pattern_of(const DeviceContext& dc, const Brush* brush, const Target& target);

// Whether a ternary raster operation reads the source or the pattern.
inline bool rop_uses_source(DWORD rop) {
    return (((rop >> 18) ^ (rop >> 16)) & 0x33) != 0;
}
inline bool rop_uses_pattern(DWORD rop) {
    return (((rop >> 20) ^ (rop >> 16)) & 0x0F) != 0;
}

// Applies a ternary raster operation to `count` pixels of row y from column x (surface
// coordinates); `src` may be null when the operation ignores it.
void rop3_row(DWORD rop, Pixel* dst, const Pixel* src, const Pattern& pattern, int x, int y,
              int count);
// Applies a binary raster operation (R2_*) of a pen or brush colour.
void rop2_row(int rop2, Pixel* dst, Pixel pen, int count);
// Fills clipped rectangles (surface coordinates) of the target with the pattern through rop2.
void fill_area(const Target& target, const Region& area, const Pattern& pattern, int rop2);

// Locks the surfaces of one call; DIB sections in their own format have the touched
// rectangles copied in before and (for the destination) out after.
class DrawScope {
public:
    DrawScope(const Target& dst, const RECT& dst_area, const Target* src = nullptr,
              const RECT* src_area = nullptr);
    ~DrawScope();
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;

private:
    SurfaceLock m_lock;
    const Target& m_dst;
    RECT m_dst_area;
};

bool rect_empty(const RECT& r);
RECT intersect(const RECT& a, const RECT& b);
RECT normalised(int x, int y, int width, int height);

} // namespace lv::gdi
