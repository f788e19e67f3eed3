// The AVI file library and DrawDib over clips written by the tests' RIFF writer: every depth,
// the stream's timing, delta frames, malformed files, and the modules found by name.
#include "tests/support/avi_writer.h"
#include "tests/support/scratch_dir.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using lvtest::AviSpec;
using lvtest::BmpRle;
using lvtest::BmpSpec;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::uint32_t Rgb(COLORREF c) { // COLORREF to the writer's 0x00RRGGBB
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::uint32_t Rgb555(COLORREF c) {
    return ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3);
}

BmpSpec Picture(int bits, BmpRle rle = BmpRle::None) {
    BmpSpec p;
    p.width = 6;
    p.height = 4;
    p.bitCount = bits;
    p.rle = rle;
    if (bits == 8)
        p.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    return p;
}

class AviLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { AVIFileInit(); }
    void TearDown() override {
        for (PGETFRAME f : frames_)
            AVIStreamGetFrameClose(f);
        for (PAVISTREAM s : streams_)
            AVIStreamRelease(s);
        for (PAVIFILE f : files_)
            AVIFileRelease(f);
        AVIFileExit();
    }

    std::string Save(const std::vector<std::uint8_t>& bytes, const std::string& name = "clip.avi") {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        return path;
    }
    HRESULT Open(const std::vector<std::uint8_t>& bytes, PAVIFILE& file) {
        const HRESULT result = AVIFileOpenA(&file, Save(bytes).c_str(), OF_READ, nullptr);
        if (file)
            files_.push_back(file);
        return result;
    }
    PAVISTREAM Stream(PAVIFILE file) {
        PAVISTREAM stream = nullptr;
        EXPECT_EQ(AVIFileGetStream(file, &stream, streamtypeVIDEO, 0), AVIERR_OK);
        if (stream)
            streams_.push_back(stream);
        return stream;
    }
    PGETFRAME Frames(PAVISTREAM stream) {
        PGETFRAME frames = AVIStreamGetFrameOpen(stream, nullptr);
        if (frames)
            frames_.push_back(frames);
        return frames;
    }
    // The colour at (x, y) from the top of frame `position` drawn by DrawDib.
    COLORREF PixelOf(PGETFRAME frames, LONG position, int x, int y) {
        auto* dib = static_cast<BITMAPINFOHEADER*>(AVIStreamGetFrame(frames, position));
        if (!dib)
            return CLR_INVALID;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 6, 4);
        HGDIOBJ old = SelectObject(memory, bitmap);
        HDRAWDIB context = DrawDibOpen();
        EXPECT_TRUE(DrawDibDraw(context, memory, 0, 0, -1, -1, dib, nullptr, 0, 0, -1, -1, 0));
        DrawDibClose(context);
        const COLORREF c = GetPixel(memory, x, y);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return c;
    }

    lvtest::ScratchDir dir_;
    std::vector<PAVIFILE> files_;
    std::vector<PAVISTREAM> streams_;
    std::vector<PGETFRAME> frames_;
};

