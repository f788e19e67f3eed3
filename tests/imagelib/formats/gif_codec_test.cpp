// The GIF codec: hand-made files through the decoder (frames, disposal, transparency,
// interlacing, true-colour tiles, extensions), our three data forms read back by us and by the
// packaged readers, and the size-only mode.
#include "imagelib/px_image_gif.h"

#include "gif_builder.h"
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

std::vector<std::uint8_t> Indices(int width, int height, int modulo) {
    std::vector<std::uint8_t> v(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<std::uint8_t>((i * 5 + i / static_cast<std::size_t>(width)) % modulo);
    return v;
}

lvtest::GifFrameSpec Frame(int left, int top, int width, int height,
                           std::vector<std::uint8_t> indices = {}) {
    lvtest::GifFrameSpec frame;
    frame.left = left;
    frame.top = top;
    frame.width = width;
    frame.height = height;
    frame.indices = std::move(indices);
    return frame;
}

BYTE IndexAt(const PxImage& image, LONG x, LONG yFromTop) {
    return image.GetPixelIndex(x, static_cast<LONG>(image.GetHeight()) - 1 - yFromTop);
}

// Every pixel's index against the frame's indices (top row first).
void ExpectIndices(const PxImage& image, const std::vector<std::uint8_t>& indices, int width,
                   int height) {
    ASSERT_EQ(image.GetWidth(), static_cast<DWORD>(width));
    ASSERT_EQ(image.GetHeight(), static_cast<DWORD>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(IndexAt(image, x, y), indices[static_cast<std::size_t>(y) * width + x])
                << x << "," << y;
}

TEST(GifDecode, SingleFramesOfEachDepthAndInterlacedHeights) {
    struct Case {
        int colours, width, height;
        bool interlaced;
        WORD bpp;
    };
    const Case cases[] = {{2, 13, 7, false, 1}, {16, 9, 5, false, 4}, {256, 21, 11, false, 8},
                          {256, 6, 1, true, 8}, {256, 6, 2, true, 8}, {16, 7, 5, true, 4},
                          {256, 5, 8, true, 8}, {2, 17, 19, true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colours << " colours " << c.width << "x" << c.height
                                        << (c.interlaced ? " interlaced" : ""));
        lvtest::GifSpec spec;
        spec.width = c.width;
        spec.height = c.height;
        spec.globalTable = lvtest::DistinctColours(c.colours);
        lvtest::GifFrameSpec frame;
        frame.width = c.width;
        frame.height = c.height;
        frame.indices = Indices(c.width, c.height, c.colours);
        frame.interlaced = c.interlaced;
        spec.frames = {frame};
        PxImage image;
        ASSERT_TRUE(DecodeBytes(image, lvtest::BuildGif(spec), PXIMAGE_FORMAT_GIF))
            << image.GetLastError();
        EXPECT_EQ(image.GetBpp(), c.bpp);
        EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_GIF);
        EXPECT_EQ(image.GetNumFrames(), 1);
        ExpectIndices(image, frame.indices, c.width, c.height);
        const PxRgbQuad last = image.GetPaletteColor(static_cast<BYTE>(c.colours - 1));
        EXPECT_EQ(last.rgbRed, spec.globalTable.back()[0]);
        EXPECT_EQ(last.rgbBlue, spec.globalTable.back()[2]);
    }
}

// Five frames over a 12 x 10 screen: frame 2 shows frames 0 to 2 composed, frame 1's
// disposal 2 restoring the first transparent index before frame 2.
TEST(GifDecode, FramesComposeOverTheScreenWithDisposalAndTransparency) {
    lvtest::GifSpec spec;
    spec.width = 12;
    spec.height = 10;
    spec.globalTable = lvtest::DistinctColours(16);
    spec.loopCount = 3;
    spec.comment = "five frames";
    const auto solid = [](int w, int h, std::uint8_t value) {
        return std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h, value);
    };
    lvtest::GifFrameSpec background = Frame(0, 0, 12, 10, solid(12, 10, 1));
    background.transparent = 0;
    lvtest::GifFrameSpec first = Frame(2, 2, 4, 3, solid(4, 3, 5));
    first.transparent = 0;
    first.disposal = 2;
    first.indices[0] = 0; // a transparent pixel keeps what lies under it
    lvtest::GifFrameSpec second = Frame(6, 5, 3, 2, solid(3, 2, 7));
    second.transparent = 0;
    lvtest::GifFrameSpec third = Frame(0, 0, 1, 1, solid(1, 1, 9));
    spec.frames = {background, first, second, third, third};
    const auto bytes = lvtest::BuildGif(spec);

    PxImageGIF gif;
    gif.SetFrameIndex(1);
    PxMemoryFile in(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    ASSERT_TRUE(gif.Decode(&in)) << gif.GetLastError();
    EXPECT_EQ(gif.GetNumFrames(), 5);
    EXPECT_STREQ(gif.GetComment(), "five frames");
    EXPECT_EQ(gif.GetLoopCount(), 3);
    EXPECT_EQ(gif.GetDisposalMethod(), 2);
    ASSERT_EQ(gif.GetWidth(), 12u);
    EXPECT_EQ(IndexAt(gif, 2, 2), 1); // transparent pixel of frame 1
    EXPECT_EQ(IndexAt(gif, 3, 2), 5);
    EXPECT_EQ(IndexAt(gif, 0, 0), 1);

    PxImage image;
    image.SetFrameIndex(2);
    ASSERT_TRUE(DecodeBytes(image, bytes, PXIMAGE_FORMAT_GIF)) << image.GetLastError();
    EXPECT_EQ(image.GetNumFrames(), 5);
    EXPECT_EQ(image.GetTransIndex(), 0);
    EXPECT_EQ(IndexAt(image, 0, 0), 0); // the screen went back to the transparent index
    EXPECT_EQ(IndexAt(image, 3, 2), 0);
    EXPECT_EQ(IndexAt(image, 6, 5), 7);
    EXPECT_EQ(IndexAt(image, 8, 6), 7);

    PxImage beyond;
    beyond.SetFrameIndex(5);
    EXPECT_FALSE(DecodeBytes(beyond, bytes, PXIMAGE_FORMAT_GIF));
    EXPECT_EQ(beyond.GetNumFrames(), 5); // the caller still learns how many there are
}

// A frame without a transparency flag is not made transparent by a later frame's one.
TEST(GifDecode, TransparencyBelongsToTheFrameThatDeclaresIt) {
    lvtest::GifSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.globalTable = lvtest::DistinctColours(4);
    lvtest::GifFrameSpec opaque = Frame(0, 0, 4, 2, {3, 3, 3, 3, 3, 3, 3, 3});
    lvtest::GifFrameSpec keyed = Frame(0, 0, 4, 2, {1, 1, 1, 1, 1, 1, 1, 1});
    keyed.transparent = 3;
    spec.frames = {opaque, keyed};
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::BuildGif(spec), PXIMAGE_FORMAT_GIF));
    EXPECT_EQ(image.GetTransIndex(), -1);
    EXPECT_EQ(IndexAt(image, 0, 0), 3);
}

