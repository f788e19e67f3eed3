// The PCX codec: our files read by ImageMagick and netpbm, theirs read by us, and the
// run-length details of the writer.
#include "reference_tools.h"
#include "tests/imagelib/codecs/codec_test_util.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

using lvtest::DecodeBytes;
using lvtest::EncodeBytes;

constexpr std::size_t kHeader = 128;

// Decodes the run-length data after the header into plain bytes.
std::vector<std::uint8_t> Unpack(const std::vector<std::uint8_t>& file, std::size_t end) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = kHeader; i < end; ++i) {
        if ((file[i] & 0xC0) == 0xC0) {
            out.insert(out.end(), file[i] & 0x3F, file[i + 1]);
            ++i;
        } else {
            out.push_back(file[i]);
        }
    }
    return out;
}

TEST(PcxEncode, RunsStayInsideTheirLineAndOddLinesArePadded) {
    // 101 pixels a row: a run of 100 equal bytes, then a lone 0xC5 value.
    PxImage image(101, 3, 8, PXIMAGE_FORMAT_BMP);
    for (DWORD i = 0; i < 256; ++i)
        image.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0);
    for (LONG y = 0; y < 3; ++y) {
        for (LONG x = 0; x < 100; ++x)
            image.SetPixelIndex(x, y, 7);
        image.SetPixelIndex(100, y, 0xC5);
    }
    const auto file = EncodeBytes(image, PXIMAGE_FORMAT_PCX);
    ASSERT_GT(file.size(), kHeader + 769);
    EXPECT_EQ(file[1], 5);                    // version
    EXPECT_EQ(file[66] | file[67] << 8, 102); // bytes per line raised to even
    const std::vector<std::uint8_t> firstLine = {0xFF, 7, 0xE5, 7, 0xC1, 0xC5, 0};
    EXPECT_TRUE(std::equal(firstLine.begin(), firstLine.end(), file.begin() + kHeader));
    // Each line starts afresh: three identical lines.
    const auto data = Unpack(file, file.size() - 769);
    ASSERT_EQ(data.size(), 3u * 102);
    EXPECT_EQ(data[102], 7);
    EXPECT_EQ(data[203], 0);
    EXPECT_EQ(file[file.size() - 769], 12);
}

TEST(PcxCodec, EveryDepthRoundTripsAndReadsInThePackagedTools) {
    lvtest::ScratchDir dir;
    PxImage bilevel = lvtest::PalettePattern(19, 7, 1);
    bilevel.SetPaletteColor(0, 255, 255, 255); // the brighter entry first: indices inverted
    bilevel.SetPaletteColor(1, 0, 0, 0);
    PxImage alpha = lvtest::ColourPattern(23, 9);
    alpha.AlphaCreate();
    alpha.AlphaSet(2, 3, 77);
    const PxImage pictures[] = {bilevel, lvtest::PalettePattern(21, 6, 4),
                                lvtest::PalettePattern(33, 10, 8), lvtest::ColourPattern(31, 12),
                                alpha};
    for (const PxImage& source : pictures) {
        SCOPED_TRACE(testing::Message()
                     << source.GetBpp() << " bits" << (source.AlphaIsValid() ? " with alpha" : ""));
        PxImage copy(source);
        const auto bytes = EncodeBytes(copy, PXIMAGE_FORMAT_PCX);
        ASSERT_FALSE(bytes.empty()) << copy.GetLastError();
        PxImage back;
        ASSERT_TRUE(DecodeBytes(back, bytes, PXIMAGE_FORMAT_UNKNOWN)) << back.GetLastError();
        EXPECT_EQ(back.GetFormat(), PXIMAGE_FORMAT_PCX);
        EXPECT_EQ(back.AlphaIsValid(), source.AlphaIsValid());
        for (LONG y = 0; y < static_cast<LONG>(source.GetHeight()); ++y)
            for (LONG x = 0; x < static_cast<LONG>(source.GetWidth()); ++x) {
                ASSERT_EQ(back.GetPixelColor(x, y, false), source.GetPixelColor(x, y, false))
                    << x << "," << y;
                ASSERT_EQ(back.AlphaGet(x, y), source.AlphaGet(x, y));
            }
        if (source.AlphaIsValid() || !lvtest::FindTool("pcxtoppm"))
            continue;
        lvtest::WriteBytes(dir / "ours.pcx", bytes);
        const auto ppm = lvtest::ToolOutput("pcxtoppm", {(dir / "ours.pcx").string()});
        ASSERT_TRUE(ppm);
        lvtest::WriteBytes(dir / "ours.ppm", *ppm);
        const auto theirs = lvtest::ReadPnm(dir / "ours.ppm");
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(source, *theirs), 0);
    }
}

TEST(PcxDecode, FilesOfThePackagedWritersReadTheSame) {
    LV_REQUIRE_TOOL("convert");
    lvtest::ScratchDir dir;
    PxImage colours = lvtest::ColourPattern(45, 17);
    ASSERT_TRUE(colours.Save(("Z:" + (dir / "source.bmp").string()).c_str(), PXIMAGE_FORMAT_BMP));
    struct Case {
        const char* tool;
        std::vector<std::string> args;
    };
    const std::string source = (dir / "source.bmp").string();
    const std::string ppm = (dir / "source.ppm").string();
    ASSERT_TRUE(lvtest::RunTool("convert", {source, ppm}));
    std::vector<Case> cases = {
        {"convert", {source, "-type", "TrueColor", "PCX:-"}},
        {"convert", {source, "-colors", "200", "-type", "Palette", "PCX:-"}},
        {"convert", {source, "-colors", "2", "-type", "Bilevel", "PCX:-"}},
    };
    if (lvtest::FindTool("ppmtopcx")) {
        const std::string sixteen = (dir / "sixteen.ppm").string();
        ASSERT_TRUE(lvtest::RunTool("convert", {source, "-colors", "16", "-depth", "8", sixteen}));
        cases.push_back({"ppmtopcx", {sixteen}});            // four 1-bit planes
        cases.push_back({"ppmtopcx", {"-packed", sixteen}}); // one packed 4-bit plane
        cases.push_back({"ppmtopcx", {"-24bit", ppm}});
    }
    for (const Case& c : cases) {
        std::string trace = c.tool;
        for (const std::string& arg : c.args)
            trace += " " + arg;
        SCOPED_TRACE(trace);
        const auto pcx = lvtest::ToolOutput(c.tool, c.args);
        ASSERT_TRUE(pcx);
        lvtest::WriteBytes(dir / "theirs.pcx", *pcx);
        PxImage ours;
        ASSERT_TRUE(DecodeBytes(ours, *pcx, PXIMAGE_FORMAT_PCX)) << ours.GetLastError();
        ASSERT_TRUE(lvtest::RunTool("convert", {(dir / "theirs.pcx").string(), "-depth", "8",
                                                (dir / "theirs.ppm").string()}));
        const auto theirs = lvtest::ReadPnm(dir / "theirs.ppm");
        ASSERT_TRUE(theirs);
        EXPECT_EQ(lvtest::CountDifferences(ours, *theirs), 0);
    }
}

} // namespace