TEST_F(AviLibraryTest, ReadsEveryDepthWithTheStreamsTiming) {
    const struct {
        const char* what;
        BmpSpec picture;
        std::uint32_t red, green;
    } cases[] = {
        {"8 bits", Picture(8), 1, 2},
        {"RLE8", Picture(8, BmpRle::Rle8), 1, 2},
        {"16 bits", Picture(16), Rgb555(kRed), Rgb555(kGreen)},
        {"24 bits", Picture(24), Rgb(kRed), Rgb(kGreen)},
        {"32 bits", Picture(32), Rgb(kRed), Rgb(kGreen)},
    };
    for (const auto& c : cases) {
        AviSpec spec;
        spec.picture = c.picture;
        spec.rate = 15;
        spec.scale = 2;
        spec.start = 3;
        auto half = lvtest::SolidPixels(c.picture, c.red);
        for (int y = 0; y < 4; ++y)
            for (int x = 3; x < 6; ++x)
                half[static_cast<std::size_t>(y * 6 + x)] = c.green;
        spec.frames = {lvtest::SolidPixels(c.picture, c.green), half};
        PAVIFILE file = nullptr;
        ASSERT_EQ(Open(lvtest::WriteAvi(spec), file), AVIERR_OK) << c.what;
        AVIFILEINFOA info{};
        ASSERT_EQ(AVIFileInfoA(file, &info, sizeof info), AVIERR_OK);
        EXPECT_EQ(info.dwWidth, 6u) << c.what;
        EXPECT_EQ(info.dwHeight, 4u) << c.what;
        EXPECT_EQ(info.dwRate, 15u) << c.what;
        EXPECT_EQ(info.dwScale, 2u) << c.what;
        EXPECT_EQ(info.dwLength, 2u) << c.what;
        PAVISTREAM stream = Stream(file);
        EXPECT_EQ(AVIStreamStart(stream), 3) << c.what;
        EXPECT_EQ(AVIStreamLength(stream), 2) << c.what;
        PGETFRAME frames = Frames(stream);
        ASSERT_NE(frames, nullptr) << c.what;
        EXPECT_EQ(PixelOf(frames, 3, 0, 0), kGreen) << c.what;
        EXPECT_EQ(PixelOf(frames, 4, 0, 3), kRed) << c.what << ": left half, bottom row";
        EXPECT_EQ(PixelOf(frames, 4, 5, 0), kGreen) << c.what << ": right half, top row";
        EXPECT_EQ(AVIStreamGetFrame(frames, 2), nullptr) << c.what << ": before the start";
        EXPECT_EQ(AVIStreamGetFrame(frames, 5), nullptr) << c.what << ": past the end";
    }
}

// RLE8 delta frames keep the pixels they skip, also when a frame is asked for out of order.
TEST_F(AviLibraryTest, DeltaFramesBuildOnTheKeyFrameBeforeThem) {
    AviSpec spec;
    spec.picture = Picture(8, BmpRle::Rle8);
    spec.raw_frames = {
        {6, 1, 0, 0, 6, 1, 0, 0, 6, 1, 0, 0, 6, 1, 0, 1}, // key: all red
        {2, 2, 0, 1},                                     // bottom row's first two pixels green
        {0, 2, 4, 0, 1, 3, 0, 1},                         // skip four, one blue pixel
    };
    spec.key_frames = {true, false, false};
    PAVIFILE file = nullptr;
    ASSERT_EQ(Open(lvtest::WriteAvi(spec), file), AVIERR_OK);
    PGETFRAME frames = Frames(Stream(file));
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(PixelOf(frames, 2, 0, 3), kGreen) << "straight to the last frame";
    EXPECT_EQ(PixelOf(frames, 2, 4, 3), kBlue);
    EXPECT_EQ(PixelOf(frames, 2, 5, 3), kRed);
    EXPECT_EQ(PixelOf(frames, 0, 0, 3), kRed) << "back to the key frame";
    EXPECT_EQ(PixelOf(frames, 1, 0, 3), kGreen);
    EXPECT_EQ(PixelOf(frames, 1, 4, 3), kRed);
}

std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, const char* tag, int offset,
                                  std::vector<std::uint8_t> with) {
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t at = text.find(tag);
    EXPECT_NE(at, std::string::npos) << tag;
    for (std::size_t i = 0; i < with.size(); ++i)
        bytes[at + static_cast<std::size_t>(offset) + i] = with[i];
    return bytes;
}

std::vector<std::uint8_t> GoodClip(int bits = 24) {
    AviSpec spec;
    spec.picture = Picture(bits);
    spec.frames = {lvtest::SolidPixels(spec.picture, bits == 8 ? 1 : Rgb(kRed))};
    return lvtest::WriteAvi(spec);
}

