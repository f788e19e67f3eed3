// The skin gallery's main frame as a person meets it on a desktop of 1280x800 with nothing of
// ours set but DISPLAY (a private virtual X server, real pointer and keys through xdotool): a
// drop-down with its submenu, a maximised picture whose buttons sit on the bar, the context
// menu of a picture, and File, Exit. Waiting for input, the gallery takes no processor time.
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// Where the full skin's frame puts things, from the frame's top-left corner.
constexpr POINT kFileTitle{29, 44};
constexpr POINT kRecentItem{120, 94};     // "Recent pictures" in the File drop-down
constexpr POINT kRecentSubmenu{300, 121}; // its second item
constexpr POINT kSecondMaximise{296, 96}; // the maximise button of "Picture 2"
constexpr POINT kRestoreOnBar{720, 44};   // the restore button on the bar, maximised
constexpr POINT kInPicture{150, 200};
constexpr POINT kExitItem{58, 209}; // "Exit" in the File drop-down

// Waits (up to half a minute) for what the program shows to become true: a loaded machine
// may take its time.
bool ShowsSoon(const std::function<bool()>& shown) {
    return lvtest::Eventually(shown, 30);
}

// Whether every thread of the process is blocked in the system (state S), as a program that
// has done with what it was given and waits for input is.
bool Asleep(int pid) {
    const fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
    std::error_code error;
    bool any = false;
    for (const auto& task : fs::directory_iterator(tasks, error)) {
        std::ifstream stat(task.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        // The state follows the command name, which ends with the last ')'.
        const auto close = text.rfind(')');
        if (close == std::string::npos || close + 2 >= text.size() || text[close + 2] != 'S')
            return false;
        any = true;
    }
    return any && !error;
}

// How long the program is left alone while its processor time is measured: the measurement
// itself, not a wait for something to happen.
constexpr auto kIdleWindow = std::chrono::seconds(2);

class GalleryFrameOnRealDisplay : public ::testing::Test {
protected:
    void Start(const std::string& language) {
        fs::create_directories(scratch / "home");
        gallery = std::make_unique<lvtest::BackgroundProgram>(
            LV_SKINGALLERY, std::vector<std::string>{},
            std::map<std::string, std::string>{{"DISPLAY", server->Display()},
                                               {"HOME", (scratch / "home").string()},
                                               {"LC_ALL", language}});
        // The frame is the program's first window.
        const std::vector<std::string> windows = x().WindowsOf(gallery->Pid(), 60);
        ASSERT_FALSE(windows.empty()) << gallery->Output();
        window = windows.front();
        // Drawn: the frame shows its skin, not one background colour.
        ASSERT_TRUE(ShowsSoon([&] {
            frame = x().Geometry(window);
            return frame.right > frame.left && x().ColoursIn(frame) > 1;
        })) << gallery->Output();
        closedExit = PixelAt(kExitItem);
    }
    lvtest::XScreen x() const { return server->Screen(); }
    POINT At(POINT p) const { return POINT{frame.left + p.x, frame.top + p.y}; }
    void MoveTo(POINT p) const {
        const POINT s = At(p);
        x().MoveTo(s.x, s.y);
    }
    long PixelAt(POINT p) const {
        const POINT s = At(p);
        return x().Pixel(s.x, s.y);
    }
    // A row of pixels across where the maximised picture's icon sits on the bar.
    std::vector<long> IconRow() const {
        std::vector<long> row;
        for (int x = 12; x <= 32; x += 2)
            row.push_back(PixelAt(POINT{x, kFileTitle.y}));
        return row;
    }
    void OpenFileWithSubmenu() {
        const long closed = PixelAt(kRecentItem);
        MoveTo(kFileTitle);
        x().Click();
        EXPECT_TRUE(ShowsSoon([&] { return PixelAt(kRecentItem) != closed; }))
            << "the drop-down opened";
        const long before = PixelAt(kRecentSubmenu);
        MoveTo(kRecentItem);
        EXPECT_TRUE(ShowsSoon([&] { return PixelAt(kRecentSubmenu) != before; }))
            << "the submenu opened beside its item";
    }
    // Escape, Escape and the drop-downs are gone: where Exit sits shows the frame again.
    void CloseMenus() {
        x().Key("Escape");
        x().Key("Escape");
        ShowsSoon([&] { return PixelAt(kExitItem) == closedExit; });
    }
    // File, Exit; on a loaded machine a key or click can land while a menu is still closing,
    // so the walk is tried again until the program ends.
    void Exit() {
        bool ended = false;
        for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
            CloseMenus();
            const long before = PixelAt(kExitItem);
            MoveTo(kFileTitle);
            x().Click();
            if (!ShowsSoon([&] { return PixelAt(kExitItem) != before; }))
                continue;
            // The server hands the program the move before the click.
            MoveTo(kExitItem);
            x().Click();
            ended = gallery->Wait(15).has_value();
        }
        EXPECT_TRUE(ended) << gallery->Output();
        EXPECT_EQ(gallery->Output().find("nobody can give"), std::string::npos)
            << gallery->Output();
    }

    std::unique_ptr<lvtest::VirtualXServer> server;
    lvtest::ScratchDir scratch;
    std::unique_ptr<lvtest::BackgroundProgram> gallery;
    std::string window;
    RECT frame{};
    long closedExit = -1; // where Exit sits, with no menu open
};

