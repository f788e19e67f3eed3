#include "bmp_file.h"

#include "file_io.h"
#include "util/le_bytes.h"

#include <span>
#include <string>

namespace rescomp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitFields = 3;

struct InfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
};

bool read_info(std::span<const std::uint8_t> bytes, InfoHeader& h) {
    lv::ByteReader in(bytes.subspan(kFileHeaderSize));
    std::uint32_t unused = 0;
    return in.u32(h.size) && in.i32(h.width) && in.i32(h.height) && in.u16(h.planes) &&
           in.u16(h.bit_count) && in.u32(h.compression) && in.u32(unused) && in.u32(unused) &&
           in.u32(unused) && in.u32(h.colours_used);
}

// The palette (or the three masks) that sits between the header and the pixels.
std::size_t colour_bytes(const InfoHeader& h) {
    if (h.compression == kBitFields)
        return 12;
    if (h.bit_count > 8)
        return 0;
    return std::size_t{h.colours_used ? h.colours_used : (1u << h.bit_count)} * 4;
}

} // namespace

PackedDib read_bmp_file(const std::filesystem::path& path, const ManifestLine& line) {
    const std::string file = read_file(path, &line);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()),
                                              file.size());
    InfoHeader h;
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M' ||
        !read_info(bytes, h))
        line.fail(path.string() + " is not a BMP file");
    if (h.size != kInfoHeaderSize)
        line.fail(path.string() + ": only the 40-byte information header is supported");
    const std::uint16_t b = h.bit_count;
    if (b != 1 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
        line.fail(path.string() + ": " + std::to_string(b) + " bits a pixel is not supported");
    if (b <= 8 && h.colours_used > (1u << b))
        line.fail(path.string() + ": more colours than the bit depth can index");
    std::uint32_t pixels_at = 0;
    lv::ByteReader(bytes.subspan(10)).u32(pixels_at);
    const std::size_t colours_end = kFileHeaderSize + kInfoHeaderSize + colour_bytes(h);
    if (pixels_at < colours_end || pixels_at > bytes.size())
        line.fail(path.string() + ": the pixel offset lies outside the file");

    // Writers may leave a gap before the pixels; a packed DIB has none.
    PackedDib dib;
    dib.bit_count = h.bit_count;
    dib.compression = h.compression;
    dib.bytes.assign(bytes.begin() + kFileHeaderSize, bytes.begin() + colours_end);
    dib.bytes.insert(dib.bytes.end(), bytes.begin() + pixels_at, bytes.end());
    return dib;
}

} // namespace rescomp