TEST(GifDecode, FramesOutsideTheScreenOrEmptyArePassedOver) {
    lvtest::GifSpec spec;
    spec.width = 6;
    spec.height = 4;
    spec.globalTable = lvtest::DistinctColours(4);
    lvtest::GifFrameSpec outside = Frame(4, 0, 4, 2, Indices(4, 2, 4));
    outside.localTable = lvtest::DistinctColours(4);
    lvtest::GifFrameSpec empty = Frame(0, 0, 0, 3, {});
    lvtest::GifFrameSpec inside = Frame(0, 0, 6, 4, Indices(6, 4, 4));
    spec.frames = {outside, empty, inside};
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::BuildGif(spec), PXIMAGE_FORMAT_GIF))
        << image.GetLastError();
    EXPECT_EQ(image.GetNumFrames(), 1);
    ExpectIndices(image, inside.indices, 6, 4);
}

// Frames of 1 and 4 bits over a screen whose frames start inside bytes: each pixel lands where
// its frame puts it, transparent ones keep what lies under them, and disposal 2 gives back the
// first transparent index everywhere, the frame's rectangle and the rest alike.
TEST(GifDecode, PackedFramesMixAndRestoreTheScreen) {
    for (const int colours : {2, 16}) {
        SCOPED_TRACE(colours);
        lvtest::GifSpec spec;
        spec.width = 13;
        spec.height = 5;
        spec.globalTable = lvtest::DistinctColours(colours);
        const std::uint8_t ground = 1, paint = static_cast<std::uint8_t>(colours - 1);
        lvtest::GifFrameSpec first = Frame(0, 0, 13, 5, std::vector<std::uint8_t>(65, ground));
        first.transparent = 0;
        lvtest::GifFrameSpec second = Frame(3, 1, 5, 2, Indices(5, 2, colours));
        second.indices[2] = 0; // transparent: frame 0 shows through
        second.transparent = 0;
        second.disposal = 2;
        lvtest::GifFrameSpec third = Frame(9, 3, 3, 1, std::vector<std::uint8_t>(3, paint));
        spec.frames = {first, second, third};
        const auto bytes = lvtest::BuildGif(spec);

        PxImage composed;
        composed.SetFrameIndex(1);
        ASSERT_TRUE(DecodeBytes(composed, bytes, PXIMAGE_FORMAT_GIF)) << composed.GetLastError();
        std::vector<std::uint8_t> expected(65, ground);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 5; ++x) {
                const std::uint8_t v = second.indices[static_cast<std::size_t>(y) * 5 + x];
                if (v != 0)
                    expected[static_cast<std::size_t>(y + 1) * 13 + x + 3] = v;
            }
        ExpectIndices(composed, expected, 13, 5);

        PxImage restored;
        restored.SetFrameIndex(2);
        ASSERT_TRUE(DecodeBytes(restored, bytes, PXIMAGE_FORMAT_GIF)) << restored.GetLastError();
        expected.assign(65, 0);
        for (int x = 9; x < 12; ++x)
            expected[3 * 13 + x] = paint;
        ExpectIndices(restored, expected, 13, 5);
    }
}

