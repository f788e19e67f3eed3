// The enhanced metafile front end: 32-bit records (type, size in bytes) into the player's
// records. Every size, offset and count is checked against the record it lies in; records the
// player has no use for are skipped.
#include "gdi/metafile_picture.h"
#include "util/le_bytes.h"
#include "util/utf16.h"

#include <algorithm>
#include <bit>

namespace lv::gdi {
namespace {

constexpr std::uint32_t kMinHeaderSize = 88;
constexpr std::uint32_t kStockFlag = 0x80000000;

enum EmfType : std::uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetRop2 = 20,
    kSetStretchBltMode = 21,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kMoveToEx = 27,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kCreatePalette = 49,
    kLineTo = 54,
    kArcTo = 55,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kFillRgn = 71,
    kFrameRgn = 72,
    kInvertRgn = 73,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kSetDiBitsToDevice = 80,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
    kAlphaBlend = 114,
};

struct Record {
    std::uint32_t type;
    std::span<const std::uint8_t> bytes; // the whole record, type and size included
};

class EmfParser {
public:
    explicit EmfParser(MetaPicture& picture) : m_picture(picture) {}
    bool parse(const Record& record);

private:
    MetaRecord& add(MetaOp op) {
        m_picture.records.push_back(MetaRecord{});
        m_picture.records.back().op = op;
        return m_picture.records.back();
    }
    // Reads `count` 32-bit fields after the type and size into a[].
    bool fields(MetaOp op, const Record& rec, int count, std::size_t skip = 0);
    bool poly(MetaOp op, const Record& rec, bool small);
    bool poly_poly(MetaOp op, const Record& rec, bool small);
    bool text(const Record& rec, bool wide);
    bool font(const Record& rec);
    bool blit(const Record& rec);
    bool region(const Record& rec);
    void add_pen(std::uint32_t slot, std::int32_t style, std::int32_t width, std::uint32_t colour) {
        if (!slot_ok(slot)) {
            return;
        }
        MetaRecord& out = add(MetaOp::create_pen);
        out.a[0] = static_cast<std::int32_t>(slot);
        out.a[1] = style;
        out.a[2] = width;
        out.a[3] = static_cast<std::int32_t>(colour & 0xFFFFFF);
    }
    bool slot_ok(std::uint32_t slot) const { return slot > 0 && slot < m_picture.object_slots; }
    // A DIB given by offsets from the record's start; false when it does not lie inside.
    static bool dib_at(MetaRecord& out, const Record& rec, std::uint32_t off_bmi,
                       std::uint32_t cb_bmi, std::uint32_t off_bits, std::uint32_t cb_bits);

