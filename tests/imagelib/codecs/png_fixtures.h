// PNG fixtures written with libpng in memory, and a reference decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace lvtest {

struct PngRgb {
    std::uint8_t red, green, blue;
};

struct PngRecipe {
    int width = 8;
    int height = 4;
    int colorType = 2; // PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<PngRgb> palette;
    std::vector<std::uint8_t> trnsAlpha;   // palette tRNS
    std::optional<std::uint16_t> trnsGrey; // grey tRNS
    std::optional<PngRgb> trnsRgb;         // RGB tRNS (8-bit values)
    std::optional<PngRgb> background;      // bKGD as RGB (or palette index in red)
    std::optional<std::uint16_t> backgroundGrey;
    std::optional<std::uint32_t> pixelsPerMetre;
    int physUnit = 1;
    // Packed rows top-down exactly as the file holds them (16-bit samples big-endian).
    std::vector<std::uint8_t> rows;
};

inline PngRecipe PngOf(int width, int height, int colorType, int bitDepth) {
    PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.colorType = colorType;
    recipe.bitDepth = bitDepth;
    return recipe;
}

// Bytes of one packed row of the recipe.
std::size_t PngRowBytes(const PngRecipe& recipe);
std::vector<std::uint8_t> MakePng(const PngRecipe& recipe);

// Decoded by libpng's simplified reader: 8-bit R,G,B,A rows top-down.
struct DecodedPng {
    int width = 0;
    int height = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> rgba;
};
DecodedPng DecodePngReference(const std::vector<std::uint8_t>& png);

} // namespace lvtest