// What a file's frames claim against what it holds. The composed picture reaches only as far
// as its frames; frames whose data cannot deliver the pixels they claim are refused before any
// pixel is made, while a small damaged frame still shows the fill where its data stop.
TEST(GifDecode, ClaimsBeyondTheDataAreRefusedBeforeTheWork) {
    struct Case {
        const char* name;
        int screenWidth, screenHeight;
        lvtest::GifFrameSpec frame;
        bool decodes;
        DWORD width, height; // of the picture, when it decodes
    };
    lvtest::GifFrameSpec huge = Frame(0, 0, 10240, 7680, Indices(200, 1, 2));
    lvtest::GifFrameSpec corner = Frame(0, 0, 2, 2, {1, 0, 0, 1});
    lvtest::GifFrameSpec inset = Frame(1, 2, 3, 2, {1, 1, 1, 0, 0, 0});
    lvtest::GifFrameSpec short_ = Frame(0, 0, 40, 30, Indices(7, 1, 2)); // 1200 pixels, 7 given
    lvtest::GifFrameSpec badCodeSize = Frame(0, 0, 20, 10, Indices(20, 10, 2));
    badCodeSize.codeSize = 12;
    const Case cases[] = {
        {"a frame of 78 million pixels from 200 codes", 17448, 19782, huge, false, 0, 0},
        {"a two-by-two frame in a screen of 723 million pixels", 25367, 28528, corner, true, 2, 2},
        {"a frame inside the screen", 9, 9, inset, true, 4, 4},
        {"a small frame whose data stop early", 40, 30, short_, true, 40, 30},
        {"a small frame with a bad code size", 20, 10, badCodeSize, true, 20, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lvtest::GifSpec spec;
        spec.width = c.screenWidth;
        spec.height = c.screenHeight;
        spec.globalTable = lvtest::DistinctColours(2);
        spec.frames = {c.frame};
        const auto bytes = lvtest::BuildGif(spec);
        PxImage image;
        ASSERT_EQ(DecodeBytes(image, bytes, PXIMAGE_FORMAT_GIF), c.decodes) << image.GetLastError();
        PxImage size;
        size.SetCancel(static_cast<DWORD>(-1));
        if (!c.decodes) {
            EXPECT_STREQ(image.GetLastError(), "GIF frames claim more pixels than their data hold");
            continue;
        }
        EXPECT_EQ(image.GetWidth(), c.width);
        EXPECT_EQ(image.GetHeight(), c.height);
        ASSERT_TRUE(DecodeBytes(size, bytes, PXIMAGE_FORMAT_GIF));
        EXPECT_EQ(size.GetWidth(), c.width);
        EXPECT_EQ(size.GetHeight(), c.height);
    }
}

// No global table, several frames and a first frame smaller than the screen both ways: the
// frames are composed into one 24-bit picture, as our tiled writer expects.
TEST(GifDecode, TilesWithLocalTablesComposeTrueColour) {
    lvtest::GifSpec spec;
    spec.width = 5;
    spec.height = 6;
    lvtest::GifFrameSpec left = Frame(0, 0, 3, 4, Indices(3, 4, 4));
    left.localTable = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    lvtest::GifFrameSpec right = Frame(3, 0, 2, 4, Indices(2, 4, 2));
    right.localTable = {{1, 2, 3}, {200, 100, 50}};
    lvtest::GifFrameSpec bottom = Frame(0, 4, 5, 2, Indices(5, 2, 2));
    bottom.localTable = {{7, 7, 7}, {70, 80, 90}};
    spec.frames = {left, right, bottom};
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, lvtest::BuildGif(spec), PXIMAGE_FORMAT_GIF))
        << image.GetLastError();
    ASSERT_EQ(image.GetBpp(), 24);
    const auto colour = [&](LONG x, LONG y) { return lvtest::PictureColour(image, x, y); };
    EXPECT_EQ(colour(0, 0).rgbRed, left.localTable[left.indices[0]][0]);
    const PxRgbQuad c = colour(4, 3);
    const auto& expected = right.localTable[right.indices[7]];
    EXPECT_EQ(c.rgbRed, expected[0]);
    EXPECT_EQ(c.rgbGreen, expected[1]);
    EXPECT_EQ(c.rgbBlue, expected[2]);
    EXPECT_EQ(colour(4, 5).rgbRed, bottom.localTable[bottom.indices[9]][0]);
}

