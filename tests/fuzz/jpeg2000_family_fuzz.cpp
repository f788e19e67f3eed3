// The JPEG-2000 family's readers on hostile bytes: raw input by each format number; the input
// behind well-formed PNM, PGX and Sun raster headers; and small JP2 and JPC files of our own
// encoder with the input mixed into their bytes, so that damage reaches deep into each format.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imagelib/px_image.h"

namespace {

std::vector<std::vector<BYTE>> g_bases;

std::vector<BYTE> Encoded(PxImage& image, DWORD format) {
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!image.EncodeToMemory(buffer, size, format))
        return {};
    std::vector<BYTE> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

void MakeBases() {
    PxImage colour(13, 9, 24);
    for (LONG y = 0; y < 9; ++y)
        for (LONG x = 0; x < 13; ++x)
            colour.SetPixelColor(
                x, y, PxRgbQuad{static_cast<BYTE>(x * 19), static_cast<BYTE>(y * 27), 77, 0});
    colour.SetJpegQuality(40);
    g_bases.push_back(Encoded(colour, PXIMAGE_FORMAT_JP2));
    colour.SetJpegQuality(100);
    g_bases.push_back(Encoded(colour, PXIMAGE_FORMAT_JPC));
}

void Decode(const std::vector<BYTE>& bytes, DWORD format, LONG frame = 0) {
    PxImage image;
    image.SetFrameIndex(frame);
    if (image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format) &&
        image.GetWidth() * image.GetHeight() < (1u << 16)) {
        image.SetJpegQuality(100);
        Encoded(image, PXIMAGE_FORMAT_PNM);
    }
}

std::vector<BYTE> Behind(const std::string& header, const std::uint8_t* data, std::size_t size) {
    std::vector<BYTE> out(header.begin(), header.end());
    out.insert(out.end(), data, data + size);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (g_bases.empty())
        MakeBases();
    if (size < 4)
        return 0;
    const std::vector<BYTE> raw(data, data + size);
    Decode(raw, PXIMAGE_FORMAT_JP2 + data[0] % 5, data[1] % 3);

    const unsigned w = 1 + data[1] % 64, h = 1 + data[2] % 64;
    char header[64];
    std::snprintf(header, sizeof header, "P%c %u %u %u\n", '1' + data[3] % 6, w, h,
                  data[3] & 0x80 ? 65535u : 255u);
    Decode(Behind(header, data + 4, size - 4), PXIMAGE_FORMAT_PNM);
    std::snprintf(header, sizeof header, "PG %s %c%u %u %u\n", data[3] & 1 ? "ML" : "LM",
                  data[3] & 2 ? '-' : '+', 1 + data[2] % 16, w, h);
    Decode(Behind(header, data + 4, size - 4), PXIMAGE_FORMAT_PGX);
    const std::uint32_t depths[] = {1, 8, 24, 32};
    const std::uint32_t fields[8] = {0x59A66A95,
                                     w,
                                     h,
                                     depths[data[3] % 4],
                                     0,
                                     data[2] % 4u,
                                     data[3] >> 6 == 1 ? 1u : 0u,
                                     data[3] >> 6 == 1 ? 6u : 0u};
    std::vector<BYTE> ras;
    for (std::uint32_t v : fields)
        for (int shift = 24; shift >= 0; shift -= 8)
            ras.push_back(static_cast<BYTE>(v >> shift));
    ras.insert(ras.end(), data + 4, data + size);
    Decode(ras, PXIMAGE_FORMAT_RAS);

    // Our own JP2 and JPC with the input laid over part of their bytes.
    for (const std::vector<BYTE>& base : g_bases) {
        if (base.empty())
            continue;
        std::vector<BYTE> mixed = base;
        const std::size_t at = (data[0] * 7u + data[1]) % mixed.size();
        for (std::size_t i = 4; i < size && at + i - 4 < mixed.size(); ++i)
            mixed[at + i - 4] ^= data[i];
        Decode(mixed, PXIMAGE_FORMAT_UNKNOWN);
    }
    return 0;
}
