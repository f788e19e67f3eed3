// The saver's settings dialog and the installer's Install Manager as a person meets them on a
// desktop of 1152x720: each is a shaped window framed by the default skin (rounded corners
// that show the desktop, the skin's caption, the dialogs' colour inside), moved by dragging
// its skinned caption and closed by clicking its skinned close button, whose hot and pressed
// looks show on the way.
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/virtual_display.h"
#include "tools/skinbuilder/default_skin_layout.h"

#include <gtest/gtest.h>

#include <optional>

namespace fs = std::filesystem;
namespace layout = default_skin::layout;

namespace {

constexpr char kTitle[] = LV_THEME_TITLE;
constexpr int kScreenWidth = 1152;
constexpr int kScreenHeight = 720;
// Where the default skin puts a dialog's close button: top right, inside the frame's margin.
constexpr int kCloseRightMargin = 8;
constexpr int kCloseTop = 6;

long Rgb(COLORREF c) {
    return static_cast<long>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

// The close button's cell on the screen.
RECT CloseButton(const RECT& window) {
    const int right = window.right - kCloseRightMargin;
    return {right - layout::kButtonCell, window.top + kCloseTop, right,
            window.top + kCloseTop + layout::kButtonCell};
}

struct Language {
    const char* locale;
    const char* tag;
};
constexpr Language kLanguages[] = {{"C", "en"}, {"ja_JP.UTF-8", "ja"}, {"ko_KR.UTF-8", "ko"}};

class SkinnedOnRealDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!lvtest::VirtualXServer::Installed())
            GTEST_SKIP() << "Xvfb, xdotool or ImageMagick's import is not installed: the real "
                            "display is not tested";
        m_server.emplace(kScreenWidth, kScreenHeight);
        ASSERT_TRUE(m_server->Running()) << "the virtual X server did not start";
        fs::create_directories(Home());
    }

    lvtest::XScreen X() const { return m_server->Screen(); }
    fs::path Home() const { return m_scratch / "home"; }

    std::unique_ptr<lvtest::BackgroundProgram>
    Start(const fs::path& program, const std::vector<std::string>& args, const char* locale) {
        return std::make_unique<lvtest::BackgroundProgram>(
            program, args,
            std::map<std::string, std::string>{
                {"DISPLAY", m_server->Display()}, {"HOME", Home().string()}, {"LC_ALL", locale}});
    }

    // Waits until the skin has framed the dialog (its corner cut away, its client area drawn);
    // where the dialog is then.
    RECT Framed(const std::string& window, long desktopAtCorner) const {
        RECT r{};
        EXPECT_TRUE(lvtest::Eventually([&] {
            r = X().Geometry(window);
            return X().Pixel(r.left, r.top) == desktopAtCorner &&
                   X().Pixel(r.left + 11, r.bottom - 14) == Rgb(layout::kClient);
        })) << "the skin never framed the dialog";
        return r;
    }

    // Moves the pointer off the dialog (to the screen's bottom left) and waits until it is there.
    void PointerAway() const {
        X().MoveTo(0, kScreenHeight - 1);
        EXPECT_TRUE(lvtest::Eventually([&] {
            const POINT at = X().Pointer();
            return at.x == 0 && at.y == kScreenHeight - 1;
        }));
    }

    // What the skin shows of a framed dialog: the desktop at the rounded corner, the skin's
    // caption beside it, the dialogs' colour in the client area.
    void CheckFramed(const RECT& r, long desktopAtCorner) {
        EXPECT_EQ(X().Pixel(r.left, r.top), desktopAtCorner) << "the corner is not cut away";
        const long caption = X().Pixel(r.left + 4, r.top + layout::kCaptionHeight / 2);
        EXPECT_NE(caption, desktopAtCorner);
        EXPECT_NE(caption, Rgb(layout::kClient));
        EXPECT_EQ(X().Pixel(r.left + 11, r.bottom - 14), Rgb(layout::kClient));
    }

    // Drags the dialog by its caption (left of the title's middle, clear of the buttons) and
    // checks that it followed the pointer.
    void DragByCaption(const std::string& window, RECT& r) {
        const int grab_x = r.left + (r.right - r.left) / 3, grab_y = r.top + 15;
        X().MoveTo(grab_x, grab_y);
        X().Press();
        for (int step = 1; step <= 4; ++step)
            X().MoveTo(grab_x + 20 * step, grab_y + 10 * step);
        X().Release();
        EXPECT_TRUE(lvtest::Eventually([&] {
            const RECT now = X().Geometry(window);
            return now.left == r.left + 80 && now.top == r.top + 40;
        }));
        const RECT moved = X().Geometry(window);
        EXPECT_EQ(moved.left, r.left + 80);
        EXPECT_EQ(moved.top, r.top + 40);
        r = moved;
    }

    // Points at the close button, presses and releases it, checking its hot and pressed looks.
    void CloseByButton(const RECT& r, const std::string& shot) {
        const RECT close = CloseButton(r);
        // A pixel of the button's plate, off its glyph.
        const int plate_x = close.left + 3, plate_y = close.top + 3;
        const long rest = X().Pixel(plate_x, plate_y);
        X().MoveTo((close.left + close.right) / 2, (close.top + close.bottom) / 2);
        EXPECT_TRUE(lvtest::Eventually(
            [&] { return X().Pixel(plate_x, plate_y) == Rgb(layout::kAccentSoft); }))
            << "not hot";
        X().Press();
        EXPECT_TRUE(
            lvtest::Eventually([&] { return X().Pixel(plate_x, plate_y) == Rgb(layout::kAccent); }))
            << "not pressed";
        X().Screenshot(lvtest::ScreenshotPath(shot));
        X().Release();
        EXPECT_NE(rest, Rgb(layout::kAccent));
    }

    lvtest::ScratchDir m_scratch;
    std::optional<lvtest::VirtualXServer> m_server;
};