// An LZW stream that fills all 4096 codes and goes on without a clear code keeps decoding at
// 12 bits; our encoder's literal form reaches that point after 3839 codes of 9 bits.
TEST(GifDecode, FullTableWithoutClearKeepsTwelveBitCodes) {
    // Codes after the table filled: written by hand at 12 bits.
    std::vector<std::uint8_t> data{8};
    std::vector<std::uint8_t> bytes;
    std::uint32_t acc = 0;
    int bits = 0, width = 9, slot = 258;
    const auto code = [&](int value) {
        acc |= static_cast<std::uint32_t>(value) << bits;
        bits += width;
        while (bits >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(acc));
            acc >>= 8;
            bits -= 8;
        }
    };
    code(256);
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 4000; ++i) {
        const int value = i % 200;
        code(value);
        expected.push_back(static_cast<std::uint8_t>(value));
        if (i > 0 && slot < 4096)
            ++slot;
        if (slot >= (1 << width) && width < 12)
            ++width;
    }
    code(257);
    if (bits)
        bytes.push_back(static_cast<std::uint8_t>(acc));
    for (std::size_t at = 0; at < bytes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, bytes.size() - at);
        data.push_back(static_cast<std::uint8_t>(n));
        data.insert(data.end(), bytes.begin() + static_cast<long>(at),
                    bytes.begin() + static_cast<long>(at + n));
    }
    data.push_back(0);
    lvtest::GifSpec spec;
    spec.width = 100;
    spec.height = 40;
    spec.globalTable = lvtest::DistinctColours(256);
    lvtest::GifFrameSpec frame = Frame(0, 0, 100, 40);
    frame.writeData = false;
    spec.frames = {frame};
    spec.trailer = false;
    auto file = lvtest::BuildGif(spec);
    file.insert(file.end(), data.begin(), data.end());
    file.push_back(';');
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, file, PXIMAGE_FORMAT_GIF)) << image.GetLastError();
    ExpectIndices(image, expected, 100, 40);
}

