#include "jas_fixtures.h"

#include <algorithm>
#include <cstdlib>

#include "imagelib/px_file.h"

namespace lvtest {

PxImage JasColourPattern(LONG width, LONG height) {
    PxImage image(width, height, 24, PXIMAGE_FORMAT_BMP);
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelColor(x, y,
                                PxRgbQuad{static_cast<BYTE>(x * 7 + y), static_cast<BYTE>(y * 11),
                                          static_cast<BYTE>(x * 3 + y * 5), 0});
    return image;
}

PxImage JasGreyPattern(LONG width, LONG height) {
    PxImage image(width, height, 8, PXIMAGE_FORMAT_BMP);
    for (int i = 0; i < 256; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i),
                              static_cast<BYTE>(i));
    for (LONG y = 0; y < height; ++y)
        for (LONG x = 0; x < width; ++x)
            image.SetPixelIndex(x, y, static_cast<BYTE>(x * 13 + y * 3));
    return image;
}

Bgr PixelFromTop(const PxImage& image, LONG x, LONG y) {
    const PxRgbQuad c = image.GetPixelColor(x, static_cast<LONG>(image.GetHeight()) - 1 - y, false);
    return {c.rgbBlue, c.rgbGreen, c.rgbRed};
}

int MaxDifference(const PxImage& a, const PxImage& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return 255;
    int worst = 0;
    for (LONG y = 0; y < static_cast<LONG>(a.GetHeight()); ++y)
        for (LONG x = 0; x < static_cast<LONG>(a.GetWidth()); ++x) {
            const PxRgbQuad p = a.GetPixelColor(x, y, false), q = b.GetPixelColor(x, y, false);
            worst = std::max({worst, std::abs(p.rgbBlue - q.rgbBlue),
                              std::abs(p.rgbGreen - q.rgbGreen), std::abs(p.rgbRed - q.rgbRed)});
        }
    return worst;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> WithData(const std::string& header,
                                   const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out = Bytes(header);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::uint8_t> RasFile(std::uint32_t width, std::uint32_t height, std::uint32_t depth,
                                  std::uint32_t type, std::uint32_t mapType,
                                  const std::vector<std::uint8_t>& map,
                                  const std::vector<std::uint8_t>& data, std::uint32_t length) {
    std::vector<std::uint8_t> out;
    const std::uint32_t words[8] = {0x59A66A95,
                                    width,
                                    height,
                                    depth,
                                    length == 0xFFFFFFFF ? static_cast<std::uint32_t>(data.size())
                                                         : length,
                                    type,
                                    mapType,
                                    static_cast<std::uint32_t>(map.size())};
    for (std::uint32_t w : words)
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(w >> shift));
    out.insert(out.end(), map.begin(), map.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::uint8_t> OpenJpegFile(PxJasCodec codec, DWORD width, DWORD height,
                                       const std::vector<std::vector<std::int32_t>>& planes,
                                       int precision) {
    PxJasPicture picture;
    for (const auto& plane : planes) {
        std::int32_t* out = picture.AddPlane(width, height, precision);
        std::copy(plane.begin(), plane.end(), out);
    }
    PxMemoryFile file;
    file.Open();
    std::string error;
    if (!PxJasWriteOpenJpeg(&file, codec, picture, {}, error))
        return {};
    const LONG size = file.Size();
    const BYTE* data = file.DetachBuffer(false);
    return {data, data + size};
}

} // namespace lvtest
