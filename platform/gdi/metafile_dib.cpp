// DIBs inside metafile records: checked field by field before the player hands them on.
#include "gdi/dib_format.h"
#include "gdi/metafile_picture.h"
#include "util/le_bytes.h"

#include <cstring>

namespace lv::gdi {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint64_t kMaxDibPixels = std::uint64_t{1} << 26;

void put_u32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

} // namespace

bool take_dib(MetaRecord& record, std::span<const std::uint8_t> info,
              std::span<const std::uint8_t> bits) {
    ByteReader r(info);
    std::uint32_t header_size = 0, compression = 0, size_image = 0, colours_used = 0, important = 0;
    std::int32_t width = 0, height = 0, xppm = 0, yppm = 0;
    std::uint16_t planes = 0, bit_count = 0;
    r.u32(header_size);
    r.i32(width);
    r.i32(height);
    r.u16(planes);
    r.u16(bit_count);
    r.u32(compression);
    r.u32(size_image);
    r.i32(xppm);
    r.i32(yppm);
    r.u32(colours_used);
    r.u32(important);
    if (!r.ok() || header_size < kInfoHeaderSize || header_size > info.size() || planes != 1) {
        return false;
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) {
        return false;
    }
    const std::uint64_t rows =
        static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
    if (static_cast<std::uint64_t>(width) * rows > kMaxDibPixels) {
        return false;
    }
    const bool palette_bits = bit_count == 1 || bit_count == 4 || bit_count == 8;
    if (!palette_bits && bit_count != 16 && bit_count != 24 && bit_count != 32) {
        return false;
    }
    const bool masks = compression == BI_BITFIELDS;
    if (compression != BI_RGB && !(masks && (bit_count == 16 || bit_count == 32))) {
        return false;
    }
    std::uint64_t colours = 0;
    if (palette_bits) {
        const std::uint32_t most = 1u << bit_count;
        if (colours_used > most) {
            return false;
        }
        colours = colours_used ? colours_used : most;
    }
    // Longer headers hold the masks themselves, right after the basic fields; a colour table
    // in front of 16- to 32-bit rows only takes room.
    const std::uint64_t table_bytes = masks ? 12 : colours * 4;
    const bool masks_inside = masks && header_size >= kInfoHeaderSize + 12;
    const std::size_t table_at = masks_inside ? kInfoHeaderSize : header_size;
    const std::uint64_t skipped = palette_bits || masks ? 0 : std::uint64_t{colours_used} * 4;
    const std::uint64_t info_bytes = header_size + (masks_inside ? 0 : table_bytes) + skipped;
    if (info_bytes > info.size()) {
        return false;
    }
    const std::uint64_t image_bytes = dib_stride(width, bit_count) * rows;
    if (bits.empty()) {
        bits = info.subspan(static_cast<std::size_t>(info_bytes));
    }
    if (image_bytes > bits.size()) {
        return false;
    }

    // Rebuilt with a 40-byte header so that the layer's DIB calls read it as they expect.
    const std::size_t table = static_cast<std::size_t>(table_bytes);
    record.dib.assign(kInfoHeaderSize + table + static_cast<std::size_t>(image_bytes), 0);
    std::uint8_t* out = record.dib.data();
    std::memcpy(out, info.data(), kInfoHeaderSize);
    put_u32(out, kInfoHeaderSize);
    put_u32(out + 32, static_cast<std::uint32_t>(colours));
    std::memcpy(out + kInfoHeaderSize, info.data() + table_at, table);
    std::memcpy(out + kInfoHeaderSize + table, bits.data(), static_cast<std::size_t>(image_bytes));
    record.dib_bits_offset = kInfoHeaderSize + table;
    return parse_dib_format(reinterpret_cast<const BITMAPINFO*>(record.dib.data()), DIB_RGB_COLORS)
        .has_value();
}

} // namespace lv::gdi
