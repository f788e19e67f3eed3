// The TGA decoder on hostile bytes, raw and as edits of files our encoder writes.
#include "codec_fuzz_input.h"

namespace {

std::vector<std::vector<BYTE>> g_bases;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PxImage palette = lvfuzz::Pattern(11, 7, 8);
    g_bases.push_back(lvfuzz::EncodeBytes(palette, PXIMAGE_FORMAT_TGA));
    PxImage colour = lvfuzz::Pattern(12, 6, 24);
    g_bases.push_back(lvfuzz::EncodeBytes(colour, PXIMAGE_FORMAT_TGA));
    colour.AlphaCreate();
    g_bases.push_back(lvfuzz::EncodeBytes(colour, PXIMAGE_FORMAT_TGA));
    // A run-length file by hand: runs that cross rows, then raw packets.
    g_bases.push_back({0,    0, 10, 0, 0,    0, 0, 0, 0, 0, 0, 0,  3,  0,  3,  0,  24, 0x20,
                       0x84, 1, 2,  3, 0x03, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    lvfuzz::DecodeAndWrite(lvfuzz::FuzzedBytes(g_bases, data, size), PXIMAGE_FORMAT_TGA, data[1]);
    return 0;
}
