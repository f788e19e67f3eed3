#include "tools/artkit/bmp24_writer.h"

#include "util/le_bytes.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitCount = 24;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dpi

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const Canvas& canvas) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(canvas.Width()) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(canvas.Height());
    const std::uint32_t offBits = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> file;
    lv::ByteWriter w(file);
    w.u8('B');
    w.u8('M');
    w.u32(offBits + imageSize);
    w.u16(0);
    w.u16(0);
    w.u32(offBits);

    w.u32(kInfoHeaderSize);
    w.i32(canvas.Width());
    w.i32(canvas.Height());
    w.u16(1);
    w.u16(kBitCount);
    w.u32(kCompressionRgb);
    w.u32(imageSize);
    w.i32(kPixelsPerMetre);
    w.i32(kPixelsPerMetre);
    w.u32(0);
    w.u32(0);

    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            w.u8(GetBValue(c));
            w.u8(GetGValue(c));
            w.u8(GetRValue(c));
        }
        w.zeros(stride - static_cast<std::uint32_t>(canvas.Width()) * 3);
    }
    return file;
}
