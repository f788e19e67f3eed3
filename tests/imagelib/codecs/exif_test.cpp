// The EXIF parser and the marker-section reader and writer.
#include "imagelib/px_exif.h"
#include "imagelib/px_file.h"

#include "exif_builder.h"
#include "jpeg_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using lvtest::ExifBuilder;
using lvtest::ExifDirectory;

// The payload in a block of exactly its own size, so that any read past it is an ASan report.
struct ExactBuffer {
    explicit ExactBuffer(const std::vector<std::uint8_t>& bytes)
        : size(bytes.size()), data(new std::uint8_t[bytes.size()]) {
        std::memcpy(data.get(), bytes.data(), bytes.size());
    }
    std::span<std::uint8_t> span() { return {data.get(), size}; }
    std::size_t size;
    std::unique_ptr<std::uint8_t[]> data;
};

struct ParseResult {
    bool ok = false;
    ExifInfo info{};
    std::string error;
};

ParseResult Parse(const std::vector<std::uint8_t>& payload) {
    ParseResult r;
    ExactBuffer buffer(payload);
    JpegExifReader reader(&r.info);
    r.ok = reader.ProcessExif(buffer.span());
    r.info.thumbnail = nullptr; // points into the buffer that goes away
    r.error = reader.GetLastError();
    return r;
}

std::vector<ExifDirectory> CameraDirectories(const ExifBuilder& b) {
    ExifDirectory ifd0;
    ifd0.entries = {
        b.Ascii(0x010F, "Makerly"), b.Ascii(0x0110, "Model 77 with a rather long model name!!"),
        b.Short(0x0112, 6),         b.Rational(0x011A, 72, 1),
        b.Rational(0x011B, 144, 2), b.Short(0x0128, 2),
        b.Link(0x8769, 1)};
    ExifDirectory sub;
    sub.entries = {b.Rational(0x829A, 1, 250),
                   b.Rational(0x829D, 28, 10),
                   b.Short(0x8822, 2),
                   b.Short(0x8827, 2),
                   b.Undefined(0x9000, {'0', '2', '2', '0'}),
                   b.Ascii(0x9003, "2024:05:06 07:08:09"),
                   b.Rational(0x9204, -1, 3, 10),
                   b.Short(0x9207, 5),
                   b.Short(0x9209, 0x19),
                   b.Rational(0x920A, 35, 1),
                   b.Long(0xA002, 3000),
                   b.Long(0xA003, 4000),
                   b.Rational(0xA20E, 4000, 1),
                   b.Short(0xA210, 3)};
    return {ifd0, sub};
}

class ExifByteOrder : public ::testing::TestWithParam<bool> {};

TEST_P(ExifByteOrder, CameraValuesAreRead) {
    ExifBuilder b(GetParam());
    ParseResult r = Parse(b.Payload(CameraDirectories(b)));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_STREQ(r.info.cameraMake, "Makerly");
    EXPECT_STREQ(r.info.cameraModel, "Model 77 with a rather long model name!"); // 39 characters
    EXPECT_EQ(r.info.orientation, 6);
    EXPECT_FLOAT_EQ(r.info.xResolution, 72.0f);
    EXPECT_FLOAT_EQ(r.info.yResolution, 72.0f);
    EXPECT_FLOAT_EQ(r.info.resolutionUnit, 1.0f);
    EXPECT_FLOAT_EQ(r.info.exposureTime, 0.004f);
    EXPECT_FLOAT_EQ(r.info.fNumber, 2.8f);
    EXPECT_EQ(r.info.exposureProgram, 2);
    EXPECT_EQ(r.info.isoSpeed, 400); // values below 50 are multiplied by 200
    EXPECT_STREQ(r.info.exifVersion, "0220");
    EXPECT_STREQ(r.info.dateTime, "2024:05:06 07:08:09");
    EXPECT_FLOAT_EQ(r.info.exposureBias, -1.0f / 3.0f);
    EXPECT_EQ(r.info.meteringMode, 5);
    EXPECT_EQ(r.info.flashUsed, 1);
    EXPECT_FLOAT_EQ(r.info.focalLength, 35.0f);
    EXPECT_FLOAT_EQ(r.info.focalPlaneUnit, 0.3937007874f);
    EXPECT_FLOAT_EQ(r.info.ccdWidth, 4000 * 0.3937007874f / 4000);
}

