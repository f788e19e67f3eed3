// Decoding arbitrary bytes with detection by trial, then the operations a caller runs next.
// Each input is also decoded behind a well-formed BMP header made from its first bytes, so
// that the pixel decoders (palettes, run lengths, bit fields) see fuzzed data from the start.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imagelib/px_image.h"
#include "util/le_bytes.h"

namespace {

void DecodeAndUse(const std::uint8_t* data, std::size_t size) {
    PxImage image;
    if (!image.DecodeFromMemory(data, static_cast<DWORD>(size), PXIMAGE_FORMAT_UNKNOWN))
        return;
    // Keep follow-up work small so that large pictures do not slow the run down.
    if (static_cast<std::uint64_t>(image.GetWidth()) * image.GetHeight() > 1u << 20)
        return;
    image.GetPixelColor(0, 0);
    image.Resample(17, 9, 1);
    BYTE* buffer = nullptr;
    LONG encoded = 0;
    if (image.EncodeToMemory(buffer, encoded, PXIMAGE_FORMAT_BMP))
        std::free(buffer);
}

std::vector<std::uint8_t> BehindBmpHeader(const std::uint8_t* data, std::size_t size) {
    static const std::uint16_t kBits[] = {1, 4, 8, 16, 24, 32, 2, 8};
    static const std::uint32_t kHeaderSizes[] = {12, 40, 64, 124};
    const std::uint32_t headerSize = kHeaderSizes[data[5] & 3];
    const std::uint16_t bits = kBits[data[4] & 7];
    const std::int32_t width = 1 + (data[0] | ((data[1] & 1) << 8));
    const std::int32_t height = (1 + (data[2] | ((data[3] & 1) << 8))) * ((data[5] & 4) ? -1 : 1);
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    w.u16(0x4D42);
    w.u32(static_cast<std::uint32_t>(14 + headerSize + size));
    w.u32(0);
    w.u32((data[5] & 8) ? 0 : 14 + headerSize + data[7]); // pixel offset, or none
    w.u32(headerSize);
    if (headerSize == 12) {
        w.u16(static_cast<std::uint16_t>(width));
        w.u16(static_cast<std::uint16_t>(height < 0 ? -height : height));
        w.u16(1);
        w.u16(bits);
    } else {
        w.i32(width);
        w.i32(height);
        w.u16(1);
        w.u16(bits);
        w.u32(data[6] & 3); // compression
        w.u32(0);
        w.i32(3780);
        w.i32(3780);
        w.u32(data[6] >> 4); // colours used
        w.u32(0);
        w.zeros(headerSize - 40);
    }
    w.bytes(data + 8, size - 8);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodeAndUse(data, size);
    if (size >= 8) {
        const std::vector<std::uint8_t> bmp = BehindBmpHeader(data, size);
        DecodeAndUse(bmp.data(), bmp.size());
    }
    return 0;
}