TEST_F(SkinnedOnRealDisplay,
       TheSettingsDialogIsFramedByTheSkinMovesByItsCaptionAndClosesByItsButton) {
    const fs::path folder = m_scratch / "saver";
    fs::create_directories(folder);
    const fs::path program = folder / (std::string(kTitle) + ".scr");
    fs::copy_file(LV_LUMIVISTA, program);
    auto built = lvtools::BuildTheme(lvtest::FullThemeSpec(kTitle));
    lvtest::WriteFileBytes(folder / (std::string(kTitle) + ".dat"),
                           {built.bytes.begin(), built.bytes.end()});

    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.locale);
        const long desktop = X().Pixel(0, 0);
        auto settings = Start(program, {"/c"}, language.locale);
        auto windows = X().WindowsOf(settings->Pid());
        ASSERT_EQ(windows.size(), 1u) << settings->Output();
        const std::string window = windows.front();
        RECT r = Framed(window, desktop);
        PointerAway();
        X().Screenshot(lvtest::ScreenshotPath(std::string("real-display-settings-skinned-") +
                                              language.tag + ".png"));
        // The screen's corner shows the desktop as the window's cut corner does.
        CheckFramed(r, desktop);
        DragByCaption(window, r);
        CloseByButton(r,
                      std::string("real-display-settings-close-pressed-") + language.tag + ".png");
        EXPECT_EQ(settings->Wait(15), 0) << settings->Output();
        EXPECT_EQ(settings->Output().find("nobody can give"), std::string::npos)
            << settings->Output();
    }
}

TEST_F(SkinnedOnRealDisplay,
       TheInstallManagerIsFramedByTheSkinMovesByItsCaptionAndClosesByItsButton) {
    const long desktop = X().Pixel(0, 0);
    auto installer = Start(LV_PACKED_INSTALLER, {}, "C");
    // The "Please Wait..." box stays while the payload unpacks; then the dialog is alone.
    std::string dialog;
    lvtest::Eventually(
        [&] {
            if (!installer->Running())
                return true;
            auto windows = X().WindowsOf(installer->Pid(), 0);
            std::string named = X().WindowNamed(installer->Pid(), "Install Manager", 0);
            if (!named.empty() && windows.size() == 1 && windows.front() == named &&
                X().Focused() == named)
                dialog = named;
            return !dialog.empty();
        },
        240);
    ASSERT_FALSE(dialog.empty()) << installer->Output();
    RECT r = Framed(dialog, desktop);
    PointerAway();
    X().Screenshot(lvtest::ScreenshotPath("real-display-install-manager-skinned.png"));
    CheckFramed(r, desktop);
    DragByCaption(dialog, r);
    CloseByButton(r, "real-display-install-manager-close-pressed.png");
    EXPECT_TRUE(installer->Wait(20).has_value()) << installer->Output();
    EXPECT_EQ(installer->Output().find("nobody can give"), std::string::npos)
        << installer->Output();
    // Closed is cancelled: nothing installed.
    for (const auto& entry : fs::recursive_directory_iterator(Home()))
        EXPECT_NE(entry.path().extension(), ".scr") << entry.path();
}

} // namespace
