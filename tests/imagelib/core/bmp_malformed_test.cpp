// Hostile BMP input: damaged headers, counts and offsets, truncations and byte flips.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "imagelib/px_image.h"
#include "tests/imagelib/core/bmp_test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Offsets in a file with the 14-byte file header and the 40-byte info header.
constexpr std::size_t kPixelOffset = 10, kHeaderSize = 14, kWidth = 18, kHeight = 22, kBits = 28,
                      kCompression = 30, kImageSize = 34, kColoursUsed = 46;

struct MalformedCase {
    const char* name;
    int bitCount;
    lvtest::BmpRle rle;
    std::function<void(Bytes&)> damage;
    const char* error; // null: must decode (safely) anyway
};

const MalformedCase kCases[] = {
    {"empty", 24, lvtest::BmpRle::None, [](Bytes& b) { b.clear(); }, "Not a BMP"},
    {"shorter than the file header", 24, lvtest::BmpRle::None, [](Bytes& b) { b.resize(9); },
     "Not a BMP"},
    {"cut inside the info header", 24, lvtest::BmpRle::None, [](Bytes& b) { b.resize(30); },
     "Error reading BMP info"},
    {"header size 20", 24, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kHeaderSize, 20); },
     "Error reading BMP info"},
    {"long header with compression", 24, lvtest::BmpRle::None,
     [](Bytes& b) {
         Put32(b, kHeaderSize, 108);
         Put32(b, kCompression, 3);
     },
     "Error reading BMP info"},
    {"huge header size", 24, lvtest::BmpRle::None,
     [](Bytes& b) { Put32(b, kHeaderSize, 0xFFFFFFF0); }, "Error reading BMP info"},
    {"zero width", 24, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kWidth, 0); },
     "Can't allocate memory"},
    {"negative width", 24, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kWidth, 0xFFFFFFF0); },
     "Can't allocate memory"},
    {"most negative height", 24, lvtest::BmpRle::None,
     [](Bytes& b) { Put32(b, kHeight, 0x80000000u); }, "Error reading BMP info"},
    {"dimensions past the memory limit", 8, lvtest::BmpRle::Rle8,
     [](Bytes& b) {
         Put32(b, kWidth, 100000);
         Put32(b, kHeight, 100000);
     },
     "Can't allocate memory"},
    {"dimensions the data cannot hold", 24, lvtest::BmpRle::None,
     [](Bytes& b) {
         Put32(b, kWidth, 8000);
         Put32(b, kHeight, 8000);
     },
     "BMP data truncated"},
    {"pixels cut short", 24, lvtest::BmpRle::None, [](Bytes& b) { b.resize(b.size() - 5); },
     "BMP data truncated"},
    {"32-bit pixels cut short", 32, lvtest::BmpRle::None, [](Bytes& b) { b.resize(b.size() - 1); },
     "BMP data truncated"},
    {"16-bit pixels cut short", 16, lvtest::BmpRle::None, [](Bytes& b) { b.resize(b.size() - 2); },
     "BMP data truncated"},
    {"palette cut short", 8, lvtest::BmpRle::None, [](Bytes& b) { b.resize(54 + 100); },
     "Error reading BMP palette"},
    {"image size field larger than the buffer", 8, lvtest::BmpRle::None,
     [](Bytes& b) { Put32(b, kImageSize, 0x7FFFFFFF); }, nullptr},
    {"colours used beyond the palette", 8, lvtest::BmpRle::None,
     [](Bytes& b) { Put32(b, kColoursUsed, 100000); }, nullptr},
    {"pixel offset past the end", 24, lvtest::BmpRle::None,
     [](Bytes& b) { Put32(b, kPixelOffset, 0xFFFFFF00u); }, "BMP data truncated"},
    {"bit count 2", 24, lvtest::BmpRle::None, [](Bytes& b) { Put16(b, kBits, 2); },
     "BMP bit count not supported"},
    {"8-bit compression 5", 8, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kCompression, 5); },
     "compression type not supported"},
    {"24-bit run-length", 24, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kCompression, 1); },
     "unknown compression"},
    {"32-bit compression 2", 32, lvtest::BmpRle::None, [](Bytes& b) { Put32(b, kCompression, 2); },
     "unknown compression"},
    {"run-length data cut short", 8, lvtest::BmpRle::Rle8, [](Bytes& b) { b.resize(b.size() - 9); },
     nullptr},
    {"run-length runs past the row and deltas past the picture", 8, lvtest::BmpRle::Rle8,
     [](Bytes& b) {
         b.resize(54 + 1024);
         const std::uint8_t runs[] = {255, 7, 255, 7, 0, 2, 250, 250, 40, 3, 0, 200, 1, 2};
         b.insert(b.end(), std::begin(runs), std::end(runs));
     },
     nullptr},
    {"run-length 4 absolute run past the end", 4, lvtest::BmpRle::Rle4,
     [](Bytes& b) {
         b.resize(54 + 64);
         const std::uint8_t runs[] = {0, 255, 0x12, 0x34};
         b.insert(b.end(), std::begin(runs), std::end(runs));
     },
     nullptr},
};

