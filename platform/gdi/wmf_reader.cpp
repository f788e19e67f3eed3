// The Windows metafile front end: 16-bit records (size in words, function, parameters in
// reverse order of the call's arguments) into the player's records. Every size and count is
// checked against the record it lies in; records the player has no use for are skipped.
#include "gdi/metafile_picture.h"
#include "util/le_bytes.h"
#include "util/utf16.h"

#include <algorithm>
#include <array>
#include <climits>

namespace lv::gdi {
namespace {

constexpr std::uint16_t kHeaderWords = 9;

enum WmfFunction : std::uint16_t {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kCreatePalette = 0x00F7,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetRop2 = 0x0104,
    kSetPolyFillMode = 0x0106,
    kSetStretchBltMode = 0x0107,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePatternBrush = 0x01F9,
    kSetBkColor = 0x0201,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D,
    kSetViewportExt = 0x020E,
    kOffsetWindowOrg = 0x020F,
    kOffsetViewportOrg = 0x0211,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kScaleWindowExt = 0x0410,
    kScaleViewportExt = 0x0412,
    kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
    kPolyPolygon = 0x0538,
    kRoundRect = 0x061C,
    kPatBlt = 0x061D,
    kCreateRegion = 0x06FF,
    kArc = 0x0817,
    kPie = 0x081A,
    kChord = 0x0830,
    kDibBitBlt = 0x0940,
    kExtTextOut = 0x0A32,
    kDibStretchBlt = 0x0B41,
    kSetDibToDev = 0x0D33,
    kStretchDib = 0x0F43,
};

// The parameters of one record, read as 16-bit words from the front.
class Params {
public:
    explicit Params(std::span<const std::uint8_t> bytes) : m_reader(bytes), m_bytes(bytes) {}
    std::int32_t i16() {
        std::int16_t v = 0;
        m_reader.i16(v);
        return v;
    }
    std::int32_t u16() {
        std::uint16_t v = 0;
        m_reader.u16(v);
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t v = 0;
        m_reader.u32(v);
        return v;
    }
    bool ok() const { return m_reader.ok(); }
    std::size_t remaining() const { return m_reader.remaining(); }
    std::span<const std::uint8_t> rest() const { return m_bytes.subspan(m_reader.position()); }
    bool bytes(std::string& out, std::size_t count) {
        std::span<const std::uint8_t> v;
        if (!m_reader.view(v, count)) {
            return false;
        }
        out.assign(v.begin(), v.end());
        return true;
    }
    bool skip(std::size_t count) { return m_reader.skip(count); }

private:
    ByteReader m_reader;
    std::span<const std::uint8_t> m_bytes;
};

// Single-byte text as UTF-8, each byte taken as the character of that number.
std::string latin1_to_utf8(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        append_utf8(out, c);
    }
    return out;
}

class WmfParser {
public:
    explicit WmfParser(MetaPicture& picture, std::size_t slots)
        : m_picture(picture), m_used(slots, false) {}

