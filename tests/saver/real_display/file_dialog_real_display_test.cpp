// A person on a desktop replaces the theme's pictures: the settings dialog, its advanced page,
// the media dialog, and the file dialog as a window of its own in which the picture's path is
// typed. Apply rewrites the theme and the next show shows the picture. A virtual X server of
// 1100x800, the program started with nothing of ours set but DISPLAY, input from xdotool.
#include "dialog/dialog_units.h"
#include "imagelib/px_image.h"
#include "saver/file_theme_source.h"
#include "saver/theme_reader.h"
#include "system/paths.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "tools/themebuilder/theme_builder.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr char kTitle[] = LV_THEME_TITLE;
constexpr int kScreenWidth = 1100;
constexpr int kScreenHeight = 800;
constexpr COLORREF kOldColour = RGB(40, 170, 90);
constexpr COLORREF kNewColour = RGB(240, 200, 20);
// The templates of the settings dialog, its advanced page and the media dialog.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr POINT kPageOrigin{7, 32};
constexpr RECT kAdvancedTab{87, 9, 87 + 81, 9 + 22};
constexpr RECT kMediaButton{15, 120, 15 + 60, 120 + 20};
constexpr RECT kSettingsOk{167, 197, 167 + 60, 197 + 30};
constexpr RECT kMediaList{0, 0, 279, 104};
constexpr RECT kMediaAdd{1, 105, 1 + 43, 105 + 18};
constexpr RECT kMediaDelete{48, 105, 48 + 43, 105 + 18};
constexpr RECT kMediaApply{230, 142, 230 + 50, 142 + 20};

// A pause that is itself the check: the program is left alone this long.
void LeaveAlone(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

long Rgb(COLORREF c) {
    return static_cast<long>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

// Where a control of a dialog template lies on the screen, given the dialog's window.
RECT OnScreen(const RECT& window, DWORD style, const RECT& units) {
    HFONT font = lv::dialog::create_dialog_font("Tahoma", 8);
    const SIZE base = lv::dialog::font_base_units(font);
    DeleteObject(font);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT r = lv::dialog::dialog_units_to_pixels(units, base);
    OffsetRect(&r, window.left - frame.left, window.top - frame.top);
    return r;
}

RECT Shifted(RECT r, POINT by) {
    OffsetRect(&r, by.x, by.y);
    return r;
}

class FileDialogOnADesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!lvtest::VirtualXServer::Installed())
            GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed: the real "
                            "display is not tested";
        m_server.emplace(kScreenWidth, kScreenHeight);
        ASSERT_TRUE(m_server->Running()) << "the virtual X server did not start";
        fs::create_directories(m_program_dir);
        fs::create_directories(Home());
        fs::copy_file(LV_LUMIVISTA, Program());
    }

    lvtest::XScreen X() const { return m_server->Screen(); }
    fs::path Program() const { return m_program_dir / (std::string(kTitle) + ".scr"); }
    fs::path Theme() const { return m_program_dir / (std::string(kTitle) + ".dat"); }
    fs::path Home() const { return m_scratch / "home"; }

    fs::path WritePicture(const std::string& name, COLORREF colour) {
        PxImage image;
        image.Create(320, 240, 24);
        for (LONG y = 0; y < 240; ++y)
            for (LONG x = 0; x < 320; ++x)
                image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
        const fs::path file = m_scratch / "pictures" / name;
        fs::create_directories(file.parent_path());
        EXPECT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP)) << image.GetLastError();
        return file;
    }

    void WriteTheme() {
        lvtools::ThemeSpec spec;
        spec.header.title = kTitle;
        spec.settings.imageTime = 30;
        const auto bytes = lvtest::ReadFileBytes(WritePicture("old.bmp", kOldColour));
        spec.images = {{"old.bmp", "", {bytes.begin(), bytes.end()}}};
        auto built = lvtools::BuildTheme(spec);
        lvtest::WriteFileBytes(Theme(), {built.bytes.begin(), built.bytes.end()});
    }

    std::unique_ptr<lvtest::BackgroundProgram> Start(const std::string& mode) {
        return std::make_unique<lvtest::BackgroundProgram>(
            Program(), std::vector<std::string>{mode},
            std::map<std::string, std::string>{{"DISPLAY", m_server->Display()},
                                               {"HOME", Home().string()}});
    }

    // The program takes clicks in the order they come, and clicks on different controls are
    // never a double click: the next one needs no wait. A window a click opens or closes is
    // waited for where it matters.
    void ClickAt(const RECT& r) {
        X().MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        X().Click();
    }

    // Waits until the window is drawn (more than the one colour of an empty window); where it
    // is then.
    RECT Drawn(const std::string& window) {
        EXPECT_TRUE(lvtest::Eventually([&] { return X().ColoursIn(X().Geometry(window)) > 2; }))
            << "never drawn";
        return X().Geometry(window);
    }

    // How many pixels of the screen area show the colour.
    int CountColour(const RECT& area, COLORREF colour, const std::string& shot) {
        const std::string path = lvtest::ScreenshotPath(shot);
        if (!X().Screenshot(path))
            return -1;
        PxImage screen;
        if (!screen.Load(path.c_str(), PXIMAGE_FORMAT_UNKNOWN))
            return -1;
        // Rows are stored from the bottom up.
        const LONG height = static_cast<LONG>(screen.GetHeight());
        int count = 0;
        for (LONG y = std::max<LONG>(0, area.top); y < std::min(area.bottom, height); ++y)
            for (LONG x = std::max<LONG>(0, area.left); x < area.right; ++x)
                count +=
                    PxImage::RgbQuadToRgb(screen.GetPixelColor(x, height - 1 - y, false)) == colour;
        return count;
    }

    std::vector<std::string> ThemePictures() {
        FileThemeSource source(lv::to_windows_path(Theme().string()).c_str());
        ThemeContents contents;
        EXPECT_EQ(ReadThemeContents(source, contents), ThemeReadStatus::Ok);
        std::vector<std::string> names;
        for (const auto& image : contents.images)
            names.push_back(image.name);
        return names;
    }

    lvtest::ScratchDir m_scratch;
    fs::path m_program_dir = m_scratch / "saver";
    std::optional<lvtest::VirtualXServer> m_server;
};