TEST(GifEncode, EveryDataFormReadsBackTheSameIndices) {
    const PxImage pictures[] = {lvtest::PalettePattern(37, 23, 1),
                                lvtest::PalettePattern(64, 70, 4),
                                lvtest::PalettePattern(301, 77, 8)};
    for (const PxImage& source : pictures) {
        for (DWORD encoding :
             {PXGIF_ENCODING_LZW, PXGIF_ENCODING_LITERAL, PXGIF_ENCODING_RUN_LENGTH}) {
            SCOPED_TRACE(testing::Message() << source.GetBpp() << " bits, encoding " << encoding);
            PxImage copy(source);
            copy.SetCodecOption(encoding, PXIMAGE_FORMAT_GIF);
            const auto bytes = EncodeBytes(copy, PXIMAGE_FORMAT_GIF);
            ASSERT_FALSE(bytes.empty()) << copy.GetLastError();
            PxImage back;
            ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_GIF)) << back.GetLastError();
            ASSERT_EQ(back.GetBpp(), source.GetBpp());
            for (LONG y = 0; y < static_cast<LONG>(source.GetHeight()); ++y)
                for (LONG x = 0; x < static_cast<LONG>(source.GetWidth()); ++x)
                    ASSERT_EQ(back.GetPixelIndex(x, y), source.GetPixelIndex(x, y))
                        << x << "," << y;
            EXPECT_EQ(back.GetPaletteColor(1), source.GetPaletteColor(1));
        }
    }
}

// The literal form puts a clear code out each time the decoder's table would pass 4095
// entries; the sub-blocks of the LZW and literal forms hold at most 254 bytes, those of the
// run-length form at most 255.
TEST(GifEncode, LiteralClearsAndSubBlockSizes) {
    PxImage noise(200, 100, 8, PXIMAGE_FORMAT_GIF);
    noise.SetGreyPalette();
    std::uint32_t seed = 7;
    for (LONG y = 0; y < 100; ++y)
        for (LONG x = 0; x < 200; ++x) {
            seed = seed * 1103515245u + 12345u;
            noise.SetPixelIndex(x, y, static_cast<BYTE>(seed >> 24));
        }
    const auto blockSizes = [](const std::vector<std::uint8_t>& gif) {
        // Header, global table (768), graphic control (8), descriptor (10), code size.
        std::size_t at = 13 + 768 + 8 + 10 + 1;
        std::vector<int> sizes;
        while (at < gif.size() && gif[at] != 0) {
            sizes.push_back(gif[at]);
            at += gif[at] + 1u;
        }
        return sizes;
    };
    struct Case {
        DWORD encoding;
        int largest;
    };
    for (const Case c : {Case{PXGIF_ENCODING_LZW, 254}, Case{PXGIF_ENCODING_LITERAL, 254},
                         Case{PXGIF_ENCODING_RUN_LENGTH, 255}}) {
        noise.SetCodecOption(c.encoding, PXIMAGE_FORMAT_GIF);
        const auto gif = EncodeBytes(noise, PXIMAGE_FORMAT_GIF);
        const auto sizes = blockSizes(gif);
        ASSERT_FALSE(sizes.empty());
        EXPECT_EQ(*std::max_element(sizes.begin(), sizes.end()), c.largest) << c.encoding;
    }
    // 20000 literal codes: 3839 a table, so five clears after the first, codes of 9 to 12 bits.
    noise.SetCodecOption(PXGIF_ENCODING_LITERAL, PXIMAGE_FORMAT_GIF);
    const auto literal = EncodeBytes(noise, PXIMAGE_FORMAT_GIF);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, literal, PXIMAGE_FORMAT_GIF));
    EXPECT_EQ(back.GetPixelIndex(199, 0), noise.GetPixelIndex(199, 0));
    const std::size_t dataBytes = literal.size() - (13 + 768 + 8 + 10 + 1 + 2);
    // 3839 codes per table: 255 of 9 bits, 512 of 10, 1024 of 11, 2048 of 12.
    const double bitsPerTable = 255 * 9 + 512 * 10 + 1024 * 11 + 2048 * 12 + 12;
    EXPECT_NEAR(static_cast<double>(dataBytes), 20000 / 3839.0 * bitsPerTable / 8, 600);
}