    // False when a record the player uses is damaged.
    bool parse(std::uint16_t function, Params& p);
    void finish();

private:
    MetaRecord& add(MetaOp op) {
        m_picture.records.push_back(MetaRecord{});
        m_picture.records.back().op = op;
        return m_picture.records.back();
    }
    void note(std::int32_t x, std::int32_t y) {
        m_min_x = std::min(m_min_x, x);
        m_min_y = std::min(m_min_y, y);
        m_max_x = std::max(m_max_x, x);
        m_max_y = std::max(m_max_y, y);
    }
    // The lowest free object slot, or -1 when the table is full (the object is then dropped).
    int take_slot() {
        for (std::size_t i = 0; i < m_used.size(); ++i) {
            if (!m_used[i]) {
                m_used[i] = true;
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    bool simple(MetaOp op, Params& p, int words, bool reversed_pair = false);
    bool box(MetaOp op, Params& p, int extra_words);
    bool points(MetaOp op, Params& p);
    bool poly_polygon(Params& p);
    bool text_out(Params& p, bool extended);
    bool font(Params& p);
    bool blit(std::uint16_t function, Params& p);
    // Destination x, y, width, height and source x, y, width, height of a blit.
    static void place(MetaRecord& r, std::array<std::int32_t, 4> destination,
                      std::array<std::int32_t, 4> source);
    bool add_blit(MetaRecord r, Params& p);

    MetaPicture& m_picture;
    std::vector<bool> m_used;
    std::int32_t m_min_x{INT_MAX}, m_min_y{INT_MAX}, m_max_x{INT_MIN}, m_max_y{INT_MIN};
    bool m_window_org_set{false};
    bool m_window_ext_set{false};
};

// A record of `words` reversed 16-bit arguments (a[0] gets the last one).
bool WmfParser::simple(MetaOp op, Params& p, int words, bool reversed_pair) {
    std::int32_t v[4]{};
    for (int i = 0; i < words; ++i) {
        v[i] = p.i16();
    }
    if (!p.ok()) {
        return false;
    }
    MetaRecord& r = add(op);
    for (int i = 0; i < words; ++i) {
        r.a[i] = v[words - 1 - i];
    }
    if (reversed_pair) {
        note(r.a[0], r.a[1]);
    }
    return true;
}

// Shapes whose last four arguments are a box: left, top, right, bottom (stored reversed), with
// `extra_words` more arguments in front of the box in the record.
bool WmfParser::box(MetaOp op, Params& p, int extra_words) {
    std::int32_t v[8]{};
    const int words = 4 + extra_words;
    for (int i = 0; i < words; ++i) {
        v[i] = p.i16();
    }
    if (!p.ok()) {
        return false;
    }
    MetaRecord& r = add(op);
    // Reversed: the box comes last in the record, its left first among the arguments.
    r.a[0] = v[words - 1];
    r.a[1] = v[words - 2];
    r.a[2] = v[words - 3];
    r.a[3] = v[words - 4];
    for (int i = 0; i < extra_words; ++i) {
        r.a[4 + i] = v[extra_words - 1 - i];
    }
    if (op == MetaOp::arc || op == MetaOp::chord || op == MetaOp::pie) {
        // Arguments after the box: start x, start y, end x, end y.
        r.a[4] = v[3];
        r.a[5] = v[2];
        r.a[6] = v[1];
        r.a[7] = v[0];
    }
    note(r.a[0], r.a[1]);
    note(r.a[2], r.a[3]);
    return true;
}

bool WmfParser::points(MetaOp op, Params& p) {
    const std::int32_t count = p.i16();
    if (!p.ok() || count < 0 || static_cast<std::size_t>(count) * 4 > p.remaining()) {
        return false;
    }
    MetaRecord& r = add(op);
    r.points.resize(static_cast<std::size_t>(count));
    for (POINT& pt : r.points) {
        pt.x = p.i16();
        pt.y = p.i16();
        note(pt.x, pt.y);
    }
    return true;
}

bool WmfParser::poly_polygon(Params& p) {
    const std::int32_t polygons = p.u16();
    if (!p.ok() || static_cast<std::size_t>(polygons) * 2 > p.remaining()) {
        return false;
    }
    std::vector<std::int32_t> counts(static_cast<std::size_t>(polygons));
    std::size_t total = 0;
    for (std::int32_t& c : counts) {
        c = p.u16();
        total += static_cast<std::size_t>(c);
    }
    if (!p.ok() || total * 4 > p.remaining()) {
        return false;
    }
    MetaRecord& r = add(MetaOp::poly_polygon);
    r.counts = std::move(counts);
    r.points.resize(total);
    for (POINT& pt : r.points) {
        pt.x = p.i16();
        pt.y = p.i16();
        note(pt.x, pt.y);
    }
    return true;
}

bool WmfParser::text_out(Params& p, bool extended) {
    MetaRecord r;
    r.op = MetaOp::text_out;
    std::string raw;
    std::int32_t count = 0;
    if (extended) {
        r.a[1] = p.i16();
        r.a[0] = p.i16();
        count = p.i16();
        r.a[2] = p.u16();
        if (r.a[2] & (ETO_OPAQUE | ETO_CLIPPED)) {
            for (int i = 3; i < 7; ++i) {
                r.a[i] = p.i16();
            }
        }
        if (!p.ok() || count < 0 || !p.bytes(raw, static_cast<std::size_t>(count))) {
            return false;
        }
        if (count % 2) {
            p.skip(1);
        }
        // Advances are optional: present when the record holds them.
        if (p.remaining() >= static_cast<std::size_t>(count) * 2) {
            for (std::int32_t i = 0; i < count; ++i) {
                r.dx.push_back(p.i16());
            }
        }
    } else {
        count = p.i16();
        if (!p.ok() || count < 0 || !p.bytes(raw, static_cast<std::size_t>(count))) {
            return false;
        }
        if (count % 2) {
            p.skip(1);
        }
        r.a[1] = p.i16();
        r.a[0] = p.i16();
        if (!p.ok()) {
            return false;
        }
    }
    r.text = latin1_to_utf8(raw);
    note(r.a[0], r.a[1]);
    m_picture.records.push_back(std::move(r));
    return true;
}

bool WmfParser::font(Params& p) {
    LOGFONTA f{};
    f.lfHeight = p.i16();
    f.lfWidth = p.i16();
    f.lfEscapement = p.i16();
    f.lfOrientation = p.i16();
    f.lfWeight = p.i16();
    const std::uint32_t flags = p.u32();
    const std::uint32_t more = p.u32();
    if (!p.ok()) {
        return false;
    }
    f.lfItalic = static_cast<BYTE>(flags);
    f.lfUnderline = static_cast<BYTE>(flags >> 8);
    f.lfStrikeOut = static_cast<BYTE>(flags >> 16);
    f.lfCharSet = static_cast<BYTE>(flags >> 24);
    f.lfOutPrecision = static_cast<BYTE>(more);
    f.lfClipPrecision = static_cast<BYTE>(more >> 8);
    f.lfQuality = static_cast<BYTE>(more >> 16);
    f.lfPitchAndFamily = static_cast<BYTE>(more >> 24);
    std::span<const std::uint8_t> name = p.rest();
    name = name.first(std::min<std::size_t>(name.size(), LF_FACESIZE));
    const auto nul = std::find(name.begin(), name.end(), 0);
    std::string face = latin1_to_utf8(std::string(name.begin(), nul));
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), f.lfFaceName);
    const int slot = take_slot();
    if (slot >= 0) {
        MetaRecord& r = add(MetaOp::create_font);
        r.a[0] = slot;
        r.font = f;
    }
    return true;
}

bool WmfParser::blit(std::uint16_t function, Params& p) {
    MetaRecord r;
    r.op = MetaOp::stretch_dib;
    const std::uint32_t rop = p.u32();
    std::int32_t v[9]{};
    int words = 0;
    if (function == kStretchDib) {
        r.a[9] = p.u16(); // usage
        words = 8;
    } else if (function == kDibStretchBlt) {
        words = 8;
    } else if (function == kDibBitBlt) {
        words = 6;
    }
    // Without a bitmap the blit only paints with the brush: its last four words are then the
    // destination's height, width, y and x.
    const bool pattern_only = p.remaining() == static_cast<std::size_t>(words) * 2 ||
                              p.remaining() == static_cast<std::size_t>(words + 1) * 2;
    if (pattern_only) {
        words = static_cast<int>(p.remaining() / 2);
    }
    for (int i = 0; i < words; ++i) {
        v[i] = p.i16();
    }
    if (!p.ok() || words < 4) {
        return false;
    }
    if (pattern_only) {
        MetaRecord& b = add(MetaOp::pat_blt);
        b.a[0] = v[words - 1];
        b.a[1] = v[words - 2];
        b.a[2] = v[words - 3];
        b.a[3] = v[words - 4];
        b.a[4] = static_cast<std::int32_t>(rop);
        note(b.a[0], b.a[1]);
        note(b.a[0] + b.a[2], b.a[1] + b.a[3]);
        return true;
    }
    if (function == kDibBitBlt) {
        // y src, x src, height, width, y dest, x dest.
        place(r, {v[5], v[4], v[3], v[2]}, {v[1], v[0], v[3], v[2]});
    } else {
        // source height, width, y, x, destination height, width, y, x.
        place(r, {v[7], v[6], v[5], v[4]}, {v[3], v[2], v[1], v[0]});
    }
    r.a[8] = static_cast<std::int32_t>(rop);
    return add_blit(std::move(r), p);
}

void WmfParser::place(MetaRecord& r, std::array<std::int32_t, 4> destination,
                      std::array<std::int32_t, 4> source) {
    std::copy(destination.begin(), destination.end(), r.a);
    std::copy(source.begin(), source.end(), r.a + 4);
}

bool WmfParser::add_blit(MetaRecord r, Params& p) {
    if (!take_dib(r, p.rest(), {})) {
        return false;
    }
    note(r.a[0], r.a[1]);
    note(r.a[0] + r.a[2], r.a[1] + r.a[3]);
    m_picture.records.push_back(std::move(r));
    return true;
}

bool WmfParser::parse(std::uint16_t function, Params& p) {
    switch (function) {
    case kSaveDc:
        add(MetaOp::save_dc);
        return true;
    case kRestoreDc:
        return simple(MetaOp::restore_dc, p, 1);
    case kSetBkMode:
        return simple(MetaOp::set_bk_mode, p, 1);
    case kSetMapMode:
        return simple(MetaOp::set_map_mode, p, 1);
    case kSetRop2:
        return simple(MetaOp::set_rop2, p, 1);
    case kSetPolyFillMode:
        return simple(MetaOp::set_poly_fill_mode, p, 1);
    case kSetStretchBltMode:
        return simple(MetaOp::set_stretch_mode, p, 1);
    case kSetTextAlign: {
        const std::int32_t align = p.u16();
        if (!p.ok()) {
            return false;
        }
        add(MetaOp::set_text_align).a[0] = align;
        return true;
    }
    case kSetBkColor:
    case kSetTextColor: {
        const std::uint32_t colour = p.u32();
        if (!p.ok()) {
            return false;
        }
        add(function == kSetBkColor ? MetaOp::set_bk_colour : MetaOp::set_text_colour).a[0] =
            static_cast<std::int32_t>(colour & 0xFFFFFF);
        return true;
    }
    case kSetWindowOrg:
        m_window_org_set = true;
        return simple(MetaOp::set_window_org, p, 2);
    case kSetWindowExt:
        m_window_ext_set = true;
        return simple(MetaOp::set_window_ext, p, 2);
    case kSetViewportOrg:
        return simple(MetaOp::set_viewport_org, p, 2);
    case kSetViewportExt:
        return simple(MetaOp::set_viewport_ext, p, 2);
    case kOffsetWindowOrg:
        return simple(MetaOp::offset_window_org, p, 2);
    case kOffsetViewportOrg:
        return simple(MetaOp::offset_viewport_org, p, 2);
    case kScaleWindowExt:
    case kScaleViewportExt: {
        if (!simple(function == kScaleWindowExt ? MetaOp::scale_window_ext
                                                : MetaOp::scale_viewport_ext,
                    p, 4)) {
            return false;
        }
        // Reversed arguments were x num, x denom, y num, y denom.
        return true;
    }
    case kLineTo:
        return simple(MetaOp::line_to, p, 2, true);
    case kMoveTo:
        return simple(MetaOp::move_to, p, 2, true);
    case kExcludeClipRect:
        return box(MetaOp::exclude_clip, p, 0);
    case kIntersectClipRect:
        return box(MetaOp::intersect_clip, p, 0);
    case kEllipse:
        return box(MetaOp::ellipse, p, 0);
    case kRectangle:
        return box(MetaOp::rectangle, p, 0);
    case kRoundRect:
        return box(MetaOp::round_rect, p, 2);
    case kArc:
        return box(MetaOp::arc, p, 4);
    case kPie:
        return box(MetaOp::pie, p, 4);
    case kChord:
        return box(MetaOp::chord, p, 4);
    case kSetPixel: {
        const std::uint32_t colour = p.u32();
        const std::int32_t y = p.i16();
        const std::int32_t x = p.i16();
        if (!p.ok()) {
            return false;
        }
        MetaRecord& r = add(MetaOp::set_pixel);
        r.a[0] = x;
        r.a[1] = y;
        r.a[2] = static_cast<std::int32_t>(colour & 0xFFFFFF);
        note(x, y);
        return true;
    }
    case kPatBlt: {
        const std::uint32_t rop = p.u32();
        if (!simple(MetaOp::pat_blt, p, 4)) {
            return false;
        }
        // Reversed: x, y, width, height.
        MetaRecord& r = m_picture.records.back();
        r.a[4] = static_cast<std::int32_t>(rop);
        note(r.a[0], r.a[1]);
        note(r.a[0] + r.a[2], r.a[1] + r.a[3]);
        return true;
    }
    case kPolygon:
        return points(MetaOp::polygon, p);
    case kPolyline:
        return points(MetaOp::polyline, p);
    case kPolyPolygon:
        return poly_polygon(p);
    case kTextOut:
        return text_out(p, false);
    case kExtTextOut:
        return text_out(p, true);
    case kSelectObject:
        return simple(MetaOp::select_object, p, 1);
    case kDeleteObject: {
        const std::int32_t slot = p.u16();
        if (!p.ok()) {
            return false;
        }
        if (static_cast<std::size_t>(slot) < m_used.size()) {
            m_used[static_cast<std::size_t>(slot)] = false;
        }
        add(MetaOp::delete_object).a[0] = slot;
        return true;
    }
    case kCreatePenIndirect: {
        const std::int32_t style = p.u16();
        const std::int32_t width = p.i16();
        p.i16();
        const std::uint32_t colour = p.u32();
        if (!p.ok()) {
            return false;
        }
        const int slot = take_slot();
        if (slot >= 0) {
            MetaRecord& r = add(MetaOp::create_pen);
            r.a[0] = slot;
            r.a[1] = style;
            r.a[2] = width;
            r.a[3] = static_cast<std::int32_t>(colour & 0xFFFFFF);
        }
        return true;
    }
    case kCreateBrushIndirect: {
        const std::int32_t style = p.u16();
        const std::uint32_t colour = p.u32();
        const std::int32_t hatch = p.u16();
        if (!p.ok()) {
            return false;
        }
        const int slot = take_slot();
        if (slot >= 0) {
            MetaRecord& r = add(MetaOp::create_brush);
            r.a[0] = slot;
            r.a[1] = style;
            r.a[2] = static_cast<std::int32_t>(colour & 0xFFFFFF);
            r.a[3] = hatch;
        }
        return true;
    }
    case kDibCreatePatternBrush: {
        p.u16(); // style
        const std::int32_t usage = p.u16();
        MetaRecord r;
        r.op = MetaOp::create_pattern_brush;
        r.a[1] = usage;
        if (!p.ok() || !take_dib(r, p.rest(), {})) {
            return false;
        }
        const int slot = take_slot();
        if (slot >= 0) {
            r.a[0] = slot;
            m_picture.records.push_back(std::move(r));
        }
        return true;
    }
    case kCreateFontIndirect:
        return font(p);
    case kCreatePalette:
    case kCreatePatternBrush:
    case kCreateRegion: {
        // Objects the player does not draw with still take their slot.
        const int slot = take_slot();
        if (slot >= 0) {
            add(MetaOp::create_placeholder).a[0] = slot;
        }
        return true;
    }
    case kDibBitBlt:
    case kDibStretchBlt:
    case kStretchDib:
        return blit(function, p);
    case kSetDibToDev: {
        const std::int32_t usage = p.u16();
        std::int32_t v[8]{};
        for (std::int32_t& x : v) {
            x = p.i16();
        }
        MetaRecord r;
        r.op = MetaOp::stretch_dib;
        // scan count, start scan, y dib, x dib, height, width, y dest, x dest.
        place(r, {v[7], v[6], v[5], v[4]}, {v[3], v[2], v[5], v[4]});
        r.a[8] = static_cast<std::int32_t>(SRCCOPY);
        r.a[9] = usage;
        return p.ok() && add_blit(std::move(r), p);
    }
    default:
        return true;
    }
}

// The window a metafile starts with: what it sets itself, from the origin (0, 0) as GDI has
// it; a part it never sets comes from the extent of its drawing.
void WmfParser::finish() {
    RECT bounds{0, 0, 1, 1};
    if (m_min_x <= m_max_x && m_min_y <= m_max_y) {
        bounds =
            RECT{m_min_x, m_min_y, std::max(m_max_x, m_min_x + 1), std::max(m_max_y, m_min_y + 1)};
    }
    if (!m_window_org_set && !m_window_ext_set) {
        m_picture.initial_window = bounds;
        return;
    }
    const LONG width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    m_picture.initial_window = RECT{0, 0, width, height};
}

} // namespace

std::optional<MetaPicture> read_wmf(std::span<const std::uint8_t> bytes) {
    ByteReader header(bytes);
    std::uint16_t type = 0, header_words = 0, version = 0, objects = 0, parameters = 0;
    std::uint32_t size_words = 0, largest = 0;
    header.u16(type);
    header.u16(header_words);
    header.u16(version);
    header.u32(size_words);
    header.u16(objects);
    header.u32(largest);
    header.u16(parameters);
    if (!header.ok() || (type != 1 && type != 2) || header_words != kHeaderWords) {
        return std::nullopt;
    }
    MetaPicture picture;
    picture.object_slots = objects;
    WmfParser parser(picture, objects);
    std::size_t at = kHeaderWords * 2;
    while (at < bytes.size()) {
        ByteReader r(bytes.subspan(at));
        std::uint32_t words = 0;
        std::uint16_t function = 0;
        r.u32(words);
        r.u16(function);
        if (!r.ok() || words < 3 || words > (bytes.size() - at) / 2) {
            return std::nullopt;
        }
        if (function == kEof) {
            break;
        }
        Params params(bytes.subspan(at + 6, static_cast<std::size_t>(words) * 2 - 6));
        if (!parser.parse(function, params)) {
            return std::nullopt;
        }
        at += static_cast<std::size_t>(words) * 2;
    }
    parser.finish();
    return picture;
}

} // namespace lv::gdi
