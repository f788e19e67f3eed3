// The TIFF codec: files written with libtiff itself in the layouts the decoder handles (strips
// and tiles, bilevel, grey of 8 and 16 bits, palettes, CIELab, orientations), our own files read
// by the packaged tools, several pages, and the size-only mode.
#include "imagelib/px_image_tif.h"

#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <functional>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

struct TiffRecipe {
    uint32_t width = 8, height = 6;
    uint16_t samples = 1, bits = 8, photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t compression = COMPRESSION_NONE;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    uint32_t rowsPerStrip = 2;
    uint32_t tileSize = 0;           // tiles of tileSize x tileSize when not 0
    std::vector<uint16_t> colourMap; // 3 x 2^bits entries
    float xResolution = 0;
    uint16_t resolutionUnit = RESUNIT_INCH;
    int extraSamples = 0;
    // The bytes of one row (TIFF order), given its index from the top.
    std::function<std::vector<uint8_t>(uint32_t)> row;
};

std::vector<uint8_t> WriteTiff(const TiffRecipe& r, const std::filesystem::path& path) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    EXPECT_TRUE(tif);
    if (!tif)
        return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, r.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, r.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, r.samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, r.bits);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, r.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, r.compression);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, r.orientation);
    if (r.extraSamples) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (!r.colourMap.empty()) {
        const std::size_t n = r.colourMap.size() / 3;
        TIFFSetField(tif, TIFFTAG_COLORMAP, r.colourMap.data(), r.colourMap.data() + n,
                     r.colourMap.data() + 2 * n);
    }
    if (r.xResolution > 0) {
        TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, r.resolutionUnit);
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, r.xResolution);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, r.xResolution);
    }
    if (r.tileSize) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, r.tileSize);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, r.tileSize);
        const tmsize_t lineBytes = TIFFScanlineSize(tif);
        std::vector<uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(tif)));
        const std::size_t tileRow = static_cast<std::size_t>(TIFFTileRowSize(tif));
        for (uint32_t y = 0; y < r.height; y += r.tileSize)
            for (uint32_t x = 0; x < r.width; x += r.tileSize) {
                std::fill(tile.begin(), tile.end(), 0);
                const std::size_t offset = x * r.samples * r.bits / 8;
                for (uint32_t k = 0; k < r.tileSize && y + k < r.height; ++k) {
                    const auto line = r.row(y + k);
                    const std::size_t n = std::min<std::size_t>(
                        tileRow, static_cast<std::size_t>(lineBytes) - offset);
                    std::copy_n(line.begin() + static_cast<long>(offset), n,
                                tile.begin() + static_cast<long>(k * tileRow));
                }
                TIFFWriteTile(tif, tile.data(), x, y, 0, 0);
            }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, r.rowsPerStrip);
        for (uint32_t y = 0; y < r.height; ++y) {
            auto line = r.row(y);
            TIFFWriteScanline(tif, line.data(), y, 0);
        }
    }
    TIFFClose(tif);
    return lvtest::ReadBytes(path);
}

// Reads a file through ImageMagick into a PPM, optionally auto-oriented.
std::optional<lvtest::PnmPicture> Reference(const std::filesystem::path& file,
                                            const std::filesystem::path& dir, bool orient) {
    const std::filesystem::path out = dir / "reference.ppm";
    std::vector<std::string> args{file.string()};
    if (orient)
        args.push_back("-auto-orient");
    args.insert(args.end(), {"-depth", "8", out.string()});
    std::string messages;
    if (!lvtest::RunTool("convert", args, &messages)) {
        ADD_FAILURE() << messages;
        return std::nullopt;
    }
    return lvtest::ReadPnm(out);
}

std::vector<uint8_t> GreyRow(uint32_t y, uint32_t width) {
    std::vector<uint8_t> row(width);
    for (uint32_t x = 0; x < width; ++x)
        row[x] = static_cast<uint8_t>(x * 29 + y * 51);
    return row;
}

