// Hostile input for the JPEG-2000 family: a table of hand-made broken files, each refused with
// a reason, and truncations and byte flips of valid files of every format, none of which may
// crash, hang or trip a sanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>

#include "imagelib/px_file.h"

#include "../codecs/codec_test_util.h"
#include "jas_fixtures.h"

namespace {

using lvtest::Bytes;
using lvtest::WithData;

struct Malformed {
    const char* name;
    DWORD format;
    std::vector<std::uint8_t> bytes;
    const char* error;
};

class JasMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(JasMalformed, IsRefusedWithItsReason) {
    const Malformed& c = GetParam();
    PxImage image;
    EXPECT_FALSE(lvtest::DecodeBytes(image, c.bytes, c.format));
    EXPECT_STREQ(image.GetLastError(), c.error);
    EXPECT_FALSE(image.IsValid());
}

constexpr const char* kBad = "error: cannot load image data";

std::vector<std::uint8_t> Zeros(std::size_t n) {
    return std::vector<std::uint8_t>(n, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, JasMalformed,
    testing::Values(
        // No bytes at all is no stream.
        Malformed{"empty", PXIMAGE_FORMAT_PNM, {}, "error: cannot open standard input"},
        Malformed{"unknown_magic", PXIMAGE_FORMAT_JP2, Bytes("hello world!"), kBad},
        Malformed{"pnm_zero_width", PXIMAGE_FORMAT_PNM, WithData("P5 0 4 255\n", Zeros(4)), kBad},
        Malformed{"pnm_max_value_zero", PXIMAGE_FORMAT_PNM, WithData("P5 1 1 0\n", Zeros(1)), kBad},
        Malformed{"pnm_max_value_too_large", PXIMAGE_FORMAT_PNM,
                  WithData("P5 1 1 65536\n", Zeros(2)), kBad},
        Malformed{"pnm_ten_digit_width", PXIMAGE_FORMAT_PNM,
                  WithData("P5 4294967297 1 255\n", Zeros(4)), kBad},
        // A header that promises far more pixels than the file holds allocates nothing.
        Malformed{"pnm_huge_claim", PXIMAGE_FORMAT_PNM, WithData("P6 60000 60000 255\n", Zeros(9)),
                  kBad},
        Malformed{"pnm_short_raster", PXIMAGE_FORMAT_PNM, WithData("P6 2 2 255\n", Zeros(11)),
                  kBad},
        Malformed{"pnm_no_space_after_header", PXIMAGE_FORMAT_PNM, Bytes("P5 1 1 255"), kBad},
        Malformed{"pnm_text_letter", PXIMAGE_FORMAT_PNM, Bytes("P2 2 1 255\n7 x\n"), kBad},
        Malformed{"pbm_text_digit_two", PXIMAGE_FORMAT_PNM, Bytes("P1 2 1 1 2"), kBad},
        Malformed{"pgx_depth_zero", PXIMAGE_FORMAT_PGX, WithData("PG ML + 0 1 1\n", Zeros(1)),
                  kBad},
        Malformed{"pgx_depth_seventeen", PXIMAGE_FORMAT_PGX, WithData("PG ML + 17 1 1\n", Zeros(4)),
                  kBad},
        Malformed{"pgx_bad_order", PXIMAGE_FORMAT_PGX, WithData("PG XX + 8 1 1\n", Zeros(1)), kBad},
        Malformed{"pgx_short", PXIMAGE_FORMAT_PGX, WithData("PG ML + 16 3 3\n", Zeros(17)), kBad},
        Malformed{"ras_depth_seven", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(1, 1, 7, 1, 0, {}, Zeros(2)), kBad},
        Malformed{"ras_unknown_type", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(1, 1, 8, 4, 0, {}, Zeros(2)), kBad},
        Malformed{"ras_unknown_map", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(1, 1, 8, 1, 3, {1, 2, 3}, Zeros(2)), kBad},
        Malformed{"ras_map_not_triplets", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(1, 1, 8, 1, 1, {1, 2, 3, 4}, Zeros(2)), kBad},
        Malformed{"ras_map_too_long", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(1, 1, 8, 1, 1, std::vector<std::uint8_t>(771, 1), Zeros(2)),
                  kBad},
        Malformed{"ras_short_data", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(3, 3, 24, 1, 0, {}, Zeros(20)), kBad},
        Malformed{"ras_runs_end_early", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(8, 8, 8, 2, 0, {}, {0x80, 0x05, 0x01}), kBad},
        Malformed{"ras_huge_claim", PXIMAGE_FORMAT_RAS,
                  lvtest::RasFile(0x7FFFFFFF, 0x7FFFFFFF, 24, 1, 0, {}, Zeros(16)), kBad},
        Malformed{"jp2_signature_only",
                  PXIMAGE_FORMAT_JP2,
                  {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A},
                  kBad},
        Malformed{
            "jpc_markers_only", PXIMAGE_FORMAT_JPC, {0xFF, 0x4F, 0xFF, 0x51, 0x00, 0x02}, kBad}),
    [](const testing::TestParamInfo<Malformed>& param) { return std::string(param.param.name); });

// Every decode of damaged bytes answers cleanly: a valid image, or none with a reason.
void CheckDecode(const std::vector<std::uint8_t>& bytes, DWORD format, const std::string& what) {
    PxImage image;
    if (lvtest::DecodeBytes(image, bytes, format)) {
        ASSERT_TRUE(image.IsValid()) << what;
        ASSERT_GT(image.GetWidth(), 0u) << what;
    } else {
        ASSERT_STRNE(image.GetLastError(), "") << what;
        ASSERT_FALSE(image.IsValid()) << what;
    }
}

// A file that grows while it is read: its size says what it held when the decoder took it,
// while reads go on into what was written since. The decoder reads no byte past that length,
// whatever it then makes of the shorter stream.
class GrowingFile : public PxMemoryFile {
public:
    GrowingFile(std::vector<std::uint8_t>& bytes, LONG declared)
        : PxMemoryFile(bytes.data(), static_cast<DWORD>(bytes.size())), m_declared(declared) {}
    LONG Size() override { return m_declared; }
    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override {
        const std::size_t got = PxMemoryFile::Read(buffer, size, count);
        m_furthest = std::max(m_furthest, Tell());
        return got;
    }
    LONG Furthest() const { return m_furthest; }

private:
    LONG m_declared;
    LONG m_furthest = 0;
};

TEST(JasMalformed, AFileGrowingWhileItIsReadIsReadOnlyToItsLength) {
    std::vector<std::int32_t> plane(40 * 30);
    for (std::size_t i = 0; i < plane.size(); ++i)
        plane[i] = static_cast<std::int32_t>((i * 7) & 0xFF);
    for (const auto& [codec, format] : {std::pair{PxJasCodec::jpc, PXIMAGE_FORMAT_JPC},
                                        std::pair{PxJasCodec::jp2, PXIMAGE_FORMAT_JP2}}) {
        const std::vector<std::uint8_t> whole = lvtest::OpenJpegFile(codec, 40, 30, {plane});
        ASSERT_FALSE(whole.empty());
        const LONG size = static_cast<LONG>(whole.size());
        for (const LONG declared : {size / 3, size / 2, size - 2}) {
            SCOPED_TRACE(testing::Message() << format << ": " << declared << " of " << size);
            std::vector<std::uint8_t> bytes = whole;
            GrowingFile file(bytes, declared);
            PxImage image;
            image.Decode(&file, format);
            EXPECT_LE(file.Furthest(), declared);
        }
    }
}

// The process's peak memory in kilobytes, from the point `ResetPeak` was last called.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// A codestream whose size marker declares 65535 one-pixel tiles in a file of a few hundred
// bytes: the reader set up every tile before reading any (hundreds of megabytes and seconds).
TEST(JasMalformed, TilesDeclaredBeyondTheDataAreRefusedBeforeTheyAreSetUp) {
    std::vector<std::int32_t> plane(40 * 30, 90);
    for (const auto& [codec, format] : {std::pair{PxJasCodec::jpc, PXIMAGE_FORMAT_JPC},
                                        std::pair{PxJasCodec::jp2, PXIMAGE_FORMAT_JP2}}) {
        SCOPED_TRACE(format);
        const std::vector<std::uint8_t> whole = lvtest::OpenJpegFile(codec, 40, 30, {plane});
        PxImage image;
        ASSERT_TRUE(lvtest::DecodeBytes(image, whole, format)) << "the file as written decodes";

        std::vector<std::uint8_t> tiled = whole;
        const std::uint8_t opening[] = {0xFF, 0x4F, 0xFF, 0x51};
        auto at = std::search(tiled.begin(), tiled.end(), std::begin(opening), std::end(opening));
        ASSERT_NE(at, tiled.end());
        std::uint8_t* siz = &*at + 8; // past SOC, SIZ, its length and Rsiz
        const auto put = [](std::uint8_t* p, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
        };
        put(siz, 255);     // Xsiz
        put(siz + 4, 257); // Ysiz
        put(siz + 16, 1);  // XTsiz
        put(siz + 20, 1);  // YTsiz
        ResetPeak();
        const long before = PeakKilobytes();
        PxImage hostile;
        EXPECT_FALSE(lvtest::DecodeBytes(hostile, tiled, format));
        EXPECT_STREQ(hostile.GetLastError(), kBad);
        EXPECT_LT(PeakKilobytes() - before, 32 * 1024) << "kilobytes more at the peak";
    }
}

TEST(JasMalformedSweep, TruncationsAndFlipsOfEveryFormat) {
    PxImage colour = lvtest::JasColourPattern(19, 11);
    PxImage grey = lvtest::JasGreyPattern(19, 11);
    colour.SetJpegQuality(30);
    struct Seed {
        const char* name;
        DWORD format;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Seed> seeds = {
        {"jp2", PXIMAGE_FORMAT_JP2, lvtest::EncodeBytes(colour, PXIMAGE_FORMAT_JP2)},
        {"jpc", PXIMAGE_FORMAT_JPC, lvtest::EncodeBytes(grey, PXIMAGE_FORMAT_JPC)},
        {"pgx", PXIMAGE_FORMAT_PGX, lvtest::EncodeBytes(grey, PXIMAGE_FORMAT_PGX)},
        {"pnm", PXIMAGE_FORMAT_PNM, lvtest::EncodeBytes(colour, PXIMAGE_FORMAT_PNM)},
        {"pnm_text", PXIMAGE_FORMAT_PNM, Bytes("P3 2 2 300\n1 2 3 4 5 6\n# c\n7 8 9 299 0 1\n")},
        {"ras", PXIMAGE_FORMAT_RAS, lvtest::EncodeBytes(colour, PXIMAGE_FORMAT_RAS)},
        {"ras_runs", PXIMAGE_FORMAT_RAS,
         lvtest::RasFile(6, 2, 8, 2, 1, {0, 80, 160, 255, 0, 9, 18, 27, 5, 5, 5, 5},
                         {0x80, 0x04, 0x02, 0x01, 0x80, 0x00, 0x03, 0x80, 0x02, 0x01})},
    };
    for (const Seed& seed : seeds) {
        ASSERT_FALSE(seed.bytes.empty()) << seed.name;
        const std::size_t size = seed.bytes.size();
        const std::size_t step = std::max<std::size_t>(1, size / 60);
        for (std::size_t length = 0; length < size; length += step) {
            const std::vector<std::uint8_t> cut(seed.bytes.begin(),
                                                seed.bytes.begin() + static_cast<long>(length));
            CheckDecode(cut, seed.format,
                        std::string(seed.name) + " cut " + std::to_string(length));
        }
        for (std::size_t pos = 0; pos < size; pos += step) {
            for (const std::uint8_t value :
                 {std::uint8_t{0xFF}, static_cast<std::uint8_t>(seed.bytes[pos] ^ 0x5A)}) {
                std::vector<std::uint8_t> damaged = seed.bytes;
                damaged[pos] = value;
                CheckDecode(damaged, pos % 3 ? seed.format : PXIMAGE_FORMAT_UNKNOWN,
                            std::string(seed.name) + " byte " + std::to_string(pos));
            }
        }
    }
}

} // namespace
