// The animation control on the virtual clock: it opens a clip from a file or an "AVI"
// resource, takes the clip's size or centres it, plays a range of frames as often as asked,
// tells its parent when it starts and stops, and lets the background show through in the
// transparent style.
#include "controls_fixture.h"
#include "system/resources_registry.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "tests/support/avi_writer.h"
#include "tests/support/scratch_dir.h"

#include <fstream>

namespace {

// Frame i is filled with kColours[i]; frame 0 has a white corner for the transparent style.
constexpr COLORREF kColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220), RGB(220, 220, 0),
                                 RGB(0, 200, 200)};
constexpr int kWidth = 8, kHeight = 6;

std::uint32_t Rgb(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

std::vector<std::uint8_t> Clip(std::uint32_t rate = 10, std::uint32_t scale = 1) {
    lvtest::AviSpec spec;
    spec.picture.width = kWidth;
    spec.picture.height = kHeight;
    spec.picture.bitCount = 24;
    spec.rate = rate;
    spec.scale = scale;
    for (COLORREF c : kColours)
        spec.frames.push_back(lvtest::SolidPixels(spec.picture, Rgb(c)));
    spec.frames[0][0] = 0xFFFFFF; // top-left pixel, row 0 from the top
    spec.frames[0][1] = 0xFFFFFF;
    return lvtest::WriteAvi(spec);
}

class AnimateTest : public ctltest::ControlsTest {
protected:
    std::string save(const std::vector<std::uint8_t>& bytes) {
        const std::string path = (dir / "clip.avi").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        return path;
    }
    void wait(std::uint64_t ms) {
        lv::testing::advance(ms);
        pump();
    }
    // The colour of the control's pixel, relative to its window rectangle.
    COLORREF at(HWND control, int x, int y) {
        pump();
        return lv::testing::window_pixel(control, x, y);
    }
    int frame_shown(HWND control) {
        const COLORREF c = at(control, 4, 4);
        for (int i = 0; i < 5; ++i)
            if (c == kColours[i])
                return i;
        return -1;
    }
    std::vector<int> animate_codes() {
        std::vector<int> codes;
        for (const auto& e : events(WM_COMMAND))
            codes.push_back(e.code);
        return codes;
    }
    bool open(HWND control, const std::string& path) {
        return SendMessageA(control, ACM_OPENA, 0, reinterpret_cast<LPARAM>(path.c_str())) != 0;
    }

    lv::testing::VirtualClockScope clock;
    lvtest::ScratchDir dir;
};

TEST_F(AnimateTest, OpensAFileAndTakesTheClipsSize) {
    HWND control = create(ANIMATE_CLASSA, "", 0, 10, 10, 100, 80, 7);
    ASSERT_TRUE(open(control, save(Clip())));
    RECT r{};
    GetWindowRect(control, &r);
    EXPECT_EQ(r.right - r.left, kWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    EXPECT_EQ(frame_shown(control), 0);
    EXPECT_FALSE(SendMessageA(control, ACM_ISPLAYING, 0, 0));
    EXPECT_TRUE(animate_codes().empty()) << "opening without ACS_AUTOPLAY does not play";
}

TEST_F(AnimateTest, PlaysARangeAsOftenAsAskedThenStops) {
    HWND control = create(ANIMATE_CLASSA, "", 0, 10, 10, 100, 80, 7);
    ASSERT_TRUE(open(control, save(Clip())));
    ASSERT_TRUE(SendMessageA(control, ACM_PLAY, 2, MAKELPARAM(2, 4)));
    EXPECT_EQ(animate_codes(), std::vector<int>{ACN_START});
    std::vector<int> shown{frame_shown(control)};
    for (int i = 0; i < 5; ++i) {
        wait(100);
        shown.push_back(frame_shown(control));
    }
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 4, 2, 3, 4}));
    EXPECT_EQ(animate_codes(), std::vector<int>{ACN_START}) << "still playing the last frame";
    wait(100);
    EXPECT_EQ(animate_codes(), (std::vector<int>{ACN_START, ACN_STOP}));
    EXPECT_FALSE(SendMessageA(control, ACM_ISPLAYING, 0, 0));
    wait(500);
    EXPECT_EQ(frame_shown(control), 4) << "the last frame stays";

    clear_events();
    ASSERT_TRUE(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF)));
    EXPECT_EQ(frame_shown(control), 0) << "played again, from the first frame";
    wait(100);
    EXPECT_EQ(frame_shown(control), 1);
    EXPECT_TRUE(SendMessageA(control, ACM_STOP, 0, 0));
    EXPECT_TRUE(SendMessageA(control, ACM_STOP, 0, 0));
    EXPECT_EQ(animate_codes(), (std::vector<int>{ACN_START, ACN_STOP})) << "one stop told";
    wait(300);
    EXPECT_EQ(frame_shown(control), 1);
}

