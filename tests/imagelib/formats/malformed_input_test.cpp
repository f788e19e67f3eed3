// Damaged and hostile files for the GIF, TIFF, ICO, TGA, PCX and WBMP decoders: a table of
// cases per decoder with the answer each must give, and a sweep of truncations and byte flips
// of files our encoders write. Nothing may crash, hang, read uninitialised rows or trip a
// sanitizer.
#include "gif_builder.h"
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <functional>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;
using Bytes = std::vector<std::uint8_t>;

struct Case {
    std::string name;
    Bytes bytes;
    bool decodes;
    std::string error; // the expected text of a failure
    std::function<void(const PxImage&)> check = nullptr;
};

void RunTable(DWORD format, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PxImage image;
        const bool ok = DecodeBytes(image, c.bytes, format);
        EXPECT_EQ(ok, c.decodes) << image.GetLastError();
        if (!c.decodes) {
            EXPECT_EQ(image.GetLastError(), c.error);
            EXPECT_FALSE(image.IsValid());
        }
        if (ok && c.check)
            c.check(image);
    }
}

Bytes Cut(Bytes bytes, std::size_t length) {
    bytes.resize(std::min(length, bytes.size()));
    return bytes;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

lvtest::GifSpec OneFrameGif(int width, int height, int colours) {
    lvtest::GifSpec spec;
    spec.width = width;
    spec.height = height;
    spec.globalTable = lvtest::DistinctColours(colours);
    lvtest::GifFrameSpec frame;
    frame.width = width;
    frame.height = height;
    frame.indices.assign(static_cast<std::size_t>(width) * height, 1);
    spec.frames = {frame};
    return spec;
}

// A GIF whose image data are the given sub-block payload (after the code size byte).
Bytes GifWithData(int width, int height, int codeSize, const Bytes& payload) {
    lvtest::GifSpec spec = OneFrameGif(width, height, 256);
    spec.frames[0].writeData = false;
    spec.trailer = false;
    Bytes file = lvtest::BuildGif(spec);
    file.push_back(static_cast<std::uint8_t>(codeSize));
    for (std::size_t at = 0; at < payload.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, payload.size() - at);
        file.push_back(static_cast<std::uint8_t>(n));
        file.insert(file.end(), payload.begin() + static_cast<long>(at),
                    payload.begin() + static_cast<long>(at + n));
    }
    file.push_back(0);
    file.push_back(';');
    return file;
}

TEST(MalformedInput, Gif) {
    const Bytes good = lvtest::BuildGif(OneFrameGif(40, 30, 256));
    lvtest::GifSpec noFrames = OneFrameGif(4, 4, 4);
    noFrames.frames.clear();
    // Codes far past the table, again and again: chains through entries the data never made.
    Bytes wild;
    for (int i = 0; i < 3000; ++i)
        wild.push_back(static_cast<std::uint8_t>(i % 3 ? 0xFF : 0x01));
    lvtest::GifSpec emptyFrame = OneFrameGif(8, 8, 4);
    emptyFrame.frames.push_back(emptyFrame.frames[0]);
    emptyFrame.frames[0].width = 0;
    emptyFrame.frames[0].indices.clear();
    const Bytes badLocal = Cut(
        [] {
            lvtest::GifSpec s = OneFrameGif(4, 4, 4);
            s.frames[0].localTable = lvtest::DistinctColours(256);
            return lvtest::BuildGif(s);
        }(),
        13 + 12 + 10 + 100);
    const auto allIndex = [](BYTE value) {
        return [value](const PxImage& image) {
            for (LONG y = 0; y < static_cast<LONG>(image.GetHeight()); ++y)
                for (LONG x = 0; x < static_cast<LONG>(image.GetWidth()); ++x)
                    ASSERT_EQ(image.GetPixelIndex(x, y), value) << x << "," << y;
        };
    };
    RunTable(
        PXIMAGE_FORMAT_GIF,
        {
            {"not a GIF", Bytes{'G', 'I', 'F', '7', '9', 'a', 1, 0, 1, 0, 0, 0, 0}, false, ""},
            {"header only", Cut(good, 13), false, "GIF frame data ends early"},
            {"global table cut", Cut(good, 13 + 100), false, "GIF frame data ends early"},
            {"frame data cut", Cut(good, good.size() - 40), false, "GIF frame data ends early"},
            {"descriptor cut", Cut(good, 13 + 768 + 5), false, ""},
            {"local table cut", badLocal, false, "GIF frame data ends early"},
            {"no frames", lvtest::BuildGif(noFrames), false, ""},
            {"extension cut at the end",
             Concat(Cut(good, good.size() - 1), {0x21, 0xFE, 9, 'a', 'b'}), true, ""},
            {"extension cut before any frame",
             Concat(Cut(good, 13 + 768), {0x21, 0xFF, 11, 'N', 'E'}), false, ""},
            {"code size of 12", GifWithData(5, 3, 12, {0xFF, 0xFF}), true, "", allIndex(0)},
            {"codes past the table", GifWithData(64, 64, 8, wild), true, ""},
            {"data end before the picture is full", GifWithData(6, 6, 2, {0x0C, 0x05}), true, "",
             nullptr},
            {"empty frame passed over", lvtest::BuildGif(emptyFrame), true, "", allIndex(1)},
        });
}

