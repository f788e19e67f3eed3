#include "metafile_writer.h"

#include "util/le_bytes.h"

#include <algorithm>
#include <bit>

namespace lvtest {

MetaBytes Dib24(int width, int height, std::uint32_t (*colour)(int x, int y)) {
    MetaBytes out;
    lv::ByteWriter w(out);
    const int stride = (width * 3 + 3) / 4 * 4;
    w.u32(40);
    w.i32(width);
    w.i32(height);
    w.u16(1);
    w.u16(24);
    w.u32(0);
    w.u32(static_cast<std::uint32_t>(stride * height));
    w.i32(3780);
    w.i32(3780);
    w.u32(0);
    w.u32(0);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, row);
            w.u8(static_cast<std::uint8_t>(c));
            w.u8(static_cast<std::uint8_t>(c >> 8));
            w.u8(static_cast<std::uint8_t>(c >> 16));
        }
        w.zeros(static_cast<std::size_t>(stride - width * 3));
    }
    return out;
}

// ---- WMF ----------------------------------------------------------------------------------

void WmfWriter::Record(std::uint16_t function, const std::vector<std::int16_t>& words,
                       const MetaBytes& tail) {
    lv::ByteWriter w(m_records);
    const std::uint32_t size = static_cast<std::uint32_t>(3 + words.size() + (tail.size() + 1) / 2);
    m_largest = std::max(m_largest, size);
    w.u32(size);
    w.u16(function);
    for (std::int16_t v : words)
        w.i16(v);
    w.bytes(tail.data(), tail.size());
    if (tail.size() % 2)
        w.u8(0);
}

int WmfWriter::TakeSlot() {
    for (std::size_t i = 0; i < m_used.size(); ++i)
        if (!m_used[i]) {
            m_used[i] = true;
            return static_cast<int>(i);
        }
    m_used.push_back(true);
    return static_cast<int>(m_used.size() - 1);
}

void WmfWriter::CreatePen(int style, int width, std::uint32_t colorref) {
    TakeSlot();
    const auto c = Colour(colorref);
    Record(0x02FA, {s(style), s(width), 0, c[0], c[1]});
}

void WmfWriter::CreateBrush(int style, std::uint32_t colorref) {
    TakeSlot();
    const auto c = Colour(colorref);
    Record(0x02FC, {s(style), c[0], c[1], 0});
}

void WmfWriter::AddFont(int height, const std::string& face) {
    TakeSlot();
    MetaBytes name(face.begin(), face.end());
    name.push_back(0);
    // height, width, escapement, orientation, weight; then eight single bytes.
    Record(0x02FB, {s(height), 0, 0, 0, 400, 0, 0, 0, 0}, name);
}

void WmfWriter::Polygon(const std::vector<std::pair<int, int>>& points) {
    std::vector<std::int16_t> words{s(static_cast<int>(points.size()))};
    for (auto [x, y] : points) {
        words.push_back(s(x));
        words.push_back(s(y));
    }
    Record(0x0324, words);
}

void WmfWriter::PolyPolygon(const std::vector<std::vector<std::pair<int, int>>>& polygons) {
    std::vector<std::int16_t> words{s(static_cast<int>(polygons.size()))};
    for (const auto& p : polygons)
        words.push_back(s(static_cast<int>(p.size())));
    for (const auto& p : polygons)
        for (auto [x, y] : p) {
            words.push_back(s(x));
            words.push_back(s(y));
        }
    Record(0x0538, words);
}

void WmfWriter::Text(int x, int y, const std::string& text) {
    MetaBytes words;
    lv::ByteWriter w(words);
    w.i16(s(static_cast<int>(text.size())));
    w.bytes(text.data(), text.size());
    if (text.size() % 2)
        w.u8(0);
    w.i16(s(y));
    w.i16(s(x));
    Record(0x0521, {}, words);
}

void WmfWriter::StretchDib(int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                           const MetaBytes& dib) {
    const std::uint32_t rop = 0x00CC0020;
    Record(0x0F43,
           {s(static_cast<int>(rop & 0xFFFF)), s(static_cast<int>(rop >> 16)), 0, s(sh), s(sw),
            s(sy), s(sx), s(h), s(w), s(y), s(x)},
           dib);
}

MetaBytes WmfWriter::Bytes() const {
    MetaBytes out;
    lv::ByteWriter w(out);
    const std::uint32_t words = static_cast<std::uint32_t>(9 + m_records.size() / 2 + 3);
    w.u16(1);
    w.u16(9);
    w.u16(0x300);
    w.u32(words);
    w.u16(static_cast<std::uint16_t>(m_used.size()));
    w.u32(std::max<std::uint32_t>(m_largest, 3));
    w.u16(0);
    w.bytes(m_records.data(), m_records.size());
    w.u32(3);
    w.u16(0);
    return out;
}

MetaBytes WmfWriter::Placeable(int left, int top, int right, int bottom, int unitsPerInch,
                               bool rightChecksum) const {
    MetaBytes out;
    lv::ByteWriter w(out);
    const std::uint16_t words[10] = {0xCDD7,
                                     0x9AC6,
                                     0,
                                     static_cast<std::uint16_t>(left),
                                     static_cast<std::uint16_t>(top),
                                     static_cast<std::uint16_t>(right),
                                     static_cast<std::uint16_t>(bottom),
                                     static_cast<std::uint16_t>(unitsPerInch),
                                     0,
                                     0};
    std::uint16_t sum = 0;
    for (std::uint16_t v : words) {
        w.u16(v);
        sum ^= v;
    }
    w.u16(rightChecksum ? sum : static_cast<std::uint16_t>(sum ^ 1));
    const MetaBytes body = Bytes();
    w.bytes(body.data(), body.size());
    return out;
}

