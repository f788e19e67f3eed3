// The PCX decoder on hostile bytes, raw and as edits of files our encoder writes.
#include "codec_fuzz_input.h"

namespace {

std::vector<std::vector<BYTE>> g_bases;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (DWORD bpp : {1u, 4u, 8u, 24u}) {
        PxImage picture = lvfuzz::Pattern(13, 5, bpp);
        if (bpp == 24)
            picture.AlphaCreate();
        g_bases.push_back(lvfuzz::EncodeBytes(picture, PXIMAGE_FORMAT_PCX));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    lvfuzz::DecodeAndWrite(lvfuzz::FuzzedBytes(g_bases, data, size), PXIMAGE_FORMAT_PCX, data[1]);
    return 0;
}
