// The settings dialog in English, Japanese and Korean: the same controls with the same ids,
// kinds and order, and the texts of the user's language.
#include "settings/dialogs/settings_dlg.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"

using dlgdrive::FindControl;
using dlgdrive::TextOf;

namespace {

struct Control {
    std::string className;
    int id;
    DWORD style;
    bool operator==(const Control&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Control& c) {
    return out << c.className << " " << c.id << " 0x" << std::hex << c.style << std::dec;
}

// The window's descendants, depth first, in z-order.
void CollectControls(HWND root, std::vector<Control>& out) {
    for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        // Whether a page is shown depends on the tab, not the language.
        const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~WS_VISIBLE;
        out.push_back({name, GetDlgCtrlID(child), style});
        CollectControls(child, out);
    }
}

class SettingsLanguages : public SettingsFixture {};

TEST_F(SettingsLanguages, EveryLanguageHasTheSameControlsAndItsOwnTexts) {
    Install(lvtest::FullThemeSpec("Settings Test"));
    struct Case {
        const char* locale;
        const char* caption;
        const char* version;
        const char* muteText;
    };
    const Case cases[] = {
        {"C", "Settings", "Version 2.5.0", "Enable Mute Sound"},
        {"ja_JP.UTF-8", "設定", "バージョン 2.5.0", "サウンドをミュートする"},
        {"ko_KR.UTF-8", "설정", "버전 2.5.0", "소리 끄기"},
    };
    std::vector<Control> english;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        std::vector<Control> controls;
        RunSettings([&](HWND dialog) {
            CollectControls(dialog, controls);
            EXPECT_EQ(TextOf(dialog), c.caption);
            EXPECT_EQ(TextOf(FindControl(dialog, CAboutPage::kVersionId)), c.version);
            EXPECT_EQ(TextOf(FindControl(dialog, COptionsPage::kMuteId)), c.muteText);
            // With the texts the pages give their controls (the version) as well.
            for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(dialog))
                ADD_FAILURE() << label;
            dlgdrive::Click(FindControl(dialog, IDCANCEL));
        });
        // The dialog's seven controls, its three pages and their controls.
        EXPECT_EQ(controls.size(), 7u + 3u + 15u + 10u + 7u);
        if (english.empty())
            english = controls;
        EXPECT_EQ(controls, english);
    }
}

} // namespace