INSTANTIATE_TEST_SUITE_P(BothOrders, ExifByteOrder, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Motorola" : "Intel"; });

TEST(ExifParse, UndefinedOrientationIsZeroAndParseGoesOn) {
    ExifBuilder b(false);
    ExifDirectory ifd0;
    ifd0.entries = {b.Short(0x0112, 9), b.Ascii(0x010F, "After")};
    ParseResult r = Parse(b.Payload({ifd0}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.info.orientation, 0);
    EXPECT_EQ(r.error, "Undefined rotation value");
    EXPECT_STREQ(r.info.cameraMake, "After");
}

TEST(ExifParse, UserComment) {
    struct Case {
        std::vector<std::uint8_t> value;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {{'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'e', 'l', 'l', 'o'}, "hello"},
        {{'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i', ' ', ' ', ' '}, "hi"},
        {{'A', 'S', 'C', 'I', 'I', 0, 0, 0, ' ', ' ', ' ', ' '}, ""},
        {{'p', 'l', 'a', 'i', 'n', ' ', 't', 'e', 'x', 't'}, "plain text"},
    };
    for (const auto& c : cases) {
        ExifBuilder b(true);
        ExifDirectory ifd0;
        ifd0.entries = {b.Undefined(0x9286, c.value)};
        ParseResult r = Parse(b.Payload({ifd0}));
        EXPECT_TRUE(r.ok);
        EXPECT_STREQ(r.info.comment, c.expected);
    }
}

TEST(ExifParse, ThumbnailInsideTheBlock) {
    ExifBuilder b(false);
    std::vector<std::uint8_t> payload = b.Payload({{}});
    // A directory whose thumbnail tags point at the block's own first bytes.
    ExifDirectory ifd0;
    ifd0.entries = {b.Long(0x0201, 8), b.Long(0x0202, 10)};
    payload = b.Payload({ifd0});
    ExifInfo info{};
    ExactBuffer buffer(payload);
    JpegExifReader reader(&info);
    ASSERT_TRUE(reader.ProcessExif(buffer.span()));
    EXPECT_EQ(info.thumbnail, buffer.data.get() + 6 + 8);
    EXPECT_EQ(info.thumbnailSize, 10u);

    ExifDirectory beyond;
    beyond.entries = {b.Long(0x0201, 8), b.Long(0x0202, 10000)};
    ExifInfo info2{};
    ExactBuffer buffer2(b.Payload({beyond}));
    JpegExifReader reader2(&info2);
    ASSERT_TRUE(reader2.ProcessExif(buffer2.span()));
    EXPECT_EQ(info2.thumbnail, nullptr);
}

// Damaged blocks: every one answers without reading outside the block.
TEST(ExifParse, MalformedBlocks) {
    ExifBuilder b(false);
    auto put32 = [](std::vector<std::uint8_t>& p, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            p[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> payload;
        bool ok;
        const char* error;
    };
    std::vector<Case> cases;

    cases.push_back(
        {"not exif", {'E', 'x', 'i', 'x', 0, 0, 'I', 'I', 42, 0}, false, "Incorrect Exif header"});
    cases.push_back({"short header", {'E', 'x', 'i'}, false, "Incorrect Exif header"});
    cases.push_back({"bad alignment",
                     {'E', 'x', 'i', 'f', 0, 0, 'I', 'M', 42, 0, 8, 0, 0, 0},
                     false,
                     "Invalid Exif alignment marker."});
    cases.push_back({"bad magic",
                     {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 43, 0, 8, 0, 0, 0},
                     false,
                     "Invalid Exif start (1)"});
    cases.push_back({"no directory",
                     {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0},
                     false,
                     "Illegally sized directory"});
    {
        ExifDirectory d;
        d.entries = {b.Short(0x0112, 1)};
        auto p = b.Payload({d});
        p[6 + 8] = 200; // entry count far beyond the block
        cases.push_back({"oversized count", p, false, "Illegally sized directory"});
    }
    {
        ExifDirectory d;
        d.entries = {b.Short(0x0112, 1)};
        auto p = b.Payload({d});
        p[6 + 8 + 2 + 2] = 13;
        cases.push_back({"format 13", p, false, "Illegal format code in EXIF dir"});
    }
    {
        ExifDirectory d;
        d.entries = {b.Ascii(0x010F, "a long camera make")};
        auto p = b.Payload({d});
        put32(p, 6 + 8 + 2 + 8, 0xFFFFFFF0u); // offset that wraps around in 32 bits
        cases.push_back({"wrapping offset", p, false, "Illegal pointer offset value in EXIF."});
    }
    {
        ExifDirectory d;
        d.entries = {b.Ascii(0x010F, "a long camera make")};
        auto p = b.Payload({d});
        put32(p, 6 + 8 + 2 + 4, 0x40000000u); // component count whose byte count wraps
        cases.push_back({"huge count", p, false, "Illegal pointer offset value in EXIF."});
    }
    {
        ExifDirectory d;
        d.entries = {b.Link(0x8769, 0)};
        auto p = b.Payload({d});
        put32(p, 6 + 8 + 2 + 8, 100000);
        cases.push_back({"sub-directory outside", p, false, "Illegal subdirectory link"});
    }
    {
        ExifDirectory d;
        d.entries = {b.Short(0x0112, 3)};
        auto p = b.Payload({d});
        put32(p, 6 + 8 + 2 + 12, 1000000); // next-directory link beyond the block
        cases.push_back({"next link outside", p, false, "Illegal subdirectory link"});
    }
    {
        ExifDirectory d;
        d.entries = {b.Short(0x0112, 3)};
        d.next = 0; // links to itself
        cases.push_back({"self link", b.Payload({d}), true, ""});
    }
    {
        ExifDirectory a, c;
        a.entries = {b.Link(0x8769, 1), b.Short(0x0112, 3)};
        c.entries = {b.Link(0xA005, 0)};
        c.next = 0;
        cases.push_back({"cycle through sub-directories", b.Payload({a, c}), true, ""});
    }
    {
        // A rational with no components sits in the last bytes of the block: its value may
        // not be read as eight bytes.
        ExifDirectory d;
        d.entries = {b.Rational(0x011A, 1, 1)};
        auto p = b.Payload({d});
        p[6 + 8 + 2 + 4] = 0;
        p.resize(6 + 8 + 2 + 12); // cut the link and data
        cases.push_back({"rational in the last entry", p, true, ""});
    }
    {
        // A text value without a NUL that ends the block.
        ExifDirectory d;
        d.entries = {b.Ascii(0x0110, "xxxxxxxxxx")};
        auto p = b.Payload({d});
        while (p.back() == 0)
            p.pop_back();
        put32(p, 6 + 8 + 2 + 4, static_cast<std::uint32_t>(p.size() - 6 - 26));
        cases.push_back({"unterminated text at the end", p, true, ""});
    }

    for (const auto& c : cases) {
        ParseResult r = Parse(c.payload);
        EXPECT_EQ(r.ok, c.ok) << c.name;
        EXPECT_EQ(r.error, c.error) << c.name;
    }
}

// Section reader and writer over a memory stream.

struct ReadResult {
    bool ok = false;
    std::string error;
};

std::vector<std::uint8_t> Bytes(PxMemoryFile& file) {
    const LONG size = file.Size();
    BYTE* data = file.DetachBuffer(false);
    return {data, data + size};
}

TEST(ExifSections, RequiresStartOfImage) {
    auto jpeg = lvtest::MakeJpeg({});
    jpeg[1] = 0xD9;
    PxMemoryFile file(jpeg.data(), static_cast<DWORD>(jpeg.size()));
    ExifInfo info{};
    JpegExifReader reader(&info);
    EXPECT_FALSE(reader.ReadSections(&file, JpegExifReader::kReadExif));
    EXPECT_FALSE(info.isExif);
    EXPECT_STREQ(reader.GetLastError(), "");
}

TEST(ExifSections, ReadsExifCommentAndFrame) {
    ExifBuilder b(true);
    std::string comment = "line one\r\nline two\x01";
    auto jpeg = lvtest::MakeJpeg(lvtest::JpegOf(33, 17));
    jpeg =
        lvtest::InsertAfterSoi(jpeg, lvtest::JpegSegment(0xFE, {comment.begin(), comment.end()}));
    jpeg = lvtest::InsertAfterSoi(jpeg, b.Segment(CameraDirectories(b)));
    PxMemoryFile file(jpeg.data(), static_cast<DWORD>(jpeg.size()));
    ExifInfo info{};
    JpegExifReader reader(&info);
    ASSERT_TRUE(reader.ReadSections(&file, JpegExifReader::kReadExif));
    EXPECT_TRUE(info.isExif);
    EXPECT_STREQ(info.cameraMake, "Makerly");
    EXPECT_STREQ(info.comment, "line one\nline two?");
    EXPECT_EQ(info.width, 33);
    EXPECT_EQ(info.height, 17);
    EXPECT_EQ(info.isColour, 1);
    EXPECT_EQ(info.process, 0xC0);
    EXPECT_NE(reader.FindSection(0xE1), nullptr);
    EXPECT_NE(reader.FindSection(0xFE), nullptr);
    EXPECT_EQ(reader.FindSection(0xE0), nullptr); // JFIF is dropped
}

TEST(ExifSections, XmpApp1IsNotKept) {
    std::string xmp = "http://ns.example/xap/1.0/";
    xmp.push_back('\0');
    auto jpeg = lvtest::InsertAfterSoi(lvtest::MakeJpeg({}),
                                       lvtest::JpegSegment(0xE1, {xmp.begin(), xmp.end()}));
    PxMemoryFile file(jpeg.data(), static_cast<DWORD>(jpeg.size()));
    ExifInfo info{};
    JpegExifReader reader(&info);
    ASSERT_TRUE(reader.ReadSections(&file, JpegExifReader::kReadExif));
    EXPECT_FALSE(info.isExif);
    EXPECT_EQ(reader.FindSection(0xE1), nullptr);
}

TEST(ExifSections, MalformedStreams) {
    const auto plain = lvtest::MakeJpeg({});
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* error;
    };
    std::vector<Case> cases;
    {
        auto many = plain;
        for (int i = 0; i < 21; ++i)
            many = lvtest::InsertAfterSoi(many, lvtest::JpegSegment(0xE5, {1, 2, 3}));
        cases.push_back({"21 sections", many, "Too many sections in jpg file"});
    }
    cases.push_back(
        {"cut in a section", {plain.begin(), plain.begin() + 30}, "Premature end of file?"});
    cases.push_back({"cut after a marker", {0xFF, 0xD8, 0xFF, 0xE5}, "Premature end of file?"});
    cases.push_back({"padding",
                     {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                     "too many padding bytes"});
    cases.push_back({"short length", {0xFF, 0xD8, 0xFF, 0xE5, 0x00, 0x01}, "invalid marker"});
    cases.push_back({"end before scan", {0xFF, 0xD8, 0xFF, 0xD9}, "No image in jpeg!"});
    for (auto& c : cases) {
        PxMemoryFile file(c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        JpegExifReader reader;
        EXPECT_FALSE(
            reader.ReadSections(&file, JpegExifReader::kReadExif | JpegExifReader::kReadImage))
            << c.name;
        EXPECT_STREQ(reader.GetLastError(), c.error) << c.name;
    }
}

TEST(ExifSections, CarryOverIntoAnotherStream) {
    ExifBuilder b(false);
    std::string comment = "kept comment";
    auto source = lvtest::MakeJpeg(lvtest::JpegOf(8, 8));
    source =
        lvtest::InsertAfterSoi(source, lvtest::JpegSegment(0xFE, {comment.begin(), comment.end()}));
    source = lvtest::InsertAfterSoi(source, b.Segment(CameraDirectories(b)));
    const auto target = lvtest::MakeJpeg(lvtest::JpegOf(24, 12));

    JpegExifReader reader;
    PxMemoryFile in(source.data(), static_cast<DWORD>(source.size()));
    ASSERT_TRUE(reader.ReadSections(&in, JpegExifReader::kReadExif));
    reader.KeepExifSections();
    ASSERT_EQ(reader.Sections().size(), 2u);

    PxMemoryFile newStream(const_cast<BYTE*>(target.data()), static_cast<DWORD>(target.size()));
    ASSERT_TRUE(reader.ReadSections(&newStream, JpegExifReader::kReadImage));
    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(reader.WriteSections(&out));
    const auto written = Bytes(out);

    auto markers = lvtest::JpegMarkers(written);
    ASSERT_GE(markers.size(), 4u);
    EXPECT_EQ(markers[0], 0xD8);
    EXPECT_EQ(markers[1], 0xE1);
    EXPECT_EQ(markers[2], 0xFE);
    EXPECT_EQ(std::count(markers.begin(), markers.end(), 0xE0), 0);
    EXPECT_EQ(lvtest::JpegSegmentPayload(written, 0xE1), b.Payload(CameraDirectories(b)));
    // The image data of the new stream comes through unchanged.
    auto decoded = lvtest::DecodeJpegReference(written);
    EXPECT_EQ(decoded.width, 24);
    EXPECT_EQ(decoded.samples, lvtest::DecodeJpegReference(target).samples);
}

TEST(ExifSections, WriterWritesJfifWhenTheStreamHasNone) {
    lvtest::JpegRecipe recipe;
    recipe.writeJfif = false;
    const auto target = lvtest::MakeJpeg(recipe);
    JpegExifReader reader;
    PxMemoryFile in(const_cast<BYTE*>(target.data()), static_cast<DWORD>(target.size()));
    ASSERT_TRUE(reader.ReadSections(&in, JpegExifReader::kReadImage));
    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    ASSERT_TRUE(reader.WriteSections(&out));
    const auto written = Bytes(out);
    EXPECT_EQ(lvtest::JpegMarkers(written)[1], 0xE0);
    const auto jfif = lvtest::JpegSegmentPayload(written, 0xE0);
    ASSERT_EQ(jfif.size(), 14u);
    EXPECT_EQ(jfif[7], 1);    // dots per inch
    EXPECT_EQ(jfif[9], 0x2C); // 300
}

TEST(ExifSections, WriterNeedsTheWholeStream) {
    const auto jpeg = lvtest::MakeJpeg({});
    JpegExifReader reader;
    PxMemoryFile in(const_cast<BYTE*>(jpeg.data()), static_cast<DWORD>(jpeg.size()));
    ASSERT_TRUE(reader.ReadSections(&in, JpegExifReader::kReadExif));
    PxMemoryFile out;
    ASSERT_TRUE(out.Open());
    EXPECT_FALSE(reader.WriteSections(&out));
    EXPECT_STREQ(reader.GetLastError(), "Can't write exif : didn't read all");
}

} // namespace
