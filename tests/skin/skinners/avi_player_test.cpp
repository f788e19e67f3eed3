// The player reads clips through the video libraries found by name: frames, counts and
// timing; clips without a frame rate are refused; one clip replaces another.
#include "skin/skinners/avi_player.h"
#include "tests/support/avi_writer.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr std::uint32_t kRed = 0xFF0000; // the writer's 0x00RRGGBB
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;

lvtest::AviSpec Clip(std::uint32_t rate, std::uint32_t scale,
                     std::vector<std::uint32_t> colours = {kRed, kGreen, kBlue}) {
    lvtest::AviSpec spec;
    spec.picture.width = 6;
    spec.picture.height = 4;
    spec.picture.bitCount = 24;
    spec.rate = rate;
    spec.scale = scale;
    for (std::uint32_t c : colours)
        spec.frames.push_back(lvtest::SolidPixels(spec.picture, c));
    return spec;
}

class AviPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { InitCommonControls(); }
    std::string Save(const std::vector<std::uint8_t>& bytes, const std::string& name) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        return path;
    }
    COLORREF FrameColour(AviPlayer& player, LONG frame) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 6, 4);
        HGDIOBJ old = SelectObject(memory, bitmap);
        COLORREF colour = CLR_INVALID;
        if (player.DrawFrame(memory, frame))
            colour = GetPixel(memory, 3, 2);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    lvtest::ScratchDir dir_;
};

TEST_F(AviPlayerTest, FindsTheLibrariesAndDrawsEachFrame) {
    AviPlayer player;
    ASSERT_TRUE(player.IsAvailable());
    EXPECT_EQ(player.FrameCount(), -1);
    EXPECT_EQ(FrameColour(player, 0), CLR_INVALID) << "nothing to draw without a clip";
    ASSERT_TRUE(player.Open(Save(lvtest::WriteAvi(Clip(10, 1)), "rgb.avi").c_str()));
    EXPECT_EQ(player.FrameCount(), 3);
    EXPECT_EQ(player.FrameRate(), 10u);
    EXPECT_EQ(player.FrameInterval(), 100u);
    EXPECT_EQ(player.Width(), 6);
    EXPECT_EQ(player.Height(), 4);
    EXPECT_EQ(FrameColour(player, 0), RGB(255, 0, 0));
    EXPECT_EQ(FrameColour(player, 1), RGB(0, 255, 0));
    EXPECT_EQ(FrameColour(player, 2), RGB(0, 0, 255));
    EXPECT_EQ(FrameColour(player, 3), CLR_INVALID) << "past the last frame";

    // A second clip replaces the first.
    ASSERT_TRUE(player.Open(Save(lvtest::WriteAvi(Clip(25, 1, {kBlue})), "blue.avi").c_str()));
    EXPECT_EQ(player.FrameCount(), 1);
    EXPECT_EQ(player.FrameInterval(), 40u);
    EXPECT_EQ(FrameColour(player, 0), RGB(0, 0, 255));

    player.Close();
    player.Close();
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.FrameCount(), -1);
    EXPECT_EQ(FrameColour(player, 0), CLR_INVALID);
}

TEST_F(AviPlayerTest, TimingComesFromRateAndScaleAndAClipWithoutARateIsRefused) {
    struct Case {
        std::uint32_t rate, scale;
        bool opens;
        UINT frameRate, interval;
    };
    const Case cases[] = {
        {10, 1, true, 10, 100},   {30000, 1001, true, 29, 33}, {1, 2, true, 0, 2000},
        {1000, 1, true, 1000, 1}, {5000, 1, true, 5000, 1},    {0, 1, false, 0, 0},
        {10, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        AviPlayer player;
        const std::string path = Save(lvtest::WriteAvi(Clip(c.rate, c.scale)), "timed.avi");
        EXPECT_EQ(player.Open(path.c_str()) != FALSE, c.opens) << c.rate << "/" << c.scale;
        EXPECT_EQ(player.FrameRate(), c.frameRate) << c.rate << "/" << c.scale;
        EXPECT_EQ(player.FrameInterval(), c.interval) << c.rate << "/" << c.scale;
        EXPECT_EQ(player.IsOpen(), c.opens);
    }
}

TEST_F(AviPlayerTest, WhatIsNoVideoClipIsRefused) {
    AviPlayer player;
    lvtest::AviSpec audio = Clip(10, 1);
    audio.stream_type = "auds";
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', 'v', 'i'};
    EXPECT_FALSE(player.Open(Save(lvtest::WriteAvi(audio), "audio.avi").c_str()));
    EXPECT_FALSE(player.Open(Save(text, "text.avi").c_str()));
    EXPECT_FALSE(player.Open((dir_ / "missing.avi").string().c_str()));
    EXPECT_FALSE(player.Open(nullptr));
    EXPECT_FALSE(player.IsOpen());
}

} // namespace