Bytes Tiff(const std::function<void(TIFF*)>& write) {
    lvtest::ScratchDir dir;
    const auto path = dir / "case.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    write(tif);
    TIFFClose(tif);
    return lvtest::ReadBytes(path);
}

void Header(TIFF* tif, uint32_t width, uint32_t height, uint16_t bits, uint32_t rowsPerStrip) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
}

Bytes Rows(TIFF* tif, uint32_t height, std::size_t rowBytes) {
    Bytes row(rowBytes, 0x5A);
    for (uint32_t y = 0; y < height; ++y)
        TIFFWriteScanline(tif, row.data(), y, 0);
    return row;
}

// Where a tag's entry lies in the first directory of a little-endian file.
std::size_t TagEntry(const Bytes& file, std::uint16_t tag) {
    const std::size_t directory =
        file[4] | file[5] << 8 | file[6] << 16 | static_cast<std::size_t>(file[7]) << 24;
    const std::size_t entries = file[directory] | file[directory + 1] << 8;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = directory + 2 + 12 * i;
        if ((file[at] | file[at + 1] << 8) == tag)
            return at;
    }
    ADD_FAILURE() << "no tag " << tag;
    return 0;
}

TEST(MalformedInput, Tiff) {
    // 16-bit grey in one strip: the strip holds twice the bytes of the 8-bit picture.
    const Bytes wideStrip = Tiff([](TIFF* tif) {
        Header(tif, 64, 40, 16, 40);
        Rows(tif, 40, 128);
    });
    // 1-bit rows of 2 bytes against a 4-byte row stride in the picture.
    const Bytes narrowRows = Tiff([](TIFF* tif) {
        Header(tif, 9, 5, 1, 5);
        Rows(tif, 5, 2);
    });
    const Bytes good = Tiff([](TIFF* tif) {
        Header(tif, 16, 16, 8, 4);
        Rows(tif, 16, 16);
    });
    // The first strip's offset moved past the end of the file.
    Bytes farStrip = good;
    const std::size_t offsets = TagEntry(farStrip, TIFFTAG_STRIPOFFSETS);
    const std::size_t values = farStrip[offsets + 8] | farStrip[offsets + 9] << 8;
    for (int b = 0; b < 4; ++b)
        farStrip[values + b] = 0x7F;
    // Tiles one pixel wide: thousands of tiles for a small file.
    Bytes thinTiles = Tiff([](TIFF* tif) {
        Header(tif, 64, 16, 8, 16);
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
        Bytes tile(256, 7);
        for (uint32_t x = 0; x < 64; x += 16)
            TIFFWriteTile(tif, tile.data(), x, 0, 0, 0);
    });
    thinTiles[TagEntry(thinTiles, TIFFTAG_TILEWIDTH) + 8] = 1;
    RunTable(
        PXIMAGE_FORMAT_TIF,
        {
            {"not a TIFF", Bytes(100, 'x'), false, "Error encountered while opening TIFF file"},
            {"header cut", Cut(good, 6), false, "Error encountered while opening TIFF file"},
            {"strip past the end", farStrip, false, "Corrupted TIFF file!"},
            {"tiles of one pixel", thinTiles, false, "Corrupted tiled TIFF file!"},
            {"directory cut away", Cut(good, 60), false,
             "Error encountered while opening TIFF file"},
            {"strip larger than the picture", wideStrip, true, "",
             [](const PxImage& image) { EXPECT_EQ(image.GetPixelIndex(63, 0), 0x5A); }},
            {"rows shorter than the stride", narrowRows, true, "",
             [](const PxImage& image) { EXPECT_EQ(image.GetPixelIndex(1, 0), 1); }},
        });
}

