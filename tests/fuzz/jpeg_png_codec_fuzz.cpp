// The JPEG, EXIF and PNG readers on hostile bytes: raw input, and edits of small valid files
// that our own encoders make at start-up, so that damage reaches deep into each format.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imagelib/px_exif.h"
#include "imagelib/px_file.h"
#include "imagelib/px_image.h"
#include "imagelib/px_image_jpg.h"

namespace {

// Pictures beyond this many pixels are only sized, not decoded, to keep runs fast.
constexpr std::uint64_t kMaxFuzzPixels = 1u << 22;

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

PxImage Pattern(LONG width, LONG height, DWORD bpp) {
    PxImage image(width, height, bpp, PXIMAGE_FORMAT_BMP);
    if (bpp <= 8) {
        for (DWORD i = 0; i < image.GetPaletteCount(); ++i)
            image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 5),
                                  static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i),
                                  static_cast<BYTE>(i * 7));
    }
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x) {
            if (bpp <= 8)
                image.SetPixelIndex(x, y, static_cast<BYTE>(x * 3 + y));
            else
                image.SetPixelColor(
                    x, y, PxRgbQuad{static_cast<BYTE>(x * 9), static_cast<BYTE>(y * 13), 90, 0});
        }
    return image;
}

// A JPEG with an EXIF block in front, built by hand (big-endian, one directory).
std::vector<BYTE> WithExif(const std::vector<BYTE>& jpeg) {
    const BYTE app1[] = {0xFF, 0xE1, 0x00, 0x2E, 'E',  'x',  'i',  'f',  0,    0,    'M',  'M',
                         0x00, 0x2A, 0x00, 0x00, 0x00, 0x08, 0x00, 0x02, 0x01, 0x12, 0x00, 0x03,
                         0x00, 0x00, 0x00, 0x01, 0x00, 0x06, 0x00, 0x00, 0x01, 0x1A, 0x00, 0x05,
                         0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x26, 0x00, 0x00, 0x00, 0x00};
    std::vector<BYTE> out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), app1, app1 + sizeof app1);
    const BYTE rational[] = {0x00, 0x00, 0x00, 0x48, 0x00, 0x00, 0x00, 0x01};
    out.insert(out.end(), rational, rational + sizeof rational);
    out[5] = static_cast<BYTE>(sizeof app1 - 2 + sizeof rational);
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

void MakeBases() {
    PxImage colour = Pattern(24, 16, 24);
    g_bases.push_back(WithExif(Encoded(colour, PXIMAGE_FORMAT_JPG)));
    colour.SetCodecOption(0x10 | 0x08, PXIMAGE_FORMAT_JPG);
    g_bases.push_back(Encoded(colour, PXIMAGE_FORMAT_JPG));
    PxImage grey = Pattern(16, 16, 8);
    grey.SetGreyPalette();
    grey.SetCodecOption(0x02, PXIMAGE_FORMAT_JPG);
    g_bases.push_back(Encoded(grey, PXIMAGE_FORMAT_JPG));

    PxImage palette = Pattern(13, 7, 4);
    palette.SetPaletteAlpha(true);
    palette.SetCodecOption(1, PXIMAGE_FORMAT_PNG);
    g_bases.push_back(Encoded(palette, PXIMAGE_FORMAT_PNG));
    PxImage alpha = Pattern(9, 6, 24);
    alpha.AlphaCreate();
    alpha.AlphaSet(1, 1, 7);
    g_bases.push_back(Encoded(alpha, PXIMAGE_FORMAT_PNG));
}

DWORD FormatOf(const std::vector<BYTE>& bytes) {
    return bytes.size() > 1 && bytes[0] == 0xFF && bytes[1] == 0xD8 ? PXIMAGE_FORMAT_JPG
                                                                    : PXIMAGE_FORMAT_PNG;
}

bool SmallEnough(const std::vector<BYTE>& bytes, DWORD format, BYTE scale) {
    if (format == PXIMAGE_FORMAT_JPG) {
        PxImage size;
        size.SetJpegScale(scale);
        size.SetCancel(static_cast<DWORD>(-1));
        if (!size.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
            return true; // fails the same way in full
        return static_cast<std::uint64_t>(size.GetWidth()) * size.GetHeight() <= kMaxFuzzPixels;
    }
    if (bytes.size() < 24)
        return true;
    auto be32 = [&](std::size_t at) {
        return static_cast<std::uint64_t>(bytes[at]) << 24 | bytes[at + 1] << 16 |
               bytes[at + 2] << 8 | bytes[at + 3];
    };
    return be32(16) * be32(20) <= kMaxFuzzPixels;
}

void DecodeWithOptions(const std::vector<BYTE>& bytes, DWORD format, BYTE a, BYTE b) {
    if (!SmallEnough(bytes, format, static_cast<BYTE>(a >> 4)))
        return;
    PxImage image;
    image.SetJpegScale(static_cast<BYTE>(a >> 4));
    image.SetJpegQuality(static_cast<BYTE>(8 + b));
    image.SetCodecOption(static_cast<DWORD>(a & 0x0F) << 8 | (a & 0x80), PXIMAGE_FORMAT_JPG);
    if (!image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format))
        return;
    // What decoded is written again in both formats.
    image.SetCodecOption(b & 0x1F, PXIMAGE_FORMAT_JPG);
    Encoded(image, PXIMAGE_FORMAT_PNG);
    Encoded(image, PXIMAGE_FORMAT_JPG);
}

void ExifAndSections(const std::vector<BYTE>& bytes) {
    std::vector<BYTE> payload(bytes);
    JpegExifReader parser;
    parser.ProcessExif(payload);

    JpegExifReader reader;
    PxMemoryFile in(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (!reader.ReadSections(&in, JpegExifReader::kReadExif | JpegExifReader::kReadImage))
        return;
    reader.KeepExifSections();
    PxMemoryFile again(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (!reader.ReadSections(&again, JpegExifReader::kReadImage))
        return;
    PxMemoryFile out;
    if (out.Open())
        reader.WriteSections(&out);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    MakeBases();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const BYTE mode = data[0];
    const BYTE a = data[1];
    const BYTE b = data[2];
    std::vector<BYTE> bytes(data + 3, data + size);

    switch (mode % 4) {
    case 0:
        DecodeWithOptions(bytes, PXIMAGE_FORMAT_JPG, a, b);
        return 0;
    case 1:
        DecodeWithOptions(bytes, PXIMAGE_FORMAT_PNG, a, b);
        return 0;
    case 2:
        ExifAndSections(bytes);
        return 0;
    default:
        break;
    }

    // Edits of a base file: (offset, value) byte pairs, then an optional cut.
    if (g_bases.empty())
        return 0;
    std::vector<BYTE> base = g_bases[(mode >> 2) % g_bases.size()];
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        const std::size_t at =
            (static_cast<std::size_t>(bytes[i]) << 8 | bytes[i + 1]) % base.size();
        base[at] = bytes[i + 2];
    }
    if (a & 1)
        base.resize(base.size() * b / 256);
    const DWORD format = FormatOf(base);
    DecodeWithOptions(base, format, static_cast<BYTE>(a & 0xFE), b);
    if (format == PXIMAGE_FORMAT_JPG)
        ExifAndSections(base);
    return 0;
}
