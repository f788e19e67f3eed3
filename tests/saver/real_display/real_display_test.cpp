// The saver as a person meets it on a desktop: a virtual X server of 1280x720 (not the layer's
// default size), the program started with nothing of ours set but DISPLAY, input from xdotool.
// The show covers the screen, stays up without input and ends on a key, a move or clicks; the
// settings dialog is a window of its own that can be moved and closed with OK; a message box is
// answered by a click; and nothing spins while it waits.
#include "dialog/dialog_units.h"
#include "dialog/message_box_layout.h"
#include "imagelib/px_image.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "tools/themebuilder/theme_builder.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr char kTitle[] = LV_THEME_TITLE;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 720;
constexpr COLORREF kPictureColour = RGB(40, 170, 90);

// A pause that is itself the check: the program is left alone this long.
void LeaveAlone(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

long Rgb(COLORREF c) {
    return static_cast<long>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

std::vector<std::uint8_t> SolidBmp(LONG w, LONG h, COLORREF colour, const fs::path& scratch) {
    PxImage image;
    image.Create(w, h, 24);
    for (LONG y = 0; y < h; ++y)
        for (LONG x = 0; x < w; ++x)
            image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
    fs::path file = scratch / "picture.bmp";
    EXPECT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP)) << image.GetLastError();
    auto bytes = lvtest::ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}

class RealDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!lvtest::VirtualXServer::Installed())
            GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed: the real "
                            "display is not tested";
        m_server.emplace(kScreenWidth, kScreenHeight);
        ASSERT_TRUE(m_server->Running()) << "the virtual X server did not start";
        fs::create_directories(m_program_dir);
        fs::copy_file(LV_LUMIVISTA, Program());
    }

    lvtest::XScreen X() const { return m_server->Screen(); }
    fs::path Program() const { return m_program_dir / (std::string(kTitle) + ".scr"); }
    fs::path Home() const { return m_scratch / "home"; }
    // Where the programs keep the C: drive and the registry when nothing else is set.
    fs::path Root() const { return Home() / ".local" / "share" / "lumivista"; }

    // A theme of one solid picture that changes slides only every `seconds`.
    void WriteTheme(int seconds) {
        lvtools::ThemeSpec spec;
        spec.header.title = kTitle;
        spec.settings.imageTime = seconds;
        spec.images = {{"solid.bmp", "", SolidBmp(320, 240, kPictureColour, m_scratch.path())}};
        auto built = lvtools::BuildTheme(spec);
        lvtest::WriteFileBytes(m_program_dir / (std::string(kTitle) + ".dat"),
                               {built.bytes.begin(), built.bytes.end()});
    }

    std::unique_ptr<lvtest::BackgroundProgram> Start(const std::vector<std::string>& args) {
        fs::create_directories(Home());
        return std::make_unique<lvtest::BackgroundProgram>(
            Program(), args,
            std::map<std::string, std::string>{{"DISPLAY", m_server->Display()},
                                               {"HOME", Home().string()}});
    }

    // The program's one visible window, after waiting for it.
    std::string OnlyWindow(lvtest::BackgroundProgram& program) {
        auto windows = X().WindowsOf(program.Pid());
        EXPECT_EQ(windows.size(), 1u) << program.Output();
        return windows.empty() ? std::string() : windows.front();
    }

    // Waits until the slide is up: the picture in the middle of the screen, fitted and centred.
    bool SlideShown() const {
        return lvtest::Eventually(
            [&] { return X().Pixel(kScreenWidth / 2, kScreenHeight / 2) == Rgb(kPictureColour); });
    }

    void Shot(const std::string& name) { X().Screenshot(lvtest::ScreenshotPath(name + ".png")); }

    lvtest::ScratchDir m_scratch;
    fs::path m_program_dir = m_scratch / "saver";
    std::optional<lvtest::VirtualXServer> m_server;
};

TEST_F(RealDisplay, TheShowCoversTheScreenStaysUpWithoutInputAndEndsOnEscape) {
    WriteTheme(30);
    auto show = Start({"/s"});
    const std::string window = OnlyWindow(*show);
    ASSERT_FALSE(window.empty());
    RECT r = X().Geometry(window);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, kScreenWidth);
    EXPECT_EQ(r.bottom, kScreenHeight);
    EXPECT_TRUE(SlideShown()) << show->Output();
    LeaveAlone(4); // the check: no input for 4 s, and the show stays
    ASSERT_TRUE(show->Running()) << "the show ended without input: " << show->Output();
    Shot("real-display-show");
    EXPECT_EQ(X().Pixel(kScreenWidth / 2, kScreenHeight / 2), Rgb(kPictureColour));
    X().Key("Escape");
    EXPECT_EQ(show->Wait(15), 0) << show->Output();
}

