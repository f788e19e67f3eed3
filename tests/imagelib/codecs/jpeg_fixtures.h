// JPEG fixtures made with libjpeg in memory, and helpers to splice marker segments.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace lvtest {

struct JpegRecipe {
    int width = 16;
    int height = 8;
    int components = 3; // 1 grey, 3 RGB, 4 CMYK
    int quality = 95;
    bool progressive = false;
    bool arithmetic = false;
    bool writeJfif = true;
    int densityUnit = 1;
    int xDensity = 72;
    int yDensity = 72;
    // Sample of component c at (x, y) counted from the top; the default is a smooth pattern.
    std::function<std::uint8_t(int x, int y, int c)> sample;
};

inline JpegRecipe JpegOf(int width, int height, int components = 3) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.components = components;
    return recipe;
}

std::vector<std::uint8_t> MakeJpeg(const JpegRecipe& recipe);

// Decoded by libjpeg directly: rows top-down, components interleaved as in the file.
struct DecodedJpeg {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> samples;
};
DecodedJpeg DecodeJpegReference(const std::vector<std::uint8_t>& jpeg);

// The marker codes of a JPEG stream in order, up to and including the start of scan.
std::vector<int> JpegMarkers(const std::vector<std::uint8_t>& jpeg);
// The payload (after the length bytes) of the first segment with this marker, or empty.
std::vector<std::uint8_t> JpegSegmentPayload(const std::vector<std::uint8_t>& jpeg, int marker);
// Inserts a whole segment right after the start-of-image marker.
std::vector<std::uint8_t> InsertAfterSoi(const std::vector<std::uint8_t>& jpeg,
                                         const std::vector<std::uint8_t>& segment);

} // namespace lvtest