TEST(MalformedInput, Ico) {
    PxImage picture = lvtest::PalettePattern(16, 16, 8);
    const Bytes good = EncodeBytes(picture, PXIMAGE_FORMAT_ICO);
    const std::size_t bitsEnd = 6 + 16 + 40 + 1024 + 256;
    Bytes offsetPast = good;
    offsetPast[18] = 0xFF;
    offsetPast[19] = 0x7F;
    Bytes zeroCount = good;
    zeroCount[4] = 0;
    // A 256 x 256 entry (size bytes 0) holding a 24-bit bitmap.
    PxImage big = lvtest::ColourPattern(255, 255);
    Bytes wide = EncodeBytes(big, PXIMAGE_FORMAT_ICO);
    // A PNG entry cut short.
    PxImage small = lvtest::ColourPattern(8, 8);
    const Bytes png = EncodeBytes(small, PXIMAGE_FORMAT_PNG);
    Bytes pngIcon;
    lv::ByteWriter w(pngIcon);
    w.u16(0);
    w.u16(1);
    w.u16(1);
    w.u8(8);
    w.u8(8);
    w.u16(0);
    w.u16(1);
    w.u16(32);
    w.u32(static_cast<std::uint32_t>(png.size()));
    w.u32(22);
    w.bytes(png);
    RunTable(PXIMAGE_FORMAT_ICO,
             {
                 {"not an icon", Bytes{1, 0, 1, 0, 1, 0}, false, ""},
                 {"no entries", zeroCount, false, ""},
                 {"directory cut", Cut(good, 12), false, ""},
                 {"image offset past the end", offsetPast, false, ""},
                 {"palette cut", Cut(good, 6 + 16 + 40 + 100), false, ""},
                 {"colour bits cut", Cut(good, bitsEnd - 10), false, ""},
                 {"mask missing", Cut(good, bitsEnd), true, "",
                  [](const PxImage& image) { EXPECT_FALSE(image.HasTransIndex()); }},
                 {"PNG entry", pngIcon, true, "",
                  [](const PxImage& image) {
                      EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_ICO);
                      EXPECT_EQ(image.GetWidth(), 8u);
                  }},
                 {"PNG entry cut", Cut(pngIcon, pngIcon.size() - 20), false, ""},
                 {"255 wide entry", wide, true, "",
                  [](const PxImage& image) { EXPECT_EQ(image.GetWidth(), 255u); }},
             });
    // Size bytes of 0 mean 256.
    Bytes header = Cut(wide, 22);
    header[6] = 0;
    header[7] = 0;
    PxImage image;
    EXPECT_FALSE(DecodeBytes(image, header, PXIMAGE_FORMAT_ICO)); // its bitmap is missing
}

