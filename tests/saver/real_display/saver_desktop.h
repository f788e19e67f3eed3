// The saver started on a desktop of 1280x720 (a private virtual X server, bare or with a
// window manager), nothing of ours set but DISPLAY: its programs, a theme, and the settings
// dialog driven as a person does, with what a person expects of the windows it opens.
#pragma once

#include "imagelib/px_image.h"
#include "tests/saver/real_display/settings_layout.h"
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/screenshots.h"
#include "tests/support/second_window.h"
#include "tests/support/virtual_display.h"
#include "tools/themebuilder/theme_builder.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace saver_desktop {
namespace fs = std::filesystem;
using namespace settings_layout;
using lvtest::Keyboard;
using lvtest::WindowManager;

inline constexpr char kTitle[] = LV_THEME_TITLE;
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 720;
inline constexpr COLORREF kPictureColour = RGB(40, 170, 90);

inline long Rgb(COLORREF c) {
    return static_cast<long>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
}

class SaverOnADesktop : public ::testing::TestWithParam<WindowManager> {
protected:
    void SetUp() override {
        LV_SKIP_UNLESS_DESKTOP(GetParam());
        m_server.emplace(kScreenWidth, kScreenHeight, GetParam());
        ASSERT_TRUE(m_server->Running()) << "the desktop did not start";
        fs::create_directories(m_program_dir);
        fs::create_directories(Home());
        fs::copy_file(LV_LUMIVISTA, Program());
    }

    lvtest::XScreen X() const { return m_server->Screen(); }
    fs::path Program() const { return m_program_dir / (std::string(kTitle) + ".scr"); }
    fs::path Home() const { return m_scratch / "home"; }
    // Where the programs keep the C: drive and the registry when nothing else is set.
    fs::path Root() const { return Home() / ".local" / "share" / "lumivista"; }
    std::string Shot(const std::string& road) const {
        return "wm-" + std::string(lvtest::NameOf(GetParam())) + "-" + road;
    }

