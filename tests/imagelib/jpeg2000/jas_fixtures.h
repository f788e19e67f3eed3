// Pictures and hand-made files for the JPEG-2000 family's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imagelib/px_image.h"
#include "imagelib/px_jas_formats.h"

namespace lvtest {

// A 24-bit picture whose every pixel differs from its neighbours.
PxImage JasColourPattern(LONG width, LONG height);
// An 8-bit image with the identity grey palette (index i shows grey i).
PxImage JasGreyPattern(LONG width, LONG height);

// Pixel (x, y counted from the top) as blue, green, red.
struct Bgr {
    BYTE b, g, r;
    bool operator==(const Bgr&) const = default;
};
Bgr PixelFromTop(const PxImage& image, LONG x, LONG y);
// Largest difference of any channel between two images of one size (255 when sizes differ).
int MaxDifference(const PxImage& a, const PxImage& b);

std::vector<std::uint8_t> Bytes(const std::string& text);
// A header text followed by raw bytes.
std::vector<std::uint8_t> WithData(const std::string& header,
                                   const std::vector<std::uint8_t>& data);
// A Sun raster header (eight big-endian words) followed by data.
std::vector<std::uint8_t> RasFile(std::uint32_t width, std::uint32_t height, std::uint32_t depth,
                                  std::uint32_t type, std::uint32_t mapType,
                                  const std::vector<std::uint8_t>& map,
                                  const std::vector<std::uint8_t>& data,
                                  std::uint32_t length = 0xFFFFFFFF);

// A JPC or JP2 codestream of the given 8-bit planes (each width x height, top-down).
std::vector<std::uint8_t> OpenJpegFile(PxJasCodec codec, DWORD width, DWORD height,
                                       const std::vector<std::vector<std::int32_t>>& planes,
                                       int precision = 8);

} // namespace lvtest
