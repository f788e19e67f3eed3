// The gallery's window of drawn scroll bars and a playing animation on a desktop of 1152x864
// with nothing of ours set but DISPLAY: opened from the gallery by its key, the clip plays on
// the screen (two pictures of it differ), and once stopped the screen stands still and the
// program is idle.
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Waits until the window is drawn (more than the one colour of an empty window).
bool Drawn(const lvtest::XScreen& x, const std::string& window) {
    return lvtest::Eventually([&] { return x.ColoursIn(x.Geometry(window)) > 2; });
}

TEST(GalleryScrollAnimOnRealDisplay, PlaysOnTheScreenAndIsIdleWhenStopped) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    lvtest::VirtualXServer server(1152, 864);
    ASSERT_TRUE(server.Running());
    lvtest::XScreen x = server.Screen();
    lvtest::ScratchDir scratch;
    fs::create_directories(scratch / "home");
    lvtest::BackgroundProgram gallery(
        LV_SKINGALLERY, {"--dialog"},
        {{"DISPLAY", server.Display()}, {"HOME", (scratch / "home").string()}});
    const std::string main_window = x.WindowNamed(gallery.Pid(), "Skin Gallery", 60);
    ASSERT_FALSE(main_window.empty()) << gallery.Output();
    ASSERT_TRUE(Drawn(x, main_window)) << gallery.Output();
    x.Key("alt+a");
    const std::string window = x.WindowNamed(gallery.Pid(), "Scroll Bars and Animation", 30);
    ASSERT_FALSE(window.empty()) << gallery.Output();
    ASSERT_TRUE(Drawn(x, window)) << gallery.Output();
    const RECT r = x.Geometry(window);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, 1152);
    EXPECT_LE(r.bottom, 864);

    // Playing: a later picture differs from the first (the ball has moved).
    const fs::path first = scratch / "first.png", second = scratch / "second.png";
    ASSERT_TRUE(x.Screenshot(first.string()));
    EXPECT_TRUE(lvtest::Eventually(
        [&] { return x.Screenshot(second.string()) && Bytes(first) != Bytes(second); }))
        << "the animation does not play on the screen";
    x.Screenshot(lvtest::ScreenshotPath("skingallery_scroll_anim_real_display.png"));

    // Stopped: the screen stands still and the program waits without using the processor.
    x.Key("alt+s");
    // Stopped once a picture is the same as the one before it.
    ASSERT_TRUE(x.Screenshot(first.string()));
    EXPECT_TRUE(lvtest::Eventually([&] {
        const std::string before = Bytes(first);
        return x.Screenshot(first.string()) && Bytes(first) == before;
    })) << "the animation does not stop";
    const double cpu = gallery.CpuSeconds();
    ASSERT_TRUE(x.Screenshot(first.string()));
    // The check itself: 2 s in which nothing may move and the processor may not be used.
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    ASSERT_TRUE(x.Screenshot(second.string()));
    const double used = gallery.CpuSeconds() - cpu;
    EXPECT_EQ(Bytes(first), Bytes(second)) << "a stopped animation stands still";
    EXPECT_LT(used, 0.1) << "processor seconds used in 2 s while stopped";
    std::cout << "[ cpu ] " << used << " s in 2 s while stopped\n";

    x.Key("Escape");
    EXPECT_TRUE(x.WindowClosed(gallery.Pid(), "Scroll Bars and Animation", 20));
    x.Key("Escape");
    EXPECT_TRUE(gallery.Wait(20).has_value()) << gallery.Output();
}

} // namespace