TEST_F(AviLibraryTest, RefusesMalformedFiles) {
    const auto good = GoodClip();
    const auto cut = [](std::vector<std::uint8_t> b, std::size_t n) {
        b.resize(n);
        return b;
    };
    AviSpec audio;
    audio.picture = Picture(24);
    audio.stream_type = "auds";
    audio.frames = {lvtest::SolidPixels(audio.picture, 0)};
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        HRESULT result;
    } cases[] = {
        {"empty file", {}, AVIERR_BADFORMAT},
        {"not RIFF", Patched(good, "RIFF", 0, {'R', 'I', 'F', 'X'}), AVIERR_BADFORMAT},
        {"a RIFF of another form", Patched(good, "AVI ", 0, {'W', 'A', 'V', 'E'}),
         AVIERR_BADFORMAT},
        {"cut inside the headers", cut(good, 60), AVIERR_BADFORMAT},
        {"no video stream", lvtest::WriteAvi(audio), AVIERR_BADFORMAT},
        {"frame format shorter than a header", Patched(good, "strf", 4, {20, 0, 0, 0}),
         AVIERR_BADFORMAT},
        {"header size beyond the block", Patched(good, "strf", 8, {200, 0, 0, 0}),
         AVIERR_BADFORMAT},
        {"zero width", Patched(good, "strf", 12, {0, 0, 0, 0}), AVIERR_BADFORMAT},
        {"huge width", Patched(good, "strf", 12, {0, 0, 0, 0x40}), AVIERR_BADFORMAT},
        {"huge height", Patched(good, "strf", 16, {0, 0, 0, 0x80}), AVIERR_BADFORMAT},
        {"no such pixel depth", Patched(good, "strf", 22, {0x08, 0xFE}), AVIERR_BADFORMAT},
        {"colour table cut off", Patched(GoodClip(8), "strf", 40, {0, 1, 0, 0}), AVIERR_BADFORMAT},
        {"too many colours", Patched(GoodClip(8), "strf", 40, {1, 1, 0, 0}), AVIERR_BADFORMAT},
        {"no frame list", Patched(good, "movi", 0, {'m', 'o', 'v', 'x'}), AVIERR_BADFORMAT},
        {"a stream header too short", Patched(good, "strh", 4, {20, 0, 0, 0}), AVIERR_BADFORMAT},
    };
    for (const auto& c : cases) {
        PAVIFILE file = nullptr;
        EXPECT_EQ(Open(c.bytes, file), c.result) << c.what;
        EXPECT_EQ(file, nullptr) << c.what;
    }
    PAVIFILE file = nullptr;
    EXPECT_EQ(AVIFileOpenA(&file, (dir_ / "missing.avi").string().c_str(), OF_READ, nullptr),
              AVIERR_FILEOPEN);
    EXPECT_EQ(AVIFileOpenA(&file, Save(good).c_str(), OF_WRITE, nullptr), AVIERR_BADFLAGS);
}

// What is wrong only in the frames opens, but yields no frame where the bytes are missing.
TEST_F(AviLibraryTest, BrokenFramesYieldNothingAndNeverReadPastTheFile) {
    AviSpec spec;
    spec.picture = Picture(24);
    spec.frames = {lvtest::SolidPixels(spec.picture, Rgb(kRed))};
    spec.raw_frames = {std::vector<std::uint8_t>(80, 0), std::vector<std::uint8_t>(10, 0), {}};
    spec.length = 5; // claims more frames than it holds
    PAVIFILE file = nullptr;
    ASSERT_EQ(Open(lvtest::WriteAvi(spec), file), AVIERR_OK);
    PAVISTREAM stream = Stream(file);
    EXPECT_EQ(AVIStreamLength(stream), 3) << "only the frames stored";
    PGETFRAME frames = Frames(stream);
    EXPECT_NE(AVIStreamGetFrame(frames, 0), nullptr);
    EXPECT_EQ(AVIStreamGetFrame(frames, 1), nullptr) << "a frame shorter than its picture";
    EXPECT_EQ(AVIStreamGetFrame(frames, 2), nullptr) << "an empty frame repeats a broken one";

    // The last frame's chunk claims more bytes than the file has: it is cut at the end.
    auto bytes = Patched(GoodClip(), "00db", 4, {0xFF, 0xFF, 0, 0});
    bytes.resize(std::string(bytes.begin(), bytes.end()).find("00db") + 8 + 40);
    PAVIFILE cut = nullptr;
    ASSERT_EQ(Open(bytes, cut), AVIERR_OK);
    PGETFRAME cut_frames = Frames(Stream(cut));
    EXPECT_EQ(AVIStreamGetFrame(cut_frames, 0), nullptr);

    // RLE8 codes that run outside the picture are cut there.
    AviSpec rle;
    rle.picture = Picture(8, BmpRle::Rle8);
    rle.raw_frames = {{255, 1, 0, 2, 200, 200, 255, 2, 0, 3, 1, 2, 0, 0, 0, 0, 0, 2}};
    PAVIFILE wild = nullptr;
    ASSERT_EQ(Open(lvtest::WriteAvi(rle), wild), AVIERR_OK);
    PGETFRAME wild_frames = Frames(Stream(wild));
    EXPECT_EQ(PixelOf(wild_frames, 0, 5, 3), kRed);
}