TEST(TiffDecode, LayoutsReadAsThePackagedReaderReadsThem) {
    LV_REQUIRE_TOOL("convert");
    lvtest::ScratchDir dir;
    std::vector<std::pair<std::string, TiffRecipe>> cases;
    {
        TiffRecipe r;
        r.row = [](uint32_t y) { return GreyRow(y, 8); };
        cases.push_back({"grey 8 strips", r});
        r.tileSize = 16;
        r.width = 37;
        r.height = 20;
        r.compression = COMPRESSION_LZW;
        r.row = [](uint32_t y) { return GreyRow(y, 37); };
        cases.push_back({"grey 8 tiles", r});
    }
    {
        TiffRecipe r;
        r.photometric = PHOTOMETRIC_MINISWHITE;
        r.bits = 1;
        r.width = 13;
        r.compression = COMPRESSION_PACKBITS;
        r.row = [](uint32_t y) {
            return std::vector<uint8_t>{static_cast<uint8_t>(0xA5 ^ y), 0x38};
        };
        cases.push_back({"bilevel min-is-white", r});
        r.photometric = PHOTOMETRIC_MINISBLACK;
        cases.push_back({"bilevel min-is-black", r});
    }
    {
        TiffRecipe r;
        r.bits = 16;
        r.width = 5;
        r.compression = COMPRESSION_ADOBE_DEFLATE;
        r.row = [](uint32_t y) {
            std::vector<uint8_t> row;
            for (uint32_t x = 0; x < 5; ++x) {
                const uint16_t v = static_cast<uint16_t>(x * 13000 + y * 900);
                row.push_back(static_cast<uint8_t>(v & 0xFF));
                row.push_back(static_cast<uint8_t>(v >> 8));
            }
            return row;
        };
        cases.push_back({"grey 16", r});
    }
    {
        TiffRecipe r;
        r.bits = 4;
        r.width = 9;
        r.photometric = PHOTOMETRIC_PALETTE;
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i < 16; ++i)
                r.colourMap.push_back(static_cast<uint16_t>(((i * 17 + c * 80) % 256) * 257));
        r.row = [](uint32_t y) {
            std::vector<uint8_t> row(5);
            for (std::size_t i = 0; i < row.size(); ++i)
                row[i] = static_cast<uint8_t>((i + y) * 0x37);
            return row;
        };
        cases.push_back({"palette 4 wide map", r});
    }
    {
        TiffRecipe r;
        r.samples = 3;
        r.photometric = PHOTOMETRIC_RGB;
        r.compression = COMPRESSION_LZW;
        r.width = 11;
        r.row = [](uint32_t y) {
            std::vector<uint8_t> row;
            for (uint32_t x = 0; x < 11; ++x)
                row.insert(row.end(), {static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 40),
                                       static_cast<uint8_t>(200 - x * 9)});
            return row;
        };
        cases.push_back({"rgb", r});
    }
    for (auto& [name, recipe] : cases) {
        SCOPED_TRACE(name);
        const auto path = dir / "case.tif";
        const auto bytes = WriteTiff(recipe, path);
        PxImage ours;
        ASSERT_TRUE(DecodeBytes(ours, bytes, PXIMAGE_FORMAT_TIF)) << ours.GetLastError();
        const auto theirs = Reference(path, dir.path(), false);
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(ours, *theirs, 1), 0);
    }
}

// A palette whose values all lie below 256 is taken as 8-bit; the grey 16-bit picture keeps the
// high bytes with a 256-level ramp.
TEST(TiffDecode, NarrowColourMapsAndSixteenBitGrey) {
    lvtest::ScratchDir dir;
    TiffRecipe palette;
    palette.photometric = PHOTOMETRIC_PALETTE;
    palette.width = 4;
    palette.height = 1;
    palette.colourMap.assign(3 * 256, 0);
    palette.colourMap[2] = 200;       // red of entry 2
    palette.colourMap[256 + 2] = 100; // green
    palette.colourMap[512 + 2] = 50;  // blue
    palette.row = [](uint32_t) { return std::vector<uint8_t>{2, 2, 0, 1}; };
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, WriteTiff(palette, dir / "p.tif"), PXIMAGE_FORMAT_TIF));
    EXPECT_EQ(image.GetPaletteColor(2), (PxRgbQuad{50, 100, 200, 0}));

    TiffRecipe grey;
    grey.bits = 16;
    grey.width = 2;
    grey.height = 1;
    grey.row = [](uint32_t) { return std::vector<uint8_t>{0x34, 0x12, 0xFF, 0xAB}; };
    ASSERT_TRUE(DecodeBytes(image, WriteTiff(grey, dir / "g.tif"), PXIMAGE_FORMAT_TIF));
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 0x12);
    EXPECT_EQ(image.GetPixelIndex(1, 0), 0xAB);
    EXPECT_TRUE(image.IsGreyScale());
}

