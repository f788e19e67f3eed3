// Hand-made GIF files for the decoder's tests, written independently of our encoder: image
// data as literal codes with a clear code before the table would widen them, frames with local
// tables, offsets, interlacing, transparency, disposal and extensions as asked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lvtest {

using GifColour = std::array<std::uint8_t, 3>; // red, green, blue

struct GifFrameSpec {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices; // width x height, top row first
    std::vector<GifColour> localTable; // empty: none
    bool interlaced = false;
    int transparent = -1; // a graphic control extension is written when >= 0 or disposal set
    int disposal = 0;
    int delay = 0;
    int codeSize = 0;      // 0: from the table size
    bool writeData = true; // false: the frame's data are left out (a cut file)
};

struct GifSpec {
    int width = 0, height = 0;
    std::vector<GifColour> globalTable; // empty: none
    std::vector<GifFrameSpec> frames;
    std::string comment; // written before the frames when not empty
    int loopCount = -1;  // an application extension when >= 0
    bool trailer = true;
};

std::vector<std::uint8_t> BuildGif(const GifSpec& spec);

// Literal-code image data (code size byte, sub-blocks, terminator) of these indices.
std::vector<std::uint8_t> LiteralImageData(const std::vector<std::uint8_t>& indices, int codeSize);

// A table of n distinct colours.
std::vector<GifColour> DistinctColours(int n);

} // namespace lvtest
