#include "gdi/packed_dib.h"

#include "util/le_bytes.h"

#include <cstring>
#include <vector>

namespace lv::gdi {
namespace {

constexpr LONG kMaxSide = 16384;
constexpr DWORD kInfoHeaderSize = 40;

struct PackedDib {
    BITMAPINFOHEADER header{};
    std::size_t colour_bytes = 0; // palette or masks after the header
    std::size_t pixel_bytes = 0;
};

bool read_header(std::span<const std::uint8_t> data, PackedDib& dib) {
    lv::ByteReader in(data);
    auto& h = dib.header;
    std::uint32_t size = 0, compression = 0, image_size = 0, used = 0, important = 0;
    std::int32_t width = 0, height = 0, x_ppm = 0, y_ppm = 0;
    std::uint16_t planes = 0, bits = 0;
    if (!(in.u32(size) && in.i32(width) && in.i32(height) && in.u16(planes) && in.u16(bits) &&
          in.u32(compression) && in.u32(image_size) && in.i32(x_ppm) && in.i32(y_ppm) &&
          in.u32(used) && in.u32(important)))
        return false;
    if (size != kInfoHeaderSize || width <= 0 || width > kMaxSide || height == 0 ||
        height < -kMaxSide || height > kMaxSide || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bits == 16 || bits == 32)))
        return false;
    h = BITMAPINFOHEADER{size,       width, height, planes, bits,     compression,
                         image_size, x_ppm, y_ppm,  used,   important};
    const std::size_t palette_max = bits <= 8 ? (std::size_t{1} << bits) : 0;
    if (used > palette_max && bits <= 8)
        return false;
    const std::size_t entries = bits <= 8 ? (used ? used : palette_max) : 0;
    dib.colour_bytes = compression == BI_BITFIELDS ? 12 : entries * 4;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    dib.pixel_bytes = stride * static_cast<std::size_t>(height < 0 ? -height : height);
    return data.size() >= kInfoHeaderSize + dib.colour_bytes + dib.pixel_bytes;
}

} // namespace

HBITMAP bitmap_from_packed_dib(std::span<const std::uint8_t> data) {
    PackedDib dib;
    if (data.empty() || !read_header(data, dib)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    // The header and colours are copied into aligned storage: resource bytes need not be.
    std::vector<std::uint32_t> info((sizeof(BITMAPINFOHEADER) + dib.colour_bytes + 3) / 4 + 1);
    std::memcpy(info.data(), &dib.header, sizeof(BITMAPINFOHEADER));
    std::memcpy(reinterpret_cast<std::uint8_t*>(info.data()) + sizeof(BITMAPINFOHEADER),
                data.data() + kInfoHeaderSize, dib.colour_bytes);
    const auto pixels_at =
        data.begin() + static_cast<std::ptrdiff_t>(kInfoHeaderSize + dib.colour_bytes);
    std::vector<std::uint8_t> pixels(pixels_at,
                                     pixels_at + static_cast<std::ptrdiff_t>(dib.pixel_bytes));
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap =
        CreateDIBitmap(screen, &dib.header, CBM_INIT, pixels.data(),
                       reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::span<const std::uint8_t> resource_bytes(HINSTANCE instance, HRSRC found) {
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, found)));
    if (!bytes)
        return {};
    return {bytes, SizeofResource(instance, found)};
}

} // namespace lv::gdi