Bytes TgaHeader(std::uint8_t mapType, std::uint8_t type, std::uint16_t mapLength,
                std::uint8_t entryBits, std::uint16_t width, std::uint16_t height,
                std::uint8_t depth) {
    Bytes out;
    lv::ByteWriter w(out);
    w.u8(0);
    w.u8(mapType);
    w.u8(type);
    w.u16(0);
    w.u16(mapLength);
    w.u8(entryBits);
    w.u32(0);
    w.u16(width);
    w.u16(height);
    w.u8(depth);
    w.u8(0);
    return out;
}

TEST(MalformedInput, Tga) {
    PxImage picture = lvtest::ColourPattern(10, 10);
    const Bytes good = EncodeBytes(picture, PXIMAGE_FORMAT_TGA);
    RunTable(
        PXIMAGE_FORMAT_TGA,
        {
            {"header cut", Cut(good, 10), false, "Not a TGA"},
            {"image type 4", TgaHeader(0, 4, 0, 0, 2, 2, 24), false, "Unknown TGA image type"},
            {"colour map of 300", TgaHeader(1, 1, 300, 24, 2, 2, 8), false, "bad TGA header"},
            {"depth 7", TgaHeader(0, 2, 0, 0, 2, 2, 7), false, "bad TGA header"},
            {"map entries of 12 bits", TgaHeader(1, 1, 2, 12, 2, 2, 8), false, "bad TGA header"},
            {"zero width", TgaHeader(0, 2, 0, 0, 0, 2, 24), false, "bad TGA header"},
            {"colour map cut", Concat(TgaHeader(1, 1, 256, 24, 2, 2, 8), Bytes(100, 1)), false,
             "corrupted TGA"},
            {"pixels cut", Cut(good, good.size() - 1), false, "corrupted TGA"},
            {"run-length packet cut", Concat(TgaHeader(0, 10, 0, 0, 4, 4, 24), {0x85, 1}), false,
             "corrupted TGA"},
            {"run past the last row", Concat(TgaHeader(0, 10, 0, 0, 2, 1, 24), {0xFF, 1, 2, 3}),
             true, ""},
        });
}

Bytes PcxHeader(std::uint8_t bits, std::uint16_t width, std::uint16_t height, std::uint8_t planes,
                std::uint16_t bytesPerLine) {
    Bytes out;
    lv::ByteWriter w(out);
    w.u8(10);
    w.u8(5);
    w.u8(1);
    w.u8(bits);
    w.u16(0);
    w.u16(0);
    w.u16(static_cast<std::uint16_t>(width - 1));
    w.u16(static_cast<std::uint16_t>(height - 1));
    w.u16(72);
    w.u16(72);
    w.zeros(49);
    w.u8(planes);
    w.u16(bytesPerLine);
    w.zeros(60);
    return out;
}

TEST(MalformedInput, Pcx) {
    PxImage picture = lvtest::PalettePattern(20, 6, 8);
    const Bytes good = EncodeBytes(picture, PXIMAGE_FORMAT_PCX);
    Bytes badSignature = good;
    badSignature[good.size() - 769] = 13;
    Bytes notPcx = good;
    notPcx[0] = 11;
    Bytes encoding = good;
    encoding[2] = 2;
    Bytes backwards = good;
    backwards[8] = 0; // x max below x min
    backwards[9] = 0;
    backwards[4] = 5;
    RunTable(
        PXIMAGE_FORMAT_PCX,
        {
            {"header cut", Cut(good, 100), false, "Can't read PCX image"},
            {"not a PCX", notPcx, false, "Error: Not a PCX file"},
            {"unknown encoding", encoding, false, "PCX file has unknown encoding scheme"},
            {"five planes", PcxHeader(1, 8, 8, 5, 2), false,
             "Can't handle image with more than 4 planes"},
            {"planes of two bits", PcxHeader(2, 8, 8, 3, 2), false,
             "Can't handle more than 1 bit per pixel"},
            {"bytes per line too short", PcxHeader(8, 40, 2, 1, 20), false,
             "PCX bytes per line too short for the width"},
            {"negative width", backwards, false,
             "PxImage::Create : width and height must be greater than zero"},
            {"data cut", Cut(good, 130), false, "corrupted PCX"},
            {"run past the picture", Concat(PcxHeader(8, 2, 1, 3, 2), {0xC7, 1}), false,
             "repeat count spans end of image"},
            {"palette signature", badSignature, false, "bad color map signature"},
            {"palette missing", Cut(good, good.size() - 769), false, "bad color map signature"},
        });
}