TEST_F(FileDialogOnADesktop, APictureTypedIntoTheFileDialogReplacesTheThemesPictures) {
    WriteTheme();
    const fs::path picture = WritePicture("sunny.bmp", kNewColour);
    auto settings = Start("/c");
    const auto windows = X().WindowsOf(settings->Pid());
    ASSERT_EQ(windows.size(), 1u) << settings->Output();
    const RECT frame = Drawn(windows.front());
    ClickAt(OnScreen(frame, kDialogStyle, kAdvancedTab));
    ClickAt(OnScreen(frame, kDialogStyle, Shifted(kMediaButton, kPageOrigin)));

    const std::string media = X().WindowNamed(settings->Pid(), "Media Advanced Setting");
    ASSERT_FALSE(media.empty()) << settings->Output();
    const RECT media_frame = Drawn(media);
    const RECT list = OnScreen(media_frame, kDialogStyle, kMediaList);
    ClickAt(RECT{list.left, list.top, list.left + 200, list.top + 40}); // the old picture
    ClickAt(OnScreen(media_frame, kDialogStyle, kMediaDelete));
    ClickAt(OnScreen(media_frame, kDialogStyle, kMediaAdd));

    const std::string open = X().WindowNamed(settings->Pid(), "Open");
    ASSERT_FALSE(open.empty()) << "no file dialog came: " << settings->Output();
    const RECT r = Drawn(open);
    // Near the middle of the screen, where the media dialog put its owner.
    EXPECT_LT(std::abs((r.left + r.right) / 2 - kScreenWidth / 2), 80);
    EXPECT_LT(std::abs((r.top + r.bottom) / 2 - kScreenHeight / 2), 120);
    X().Screenshot(lvtest::ScreenshotPath("real-display-file-dialog.png"));
    const double before = settings->CpuSeconds();
    LeaveAlone(2); // the check: the processor time of 2 s without input
    EXPECT_LT((settings->CpuSeconds() - before) / 2, 0.05) << "a waiting file dialog spins";

    // The name box has the keyboard: the path as a person types it on this system, and Enter.
    X().Run("xdotool type --delay 20 '" + picture.string() + "'");
    X().Key("Return");
    EXPECT_TRUE(X().WindowClosed(settings->Pid(), "Open")) << "the file dialog stayed";
    EXPECT_TRUE(lvtest::Eventually(
        [&] { return CountColour(list, kNewColour, "real-display-media-added.png") > 500; }))
        << "the media list shows no thumbnail of the picture";

    ClickAt(OnScreen(media_frame, kDialogStyle, kMediaApply));
    // Apply rewrites the theme behind its progress dialog and closes the media dialog; the
    // settings dialog takes clicks again once both are gone.
    ASSERT_TRUE(X().WindowClosed(settings->Pid(), "Media Advanced Setting", 60))
        << settings->Output();
    ASSERT_TRUE(X().WindowClosed(settings->Pid(), "Please Wait...", 60)) << settings->Output();
    ClickAt(OnScreen(frame, kDialogStyle, kSettingsOk));
    EXPECT_EQ(settings->Wait(20), 0) << settings->Output();
    EXPECT_EQ(ThemePictures(), std::vector<std::string>{"sunny.bmp"});

    // The next show shows it.
    auto show = Start("/s");
    ASSERT_EQ(X().WindowsOf(show->Pid()).size(), 1u) << show->Output();
    EXPECT_TRUE(lvtest::Eventually(
        [&] { return X().Pixel(kScreenWidth / 2, kScreenHeight / 2) == Rgb(kNewColour); }))
        << "the show does not show the new picture: " << std::hex
        << X().Pixel(kScreenWidth / 2, kScreenHeight / 2);
    X().Key("Escape");
    EXPECT_EQ(show->Wait(15), 0) << show->Output();
}

} // namespace