TEST_F(GalleryFrameOnRealDisplay, DropDownsMaximisedPicturesAndTheContextMenu) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    server = std::make_unique<lvtest::VirtualXServer>(kWidth, kHeight);
    ASSERT_TRUE(server->Running());
    Start("en_GB.UTF-8");
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    EXPECT_LE(frame.right, kWidth);
    EXPECT_LE(frame.bottom, kHeight);

    // Waiting for input, the program sleeps.
    EXPECT_TRUE(ShowsSoon([&] { return Asleep(gallery->Pid()); }));
    const double cpu = gallery->CpuSeconds();
    std::this_thread::sleep_for(kIdleWindow);
    EXPECT_LT(gallery->CpuSeconds() - cpu, 0.1);

    OpenFileWithSubmenu();
    x().Screenshot(lvtest::ScreenshotPath("skingallery_frame_real_dropdown_en.png"));
    CloseMenus();

    // The maximise button of a picture brings its buttons onto the bar; the restore button
    // there restores it.
    const std::vector<long> bar = IconRow();
    MoveTo(kSecondMaximise);
    x().Click();
    EXPECT_TRUE(ShowsSoon([&] { return IconRow() != bar; }));
    x().Screenshot(lvtest::ScreenshotPath("skingallery_frame_real_maximised_en.png"));
    MoveTo(kRestoreOnBar);
    x().Click();
    x().MoveTo(frame.right + 100, frame.bottom + 100);
    EXPECT_TRUE(ShowsSoon([&] { return IconRow() == bar; }));

    // A right click on a picture opens its context menu; Escape closes it.
    const long before = PixelAt(POINT{kInPicture.x + 30, kInPicture.y + 20});
    MoveTo(kInPicture);
    x().Click(3);
    EXPECT_TRUE(ShowsSoon([&] {
        return PixelAt(POINT{kInPicture.x + 30, kInPicture.y + 20}) != before;
    }));
    x().Screenshot(lvtest::ScreenshotPath("skingallery_frame_real_context_en.png"));
    x().Key("Escape");
    EXPECT_TRUE(ShowsSoon([&] {
        return PixelAt(POINT{kInPicture.x + 30, kInPicture.y + 20}) == before;
    }));

    x().MoveTo(frame.right + 100, frame.bottom + 100);
    // Done with the closing menu and the pointer's leaving, the program sleeps.
    EXPECT_TRUE(ShowsSoon([&] { return Asleep(gallery->Pid()); }));
    const double idle = gallery->CpuSeconds();
    std::this_thread::sleep_for(kIdleWindow);
    EXPECT_LT(gallery->CpuSeconds() - idle, 0.1) << gallery->CpuSeconds() - idle;
    Exit();
}

// The menus in Japanese and in Korean, each language a test of its own.
class GalleryFrameInALanguage : public GalleryFrameOnRealDisplay,
                                public ::testing::WithParamInterface<const char*> {};

TEST_P(GalleryFrameInALanguage, ShowsItsMenus) {
    if (!lvtest::VirtualXServer::Installed())
        GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed";
    server = std::make_unique<lvtest::VirtualXServer>(kWidth, kHeight);
    ASSERT_TRUE(server->Running());
    const std::string language = GetParam();
    Start(language);
    OpenFileWithSubmenu();
    x().Screenshot(lvtest::ScreenshotPath(std::string("skingallery_frame_real_dropdown_") +
                                          language.substr(0, 2) + ".png"));
    Exit();
}

INSTANTIATE_TEST_SUITE_P(Languages, GalleryFrameInALanguage,
                         ::testing::Values("ja_JP.UTF-8", "ko_KR.UTF-8"),
                         [](const ::testing::TestParamInfo<const char*>& language) {
                             return std::string(language.param).substr(0, 2);
                         });

} // namespace