TEST(GifEncode, HeaderExtensionsAndTransparentIndex) {
    PxImage image = lvtest::PalettePattern(10, 4, 4);
    image.SetTransIndex(6);
    const auto bytes = EncodeBytes(image, PXIMAGE_FORMAT_GIF);
    ASSERT_GE(bytes.size(), 13u + 48u + 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(bytes[10], 0xE3); // a global table of 16 entries
    const std::size_t control = 13 + 48;
    EXPECT_EQ(bytes[control], 0x21);
    EXPECT_EQ(bytes[control + 1], 0xF9);
    EXPECT_EQ(bytes[control + 3], 1); // transparent index present
    EXPECT_EQ(bytes[control + 6], 6);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(back.GetFormat(), PXIMAGE_FORMAT_GIF);
    EXPECT_EQ(back.GetTransIndex(), 6);
}

// True-colour pictures go out as 17 x 15 cells with local tables; a pixel of the transparent
// colour takes index 0, and the picture reads back as the same 24-bit colours.
TEST(GifEncode, TrueColourTilesReadBackAsTheSameColours) {
    PxImage picture = lvtest::ColourPattern(40, 20);
    const PxRgbQuad key{10, 20, 30, 0};
    picture.SetPixelColor(5, 19, key);
    picture.SetTransColor(key);
    picture.SetTransIndex(0);
    const auto bytes = EncodeBytes(picture, PXIMAGE_FORMAT_GIF);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[10], 0x11); // no global table
    int cells = 0;
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0x21 && bytes[i + 1] == 0xF9 && bytes[i + 2] == 4 && bytes[i + 7] == 0 &&
            bytes[i + 8] == ',')
            ++cells;
    EXPECT_EQ(cells, 3 * 2);
    PxImage back;
    ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_GIF)) << back.GetLastError();
    ASSERT_EQ(back.GetBpp(), 24);
    ASSERT_EQ(back.GetWidth(), 40u);
    EXPECT_EQ(back.GetNumFrames(), 6);
    for (LONG y = 0; y < 20; ++y)
        for (LONG x = 0; x < 40; ++x)
            ASSERT_EQ(back.GetPixelColor(x, y, false), picture.GetPixelColor(x, y, false))
                << x << "," << y;
    EXPECT_EQ(back.GetTransIndex(), 0);
    EXPECT_EQ(back.GetTransColor(), key);
}