TEST_F(RealDisplay, TheShowEndsOnAMoveOfTenPixelsAndOnClicks) {
    WriteTheme(30);
    struct Case {
        const char* name;
        void (*act)(const lvtest::XScreen&);
    };
    const Case cases[] = {
        {"a move of 10 pixels", [](const lvtest::XScreen& x) { x.MoveBy(10, 0); }},
        // Single clicks: the saver's window takes double clicks as such, and they do not nudge.
        {"clicks", [](const lvtest::XScreen& x) { x.Click(1, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        X().MoveTo(kScreenWidth / 2, kScreenHeight / 2);
        auto show = Start({"/s"});
        ASSERT_FALSE(OnlyWindow(*show).empty());
        // Up and drawn: the show has had its first look at the cursor.
        ASSERT_TRUE(SlideShown()) << show->Output();
        ASSERT_TRUE(show->Running()) << show->Output();
        c.act(X());
        EXPECT_EQ(show->Wait(15), 0) << show->Output();
    }
}

TEST_F(RealDisplay, AWaitingShowRests) {
    WriteTheme(30);
    auto show = Start({"/s"});
    ASSERT_FALSE(OnlyWindow(*show).empty());
    ASSERT_TRUE(SlideShown()) << show->Output();
    const double before = show->CpuSeconds();
    LeaveAlone(4); // the check: the processor time of 4 s between slides
    const double used = show->CpuSeconds() - before;
    // A show between slides sleeps; even a sanitizer build stays far below a spinning loop.
    EXPECT_LT(used / 4, 0.10) << used << " s of processor time in 4 s";
    X().Key("Escape");
    EXPECT_EQ(show->Wait(15), 0) << show->Output();
}

// A session that ends (logout, kill) sends SIGTERM: the show and the settings dialog end at
// once, as any program does, instead of waiting for a person.
TEST_F(RealDisplay, TheShowAndTheSettingsDialogEndWhenTheSessionTellsThemTo) {
    WriteTheme(30);
    for (const char* mode : {"/s", "/c"}) {
        SCOPED_TRACE(mode);
        auto program = Start({mode});
        ASSERT_FALSE(OnlyWindow(*program).empty());
        program->Terminate();
        EXPECT_TRUE(program->Wait(15).has_value()) << "still running: " << program->Output();
    }
}

DWORD StoredValue(const fs::path& root, const char* name) {
    setenv("LUMIVISTA_ROOT", root.c_str(), 1);
    const std::string key = std::string("Software\\Glimmerwright Savers\\") + kTitle + "\\Settings";
    HKEY h = nullptr;
    DWORD value = 0xFFFFFFFF, size = sizeof(value), type = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
        RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
        RegCloseKey(h);
    }
    return value;
}

TEST_F(RealDisplay, TheSettingsDialogIsAWindowOfItsOwnThatMovesRestsAndStoresOnOk) {
    WriteTheme(7);
    auto settings = Start({"/c"});
    const std::string window = OnlyWindow(*settings);
    ASSERT_FALSE(window.empty());
    // Drawn: more than the one colour of an empty window.
    EXPECT_TRUE(lvtest::Eventually([&] { return X().ColoursIn(X().Geometry(window)) > 2; }))
        << settings->Output();
    RECT r = X().Geometry(window);
    // Dialog-sized and whole on the screen.
    EXPECT_GT(r.right - r.left, 200);
    EXPECT_LT(r.right - r.left, kScreenWidth);
    EXPECT_LT(r.bottom - r.top, kScreenHeight);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, kScreenWidth);
    EXPECT_LE(r.bottom, kScreenHeight);
    Shot("real-display-settings");

    const double before = settings->CpuSeconds();
    LeaveAlone(3); // the check: the processor time of 3 s without input
    EXPECT_LT((settings->CpuSeconds() - before) / 3, 0.05) << "an idle dialog spins";

    // Dragged by its caption.
    const int grab_x = (r.left + r.right) / 2, grab_y = r.top + 10;
    X().MoveTo(grab_x, grab_y);
    X().Press();
    for (int step = 1; step <= 4; ++step)
        X().MoveTo(grab_x - 30 * step, grab_y + 15 * step);
    X().Release();
    EXPECT_TRUE(lvtest::Eventually([&] {
        const RECT now = X().Geometry(window);
        return now.left == r.left - 120 && now.top == r.top + 60;
    }));
    RECT moved = X().Geometry(window);
    EXPECT_EQ(moved.left, r.left - 120);
    EXPECT_EQ(moved.top, r.top + 60);

    X().Key("Return"); // the default button: OK
    EXPECT_EQ(settings->Wait(15), 0) << settings->Output();
    EXPECT_EQ(StoredValue(Root(), "ImageTime"), 7u);
    EXPECT_EQ(StoredValue(Root(), "MUsicOff"), 0u);
}

// Where the OK button of a one-button message box lies, measured from the box's bottom edge.
int OkCentreAboveBottom() {
    const lv::dialog::DialogTemplate t = lv::dialog::message_box_template("x", "x", MB_OK);
    HFONT font = lv::dialog::create_dialog_font(t.font.c_str(), t.point_size);
    const SIZE units = lv::dialog::font_base_units(font);
    DeleteObject(font);
    const RECT client = lv::dialog::dialog_units_to_pixels(RECT{0, 0, t.cx, t.cy}, units);
    RECT ok{};
    for (const auto& item : t.items)
        if (item.id == IDOK)
            ok = lv::dialog::dialog_units_to_pixels(
                RECT{item.x, item.y, item.x + item.cx, item.y + item.cy}, units);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, t.style, FALSE, WS_EX_DLGMODALFRAME);
    return frame.bottom + client.bottom - (ok.top + ok.bottom) / 2;
}

TEST_F(RealDisplay, AMessageBoxWaitsForThePersonAndIsAnsweredByAClick) {
    auto saver = Start({"/s"}); // no theme file: a message says so
    const std::string window = OnlyWindow(*saver);
    ASSERT_FALSE(window.empty()) << saver->Output();
    RECT r = X().Geometry(window);
    ASSERT_TRUE(lvtest::Eventually([&] { return X().ColoursIn(r) > 2; })) << "never drawn";
    LeaveAlone(2); // the check: the box waits 2 s without an answer
    ASSERT_TRUE(saver->Running()) << "the message box did not wait: " << saver->Output();
    Shot("real-display-message-box");
    X().MoveTo((r.left + r.right) / 2, r.bottom - OkCentreAboveBottom());
    X().Click();
    EXPECT_TRUE(saver->Wait(15).has_value()) << saver->Output();
    EXPECT_EQ(saver->Output().find("nobody can give"), std::string::npos) << saver->Output();
}

} // namespace