    MetaPicture& m_picture;
};

// Points as pairs of 16- or 32-bit coordinates.
void read_points(ByteReader& r, std::vector<POINT>& points, bool small) {
    for (POINT& p : points) {
        if (small) {
            std::int16_t x = 0, y = 0;
            r.i16(x);
            r.i16(y);
            p = POINT{x, y};
        } else {
            std::int32_t x = 0, y = 0;
            r.i32(x);
            r.i32(y);
            p = POINT{x, y};
        }
    }
}

std::span<const std::uint8_t> slice(std::span<const std::uint8_t> bytes, std::uint32_t offset,
                                    std::uint32_t length) {
    if (offset > bytes.size() || length > bytes.size() - offset) {
        return {};
    }
    return bytes.subspan(offset, length);
}

bool EmfParser::dib_at(MetaRecord& out, const Record& rec, std::uint32_t off_bmi,
                       std::uint32_t cb_bmi, std::uint32_t off_bits, std::uint32_t cb_bits) {
    const auto info = slice(rec.bytes, off_bmi, cb_bmi);
    const auto bits = slice(rec.bytes, off_bits, cb_bits);
    if (info.empty() || bits.empty()) {
        return false;
    }
    return take_dib(out, info, bits);
}

bool EmfParser::fields(MetaOp op, const Record& rec, int count, std::size_t skip) {
    ByteReader r(rec.bytes.subspan(8));
    r.skip(skip);
    std::int32_t v[10]{};
    for (int i = 0; i < count; ++i) {
        r.i32(v[i]);
    }
    if (!r.ok()) {
        return false;
    }
    MetaRecord& out = add(op);
    std::copy(v, v + count, out.a);
    return true;
}

bool EmfParser::poly(MetaOp op, const Record& rec, bool small) {
    ByteReader r(rec.bytes.subspan(8));
    std::uint32_t count = 0;
    r.skip(16); // bounds
    r.u32(count);
    const std::size_t point_bytes = small ? 4 : 8;
    if (!r.ok() || count > kMetaMaxPoints || count * point_bytes > r.remaining()) {
        return false;
    }
    MetaRecord& out = add(op);
    out.points.resize(count);
    read_points(r, out.points, small);
    return true;
}

bool EmfParser::poly_poly(MetaOp op, const Record& rec, bool small) {
    ByteReader r(rec.bytes.subspan(8));
    std::uint32_t polys = 0, total = 0;
    r.skip(16);
    r.u32(polys);
    r.u32(total);
    const std::size_t point_bytes = small ? 4 : 8;
    if (!r.ok() || polys > kMetaMaxPoints || total > kMetaMaxPoints ||
        std::uint64_t{polys} * 4 + std::uint64_t{total} * point_bytes > r.remaining()) {
        return false;
    }
    std::vector<std::int32_t> counts(polys);
    std::uint64_t sum = 0;
    for (std::int32_t& c : counts) {
        std::uint32_t n = 0;
        r.u32(n);
        if (n > kMetaMaxPoints) {
            return false;
        }
        c = static_cast<std::int32_t>(n);
        sum += n;
    }
    if (sum != total) {
        return false;
    }
    MetaRecord& out = add(op);
    out.counts = std::move(counts);
    out.points.resize(total);
    read_points(r, out.points, small);
    return r.ok();
}

bool EmfParser::text(const Record& rec, bool wide) {
    ByteReader r(rec.bytes.subspan(8));
    std::int32_t x = 0, y = 0;
    std::uint32_t chars = 0, off_string = 0, options = 0, off_dx = 0;
    MetaRecord out;
    out.op = MetaOp::text_out;
    r.skip(16 + 12); // bounds, graphics mode, scales
    r.i32(x);
    r.i32(y);
    r.u32(chars);
    r.u32(off_string);
    r.u32(options);
    for (int i = 3; i < 7; ++i) {
        r.i32(out.a[i]);
    }
    r.u32(off_dx);
    if (!r.ok() || chars > rec.bytes.size()) {
        return false;
    }
    const std::uint32_t unit = wide ? 2 : 1;
    const auto string = slice(rec.bytes, off_string, chars * unit);
    if (chars && string.empty()) {
        return false;
    }
    if (wide) {
        std::u16string units(chars, u'\0');
        for (std::uint32_t i = 0; i < chars; ++i) {
            units[i] = static_cast<char16_t>(string[2 * i] | (string[2 * i + 1] << 8));
        }
        out.text = utf16_to_utf8(units);
    } else {
        for (std::uint8_t c : string) {
            append_utf8(out.text, c);
        }
    }
    if (off_dx) {
        const auto dx = slice(rec.bytes, off_dx, chars * 4);
        if (chars && dx.empty()) {
            return false;
        }
        ByteReader d(dx);
        out.dx.resize(chars);
        for (std::int32_t& v : out.dx) {
            d.i32(v);
        }
    }
    out.a[0] = x;
    out.a[1] = y;
    out.a[2] = static_cast<std::int32_t>(options);
    m_picture.records.push_back(std::move(out));
    return true;
}

bool EmfParser::font(const Record& rec) {
    ByteReader r(rec.bytes.subspan(8));
    std::uint32_t slot = 0;
    LOGFONTA f{};
    r.u32(slot);
    r.i32(f.lfHeight);
    r.i32(f.lfWidth);
    r.i32(f.lfEscapement);
    r.i32(f.lfOrientation);
    r.i32(f.lfWeight);
    r.u8(f.lfItalic);
    r.u8(f.lfUnderline);
    r.u8(f.lfStrikeOut);
    r.u8(f.lfCharSet);
    r.u8(f.lfOutPrecision);
    r.u8(f.lfClipPrecision);
    r.u8(f.lfQuality);
    r.u8(f.lfPitchAndFamily);
    std::u16string face;
    for (int i = 0; i < 32; ++i) {
        std::uint16_t c = 0;
        r.u16(c);
        if (!c) {
            break;
        }
        face.push_back(static_cast<char16_t>(c));
    }
    if (!r.ok() && face.empty()) {
        return false;
    }
    std::string name = utf16_to_utf8(face);
    name.resize(std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
    std::copy(name.begin(), name.end(), f.lfFaceName);
    if (slot_ok(slot)) {
        MetaRecord& out = add(MetaOp::create_font);
        out.a[0] = static_cast<std::int32_t>(slot);
        out.font = f;
    }
    return true;
}

bool EmfParser::blit(const Record& rec) {
    ByteReader r(rec.bytes.subspan(8));
    MetaRecord out;
    out.op = MetaOp::stretch_dib;
    std::uint32_t rop = 0, usage = 0, off_bmi = 0, cb_bmi = 0, off_bits = 0, cb_bits = 0;
    r.skip(16);
    if (rec.type == kStretchDiBits || rec.type == kSetDiBitsToDevice) {
        // x, y dest; x, y, cx, cy src; offsets; usage; then (stretch only) rop, cx, cy dest.
        r.i32(out.a[0]);
        r.i32(out.a[1]);
        r.i32(out.a[4]);
        r.i32(out.a[5]);
        r.i32(out.a[6]);
        r.i32(out.a[7]);
        r.u32(off_bmi);
        r.u32(cb_bmi);
        r.u32(off_bits);
        r.u32(cb_bits);
        r.u32(usage);
        out.a[2] = out.a[6];
        out.a[3] = out.a[7];
        rop = SRCCOPY;
        if (rec.type == kStretchDiBits) {
            r.u32(rop);
            r.i32(out.a[2]);
            r.i32(out.a[3]);
        }
    } else {
        // Bit and stretch blits: destination box, rop, source origin, transform, colour,
        // usage, offsets, then (stretch only) the source size.
        r.i32(out.a[0]);
        r.i32(out.a[1]);
        r.i32(out.a[2]);
        r.i32(out.a[3]);
        r.u32(rop);
        r.i32(out.a[4]);
        r.i32(out.a[5]);
        r.skip(24 + 4);
        r.u32(usage);
        r.u32(off_bmi);
        r.u32(cb_bmi);
        r.u32(off_bits);
        r.u32(cb_bits);
        out.a[6] = out.a[2];
        out.a[7] = out.a[3];
        if ((rec.type == kStretchBlt || rec.type == kAlphaBlend) && r.ok()) {
            r.i32(out.a[6]);
            r.i32(out.a[7]);
        }
        if (rec.type == kAlphaBlend) {
            // The blend function stands where the others keep their raster operation; without
            // a bitmap there is nothing to blend.
            out.op = MetaOp::alpha_blend;
            if (r.ok() && cb_bmi == 0) {
                return true;
            }
        } else if (r.ok() && cb_bmi == 0) {
            MetaRecord& pat = add(MetaOp::pat_blt);
            std::copy(out.a, out.a + 4, pat.a);
            pat.a[4] = static_cast<std::int32_t>(rop);
            return true;
        }
    }
    if (!r.ok()) {
        return false;
    }
    out.a[8] = static_cast<std::int32_t>(rop);
    out.a[9] = static_cast<std::int32_t>(usage);
    if (!dib_at(out, rec, off_bmi, cb_bmi, off_bits, cb_bits)) {
        return false;
    }
    m_picture.records.push_back(std::move(out));
    return true;
}

// The rectangles of a region's data (a 32-byte header, then the rectangles) as corner pairs.
bool read_region(std::span<const std::uint8_t> data, std::vector<POINT>& corners) {
    ByteReader r(data);
    std::uint32_t header = 0, type = 0, count = 0, size = 0;
    r.u32(header);
    r.u32(type);
    r.u32(count);
    r.u32(size);
    r.skip(16); // bounds
    if (!r.ok() || header != 32 || count > kMetaMaxPoints / 2 ||
        std::uint64_t{count} * 16 > r.remaining()) {
        return false;
    }
    corners.resize(std::size_t{count} * 2);
    for (POINT& p : corners) {
        std::int32_t x = 0, y = 0;
        r.i32(x);
        r.i32(y);
        p = POINT{x, y};
    }
    return r.ok();
}

bool EmfParser::region(const Record& rec) {
    ByteReader r(rec.bytes.subspan(8));
    MetaRecord out;
    std::uint32_t data_size = 0, brush = 0;
    if (rec.type == kExtSelectClipRgn) {
        std::uint32_t mode = 0;
        r.u32(data_size);
        r.u32(mode);
        out.op = MetaOp::select_clip_region;
        out.a[0] = static_cast<std::int32_t>(mode);
    } else {
        r.skip(16); // bounds
        r.u32(data_size);
        if (rec.type == kFillRgn || rec.type == kFrameRgn) {
            r.u32(brush);
            out.a[0] = static_cast<std::int32_t>(brush & ~kStockFlag);
            out.a[1] = (brush & kStockFlag) ? 1 : 0;
        }
        if (rec.type == kFrameRgn) {
            r.i32(out.a[2]);
            r.i32(out.a[3]);
        }
        out.op = rec.type == kFillRgn    ? MetaOp::fill_region
                 : rec.type == kFrameRgn ? MetaOp::frame_region
                 : rec.type == kPaintRgn ? MetaOp::paint_region
                                         : MetaOp::invert_region;
    }
    if (!r.ok() || data_size > r.remaining()) {
        return false;
    }
    const auto data = rec.bytes.subspan(8 + r.position(), data_size);
    // Only a clip may come without a region: it is then reset.
    if (data_size == 0 && rec.type == kExtSelectClipRgn) {
        m_picture.records.push_back(std::move(out));
        return true;
    }
    if (!read_region(data, out.points)) {
        return false;
    }
    m_picture.records.push_back(std::move(out));
    return true;
}

bool EmfParser::parse(const Record& rec) {
    switch (rec.type) {
    case kPolyBezier:
        return poly(MetaOp::poly_bezier, rec, false);
    case kPolyBezier16:
        return poly(MetaOp::poly_bezier, rec, true);
    case kPolyBezierTo:
        return poly(MetaOp::poly_bezier_to, rec, false);
    case kPolyBezierTo16:
        return poly(MetaOp::poly_bezier_to, rec, true);
    case kPolygon:
        return poly(MetaOp::polygon, rec, false);
    case kPolygon16:
        return poly(MetaOp::polygon, rec, true);
    case kPolyline:
        return poly(MetaOp::polyline, rec, false);
    case kPolyline16:
        return poly(MetaOp::polyline, rec, true);
    case kPolylineTo:
        return poly(MetaOp::polyline_to, rec, false);
    case kPolylineTo16:
        return poly(MetaOp::polyline_to, rec, true);
    case kPolyPolyline:
        return poly_poly(MetaOp::poly_polyline, rec, false);
    case kPolyPolyline16:
        return poly_poly(MetaOp::poly_polyline, rec, true);
    case kPolyPolygon:
        return poly_poly(MetaOp::poly_polygon, rec, false);
    case kPolyPolygon16:
        return poly_poly(MetaOp::poly_polygon, rec, true);
    case kSetWindowExtEx:
        return fields(MetaOp::set_window_ext, rec, 2);
    case kSetWindowOrgEx:
        return fields(MetaOp::set_window_org, rec, 2);
    case kSetViewportExtEx:
        return fields(MetaOp::set_viewport_ext, rec, 2);
    case kSetViewportOrgEx:
        return fields(MetaOp::set_viewport_org, rec, 2);
    case kSetPixelV:
        return fields(MetaOp::set_pixel, rec, 3);
    case kSetMapMode:
        return fields(MetaOp::set_map_mode, rec, 1);
    case kSetBkMode:
        return fields(MetaOp::set_bk_mode, rec, 1);
    case kSetPolyFillMode:
        return fields(MetaOp::set_poly_fill_mode, rec, 1);
    case kSetRop2:
        return fields(MetaOp::set_rop2, rec, 1);
    case kSetStretchBltMode:
        return fields(MetaOp::set_stretch_mode, rec, 1);
    case kSetTextAlign:
        return fields(MetaOp::set_text_align, rec, 1);
    case kSetTextColor:
        return fields(MetaOp::set_text_colour, rec, 1);
    case kSetBkColor:
        return fields(MetaOp::set_bk_colour, rec, 1);
    case kMoveToEx:
        return fields(MetaOp::move_to, rec, 2);
    case kLineTo:
        return fields(MetaOp::line_to, rec, 2);
    case kExcludeClipRect:
        return fields(MetaOp::exclude_clip, rec, 4);
    case kIntersectClipRect:
        return fields(MetaOp::intersect_clip, rec, 4);
    case kScaleViewportExtEx:
        return fields(MetaOp::scale_viewport_ext, rec, 4);
    case kScaleWindowExtEx:
        return fields(MetaOp::scale_window_ext, rec, 4);
    case kSaveDc:
        add(MetaOp::save_dc);
        return true;
    case kFillRgn:
    case kFrameRgn:
    case kInvertRgn:
    case kPaintRgn:
    case kExtSelectClipRgn:
        return region(rec);
    case kBeginPath:
        add(MetaOp::begin_path);
        return true;
    case kEndPath:
        add(MetaOp::end_path);
        return true;
    case kAbortPath:
        add(MetaOp::abort_path);
        return true;
    case kCloseFigure:
        add(MetaOp::close_figure);
        return true;
    case kFillPath:
        add(MetaOp::fill_path);
        return true;
    case kStrokePath:
        add(MetaOp::stroke_path);
        return true;
    case kStrokeAndFillPath:
        add(MetaOp::stroke_and_fill_path);
        return true;
    case kSelectClipPath:
        return fields(MetaOp::select_clip_path, rec, 1);
    case kRestoreDc:
        return fields(MetaOp::restore_dc, rec, 1);
    case kSetWorldTransform:
    case kModifyWorldTransform: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t raw[6]{}, mode = 0;
        for (std::uint32_t& v : raw) {
            r.u32(v);
        }
        if (rec.type == kModifyWorldTransform) {
            r.u32(mode);
        }
        if (!r.ok()) {
            return false;
        }
        MetaRecord& out = add(rec.type == kSetWorldTransform ? MetaOp::set_world_transform
                                                             : MetaOp::modify_world_transform);
        out.xform = XFORM{std::bit_cast<float>(raw[0]), std::bit_cast<float>(raw[1]),
                          std::bit_cast<float>(raw[2]), std::bit_cast<float>(raw[3]),
                          std::bit_cast<float>(raw[4]), std::bit_cast<float>(raw[5])};
        out.a[0] = static_cast<std::int32_t>(mode);
        return true;
    }
    case kSelectObject:
    case kDeleteObject: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0;
        r.u32(slot);
        if (!r.ok()) {
            return false;
        }
        if (rec.type == kSelectObject && (slot & kStockFlag)) {
            add(MetaOp::select_stock).a[0] = static_cast<std::int32_t>(slot & ~kStockFlag);
        } else if (slot_ok(slot)) {
            add(rec.type == kSelectObject ? MetaOp::select_object : MetaOp::delete_object).a[0] =
                static_cast<std::int32_t>(slot);
        }
        return true;
    }
    case kCreatePen: {
        // Slot, style, width (x of a point), colour.
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0, style = 0, colour = 0;
        std::int32_t width = 0, unused = 0;
        r.u32(slot);
        r.u32(style);
        r.i32(width);
        r.i32(unused);
        r.u32(colour);
        if (!r.ok()) {
            return false;
        }
        add_pen(slot, static_cast<std::int32_t>(style & 0xF), width, colour);
        return true;
    }
    case kExtCreatePen: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0, off_bmi = 0, cb_bmi = 0, off_bits = 0, cb_bits = 0, style = 0,
                      width = 0, brush_style = 0, colour = 0;
        r.u32(slot);
        r.u32(off_bmi);
        r.u32(cb_bmi);
        r.u32(off_bits);
        r.u32(cb_bits);
        r.u32(style);
        r.u32(width);
        r.u32(brush_style);
        r.u32(colour);
        if (!r.ok()) {
            return false;
        }
        add_pen(slot, brush_style == BS_NULL ? PS_NULL : static_cast<std::int32_t>(style & 0xF),
                static_cast<std::int32_t>(std::min<std::uint32_t>(width, 0x7FFFFFFF)), colour);
        return true;
    }
    case kCreateBrushIndirect: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0, style = 0, colour = 0, hatch = 0;
        r.u32(slot);
        r.u32(style);
        r.u32(colour);
        r.u32(hatch);
        if (!r.ok()) {
            return false;
        }
        if (slot_ok(slot)) {
            MetaRecord& out = add(MetaOp::create_brush);
            out.a[0] = static_cast<std::int32_t>(slot);
            out.a[1] = static_cast<std::int32_t>(style);
            out.a[2] = static_cast<std::int32_t>(colour & 0xFFFFFF);
            out.a[3] = static_cast<std::int32_t>(hatch);
        }
        return true;
    }
    case kCreateMonoBrush:
    case kCreateDibPatternBrushPt: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0, usage = 0, off_bmi = 0, cb_bmi = 0, off_bits = 0, cb_bits = 0;
        r.u32(slot);
        r.u32(usage);
        r.u32(off_bmi);
        r.u32(cb_bmi);
        r.u32(off_bits);
        r.u32(cb_bits);
        MetaRecord out;
        out.op = MetaOp::create_pattern_brush;
        if (!r.ok() || !dib_at(out, rec, off_bmi, cb_bmi, off_bits, cb_bits)) {
            return false;
        }
        if (slot_ok(slot)) {
            out.a[0] = static_cast<std::int32_t>(slot);
            out.a[1] = static_cast<std::int32_t>(usage);
            m_picture.records.push_back(std::move(out));
        }
        return true;
    }
    case kCreatePalette: {
        ByteReader r(rec.bytes.subspan(8));
        std::uint32_t slot = 0;
        r.u32(slot);
        if (!r.ok()) {
            return false;
        }
        if (slot_ok(slot)) {
            add(MetaOp::create_placeholder).a[0] = static_cast<std::int32_t>(slot);
        }
        return true;
    }
    case kEllipse:
        return fields(MetaOp::ellipse, rec, 4);
    case kRectangle:
        return fields(MetaOp::rectangle, rec, 4);
    case kRoundRect:
        return fields(MetaOp::round_rect, rec, 6);
    case kArc:
    case kArcTo:
        return fields(MetaOp::arc, rec, 8);
    case kChord:
        return fields(MetaOp::chord, rec, 8);
    case kPie:
        return fields(MetaOp::pie, rec, 8);
    case kExtCreateFontIndirectW:
        return font(rec);
    case kExtTextOutA:
    case kExtTextOutW:
        return text(rec, rec.type == kExtTextOutW);
    case kBitBlt:
    case kStretchBlt:
    case kAlphaBlend:
    case kSetDiBitsToDevice:
    case kStretchDiBits:
        return blit(rec);
    default:
        return true;
    }
}

