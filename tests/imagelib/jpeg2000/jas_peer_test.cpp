// Our JPEG-2000, PNM and Sun raster files against the packaged tools: OpenJPEG's
// opj_compress/opj_decompress and netpbm's converters read what we write, and we read what they
// write, to the same pixels.
#include <gtest/gtest.h>

#include <filesystem>

#include "../codecs/codec_test_util.h"
#include "jas_fixtures.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

bool Have(const char* tool) {
    return fs::exists(fs::path("/usr/bin") / tool);
}

#define REQUIRE_TOOL(tool)                                                                         \
    if (!Have(tool))                                                                               \
    GTEST_SKIP() << tool << " is not installed (scripts/setup installs it)"

lvtest::ProcessResult RunTool(const char* tool, const std::vector<std::string>& args) {
    return lvtest::RunProgram(fs::path("/usr/bin") / tool, args);
}

PxImage LoadBytes(const std::vector<unsigned char>& bytes, DWORD format) {
    PxImage image;
    EXPECT_TRUE(lvtest::DecodeBytes(image, bytes, format)) << image.GetLastError();
    return image;
}

TEST(JasPeers, OpjDecompressReadsOurLosslessJp2AndJpc) {
    REQUIRE_TOOL("opj_decompress");
    lvtest::ScratchDir dir;
    PxImage source = lvtest::JasColourPattern(45, 31);
    source.SetJpegQuality(100);
    for (const auto& [format, name] :
         {std::pair{PXIMAGE_FORMAT_JP2, "ours.jp2"}, std::pair{PXIMAGE_FORMAT_JPC, "ours.j2k"}}) {
        lvtest::WriteFileBytes(dir / name, lvtest::EncodeBytes(source, format));
        const auto r = RunTool("opj_decompress",
                               {"-i", (dir / name).string(), "-o", (dir / "back.ppm").string()});
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        PxImage back = LoadBytes(lvtest::ReadFileBytes(dir / "back.ppm"), PXIMAGE_FORMAT_PNM);
        EXPECT_EQ(lvtest::MaxDifference(back, source), 0) << name;
    }
}

// A lossy file of OpenJPEG's own encoder decodes to exactly what its own decoder makes.
TEST(JasPeers, WeDecodeOpjCompressFilesAsOpjDecompressDoes) {
    REQUIRE_TOOL("opj_compress");
    REQUIRE_TOOL("opj_decompress");
    lvtest::ScratchDir dir;
    PxImage source = lvtest::JasColourPattern(64, 48);
    lvtest::WriteFileBytes(dir / "in.ppm", lvtest::EncodeBytes(source, PXIMAGE_FORMAT_PNM));
    for (const char* name : {"peer.jp2", "peer.j2k"}) {
        for (const std::vector<std::string>& rate :
             {std::vector<std::string>{}, std::vector<std::string>{"-r", "20"}}) {
            std::vector<std::string> args = {"-i", (dir / "in.ppm").string(), "-o",
                                             (dir / name).string()};
            args.insert(args.end(), rate.begin(), rate.end());
            auto r = RunTool("opj_compress", args);
            ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
            r = RunTool("opj_decompress",
                        {"-i", (dir / name).string(), "-o", (dir / "theirs.ppm").string()});
            ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
            PxImage theirs =
                LoadBytes(lvtest::ReadFileBytes(dir / "theirs.ppm"), PXIMAGE_FORMAT_PNM);
            PxImage ours = LoadBytes(lvtest::ReadFileBytes(dir / name), PXIMAGE_FORMAT_UNKNOWN);
            EXPECT_EQ(lvtest::MaxDifference(ours, theirs), 0) << name;
            if (rate.empty()) {
                EXPECT_EQ(lvtest::MaxDifference(ours, source), 0) << name;
            }
        }
    }
}

TEST(JasPeers, OpjToolsAndWeAgreeOnPgx) {
    REQUIRE_TOOL("opj_compress");
    REQUIRE_TOOL("opj_decompress");
    lvtest::ScratchDir dir;
    PxImage source = lvtest::JasGreyPattern(33, 17);
    lvtest::WriteFileBytes(dir / "ours.pgx", lvtest::EncodeBytes(source, PXIMAGE_FORMAT_PGX));
    auto r = RunTool("opj_compress", {"-i", (dir / "ours.pgx").string(), "-o",
                                      (dir / "grey.j2k").string(), "-n", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    r = RunTool("opj_decompress",
                {"-i", (dir / "grey.j2k").string(), "-o", (dir / "theirs.pgx").string()});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    // opj_decompress names a PGX per component: theirs_0.pgx.
    const fs::path written =
        fs::exists(dir / "theirs_0.pgx") ? dir / "theirs_0.pgx" : dir / "theirs.pgx";
    PxImage theirs = LoadBytes(lvtest::ReadFileBytes(written), PXIMAGE_FORMAT_PGX);
    EXPECT_EQ(lvtest::MaxDifference(theirs, source), 0);
}

TEST(JasPeers, NetpbmReadsOurRasterAndWeReadItsRasters) {
    REQUIRE_TOOL("rasttopnm");
    REQUIRE_TOOL("pnmtorast");
    lvtest::ScratchDir dir;
    for (const bool colour : {true, false}) {
        PxImage source = colour ? lvtest::JasColourPattern(29, 13) : lvtest::JasGreyPattern(29, 13);
        lvtest::WriteFileBytes(dir / "ours.ras", lvtest::EncodeBytes(source, PXIMAGE_FORMAT_RAS));
        auto r = RunTool("rasttopnm", {(dir / "ours.ras").string()});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        PxImage viaNetpbm =
            LoadBytes(std::vector<unsigned char>(r.out.begin(), r.out.end()), PXIMAGE_FORMAT_PNM);
        EXPECT_EQ(lvtest::MaxDifference(viaNetpbm, source), 0);

        lvtest::WriteFileBytes(dir / "ours.pnm", lvtest::EncodeBytes(source, PXIMAGE_FORMAT_PNM));
        for (const char* kind : {"-standard", "-rle"}) {
            r = RunTool("pnmtorast", {kind, (dir / "ours.pnm").string()});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            PxImage theirs = LoadBytes(std::vector<unsigned char>(r.out.begin(), r.out.end()),
                                       PXIMAGE_FORMAT_RAS);
            EXPECT_EQ(lvtest::MaxDifference(theirs, source), 0) << kind << " colour " << colour;
        }
    }
}

TEST(JasPeers, WeReadNetpbmPlainAndBinaryMaps) {
    REQUIRE_TOOL("pnmtoplainpnm");
    lvtest::ScratchDir dir;
    PxImage source = lvtest::JasColourPattern(21, 11);
    lvtest::WriteFileBytes(dir / "ours.ppm", lvtest::EncodeBytes(source, PXIMAGE_FORMAT_PNM));
    const auto r = RunTool("pnmtoplainpnm", {(dir / "ours.ppm").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    PxImage plain =
        LoadBytes(std::vector<unsigned char>(r.out.begin(), r.out.end()), PXIMAGE_FORMAT_PNM);
    EXPECT_EQ(lvtest::MaxDifference(plain, source), 0);
}

} // namespace
