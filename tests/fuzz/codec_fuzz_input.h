// What the single-format decoder targets share: an input is either raw bytes for the decoder or
// a list of byte edits (and a cut) of a small file our own encoder wrote, so that damage reaches
// deep into each format; what decodes is written again, in its own format and as BMP.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imagelib/px_image.h"
#include "tests/imagelib/codecs/codec_test_util.h"

namespace lvfuzz {

using lvtest::EncodeBytes;

// A picture whose indices or colours change from pixel to pixel, with runs on its left half.
inline PxImage Pattern(LONG width, LONG height, DWORD bpp) {
    PxImage image(width, height, bpp, PXIMAGE_FORMAT_BMP);
    for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 5),
                              static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i));
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x) {
            const LONG v = x < width / 2 ? y : x * 3 + y;
            if (bpp <= 8)
                image.SetPixelIndex(x, y, static_cast<BYTE>(v));
            else
                image.SetPixelColor(x, y, PxRgbQuad{static_cast<BYTE>(v * 9), 40, 90, 0});
        }
    return image;
}

// A small picture written by our own encoder in every format it writes, as bases whose edits
// reach every decoder behind detection by trial.
inline std::vector<std::vector<BYTE>> OwnFilesOfEveryFormat() {
    std::vector<std::vector<BYTE>> files;
    for (DWORD format = PXIMAGE_FORMAT_BMP; format <= PXIMAGE_FORMAT_RAS; ++format) {
        PxImage picture = Pattern(23, 13, format == PXIMAGE_FORMAT_WBMP ? 1 : 24);
        if (format == PXIMAGE_FORMAT_GIF || format == PXIMAGE_FORMAT_PCX)
            picture = Pattern(23, 13, 8);
        std::vector<BYTE> bytes = EncodeBytes(picture, format);
        if (!bytes.empty())
            files.push_back(std::move(bytes));
    }
    return files;
}

// Writes the bytes to a file; false when that fails.
inline bool WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

// The bytes to decode: data[0] picks raw input or an edited base file.
inline std::vector<BYTE> FuzzedBytes(const std::vector<std::vector<BYTE>>& bases,
                                     const std::uint8_t* data, std::size_t size) {
    const BYTE mode = data[0];
    const BYTE cut = data[1];
    if ((mode & 1) || bases.empty())
        return std::vector<BYTE>(data + 2, data + size);
    std::vector<BYTE> base = bases[(mode >> 1) % bases.size()];
    if (base.empty())
        return base;
    for (std::size_t i = 2; i + 2 < size; i += 3) {
        const std::size_t at = (static_cast<std::size_t>(data[i]) << 8 | data[i + 1]) % base.size();
        base[at] = data[i + 2];
    }
    if (mode & 0x80)
        base.resize(base.size() * cut / 256);
    return base;
}

// Decodes (frame index from data[1]) and writes what decoded again. sizeLimit > 0 first asks
// the decoder for the size only and skips pictures above that many pixels.
inline void DecodeAndWrite(const std::vector<BYTE>& bytes, DWORD format, BYTE options,
                           std::uint64_t sizeLimit = 0) {
    if (sizeLimit) {
        PxImage size;
        size.SetCancel(static_cast<DWORD>(-1));
        if (size.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format) &&
            static_cast<std::uint64_t>(size.GetWidth()) * size.GetHeight() > sizeLimit)
            return;
    }
    PxImage image;
    image.SetFrameIndex(options & 3);
    if (!image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
        return;
    if (static_cast<std::uint64_t>(image.GetWidth()) * image.GetHeight() > (1u << 20))
        return;
    image.SetCodecOption((options >> 2) & 3, format);
    EncodeBytes(image, format);
    EncodeBytes(image, PXIMAGE_FORMAT_BMP);
}

} // namespace lvfuzz
