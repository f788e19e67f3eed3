// Helpers shared by the BMP tests: the colour a test picture holds at a position.
#pragma once

#include <cstdint>
#include <string>

#include "imagelib/px_image.h"
#include "tests/support/bmp_writer.h"

namespace lvtest {

// Palette entries that differ in every channel.
inline std::array<std::uint8_t, 3> PaletteEntry(int i) {
    return {static_cast<std::uint8_t>(i * 7 + 1), static_cast<std::uint8_t>(255 - i),
            static_cast<std::uint8_t>(i * 13)};
}

// A picture with both runs of equal pixels and stretches that differ, so that run-length
// files use encoded and absolute runs.
inline std::uint32_t PictureValue(int bitCount, int x, int y) {
    const int levels = bitCount == 1 ? 2 : bitCount == 4 ? 16 : 256;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        return static_cast<std::uint32_t>(x < 6 ? (x + 2 * y) % levels : (y + 1) % levels);
    case 16:
        return static_cast<std::uint32_t>((x * 2113 + y * 977 + 5) & 0xFFFF);
    default:
        return static_cast<std::uint32_t>(((x * 37) << 16) | ((y * 51) << 8) |
                                          ((x + y) * 11 & 0xFF));
    }
}

inline BmpSpec PictureSpec(int bitCount, int width, int height) {
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = bitCount;
    if (bitCount <= 8)
        for (int i = 0; i < (1 << bitCount); ++i)
            spec.palette.push_back(PaletteEntry(i));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            spec.pixels.push_back(PictureValue(bitCount, x, y));
    return spec;
}

inline BYTE Expand(std::uint32_t value, int bits) {
    return static_cast<BYTE>(bits >= 8 ? value >> (bits - 8) : value << (8 - bits));
}

// The colour the decoder must deliver for the picture pixel (x, y from the top).
inline PxRgbQuad ExpectedColour(const BmpSpec& spec, int x, int y) {
    const std::uint32_t v = spec.pixels[static_cast<std::size_t>(y) * spec.width + x];
    if (spec.bitCount <= 8) {
        const auto& e = spec.palette[v];
        return PxRgbQuad{e[2], e[1], e[0], 0};
    }
    if (spec.bitCount == 16) {
        if (spec.bitfields) // 5-6-5
            return PxRgbQuad{Expand(v & 31, 5), Expand((v >> 5) & 63, 6), Expand((v >> 11) & 31, 5),
                             0};
        return PxRgbQuad{Expand(v & 31, 5), Expand((v >> 5) & 31, 5), Expand((v >> 10) & 31, 5), 0};
    }
    return PxRgbQuad{static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                     0};
}

// Empty when every pixel matches, else the first difference.
inline std::string ComparePicture(const PxImage& image, const BmpSpec& spec) {
    if (image.GetWidth() != static_cast<DWORD>(spec.width) ||
        image.GetHeight() != static_cast<DWORD>(spec.height))
        return "size " + std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight());
    for (int y = 0; y < spec.height; ++y) {
        for (int x = 0; x < spec.width; ++x) {
            const PxRgbQuad want = ExpectedColour(spec, x, y);
            const PxRgbQuad got = image.GetPixelColor(x, spec.height - 1 - y, false);
            if (!(want == got))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " got " +
                       std::to_string(got.rgbRed) + "/" + std::to_string(got.rgbGreen) + "/" +
                       std::to_string(got.rgbBlue) + " want " + std::to_string(want.rgbRed) + "/" +
                       std::to_string(want.rgbGreen) + "/" + std::to_string(want.rgbBlue);
        }
    }
    return {};
}

} // namespace lvtest