// The palette the end-of-file record carries: count, offset, then 4-byte entries.
bool read_palette(MetaPicture& picture, std::span<const std::uint8_t> record) {
    ByteReader r(record.subspan(8));
    std::uint32_t count = 0, offset = 0;
    r.u32(count);
    r.u32(offset);
    if (!r.ok()) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    const auto entries = slice(record, offset, count * 4);
    if (count > 0xFFFF || entries.empty()) {
        return false;
    }
    picture.palette.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        picture.palette[i] = PALETTEENTRY{entries[4 * i], entries[4 * i + 1], entries[4 * i + 2],
                                          entries[4 * i + 3]};
    }
    return true;
}

} // namespace

std::optional<MetaPicture> read_emf(std::span<const std::uint8_t> bytes) {
    MetaPicture picture;
    ENHMETAHEADER& h = picture.header;
    ByteReader r(bytes);
    r.u32(h.iType);
    r.u32(h.nSize);
    for (RECTL* rect : {&h.rclBounds, &h.rclFrame}) {
        r.i32(rect->left);
        r.i32(rect->top);
        r.i32(rect->right);
        r.i32(rect->bottom);
    }
    r.u32(h.dSignature);
    r.u32(h.nVersion);
    r.u32(h.nBytes);
    r.u32(h.nRecords);
    r.u16(h.nHandles);
    r.u16(h.sReserved);
    r.u32(h.nDescription);
    r.u32(h.offDescription);
    r.u32(h.nPalEntries);
    r.i32(h.szlDevice.cx);
    r.i32(h.szlDevice.cy);
    r.i32(h.szlMillimeters.cx);
    r.i32(h.szlMillimeters.cy);
    if (!r.ok() || h.iType != EMR_HEADER || h.dSignature != ENHMETA_SIGNATURE ||
        h.nSize < kMinHeaderSize || h.nSize % 4 || h.nSize > bytes.size() ||
        h.nBytes > bytes.size() || h.nBytes < h.nSize) {
        return std::nullopt;
    }
    if (h.nSize >= 100) {
        r.u32(h.cbPixelFormat);
        r.u32(h.offPixelFormat);
        r.u32(h.bOpenGL);
    }
    if (h.nSize >= 108) {
        r.i32(h.szlMicrometers.cx);
        r.i32(h.szlMicrometers.cy);
    }
    picture.object_slots = h.nHandles;

    // The frame (0.01 mm) in reference pixels; without a usable reference size, the bounds.
    const SIZEL dev = h.szlDevice, mm = h.szlMillimeters;
    if (dev.cx > 0 && dev.cy > 0 && mm.cx > 0 && mm.cy > 0) {
        picture.pixels_per_mm_x = static_cast<double>(dev.cx) / mm.cx;
        picture.pixels_per_mm_y = static_cast<double>(dev.cy) / mm.cy;
    }
    const RECTL& f = h.rclFrame;
    if (f.right > f.left && f.bottom > f.top) {
        picture.frame_left = f.left * picture.pixels_per_mm_x / 100.0;
        picture.frame_top = f.top * picture.pixels_per_mm_y / 100.0;
        picture.frame_right = f.right * picture.pixels_per_mm_x / 100.0;
        picture.frame_bottom = f.bottom * picture.pixels_per_mm_y / 100.0;
    } else {
        picture.frame_left = h.rclBounds.left;
        picture.frame_top = h.rclBounds.top;
        picture.frame_right = h.rclBounds.right;
        picture.frame_bottom = h.rclBounds.bottom;
    }

    EmfParser parser(picture);
    const std::span<const std::uint8_t> data = bytes.first(h.nBytes);
    std::size_t at = h.nSize;
    while (at < data.size()) {
        ByteReader head(data.subspan(at));
        std::uint32_t type = 0, size = 0;
        head.u32(type);
        head.u32(size);
        if (!head.ok() || size < 8 || size % 4 || size > data.size() - at) {
            return std::nullopt;
        }
        const Record record{type, data.subspan(at, size)};
        if (type == kEof) {
            if (!read_palette(picture, record.bytes)) {
                return std::nullopt;
            }
            break;
        }
        if (!parser.parse(record)) {
            return std::nullopt;
        }
        at += size;
    }
    return picture;
}

} // namespace lv::gdi