TEST(MalformedInput, Wbmp) {
    RunTable(
        PXIMAGE_FORMAT_WBMP,
        {
            {"header cut", Bytes{0, 0, 4}, false, "Not a WBMP"},
            {"type 1", Bytes{1, 0, 4, 4}, false, "Unsupported WBMP type"},
            {"zero height", Bytes{0, 0, 4, 0}, false, "Corrupted WBMP"},
            {"integer runs on", Bytes{0, 0, 0x81, 0x81, 0x81, 0x81, 0x01, 1}, false, "Not a WBMP"},
            {"rows cut", Bytes{0, 0, 9, 3, 1, 2, 3, 4}, false, "Corrupted WBMP"},
            {"huge for its data", Bytes{0, 0, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0x7F}, false,
             "Corrupted WBMP"},
        });
}

// Every truncation and many byte flips of our own files: each decode answers, and a success
// always delivers a picture that can be written again.
void Sweep(DWORD format, const Bytes& original) {
    const auto check = [format](const Bytes& bytes) {
        PxImage image;
        if (DecodeBytes(image, bytes, format)) {
            ASSERT_TRUE(image.IsValid());
            EXPECT_FALSE(EncodeBytes(image, PXIMAGE_FORMAT_BMP).empty());
        } else {
            ASSERT_FALSE(image.IsValid());
        }
    };
    const std::size_t step = std::max<std::size_t>(1, original.size() / 200);
    for (std::size_t length = 0; length < original.size(); length += step)
        check(Cut(original, length));
    for (std::size_t at = 0; at < original.size(); at += step)
        for (const std::uint8_t value : {std::uint8_t{0}, std::uint8_t{0xFF},
                                         static_cast<std::uint8_t>(original[at] ^ 0x55)}) {
            Bytes damaged = original;
            damaged[at] = value;
            check(damaged);
        }
}

TEST(MalformedInput, SweepOfOurOwnFiles) {
    PxImage colour = lvtest::ColourPattern(23, 17);
    colour.AlphaCreate();
    colour.AlphaSet(1, 1, 0);
    PxImage palette = lvtest::PalettePattern(29, 13, 8);
    PxImage sixteen = lvtest::PalettePattern(15, 9, 4);
    PxImage bilevel = lvtest::PalettePattern(31, 9, 1);
    PxImage multi = lvtest::ColourPattern(40, 20); // tiles of the true-colour GIF form
    palette.SetCodecOption(2, PXIMAGE_FORMAT_GIF);
    const struct {
        DWORD format;
        PxImage* picture;
    } seeds[] = {
        {PXIMAGE_FORMAT_GIF, &palette},  {PXIMAGE_FORMAT_GIF, &multi},
        {PXIMAGE_FORMAT_TIF, &colour},   {PXIMAGE_FORMAT_TIF, &sixteen},
        {PXIMAGE_FORMAT_TIF, &bilevel},  {PXIMAGE_FORMAT_ICO, &colour},
        {PXIMAGE_FORMAT_ICO, &sixteen},  {PXIMAGE_FORMAT_TGA, &colour},
        {PXIMAGE_FORMAT_TGA, &palette},  {PXIMAGE_FORMAT_PCX, &colour},
        {PXIMAGE_FORMAT_PCX, &sixteen},  {PXIMAGE_FORMAT_PCX, &palette},
        {PXIMAGE_FORMAT_WBMP, &bilevel},
    };
    for (const auto& seed : seeds) {
        SCOPED_TRACE(testing::Message()
                     << "format " << seed.format << ", " << seed.picture->GetBpp() << " bits");
        Sweep(seed.format, EncodeBytes(*seed.picture, seed.format));
    }
}

} // namespace
