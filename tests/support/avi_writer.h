// Builds AVI clips (RIFF files) byte by byte for tests: a header list with one video stream,
// the frames, and an index; pictures are laid out by the BMP writer.
#pragma once

#include "tests/support/bmp_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lvtest {

// A RIFF tree: lists nest, chunks are padded to even sizes, sizes are filled in on closing.
class RiffWriter {
public:
    void BeginList(const std::string& id, const std::string& type); // "RIFF" or "LIST"
    void EndList();
    void Chunk(const std::string& id, const std::vector<std::uint8_t>& data);
    std::vector<std::uint8_t> Bytes() const { return m_bytes; }

private:
    void FourCC(const std::string& id);
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::size_t> m_open; // offsets of the open lists' size fields
};

struct AviSpec {
    BmpSpec picture;                                   // size, depth, palette, RLE, bit masks
    std::vector<std::vector<std::uint32_t>> frames;    // pixels of each frame, as BmpSpec::pixels
    std::vector<std::vector<std::uint8_t>> raw_frames; // stored as they are, when given
    std::uint32_t rate = 10;
    std::uint32_t scale = 1;
    std::uint32_t start = 0;
    std::int64_t length = -1; // the header's frame count; -1: the frames written
    std::string stream_type = "vids";
    bool index = true;
    std::vector<bool> key_frames; // the index's key-frame flags; empty: every frame
};

std::vector<std::uint8_t> WriteAvi(const AviSpec& spec);

// A frame of one colour (palette index up to 8 bits, 0x00RRGGBB above).
std::vector<std::uint32_t> SolidPixels(const BmpSpec& picture, std::uint32_t value);

} // namespace lvtest
