// Truncations and byte flips of generated JPEG and PNG files: every decode answers true or
// false, a failure always says why, and nothing crashes, hangs or trips a sanitizer.
#include "imagelib/px_image.h"

#include "codec_test_util.h"
#include "exif_builder.h"
#include "jpeg_fixtures.h"
#include "png_fixtures.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <string>

namespace {

struct Seed {
    std::string name;
    DWORD format;
    std::vector<std::uint8_t> bytes;
};

std::vector<Seed> JpegSeeds() {
    lvtest::ExifBuilder b(true);
    lvtest::ExifDirectory ifd0;
    ifd0.entries = {b.Ascii(0x010F, "Sweep camera"), b.Rational(0x011A, 72, 1), b.Short(0x0128, 2),
                    b.Link(0x8769, 1)};
    lvtest::ExifDirectory sub;
    sub.entries = {b.Rational(0x829A, 1, 60),
                   b.Undefined(0x9286, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i'})};
    ifd0.next = -1;
    const std::string comment = "sweep";

    std::vector<Seed> seeds;
    auto rgb = lvtest::MakeJpeg(lvtest::JpegOf(24, 16));
    rgb = lvtest::InsertAfterSoi(rgb, lvtest::JpegSegment(0xFE, {comment.begin(), comment.end()}));
    rgb = lvtest::InsertAfterSoi(rgb, b.Segment({ifd0, sub}));
    seeds.push_back({"jpeg_rgb_exif", PXIMAGE_FORMAT_JPG, rgb});

    lvtest::JpegRecipe progressive = lvtest::JpegOf(20, 12, 1);
    progressive.progressive = true;
    seeds.push_back({"jpeg_progressive_grey", PXIMAGE_FORMAT_JPG, lvtest::MakeJpeg(progressive)});
    seeds.push_back({"jpeg_cmyk", PXIMAGE_FORMAT_JPG, lvtest::MakeJpeg(lvtest::JpegOf(16, 8, 4))});
    lvtest::JpegRecipe arithmetic = lvtest::JpegOf(16, 16);
    arithmetic.arithmetic = true;
    seeds.push_back({"jpeg_arithmetic", PXIMAGE_FORMAT_JPG, lvtest::MakeJpeg(arithmetic)});
    return seeds;
}

std::vector<Seed> PngSeeds() {
    auto pattern = [](lvtest::PngRecipe recipe) {
        recipe.rows.resize(lvtest::PngRowBytes(recipe) * static_cast<std::size_t>(recipe.height));
        for (std::size_t i = 0; i < recipe.rows.size(); ++i)
            recipe.rows[i] = static_cast<std::uint8_t>(i * 31 + i / 7);
        return recipe;
    };
    std::vector<Seed> seeds;
    seeds.push_back(
        {"png_rgb", PXIMAGE_FORMAT_PNG, lvtest::MakePng(pattern(lvtest::PngOf(12, 9, 2, 8)))});

    lvtest::PngRecipe palette = pattern(lvtest::PngOf(11, 7, 3, 4));
    for (int i = 0; i < 16; ++i)
        palette.palette.push_back({static_cast<std::uint8_t>(i * 16), 3, 4});
    palette.trnsAlpha = {0, 80, 255};
    palette.interlaced = true;
    palette.pixelsPerMetre = 2835;
    seeds.push_back({"png_palette_interlaced", PXIMAGE_FORMAT_PNG, lvtest::MakePng(palette)});

    lvtest::PngRecipe rgba = pattern(lvtest::PngOf(6, 5, 6, 16));
    rgba.background = lvtest::PngRgb{1, 2, 3};
    seeds.push_back({"png_rgba16", PXIMAGE_FORMAT_PNG, lvtest::MakePng(rgba)});

    lvtest::PngRecipe grey = pattern(lvtest::PngOf(13, 6, 0, 2));
    grey.trnsGrey = 1;
    grey.interlaced = true;
    seeds.push_back({"png_grey2_key", PXIMAGE_FORMAT_PNG, lvtest::MakePng(grey)});
    return seeds;
}

// After a flip inside a PNG chunk, its CRC is made right again so that libpng parses the
// damaged content instead of stopping at the checksum.
void FixPngCrcs(std::vector<std::uint8_t>& png) {
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = static_cast<std::uint32_t>(png[at] << 24 | png[at + 1] << 16 |
                                                                png[at + 2] << 8 | png[at + 3]);
        if (length > png.size() - at - 12)
            return;
        const uLong crc = crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i)
            png[at + 8 + length + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

void CheckDecode(const Seed& seed, const std::vector<std::uint8_t>& bytes, const std::string& what,
                 DWORD format) {
    PxImage image;
    const bool ok = lvtest::DecodeBytes(image, bytes, format);
    if (ok) {
        ASSERT_TRUE(image.IsValid()) << seed.name << " " << what;
        ASSERT_GT(image.GetWidth(), 0u);
        ASSERT_GT(image.GetHeight(), 0u);
        // What decoded can be written again.
        EXPECT_FALSE(lvtest::EncodeBytes(image, PXIMAGE_FORMAT_PNG).empty())
            << seed.name << " " << what;
    } else {
        ASSERT_STRNE(image.GetLastError(), "") << seed.name << " " << what;
        ASSERT_FALSE(image.IsValid()) << seed.name << " " << what;
    }
}

void Sweep(const Seed& seed) {
    const auto& original = seed.bytes;
    const std::size_t size = original.size();
    const std::size_t truncStep = std::max<std::size_t>(1, size / 300);
    for (std::size_t length = 0; length < size; length += truncStep) {
        const std::vector<std::uint8_t> cut(original.begin(),
                                            original.begin() + static_cast<long>(length));
        CheckDecode(seed, cut, "cut at " + std::to_string(length), seed.format);
        if (length % (truncStep * 16) == 0)
            CheckDecode(seed, cut, "cut at " + std::to_string(length) + " by trial",
                        PXIMAGE_FORMAT_UNKNOWN);
    }
    const std::size_t flipStep = std::max<std::size_t>(1, size / 400);
    for (std::size_t pos = 0; pos < size; pos += flipStep) {
        for (int variant = 0; variant < 4; ++variant) {
            std::vector<std::uint8_t> damaged = original;
            const std::uint8_t b = damaged[pos];
            damaged[pos] = variant == 0   ? static_cast<std::uint8_t>(b ^ 0xFF)
                           : variant == 1 ? 0x00
                           : variant == 2 ? 0xFF
                                          : static_cast<std::uint8_t>(b + 1);
            if (seed.format == PXIMAGE_FORMAT_PNG && (pos + variant) % 2 == 0)
                FixPngCrcs(damaged);
            CheckDecode(seed, damaged,
                        "byte " + std::to_string(pos) + " variant " + std::to_string(variant),
                        seed.format);
        }
    }
}

TEST(MalformedSweep, Jpeg) {
    for (const Seed& seed : JpegSeeds())
        Sweep(seed);
}

TEST(MalformedSweep, Png) {
    for (const Seed& seed : PngSeeds())
        Sweep(seed);
}

} // namespace
