// The TIFF decoder on hostile bytes, raw and as edits of files our encoder writes (bilevel G4,
// palette LZW, colour JPEG and uncompressed, RGBA, several pages).
#include "codec_fuzz_input.h"

#include "imagelib/px_image_tif.h"

namespace {

std::vector<std::vector<BYTE>> g_bases;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PxImage bilevel = lvfuzz::Pattern(21, 9, 1);
    g_bases.push_back(lvfuzz::EncodeBytes(bilevel, PXIMAGE_FORMAT_TIF));
    PxImage palette = lvfuzz::Pattern(17, 8, 8);
    g_bases.push_back(lvfuzz::EncodeBytes(palette, PXIMAGE_FORMAT_TIF));
    PxImage colour = lvfuzz::Pattern(16, 16, 24);
    g_bases.push_back(lvfuzz::EncodeBytes(colour, PXIMAGE_FORMAT_TIF));
    colour.SetCodecOption(1, PXIMAGE_FORMAT_TIF);
    colour.AlphaCreate();
    g_bases.push_back(lvfuzz::EncodeBytes(colour, PXIMAGE_FORMAT_TIF));
    PxImageTIF pages;
    PxMemoryFile out;
    if (out.Open()) {
        for (int page = 0; page < 2; ++page) {
            pages.Copy(lvfuzz::Pattern(7 + page, 5, page ? 4 : 24));
            pages.Encode(&out, page == 0);
        }
        const BYTE* bytes = out.DetachBuffer(false);
        g_bases.emplace_back(bytes, bytes + out.Size());
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    lvfuzz::DecodeAndWrite(lvfuzz::FuzzedBytes(g_bases, data, size), PXIMAGE_FORMAT_TIF, data[1],
                           1u << 22);
    return 0;
}