TEST_F(AviLibraryTest, FormatsItCannotDecodeOpenButGiveNoFrames) {
    AviSpec spec;
    spec.picture = Picture(4);
    spec.picture.palette = {{0, 0, 0}, {255, 0, 0}};
    spec.frames = {lvtest::SolidPixels(spec.picture, 1)};
    PAVIFILE file = nullptr;
    ASSERT_EQ(Open(lvtest::WriteAvi(spec), file), AVIERR_OK);
    EXPECT_EQ(AVIStreamGetFrameOpen(Stream(file), nullptr), nullptr);
}

TEST_F(AviLibraryTest, StreamsOutliveTheirFileAndStaleHandlesFail) {
    PAVIFILE file = nullptr;
    ASSERT_EQ(AVIFileOpenA(&file, Save(GoodClip()).c_str(), OF_READ, nullptr), AVIERR_OK);
    PAVISTREAM stream = nullptr;
    ASSERT_EQ(AVIFileGetStream(file, &stream, streamtypeVIDEO, 0), AVIERR_OK);
    PAVISTREAM none = nullptr;
    EXPECT_EQ(AVIFileGetStream(file, &none, streamtypeVIDEO, 1), AVIERR_NODATA);
    EXPECT_EQ(AVIFileRelease(file), 0u);
    EXPECT_EQ(AVIFileInfoA(file, nullptr, 0), AVIERR_BADHANDLE);
    PGETFRAME frames = AVIStreamGetFrameOpen(stream, nullptr);
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(PixelOf(frames, 0, 2, 2), kRed);
    LONG size = 0;
    EXPECT_EQ(AVIStreamReadFormat(stream, 0, nullptr, &size), AVIERR_OK);
    EXPECT_EQ(size, 40);
    EXPECT_EQ(AVIStreamGetFrameClose(frames), AVIERR_OK);
    EXPECT_EQ(AVIStreamGetFrameClose(frames), AVIERR_BADHANDLE);
    EXPECT_EQ(AVIStreamRelease(stream), 0u);
    EXPECT_EQ(AVIStreamLength(stream), -1);
    EXPECT_FALSE(DrawDibClose(nullptr));
}

TEST(VideoLibraries, AreFoundByNameWithEveryFunctionTheAnimationPlayerAsks) {
    InitCommonControls();
    HMODULE avifil = LoadLibraryA("avifil32.dll");
    HMODULE msvfw = LoadLibraryA("MSVFW32.DLL");
    ASSERT_NE(avifil, nullptr);
    ASSERT_NE(msvfw, nullptr);
    for (const char* name : {"AVIFileInit", "AVIFileExit", "AVIFileGetStream",
                             "AVIStreamGetFrameOpen", "AVIStreamGetFrame", "AVIStreamGetFrameClose",
                             "AVIStreamStart", "AVIFileRelease", "AVIStreamReadFormat",
                             "AVIStreamLength", "AVIFileOpenA", "AVIFileInfoA", "AVIStreamRelease"})
        EXPECT_NE(GetProcAddress(avifil, name), nullptr) << name;
    for (const char* name : {"DrawDibOpen", "DrawDibDraw", "DrawDibClose"})
        EXPECT_NE(GetProcAddress(msvfw, name), nullptr) << name;
    EXPECT_EQ(reinterpret_cast<void (*)()>(GetProcAddress(msvfw, "DrawDibOpen")),
              reinterpret_cast<void (*)()>(&DrawDibOpen));
    FreeLibrary(avifil);
    FreeLibrary(msvfw);
}

} // namespace