// Every orientation shows the picture the way ImageMagick's -auto-orient does, on the strip
// path (grey) and on libtiff's RGBA path (colour).
TEST(TiffDecode, OrientationsMatchTheAutoOrientedReference) {
    LV_REQUIRE_TOOL("convert");
    lvtest::ScratchDir dir;
    for (uint16_t samples : {1, 3}) {
        for (uint16_t orientation = 1; orientation <= 8; ++orientation) {
            SCOPED_TRACE(testing::Message() << samples << " samples, orientation " << orientation);
            TiffRecipe r;
            r.width = 7;
            r.height = 4;
            r.samples = samples;
            r.photometric = samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
            r.orientation = orientation;
            r.row = [samples](uint32_t y) {
                std::vector<uint8_t> row;
                for (uint32_t x = 0; x < 7; ++x)
                    for (uint16_t s = 0; s < samples; ++s)
                        row.push_back(static_cast<uint8_t>(x * 30 + y * 7 + s * 60));
                return row;
            };
            const auto path = dir / "o.tif";
            const auto bytes = WriteTiff(r, path);
            PxImage ours;
            ASSERT_TRUE(DecodeBytes(ours, bytes, PXIMAGE_FORMAT_TIF)) << ours.GetLastError();
            const auto theirs = Reference(path, dir.path(), true);
            ASSERT_TRUE(theirs);
            EXPECT_EQ(lvtest::CountDifferences(ours, *theirs), 0);
        }
    }
}

TEST(TiffDecode, ResolutionCieLabAndSizeOnly) {
    lvtest::ScratchDir dir;
    TiffRecipe r;
    r.xResolution = 118;
    r.resolutionUnit = RESUNIT_CENTIMETER;
    r.samples = 3;
    r.photometric = PHOTOMETRIC_CIELAB;
    r.width = 2;
    r.height = 1;
    // White (L 100) and black (L 0).
    r.row = [](uint32_t) { return std::vector<uint8_t>{255, 0, 0, 0, 0, 0}; };
    const auto bytes = WriteTiff(r, dir / "lab.tif");
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, bytes, PXIMAGE_FORMAT_TIF)) << image.GetLastError();
    EXPECT_EQ(image.GetXDPI(), 300);
    EXPECT_EQ(image.GetYDPI(), 300);
    const PxRgbQuad white = image.GetPixelColor(0, 0);
    EXPECT_GE(white.rgbRed, 250);
    EXPECT_GE(white.rgbBlue, 250);
    // The conversion keeps black a little above 0, as its linear segment is not modelled.
    EXPECT_LE(image.GetPixelColor(1, 0).rgbGreen, 10);

    PxImage size;
    size.SetCancel(static_cast<DWORD>(-1));
    EXPECT_TRUE(DecodeBytes(size, bytes, PXIMAGE_FORMAT_TIF));
    EXPECT_STREQ(size.GetLastError(), "output dimensions returned");
    EXPECT_EQ(size.GetWidth(), 2u);
    // In size-only mode a file that is no TIFF still fails.
    PxImage notTiff;
    notTiff.SetCancel(static_cast<DWORD>(-1));
    EXPECT_FALSE(DecodeBytes(notTiff, std::vector<uint8_t>(64, 'x'), PXIMAGE_FORMAT_TIF));
    EXPECT_STREQ(notTiff.GetLastError(), "Error encountered while opening TIFF file");
}

TEST(TiffEncode, EachDepthReadsBackAndReadsInThePackagedTools) {
    lvtest::ScratchDir dir;
    PxImage grey = lvtest::PalettePattern(33, 9, 8);
    grey.SetGreyPalette();
    for (DWORD i = 0; i < 256; ++i)
        grey.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i),
                             static_cast<BYTE>(i));
    PxImage alphaColour = lvtest::ColourPattern(20, 7);
    alphaColour.AlphaCreate();
    alphaColour.AlphaSet(3, 2, 40);
    PxImage alphaGrey = grey;
    alphaGrey.AlphaCreate();
    alphaGrey.AlphaSet(1, 1, 9);
    PxImage bilevel = lvtest::PalettePattern(35, 12, 1);
    bilevel.SetGreyPalette();
    PxImage uncompressed = lvtest::ColourPattern(19, 11);
    uncompressed.SetCodecOption(COMPRESSION_NONE, PXIMAGE_FORMAT_TIF);
    struct Case {
        const char* name;
        PxImage image;
        DWORD compression;
        int tolerance;
    };
    const Case cases[] = {
        {"bilevel", bilevel, COMPRESSION_CCITTFAX4, 0},
        {"palette 4", lvtest::PalettePattern(21, 8, 4), COMPRESSION_LZW, 0},
        {"palette 8", lvtest::PalettePattern(40, 10, 8), COMPRESSION_LZW, 0},
        {"grey 8", grey, COMPRESSION_LZW, 0},
        {"colour", lvtest::ColourPattern(40, 24), COMPRESSION_JPEG, 24},
        {"colour uncompressed", uncompressed, COMPRESSION_NONE, 0},
        // JPEG smears a lone transparent pixel into its neighbours.
        {"colour with alpha", alphaColour, COMPRESSION_JPEG, 80},
        {"grey with alpha", alphaGrey, COMPRESSION_LZW, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PxImage source(c.image);
        const auto bytes = EncodeBytes(source, PXIMAGE_FORMAT_TIF);
        ASSERT_FALSE(bytes.empty()) << source.GetLastError();
        PxImage back;
        ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_UNKNOWN)) << back.GetLastError();
        EXPECT_EQ(back.GetFormat(), PXIMAGE_FORMAT_TIF);
        EXPECT_EQ(back.GetCodecOption(PXIMAGE_FORMAT_TIF), c.compression);
        EXPECT_EQ(back.AlphaIsValid(), source.AlphaIsValid());
        long off = 0;
        for (LONG y = 0; y < static_cast<LONG>(source.GetHeight()); ++y)
            for (LONG x = 0; x < static_cast<LONG>(source.GetWidth()); ++x) {
                const PxRgbQuad a = source.GetPixelColor(x, y, false);
                const PxRgbQuad b = back.GetPixelColor(x, y, false);
                off += std::abs(a.rgbRed - b.rgbRed) > c.tolerance ||
                       std::abs(a.rgbGreen - b.rgbGreen) > c.tolerance ||
                       std::abs(a.rgbBlue - b.rgbBlue) > c.tolerance ||
                       std::abs(source.AlphaGet(x, y) - back.AlphaGet(x, y)) > c.tolerance;
            }
        EXPECT_EQ(off, 0);
        if (!lvtest::FindTool("tiffinfo") || !lvtest::FindTool("convert"))
            continue;
        lvtest::WriteBytes(dir / "ours.tif", bytes);
        std::string listing;
        EXPECT_TRUE(lvtest::RunTool("tiffinfo", {"-D", (dir / "ours.tif").string()}, &listing))
            << listing;
        EXPECT_EQ(listing.find("rror"), std::string::npos) << listing;
        const auto theirs = Reference(dir / "ours.tif", dir.path(), false);
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(back, *theirs, 1), 0);
    }
}

