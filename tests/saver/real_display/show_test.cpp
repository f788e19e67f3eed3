// The show on a desktop with a window manager as well as on the bare server: it covers the
// screen, stays up without input and ends on a key, a move of ten pixels and clicks; and the
// skinned settings dialog moves by its skinned caption.
#include "tests/saver/real_display/saver_desktop.h"

namespace saver_desktop {
namespace {

class ShowOnADesktop : public SaverOnADesktop {};

TEST_P(ShowOnADesktop, TheShowCoversTheScreenStaysUpAndEndsOnAKeyAMoveAndClicks) {
    WriteTheme();
    struct Case {
        const char* name;
        void (*act)(const lvtest::XScreen&);
    };
    bool first = true;
    const Case cases[] = {
        {"Escape", [](const lvtest::XScreen& x) { x.Key("Escape"); }},
        {"a move of 10 pixels", [](const lvtest::XScreen& x) { x.MoveBy(10, 0); }},
        // Single clicks: the saver's window takes double clicks as such.
        {"clicks", [](const lvtest::XScreen& x) { x.Click(1, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        X().MoveTo(kScreenWidth / 2, kScreenHeight / 2);
        auto show = Start("/s");
        const auto windows = X().WindowsOf(show->Pid(), 60);
        ASSERT_EQ(windows.size(), 1u) << show->Output();
        const std::string window = windows.front();
        // The first slide up, over the whole screen: the picture in the middle, nothing of the
        // desktop or a manager's frame at the edges.
        EXPECT_TRUE(lvtest::Eventually([&] {
            return X().Pixel(kScreenWidth / 2, kScreenHeight / 2) == Rgb(kPictureColour);
        })) << show->Output();
        const RECT r = X().Geometry(window);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, kScreenWidth);
        EXPECT_EQ(r.bottom, kScreenHeight);
        EXPECT_TRUE(X().OnTop(window));
        EXPECT_TRUE(X().FocusComesTo(window)) << "the keyboard is with " << X().Focused();
        for (const POINT& corner :
             {POINT{0, 0}, POINT{kScreenWidth - 1, 0}, POINT{0, kScreenHeight - 1},
              POINT{kScreenWidth - 1, kScreenHeight - 1}})
            EXPECT_EQ(X().Pixel(corner.x, corner.y), 0) << corner.x << "," << corner.y;
        X().Screenshot(lvtest::ScreenshotPath(Shot("show") + ".png"));
        // Without input it stays (looked at once: the other cases only end it).
        if (first) {
            EXPECT_FALSE(show->Wait(3).has_value()) << "ended by itself: " << show->Output();
        }
        first = false;
        c.act(X());
        EXPECT_EQ(show->Wait(20), 0) << show->Output();
    }
}

// A skinned settings dialog is moved by its skinned caption, under a manager as on the bare
// server.
TEST_P(ShowOnADesktop, TheSkinnedSettingsDialogMovesByItsCaption) {
    WriteSpec(lvtest::FullThemeSpec(kTitle));
    ASSERT_FALSE(StartSettings().empty());
    const RECT r = m_frame;
    const int grab_x = r.left + (r.right - r.left) / 3, grab_y = r.top + 15;
    X().MoveTo(grab_x, grab_y);
    X().Press();
    for (int step = 1; step <= 4; ++step)
        X().MoveTo(grab_x + 20 * step, grab_y + 10 * step);
    X().Release();
    EXPECT_TRUE(lvtest::Eventually([&] {
        const RECT moved = X().Geometry(m_settings);
        return moved.left == r.left + 80 && moved.top == r.top + 40;
    })) << "at "
        << X().Geometry(m_settings).left << "," << X().Geometry(m_settings).top << " from "
        << r.left << "," << r.top;
    X().Screenshot(lvtest::ScreenshotPath(Shot("settings-moved") + ".png"));
    EXPECT_TRUE(X().FocusComesTo(m_settings));
    EndSettings();
}

INSTANTIATE_TEST_SUITE_P(Desktops, ShowOnADesktop, ::testing::ValuesIn(lvtest::kAllWindowManagers),
                         lvtest::DesktopName);

} // namespace
} // namespace saver_desktop
