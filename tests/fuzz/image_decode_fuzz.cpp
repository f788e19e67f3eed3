// Decoding arbitrary bytes with detection by trial, then the operations a caller runs next.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imagelib/px_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PxImage image;
    if (!image.DecodeFromMemory(data, static_cast<DWORD>(size), PXIMAGE_FORMAT_UNKNOWN))
        return 0;
    // Keep follow-up work small so that large pictures do not slow the run down.
    if (static_cast<std::uint64_t>(image.GetWidth()) * image.GetHeight() > 1u << 20)
        return 0;
    image.GetPixelColor(0, 0);
    image.Resample(17, 9, 1);
    BYTE* buffer = nullptr;
    LONG encoded = 0;
    if (image.EncodeToMemory(buffer, encoded, PXIMAGE_FORMAT_BMP))
        std::free(buffer);
    return 0;
}
