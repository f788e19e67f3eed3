// A metafile as the player runs it: the drawing records of a Windows or enhanced metafile,
// parsed and checked by their front ends (wmf_reader, emf_reader) into one common form, with
// the picture's frame and the mapping it starts under.
#pragma once

#include "win32/gdi.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv::gdi {

enum class MetaOp : std::uint8_t {
    // Mapping.
    set_map_mode,     // a[0] mode
    set_window_org,   // a[0], a[1]
    set_window_ext,   // a[0], a[1]
    set_viewport_org, // a[0], a[1]
    set_viewport_ext, // a[0], a[1]
    offset_window_org,
    offset_viewport_org,
    scale_window_ext, // a[0] x num, a[1] x denom, a[2] y num, a[3] y denom
    scale_viewport_ext,
    set_world_transform,    // xform
    modify_world_transform, // xform, a[0] mode (1 identity, 2 left, 3 right multiply)
    save_dc,
    restore_dc, // a[0] level (negative: relative)
    // DC state.
    set_bk_colour,   // a[0] COLORREF
    set_bk_mode,     // a[0]
    set_text_colour, // a[0] COLORREF
    set_text_align,  // a[0]
    set_poly_fill_mode,
    set_rop2,
    set_stretch_mode,
    intersect_clip, // a[0..3] logical rectangle
    exclude_clip,
    // Objects, by slot of the picture's object table.
    create_pen,           // a[0] slot, a[1] style, a[2] width, a[3] COLORREF
    create_brush,         // a[0] slot, a[1] style, a[2] COLORREF, a[3] hatch
    create_pattern_brush, // a[0] slot, dib
    create_font,          // a[0] slot, font (height and width in logical units)
    create_placeholder,   // a[0] slot: an object the player does not draw with
    select_object,        // a[0] slot
    select_stock,         // a[0] stock object index
    delete_object,        // a[0] slot
    // Drawing, logical coordinates.
    move_to,  // a[0], a[1]
    line_to,  // a[0], a[1]
    polyline, // points
    polyline_to,
    polygon,
    poly_polygon,  // points, counts
    poly_polyline, // points, counts
    poly_bezier,   // points (start, then three per segment)
    poly_bezier_to,
    rectangle,  // a[0..3] left, top, right, bottom
    round_rect, // a[0..3], a[4] corner width, a[5] corner height
    ellipse,    // a[0..3]
    arc,        // a[0..3] box, a[4], a[5] start, a[6], a[7] end
    chord,
    pie,
    set_pixel,   // a[0], a[1], a[2] COLORREF
    text_out,    // a[0], a[1] reference point, a[2] options, a[3..6] rectangle, text, dx
    stretch_dib, // a[0..3] destination x, y, w, h, a[4..7] source x, y, w, h, a[8] rop,
                 // a[9] usage, dib
    pat_blt,     // a[0..3] x, y, w, h, a[4] rop
    alpha_blend, // as stretch_dib, a[8] the blend function's four bytes
    // Paths: shapes between begin and end build the path instead of drawing.
    begin_path,
    end_path,
    abort_path,
    close_figure,
    fill_path,
    stroke_path,
    stroke_and_fill_path,
    select_clip_path, // a[0] region mode
    // Regions: points hold each rectangle as its top-left and bottom-right corners, logical.
    fill_region,        // a[0] brush slot (a[1] 1: a[0] is a stock object)
    frame_region,       // a[0], a[1] as fill; a[2], a[3] frame width and height
    paint_region,       // with the selected brush
    invert_region,      //
    select_clip_region, // a[0] mode; no points: the clip is reset (with mode RGN_COPY)
};

struct MetaRecord {
    MetaOp op{};
    std::int32_t a[10]{};
    std::vector<POINT> points;
    std::vector<std::int32_t> counts;
    std::string text;             // UTF-8
    std::vector<std::int32_t> dx; // one advance per character of text, logical units
    LOGFONTA font{};
    XFORM xform{1, 0, 0, 1, 0, 0};
    // A checked DIB: BITMAPINFO (header and colours) followed by its pixel rows.
    std::vector<std::uint8_t> dib;
    std::size_t dib_bits_offset{0};
};

struct MetaPicture {
    std::vector<MetaRecord> records;
    // The header GetEnhMetaFileHeader answers (for a Windows metafile: made up from its size).
    ENHMETAHEADER header{};
    std::vector<PALETTEENTRY> palette;
    // Whether the picture came from a Windows metafile under MM_ANISOTROPIC: its window then
    // maps onto the whole frame, and its own viewport and map mode records do not apply.
    bool window_fills_frame{false};
    // The frame in reference-device pixels, which playback maps onto the caller's rectangle.
    double frame_left{0}, frame_top{0}, frame_right{0}, frame_bottom{0};
    // Initial window of a Windows metafile (origin at left/top, extent right - left and
    // bottom - top): the extent of its drawing where it sets no window of its own.
    RECT initial_window{0, 0, 1, 1};
    // Reference-device pixels per millimetre, for the metric map modes.
    double pixels_per_mm_x{96 / 25.4}, pixels_per_mm_y{96 / 25.4};
    std::size_t object_slots{0};
};

// Largest table of objects and largest count of points a picture may declare.
constexpr std::size_t kMetaMaxObjects = 65535;
constexpr std::size_t kMetaMaxPoints = std::size_t{1} << 22;

// The records of a Windows metafile (standard header first); nullopt when damaged.
std::optional<MetaPicture> read_wmf(std::span<const std::uint8_t> bytes);
// The records of an enhanced metafile; nullopt when damaged.
std::optional<MetaPicture> read_emf(std::span<const std::uint8_t> bytes);

// A DIB inside a record, checked against the bytes it lies in: header (40 bytes or more),
// colours and rows. Copies it into the record; false when anything does not fit.
bool take_dib(MetaRecord& record, std::span<const std::uint8_t> info,
              std::span<const std::uint8_t> bits);

// Plays the picture into the DC so that its frame fills `rect` (device coordinates).
bool play_metafile(HDC dc, const MetaPicture& picture, const RECT& rect);

} // namespace lv::gdi