TEST(GifEncode, CommentOfADecodedFileIsWrittenBack) {
    lvtest::GifSpec spec;
    spec.width = 3;
    spec.height = 2;
    spec.globalTable = lvtest::DistinctColours(2);
    spec.comment = "kept";
    spec.frames = {Frame(0, 0, 3, 2, {0, 1, 0, 1, 0, 1})};
    const auto bytes = lvtest::BuildGif(spec);
    PxImageGIF gif;
    PxMemoryFile in(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    ASSERT_TRUE(gif.Decode(&in));
    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(gif.Encode(&out));
    const auto written = lvtest::Contents(out);
    const std::string text(written.begin(), written.end());
    EXPECT_NE(text.find(std::string("\x21\xFE\x04kept\x00", 8)), std::string::npos);
}

TEST(GifEncode, WriteFailureIsReported) {
    PxImage image = lvtest::PalettePattern(8, 8, 8);
    lvtest::RefusingFile refusing;
    EXPECT_FALSE(image.Encode(&refusing, PXIMAGE_FORMAT_GIF));
    EXPECT_STREQ(image.GetLastError(), "Write Error in GIF file");
}

TEST(GifDecode, SizeOnlyModeGivesTheScreenSize) {
    const auto bytes = EncodeBytes(*std::make_unique<PxImage>(lvtest::PalettePattern(33, 12, 8)),
                                   PXIMAGE_FORMAT_GIF);
    PxImage image;
    image.SetCancel(static_cast<DWORD>(-1));
    ASSERT_TRUE(DecodeBytes(image, bytes, PXIMAGE_FORMAT_GIF));
    EXPECT_EQ(image.GetWidth(), 33u);
    EXPECT_EQ(image.GetHeight(), 12u);
    EXPECT_FALSE(image.IsValid());
}

// Our files read the same in giflib's and ImageMagick's readers, and theirs in ours.
TEST(GifCrossCheck, PackagedReadersAndWritersAgree) {
    LV_REQUIRE_TOOL("convert");
    lvtest::ScratchDir dir;
    for (DWORD encoding : {PXGIF_ENCODING_LZW, PXGIF_ENCODING_LITERAL, PXGIF_ENCODING_RUN_LENGTH}) {
        PxImage picture = lvtest::PalettePattern(97, 41, 8);
        picture.SetCodecOption(encoding, PXIMAGE_FORMAT_GIF);
        lvtest::WriteBytes(dir / "ours.gif", EncodeBytes(picture, PXIMAGE_FORMAT_GIF));
        ASSERT_TRUE(
            lvtest::RunTool("convert", {(dir / "ours.gif").string(), (dir / "ours.ppm").string()}));
        const auto theirs = lvtest::ReadPnm(dir / "ours.ppm");
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(picture, *theirs), 0) << "encoding " << encoding;
        if (!lvtest::FindTool("gif2rgb"))
            continue;
        // giflib's own reader: one file of red, green, blue triplets, top row first.
        ASSERT_TRUE(lvtest::RunTool(
            "gif2rgb", {"-1", "-o", (dir / "ours.rgb").string(), (dir / "ours.gif").string()}));
        const auto rgb = lvtest::ReadBytes(dir / "ours.rgb");
        ASSERT_EQ(rgb.size(), 97u * 41 * 3);
        long differences = 0;
        for (LONG y = 0; y < 41; ++y)
            for (LONG x = 0; x < 97; ++x) {
                const PxRgbQuad c = lvtest::PictureColour(picture, x, y);
                const std::size_t at = (static_cast<std::size_t>(y) * 97 + x) * 3;
                differences +=
                    rgb[at] != c.rgbRed || rgb[at + 1] != c.rgbGreen || rgb[at + 2] != c.rgbBlue;
            }
        EXPECT_EQ(differences, 0) << "encoding " << encoding;
    }

    // ImageMagick writes an interlaced, transparent file; we read the same colours.
    PxImage colours = lvtest::ColourPattern(50, 30);
    colours.Save(("Z:" + (dir / "source.bmp").string()).c_str(), PXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(lvtest::RunTool("convert", {(dir / "source.bmp").string(), "-colors", "64",
                                            "-interlace", "GIF", (dir / "theirs.gif").string()}));
    ASSERT_TRUE(
        lvtest::RunTool("convert", {(dir / "theirs.gif").string(), (dir / "theirs.ppm").string()}));
    PxImage ours;
    ASSERT_TRUE(ours.Load(("Z:" + (dir / "theirs.gif").string()).c_str(), PXIMAGE_FORMAT_GIF))
        << ours.GetLastError();
    const auto reference = lvtest::ReadPnm(dir / "theirs.ppm");
    ASSERT_TRUE(reference);
    EXPECT_EQ(lvtest::CountDifferences(ours, *reference), 0);
}

} // namespace
