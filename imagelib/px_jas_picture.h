// The component model shared by the JPEG-2000 family (JP2, JPC, PGX, PNM, RAS): a picture is a
// list of sample planes, each with its own size, precision and sign. The readers fill one, the
// writers take one, and the conversion to and from a PxImage (including the reduction to 8 bits)
// lives here once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imagelib/px_image.h"

enum class PxJasColourSpace { unknown, grey, rgb, ycc };

struct PxJasComponent {
    DWORD width = 0;
    DWORD height = 0;
    int precision = 8; // bits per sample
    bool isSigned = false;
    // width x height samples, rows top-down; owned by the picture or by the codec behind it.
    const std::int32_t* samples = nullptr;
};

struct PxJasPicture {
    std::vector<PxJasComponent> components;
    PxJasColourSpace space = PxJasColourSpace::unknown;
    // Planes this picture owns (readers of our own formats); a library-owned decode keeps its
    // image alive through `keeper` instead.
    std::vector<std::vector<std::int32_t>> planes;
    std::shared_ptr<void> keeper;

    // Adds an owned plane of width x height zero samples and returns it for filling.
    std::int32_t* AddPlane(DWORD width, DWORD height, int precision, bool isSigned = false);
};

// Limits every reader checks before it allocates: components and samples of one picture.
constexpr std::size_t kPxJasMaxComponents = 64;
constexpr std::uint64_t kPxJasMaxSamples = 1ull << 26;

// A sample as 0..255: signed samples are shifted to unsigned, then the range 0..2^precision-1
// is scaled to 0..255 (8-bit unsigned samples stay as they are).
inline BYTE PxJasTo8(std::int32_t value, int precision, bool isSigned) {
    std::int64_t v = value;
    if (isSigned)
        v += std::int64_t{1} << (precision - 1);
    const std::int64_t max = (std::int64_t{1} << precision) - 1;
    if (v <= 0)
        return 0;
    if (v >= max)
        return 255;
    if (precision == 8)
        return static_cast<BYTE>(v);
    return static_cast<BYTE>((v * 255 + max / 2) / max);
}

// Bits needed for values 0..maxValue.
int PxJasPrecisionOf(std::uint32_t maxValue);

// The decoded picture into the image: three equal 8-bit planes become a 24-bit image; a plane
// of 1, 4 or 8 bits becomes a grey palette image (one frame per plane, the image's frame index
// chooses); other precisions and signed samples are first reduced to 8-bit RGB. False with the
// reason in `error`.
bool PxJasToImage(const PxJasPicture& picture, PxImage& image, DWORD format, std::string& error);

// The image as planes for a writer: one 8-bit plane for an identity grey palette, else three
// (red, green, blue). False with the reason in `error` for other palette images.
bool PxJasFromImage(const PxImage& image, PxJasPicture& picture, std::string& error);
