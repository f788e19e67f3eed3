// Builds BMP files byte by byte for the image library's tests: every header form, bit depth,
// compression and row order, from logical pixel values.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lvtest {

enum class BmpHeaderForm {
    Core12, // OS/2 core header, 3-byte palette entries
    Info40, // Windows info header
    Os2v2,  // 64-byte OS/2 version 2 header
    V5,     // 124-byte header (uncompressed only)
};

enum class BmpRle { None, Rle8, Rle4 };

struct BmpSpec {
    int width = 1;
    int height = 1;
    int bitCount = 24;
    BmpHeaderForm form = BmpHeaderForm::Info40;
    bool fileHeader = true;
    bool topDown = false;
    BmpRle rle = BmpRle::None;
    bool bitfields = false; // 16 bits: write compression 3 and these masks
    std::array<std::uint32_t, 3> masks{0xF800, 0x07E0, 0x001F};
    std::vector<std::array<std::uint8_t, 3>> palette; // red, green, blue
    // Row-major from the top of the picture: palette indices up to 8 bits, raw 16-bit words,
    // 0x00RRGGBB for 24 and 32 bits.
    std::vector<std::uint32_t> pixels;
    std::int32_t xPelsPerMeter = 3780;
    std::int32_t yPelsPerMeter = 3780;
};

std::vector<std::uint8_t> WriteBmp(const BmpSpec& spec);

// Run-length streams as an encoder writes them: runs of equal pixels as (count, value), other
// stretches of three or more as absolute runs, end of line after each row, end of bitmap last.
std::vector<std::uint8_t> EncodeRle(const BmpSpec& spec);

} // namespace lvtest
