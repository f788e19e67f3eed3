// The GDI objects behind the handles: bitmaps, brushes, pens, palettes, regions and icons.
#pragma once

#include "gdi/dib_format.h"
#include "gdi/handle_table.h"
#include "gdi/region.h"
#include "gdi/surface.h"
#include "win32/gdi.h"

#include <atomic>
#include <memory>
#include <vector>

namespace lv::gdi {

// A DIB section keeps its pixels in the format it was created with, at the address the caller
// got; drawing works on the bitmap's 32-bit surface. 32-bit sections share their memory with
// the surface; the others copy the rectangle a call touches in before it and out after it.
struct DibSection {
    DibFormat format;
    BITMAPINFOHEADER header{}; // as created, for GetObject
    std::vector<std::uint8_t> storage;
    bool shared{false};

    std::uint8_t* stored_row(int stored) {
        return storage.data() + format.stride * static_cast<std::size_t>(stored);
    }
    void load(Surface& surface, const RECT& area);        // bits -> surface
    void store(const Surface& surface, const RECT& area); // surface -> bits
};

struct Bitmap : Object {
    static constexpr Kind kKind = Kind::bitmap;
    Bitmap() : Object(kKind) {}

    Surface pixels;
    int bits_pixel{32};                  // 1 for a monochrome bitmap
    std::unique_ptr<DibSection> section; // set for CreateDIBSection
    std::atomic<int> selections{0};      // memory DCs it is selected into

    bool monochrome() const { return bits_pixel == 1 && !section; }
    int width() const { return pixels.width(); }
    int height() const { return pixels.height(); }
};

// The brush style of hatched brushes (BS_HATCHED), which only the metafile player makes.
constexpr UINT kHatchedStyle = 2;

struct Brush : Object {
    static constexpr Kind kKind = Kind::brush;
    Brush() : Object(kKind) {}

    UINT style{BS_SOLID};
    COLORREF colour{0};
    // BS_PATTERN: the pattern's pixels; a monochrome pattern takes the DC's colours.
    std::shared_ptr<Surface> pattern;
    bool mono_pattern{false};
    // BS_HATCHED: which of the six hatches, drawn in the colour over the DC's background.
    int hatch{0};
};

struct Pen : Object {
    static constexpr Kind kKind = Kind::pen;
    Pen() : Object(kKind) {}

    int style{PS_SOLID};
    int width{1};
    COLORREF colour{0};
};

struct Palette : Object {
    static constexpr Kind kKind = Kind::palette;
    Palette() : Object(kKind) {}
    std::vector<PALETTEENTRY> entries;
};

struct RegionObject : Object {
    static constexpr Kind kKind = Kind::region;
    RegionObject() : Object(kKind) {}
    Region region;
};

struct Icon : Object {
    static constexpr Kind kKind = Kind::icon;
    Icon() : Object(kKind) {}
    bool is_icon{true};
    DWORD hotspot_x{0};
    DWORD hotspot_y{0};
    std::shared_ptr<Surface> colour; // null for a monochrome icon (mask holds both halves)
    std::shared_ptr<Surface> mask;   // white where the screen shows through
    int width{0};
    int height{0};
};

} // namespace lv::gdi