TEST(BmpMalformed, EachCaseFailsWithItsReasonOrDecodesSafely) {
    for (const MalformedCase& c : kCases) {
        lvtest::BmpSpec spec = lvtest::PictureSpec(c.bitCount, 13, 5);
        spec.rle = c.rle;
        Bytes bytes = lvtest::WriteBmp(spec);
        c.damage(bytes);
        PxImage image(2, 2, 24);
        const bool ok = image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()),
                                               PXIMAGE_FORMAT_BMP);
        if (c.error) {
            EXPECT_FALSE(ok) << c.name;
            EXPECT_STREQ(image.GetLastError(), c.error) << c.name;
            EXPECT_EQ(image.GetWidth(), 2u) << c.name; // a failed decode leaves the image
        } else {
            EXPECT_TRUE(ok) << c.name << ": " << image.GetLastError();
        }
    }
}

TEST(BmpMalformed, RunLengthStopsAtTheLastRow) {
    lvtest::BmpSpec spec = lvtest::PictureSpec(8, 4, 2);
    spec.rle = lvtest::BmpRle::Rle8;
    Bytes bytes = lvtest::WriteBmp(spec);
    bytes.resize(54 + 1024);
    // Two rows of red, then more rows than the picture has.
    for (int row = 0; row < 6; ++row) {
        const std::uint8_t line[] = {4, 1, 0, 0};
        bytes.insert(bytes.end(), std::begin(line), std::end(line));
    }
    PxImage image;
    ASSERT_TRUE(
        image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), PXIMAGE_FORMAT_BMP));
    EXPECT_EQ(image.GetPixelIndex(3, 1), 1);
}

// Truncations and byte flips of valid files of every depth: each decode ends, cleanly, within
// the sanitizers; truncated uncompressed pixels always fail.
TEST(BmpMalformed, TruncationAndFlipSweep) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    struct Source {
        int bits;
        lvtest::BmpRle rle;
        bool bitfields;
    } sources[] = {{1, lvtest::BmpRle::None, false}, {4, lvtest::BmpRle::Rle4, false},
                   {8, lvtest::BmpRle::Rle8, false}, {8, lvtest::BmpRle::None, false},
                   {16, lvtest::BmpRle::None, true}, {24, lvtest::BmpRle::None, false},
                   {32, lvtest::BmpRle::None, false}};
    std::size_t decodes = 0;
    for (const Source& s : sources) {
        lvtest::BmpSpec spec = lvtest::PictureSpec(s.bits, 7, 3);
        spec.rle = s.rle;
        spec.bitfields = s.bitfields;
        const Bytes original = lvtest::WriteBmp(spec);
        for (std::size_t length = 0; length < original.size(); ++length) {
            Bytes cut(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length));
            PxImage image;
            const bool ok = image.DecodeFromMemory(cut.data(), static_cast<DWORD>(cut.size()),
                                                   PXIMAGE_FORMAT_UNKNOWN);
            ++decodes;
            if (s.rle == lvtest::BmpRle::None) {
                EXPECT_FALSE(ok) << s.bits << " bits cut at " << length;
            }
        }
        for (std::size_t at = 0; at < original.size(); ++at) {
            for (std::uint8_t flip : {0xFF, 0x80, 0x01, 0x7F}) {
                if (std::chrono::steady_clock::now() > deadline)
                    break;
                Bytes damaged = original;
                damaged[at] ^= flip;
                PxImage image;
                image.DecodeFromMemory(damaged.data(), static_cast<DWORD>(damaged.size()),
                                       PXIMAGE_FORMAT_BMP);
                ++decodes;
            }
        }
    }
    EXPECT_GT(decodes, 1000u);
}

} // namespace
