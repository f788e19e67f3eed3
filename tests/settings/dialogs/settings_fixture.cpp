#include "tests/settings/dialogs/settings_fixture.h"

#include "saver/file_theme_source.h"
#include "saver/media_list.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "settings/dialogs/advanced_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/support/process_runner.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

void SettingsFixture::SetUp() {
    lv::testing::clear_answers();
    ResetThemeGlobals();
    ResetMediaLists();
    m_app.SetRegistryKey("Glimmerwright Savers");
    dlgdrive::MovePointerAway();
}

void SettingsFixture::TearDown() {
    lv::testing::clear_answers();
    ResetThemeGlobals();
    ResetMediaLists();
}

void SettingsFixture::Install(const lvtools::ThemeSpec& spec) {
    m_installed = lvtools::BuildTheme(spec).bytes;
    lvtest::WriteFileBytes(ThemePath(), m_installed);
    ThemeFilePath = lv::to_windows_path(ThemePath().string()).c_str();
    const CString folder = lv::to_windows_path(m_dir.path().string()).c_str();
    ASSERT_TRUE(LoadThemeFile(ThemeFilePath, folder));
}

INT_PTR SettingsFixture::RunSettings(const std::function<void(HWND)>& drive) {
    lv::testing::push_modal_answer({IDCANCEL, [drive](HWND dialog) {
                                        dlgdrive::Pump(dialog);
                                        drive(dialog);
                                    }});
    CSettingsDlg dialog;
    return dialog.DoModal();
}

INT_PTR SettingsFixture::RunModal(CDialog& dialog, const std::function<void(HWND)>& drive) {
    lv::testing::push_modal_answer({IDCANCEL, [drive](HWND shown) {
                                        dlgdrive::Pump(shown);
                                        drive(shown);
                                    }});
    return dialog.DoModal();
}

void SettingsFixture::RunFromAdvancedPage(int button, const std::function<void(HWND)>& drive) {
    RunSettings([&](HWND settings) {
        dlgdrive::Click(dlgdrive::FindControl(settings, CSettingsDlg::kAdvancedTabId));
        lv::testing::push_modal_answer({IDCANCEL, [&](HWND dialog) {
                                            dlgdrive::Pump(dialog);
                                            drive(dialog);
                                        }});
        dlgdrive::Click(dlgdrive::FindControl(settings, button));
        dlgdrive::Click(dlgdrive::FindControl(settings, IDCANCEL));
    });
}

void SettingsFixture::SetAuthoringToolFolder(const std::string& folder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, CAdvancedPage::kAuthoringToolKey, 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, CAdvancedPage::kInstallLocationValue, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
}

void SettingsFixture::CheckEveryLanguage(
    const std::function<INT_PTR(std::function<void(HWND)>)>& run,
    const std::vector<LanguageCase>& cases, std::vector<std::pair<int, UINT>> buttons,
    std::size_t controlCount, const std::function<void(HWND)>& prepare) {
    buttons.insert(buttons.end(), {{CAdvancedDlg::kOkId, 173},
                                   {CAdvancedDlg::kCancelId, 164},
                                   {CAdvancedDlg::kApplyId, 161}});
    std::vector<std::pair<int, LONG>> english;
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        std::vector<std::pair<int, LONG>> controls;
        run([&](HWND dialog) {
            EXPECT_EQ(dlgdrive::TextOf(dialog), c.caption);
            if (c.check)
                c.check(dialog);
            if (prepare)
                prepare(dialog);
            dlgdrive::MovePointerAway();
            dlgdrive::Pump(dialog);
            EXPECT_TRUE(dlgdrive::SaveScreenshot(dialog, lvtest::ScreenshotPath(c.screenshot)));
            for (const auto& [id, bitmap] : buttons)
                EXPECT_TRUE(dlgdrive::ShowsBitmap(dlgdrive::FindControl(dialog, id), bitmap)) << id;
            EXPECT_EQ(dlgdrive::TextsThatDoNotFit(dialog), std::vector<std::string>{});
            for (HWND child = GetWindow(dialog, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
                controls.emplace_back(GetDlgCtrlID(child), GetWindowLongA(child, GWL_STYLE));
            dlgdrive::Click(dlgdrive::FindControl(dialog, CAdvancedDlg::kCancelId));
        });
        EXPECT_EQ(controls.size(), controlCount);
        if (english.empty())
            english = controls;
        EXPECT_EQ(controls, english);
    }
}

ThemeContents SettingsFixture::ReadTheme() const {
    FileThemeSource source(lv::to_windows_path(ThemePath().string()).c_str());
    ThemeContents contents;
    EXPECT_EQ(ReadThemeContents(source, contents), ThemeReadStatus::Ok);
    return contents;
}

void SettingsFixture::Reload() {
    ResetThemeGlobals();
    ThemeFilePath = lv::to_windows_path(ThemePath().string()).c_str();
    ASSERT_TRUE(LoadThemeFile(ThemeFilePath, lv::to_windows_path(m_dir.path().string()).c_str()));
}

std::vector<std::pair<std::string, DWORD>> SettingsFixture::StoredValues() const {
    std::vector<std::pair<std::string, DWORD>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[64] = {};
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        DWORD value = 0;
        DWORD valueSize = sizeof value;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type,
                          reinterpret_cast<BYTE*>(&value), &valueSize) != ERROR_SUCCESS)
            break;
        values.emplace_back(name, type == REG_DWORD ? value : 0xDEADBEEF);
    }
    RegCloseKey(key);
    return values;
}

void SettingsFixture::ClearProfile() const {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey().c_str());
}

std::string SettingsFixture::SettingsKey() {
    return std::string("Software\\Glimmerwright Savers\\") + kProfileName + "\\Settings";
}