// ---- EMF ----------------------------------------------------------------------------------

EmfWriter::EmfWriter(int left, int top, int right, int bottom)
    : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}

void EmfWriter::Record(std::uint32_t type, const std::vector<std::int32_t>& fields,
                       const MetaBytes& tail) {
    lv::ByteWriter w(m_records);
    const std::size_t padded = (tail.size() + 3) / 4 * 4;
    w.u32(type);
    w.u32(static_cast<std::uint32_t>(8 + fields.size() * 4 + padded));
    for (std::int32_t v : fields)
        w.i32(v);
    w.bytes(tail.data(), tail.size());
    w.zeros(padded - tail.size());
    ++m_count;
}

void EmfWriter::AddFont(int slot, int height, const std::u16string& face) {
    MetaBytes tail;
    lv::ByteWriter w(tail);
    w.u32(0x00000000); // italic, underline, strike-out, charset
    w.u32(0);          // precisions, quality, pitch
    for (int i = 0; i < 32; ++i)
        w.u16(i < static_cast<int>(face.size()) ? face[static_cast<std::size_t>(i)] : 0);
    Record(82, {slot, height, 0, 0, 0, 400}, tail);
}

void EmfWriter::Polyline16(const std::vector<std::pair<int, int>>& points) {
    MetaBytes tail;
    lv::ByteWriter w(tail);
    for (auto [x, y] : points) {
        w.i16(static_cast<std::int16_t>(x));
        w.i16(static_cast<std::int16_t>(y));
    }
    Record(87, {0, 0, 0, 0, static_cast<std::int32_t>(points.size())}, tail);
}

void EmfWriter::ExtTextOutW(int x, int y, const std::u16string& text) {
    // Bounds, graphics mode, scales, then the text block: reference, count, string offset,
    // options, rectangle, advances offset; the string follows the fixed part (76 bytes).
    const std::int32_t offString = 76;
    MetaBytes tail;
    lv::ByteWriter w(tail);
    for (char16_t c : text)
        w.u16(c);
    const std::int32_t scale = std::bit_cast<std::int32_t>(1.0f);
    Record(84,
           {0, 0, 0, 0, 1, scale, scale, x, y, static_cast<std::int32_t>(text.size()), offString, 0,
            0, 0, 0, 0, 0},
           tail);
}

void EmfWriter::StretchDiBits(int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                              const MetaBytes& dib) {
    // The fixed part is 80 bytes; header and bits follow it.
    const std::int32_t offBmi = 80, cbBmi = 40;
    const std::int32_t offBits = offBmi + cbBmi;
    const std::int32_t cbBits = static_cast<std::int32_t>(dib.size()) - cbBmi;
    Record(81,
           {0, 0, 0, 0, x, y, sx, sy, sw, sh, offBmi, cbBmi, offBits, cbBits, 0,
            static_cast<std::int32_t>(0x00CC0020), w, h},
           dib);
}

void EmfWriter::AlphaBlend(int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                           std::uint32_t blend, const MetaBytes& dib) {
    // The fixed part is 108 bytes (with an identity transform); header and bits follow it.
    const std::int32_t offBmi = 108, cbBmi = 40;
    const std::int32_t offBits = offBmi + cbBmi;
    const std::int32_t cbBits = static_cast<std::int32_t>(dib.size()) - cbBmi;
    constexpr std::int32_t kOne = 0x3F800000; // 1.0f
    Record(114, {0,  0,      0,     0,       x,      y,    w, h, static_cast<std::int32_t>(blend),
                 sx, sy,     kOne,  0,       0,      kOne, 0, 0, 0,
                 0,  offBmi, cbBmi, offBits, cbBits, sw,   sh},
           dib);
}

MetaBytes EmfWriter::Bytes() const {
    MetaBytes out;
    lv::ByteWriter w(out);
    const std::uint32_t headerSize = 108;
    const std::uint32_t eofSize = 20;
    const std::uint32_t total = headerSize + static_cast<std::uint32_t>(m_records.size()) + eofSize;
    w.u32(1);
    w.u32(headerSize);
    for (int v : {m_left, m_top, m_right, m_bottom})
        w.i32(v);
    for (int v : {m_left, m_top, m_right, m_bottom})
        w.i32(v * 10);
    w.u32(0x464D4520);
    w.u32(0x10000);
    w.u32(total);
    w.u32(static_cast<std::uint32_t>(m_count + 2));
    w.u16(16); // handles
    w.u16(0);
    w.u32(0);
    w.u32(0);
    w.u32(0);    // palette entries
    w.i32(1000); // reference device, pixels
    w.i32(1000);
    w.i32(100); // and millimetres
    w.i32(100);
    w.u32(0);
    w.u32(0);
    w.u32(0);
    w.i32(100000);
    w.i32(100000);
    w.bytes(m_records.data(), m_records.size());
    w.u32(14);
    w.u32(eofSize);
    w.u32(0);
    w.u32(16);
    w.u32(eofSize);
    return out;
}

} // namespace lvtest