TEST_F(AnimateTest, TheFrameIntervalFollowsRateAndScale) {
    HWND control = create(ANIMATE_CLASSA, "", 0, 10, 10, 100, 80, 7);
    ASSERT_TRUE(open(control, save(Clip(5, 2)))); // 2.5 frames a second: 400 ms each
    ASSERT_TRUE(SendMessageA(control, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF)));
    wait(399);
    EXPECT_EQ(frame_shown(control), 0);
    wait(1);
    EXPECT_EQ(frame_shown(control), 1);
}

TEST_F(AnimateTest, RefusesWhatItCannotPlay) {
    HWND control = create(ANIMATE_CLASSA, "", 0, 10, 10, 100, 80, 7);
    EXPECT_FALSE(open(control, save(Clip(0, 1)))) << "a clip without a frame rate";
    EXPECT_FALSE(open(control, save(Clip(10, 0)))) << "a clip with a zero scale";
    EXPECT_FALSE(open(control, save({'R', 'I', 'F', 'F', 0, 0})));
    EXPECT_FALSE(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF))) << "nothing open";
    ASSERT_TRUE(open(control, save(Clip())));
    EXPECT_FALSE(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(3, 2)));
    EXPECT_FALSE(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, 5)));
    EXPECT_TRUE(SendMessageA(control, ACM_OPENA, 0, 0)) << "closing";
    EXPECT_FALSE(SendMessageA(control, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF)));
}

// An "AVI" resource of the program, centred in a control that keeps its size, playing at once.
TEST_F(AnimateTest, OpensAResourceCentredAndPlaysAtOnce) {
    std::vector<std::uint8_t> clip = Clip();
    clip.push_back(0); // resource data end in a NUL byte
    const lv::resources::DataEntry entries[] = {{{"AVI", 0},
                                                 {nullptr, 301},
                                                 lv::resources::Language::Neutral,
                                                 clip.data(),
                                                 clip.size() - 1}};
    const lv::resources::ResourceTable table{nullptr, 0, entries, 1};
    lv::resources::TableRegistration registration(table);
    HWND control = create(ANIMATE_CLASSA, "", ACS_CENTER | ACS_AUTOPLAY, 10, 10, 40, 30, 7);
    ASSERT_TRUE(SendMessageA(control, ACM_OPENA, 0, 301));
    RECT r{};
    GetWindowRect(control, &r);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(at(control, 20, 15), kColours[0]) << "the middle";
    EXPECT_EQ(at(control, 2, 2), GetSysColor(COLOR_3DFACE)) << "the parent's background";
    EXPECT_EQ(animate_codes(), std::vector<int>{ACN_START});
    wait(100);
    EXPECT_EQ(at(control, 20, 15), kColours[1]);
}

TEST_F(AnimateTest, TheTransparentStyleShowsTheBackgroundThroughTheCornerColour) {
    ctlcolor_brush = CreateSolidBrush(RGB(90, 60, 30));
    HWND control = create(ANIMATE_CLASSA, "", ACS_TRANSPARENT, 10, 10, 100, 80, 7);
    ASSERT_TRUE(open(control, save(Clip())));
    EXPECT_EQ(at(control, 0, 0), RGB(90, 60, 30));
    EXPECT_EQ(at(control, 1, 0), RGB(90, 60, 30));
    EXPECT_EQ(at(control, 4, 4), kColours[0]);
    DestroyWindow(control);
    DeleteObject(ctlcolor_brush);
    ctlcolor_brush = nullptr;
}

} // namespace
