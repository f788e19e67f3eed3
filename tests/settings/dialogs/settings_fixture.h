// What the saver has when mode c opens the settings dialog: a loaded theme and an application
// whose profile the dialog writes.
#pragma once

#include "mfc/mfc.h"
#include "saver/theme_reader.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class SettingsFixture : public ::testing::Test {
protected:
    static constexpr char kProfileName[] = "Settings Test";

    void SetUp() override;
    void TearDown() override;

    // Writes the theme into the scratch folder (keeping its bytes) and loads it as start-up
    // does.
    void Install(const lvtools::ThemeSpec& spec);
    std::filesystem::path ThemePath() const { return m_dir / "theme.dat"; }

    // Runs the settings dialog; `drive` gets it once it shows and closes it.
    INT_PTR RunSettings(const std::function<void(HWND)>& drive);
    // Runs any dialog modally; `drive` gets it once it shows and closes it.
    static INT_PTR RunModal(CDialog& dialog, const std::function<void(HWND)>& drive);
    // Opens an advanced dialog with its button on the settings dialog's advanced page, as a
    // person does; `drive` gets it once it shows and closes it.
    void RunFromAdvancedPage(int button, const std::function<void(HWND)>& drive);

    // Registers the authoring tool's folder, where the frame button finds the frames.
    static void SetAuthoringToolFolder(const std::string& folder);

    struct LanguageCase {
        const char* locale;
        const char* caption;
        const char* screenshot;
        std::function<void(HWND)> check = {}; // what else this language shows
    };
    // Runs a dialog (through `run`) once per language and checks what a person sees: the
    // caption, the bitmaps of `buttons` (id, bitmap) and of OK, Cancel and Apply, labels that
    // fit, a screenshot (after `prepare`), and the same `controlCount` controls, with the same
    // ids and styles, in every language.
    static void CheckEveryLanguage(const std::function<INT_PTR(std::function<void(HWND)>)>& run,
                                   const std::vector<LanguageCase>& cases,
                                   std::vector<std::pair<int, UINT>> buttons,
                                   std::size_t controlCount,
                                   const std::function<void(HWND)>& prepare = {});

    // The theme file as it is now.
    ThemeContents ReadTheme() const;
    // Loads the theme file again, as the next start does.
    void Reload();

    // Where the screenshot `name` goes: a folder of the test binary's own scratch root, kept
    // after the test.

    // The values of the profile's "Settings" section, in the order they were made.
    std::vector<std::pair<std::string, DWORD>> StoredValues() const;
    void ClearProfile() const;
    static std::string SettingsKey();

    lvtest::ScratchDir m_dir;
    // The theme file's bytes as Install wrote them.
    std::vector<unsigned char> m_installed;
    // The tests of one binary run side by side: each has a registry of its own.
    lvtest::ScopedEnv m_root{"LUMIVISTA_ROOT", (m_dir / "root").string()};
    CWinApp m_app{kProfileName};
};
