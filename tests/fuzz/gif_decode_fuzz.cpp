// The GIF decoder on hostile bytes, raw and as edits of files in our three data forms and the
// tiled true-colour form.
#include "codec_fuzz_input.h"

namespace {

std::vector<std::vector<BYTE>> g_bases;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (DWORD encoding = 0; encoding < 3; ++encoding) {
        PxImage palette = lvfuzz::Pattern(19, 11, encoding == 1 ? 4 : 8);
        palette.SetTransIndex(3);
        palette.SetCodecOption(encoding, PXIMAGE_FORMAT_GIF);
        g_bases.push_back(lvfuzz::EncodeBytes(palette, PXIMAGE_FORMAT_GIF));
    }
    PxImage colour = lvfuzz::Pattern(36, 17, 24);
    g_bases.push_back(lvfuzz::EncodeBytes(colour, PXIMAGE_FORMAT_GIF));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // Screens of any size: the decoder's work must follow what the file holds.
    lvfuzz::DecodeAndWrite(lvfuzz::FuzzedBytes(g_bases, data, size), PXIMAGE_FORMAT_GIF, data[1]);
    return 0;
}
