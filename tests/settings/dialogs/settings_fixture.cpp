#include "tests/settings/dialogs/settings_fixture.h"

#include "saver/file_theme_source.h"
#include "saver/media_list.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "settings/dialogs/settings_dlg.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/support/process_runner.h"

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
    lvtest::WriteFileBytes(ThemePath(), lvtools::BuildTheme(spec).bytes);
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