// Saving a 1-bit picture whose palette is (black, white) stores min-is-white: the caller's
// picture gets palette (white, black) and inverted pixel bytes, and looks the same.
TEST(TiffEncode, BilevelPaletteIsStoredMinIsWhite) {
    PxImage image(9, 2, 1, PXIMAGE_FORMAT_BMP);
    image.SetGreyPalette();
    image.Clear(0);
    image.SetPixelIndex(3, 1, 1);
    const auto bytes = EncodeBytes(image, PXIMAGE_FORMAT_TIF);
    EXPECT_EQ(image.GetPaletteColor(0).rgbRed, 255);
    EXPECT_EQ(image.GetPixelIndex(3, 1), 0);
    EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_TIF));
    EXPECT_EQ(back.GetPixelColor(3, 1).rgbRed, 255);
    EXPECT_EQ(back.GetPixelColor(0, 0).rgbRed, 0);
}

TEST(TiffEncode, SeveralPagesThroughOneFile) {
    PxImageTIF writer;
    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    for (int page = 0; page < 3; ++page) {
        PxImage picture = lvtest::PalettePattern(10 + page, 5, 8);
        writer.Copy(picture);
        ASSERT_TRUE(writer.Encode(&out, page < 2)) << writer.GetLastError();
    }
    const auto bytes = lvtest::Contents(out);
    PxImage second;
    second.SetFrameIndex(1);
    ASSERT_TRUE(DecodeBytes(second, bytes, PXIMAGE_FORMAT_TIF)) << second.GetLastError();
    EXPECT_EQ(second.GetNumFrames(), 3);
    EXPECT_EQ(second.GetWidth(), 11u);
    PxImage missing;
    missing.SetFrameIndex(3);
    EXPECT_FALSE(DecodeBytes(missing, bytes, PXIMAGE_FORMAT_TIF));
    EXPECT_STREQ(missing.GetLastError(), "Error: page not present in TIFF file");
    EXPECT_EQ(missing.GetNumFrames(), 3);
    if (lvtest::FindTool("tiffinfo")) {
        lvtest::ScratchDir dir;
        lvtest::WriteBytes(dir / "pages.tif", bytes);
        std::string listing;
        EXPECT_TRUE(lvtest::RunTool("tiffinfo", {(dir / "pages.tif").string()}, &listing));
        EXPECT_NE(listing.find("Page Number: 3-3"), std::string::npos) << listing;
        EXPECT_NE(listing.find("Page 2"), std::string::npos) << listing;
    }
}

TEST(TiffEncode, WriteFailureIsReported) {
    PxImage image = lvtest::ColourPattern(8, 8);
    lvtest::RefusingFile refusing;
    EXPECT_FALSE(image.Encode(&refusing, PXIMAGE_FORMAT_TIF));
    EXPECT_STRNE(image.GetLastError(), "");
}

} // namespace