    // A theme of one solid picture and no skin, so that the dialogs keep their templates' places.
    void WriteTheme(int seconds = 30) {
        PxImage image;
        image.Create(320, 240, 24);
        for (LONG y = 0; y < 240; ++y)
            for (LONG x = 0; x < 320; ++x)
                image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(kPictureColour));
        const fs::path file = m_scratch / "solid.bmp";
        ASSERT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP));
        const auto bytes = lvtest::ReadFileBytes(file);
        lvtools::ThemeSpec spec;
        spec.header.title = kTitle;
        spec.settings.imageTime = seconds;
        spec.images = {{"solid.bmp", "", {bytes.begin(), bytes.end()}}};
        WriteSpec(spec);
    }

    void WriteSpec(const lvtools::ThemeSpec& spec) {
        auto built = lvtools::BuildTheme(spec);
        lvtest::WriteFileBytes(m_program_dir / (std::string(kTitle) + ".dat"),
                               {built.bytes.begin(), built.bytes.end()});
    }

    // The frame dialog opens only where the authoring tool's folder is registered.
    void RegisterFrameFolder() {
        const char* was = std::getenv("LUMIVISTA_ROOT");
        const std::string kept = was ? was : "";
        setenv("LUMIVISTA_ROOT", Root().c_str(), 1);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                                  "Glimmerwright2_is1",
                                  0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const char folder[] = "C:\\Frames";
        RegSetValueExA(key, "InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                       sizeof folder);
        RegCloseKey(key);
        if (was)
            setenv("LUMIVISTA_ROOT", kept.c_str(), 1);
        else
            unsetenv("LUMIVISTA_ROOT");
    }

    std::unique_ptr<lvtest::BackgroundProgram> Start(const std::string& mode) {
        return std::make_unique<lvtest::BackgroundProgram>(
            Program(), std::vector<std::string>{mode},
            std::map<std::string, std::string>{{"DISPLAY", m_server->Display()},
                                               {"HOME", Home().string()}});
    }

    // Starts the settings dialog and waits until it has the keyboard and is drawn.
    std::string StartSettings() {
        m_program = Start("/c");
        const auto windows = X().WindowsOf(m_program->Pid(), 60);
        EXPECT_EQ(windows.size(), 1u) << m_program->Output();
        if (windows.empty())
            return {};
        m_settings = windows.front();
        EXPECT_TRUE(X().FocusComesTo(m_settings)) << "the keyboard is with " << X().Focused();
        m_frame = X().Geometry(m_settings);
        EXPECT_TRUE(lvtest::Eventually([&] { return X().ColoursIn(m_frame) >= 3; }));
        return m_settings;
    }

    void ClickAt(const RECT& r) const {
        const POINT p = Centre(r);
        X().MoveTo(p.x, p.y);
        X().Click();
    }

    // Shows the advanced page and waits until its buttons are drawn.
    void ShowAdvancedPage() {
        const RECT media = OnPage(m_frame, kMediaButton);
        const POINT p = Centre(media);
        const long before = X().Pixel(p.x, p.y);
        ClickAt(OnScreen(m_frame, kAdvancedTab));
        EXPECT_TRUE(lvtest::Eventually([&] { return X().Pixel(p.x, p.y) != before; }))
            << "the advanced page did not come";
    }

    // Clicks the advanced page's button of a dialog and waits for that dialog; checks it.
    std::string OpenAdvanced(const AdvancedDialog& advanced) {
        ClickAt(OnPage(m_frame, advanced.button));
        const std::string dialog = X().WindowNamed(m_program->Pid(), advanced.title, 30);
        lvtest::ExpectSecondWindow(X(), *m_program, dialog, m_settings, Keyboard::taken,
                                   Shot(advanced.shot));
        return dialog;
    }

    // The road into an advanced dialog: the settings dialog started on the written theme, its
    // advanced page shown, the dialog opened and checked. Empty when a step failed.
    std::string SettingsThenAdvanced(const AdvancedDialog& advanced) {
        if (StartSettings().empty())
            return {};
        ShowAdvancedPage();
        return OpenAdvanced(advanced);
    }

    // Closes an advanced dialog as a person does (Escape, or Cancel where it takes no Escape);
    // the keyboard goes back to the settings dialog.
    void CloseAdvanced(const AdvancedDialog& advanced, const std::string& dialog) {
        if (advanced.by_escape)
            EscapeBackTo(dialog, m_settings);
        else
            CancelBackTo(dialog, m_settings);
    }

    // Escape closes the window; the keyboard goes back to `owner`.
    void EscapeBackTo(const std::string& window, const std::string& owner) {
        X().Key("Escape");
        lvtest::ExpectClosedBackTo(X(), *m_program, window, owner);
    }

    // An advanced dialog's Cancel button closes it; the keyboard goes back to `owner`.
    void CancelBackTo(const std::string& dialog, const std::string& owner) {
        ClickAt(OnScreen(X().Geometry(dialog), kAdvancedCancel));
        lvtest::ExpectClosedBackTo(X(), *m_program, dialog, owner);
    }

    // Ends the settings dialog by Escape, or by a click on Cancel where a page's control has
    // the keyboard (there Escape closes the page, as a page of its own template does).
    void EndSettings(bool by_escape = true) {
        if (by_escape)
            X().Key("Escape");
        else
            ClickAt(OnScreen(m_frame, kSettingsCancel));
        EXPECT_TRUE(m_program->Wait(20).has_value()) << m_program->Output();
        EXPECT_EQ(m_program->Output().find("nobody can give"), std::string::npos)
            << m_program->Output();
    }

    lvtest::ScratchDir m_scratch;
    fs::path m_program_dir = m_scratch / "saver";
    std::optional<lvtest::VirtualXServer> m_server;
    std::unique_ptr<lvtest::BackgroundProgram> m_program;
    std::string m_settings;
    RECT m_frame{};
};

} // namespace saver_desktop
