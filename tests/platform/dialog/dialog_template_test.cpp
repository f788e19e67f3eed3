// Templates compiled by the resource compiler and read back: the language a user gets, the
// fields, and dialog units as pixels.
#include "dialog/dialog_create.h"
#include "dialog/dialog_units.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TemplateTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("LANG"); }
};

TEST_F(TemplateTest, TheUsersLanguageIsPreferredAndEnglishIsTheFallback) {
    struct Case {
        const char* lang;
        LPCSTR name;
        const char* caption;
    };
    const Case cases[] = {
        {"en_GB.UTF-8", MAKEINTRESOURCE(102), "Uninstaller for Glimmerwright Saver"},
        {"ja_JP.UTF-8", MAKEINTRESOURCE(102), "Glimmerwright Saver"},
        {"ko_KR.UTF-8", MAKEINTRESOURCE(102), "Uninstaller for Glimmerwright Saver"},
        {"ja_JP.UTF-8", "choices", "Choices"},
    };
    for (const Case& c : cases) {
        setenv("LANG", c.lang, 1);
        ASSERT_NE(FindResourceA(nullptr, c.name, RT_DIALOG), nullptr) << c.lang;
        const auto t = lv::dialog::template_from_resource(c.name);
        ASSERT_TRUE(t) << c.lang;
        EXPECT_EQ(t->caption, c.caption) << c.lang;
    }
}

TEST_F(TemplateTest, FieldsSurviveTheRoundTrip) {
    setenv("LANG", "ja_JP.UTF-8", 1);
    const auto t = lv::dialog::template_from_resource(MAKEINTRESOURCE(102));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(t->ex_style, WS_EX_APPWINDOW);
    EXPECT_EQ(t->font, "Tahoma");
    EXPECT_EQ(t->point_size, 8);
    EXPECT_EQ(t->cx, 219);
    EXPECT_EQ(t->cy, 42);
    ASSERT_EQ(t->items.size(), 3u);
    const auto& label = t->items[0];
    EXPECT_EQ(lv::dialog::item_class_name(label.class_name), "Static");
    EXPECT_EQ(label.id, 0xFFFF);
    EXPECT_EQ(label.text.text, "スクリーンセーバーを削除しますか?");
    EXPECT_EQ(label.style, WS_CHILD | WS_VISIBLE | SS_LEFT);
    const auto& uninstall = t->items[1];
    EXPECT_EQ(lv::dialog::item_class_name(uninstall.class_name), "Button");
    EXPECT_EQ(uninstall.id, 1004);
    EXPECT_EQ(uninstall.style, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    EXPECT_EQ(uninstall.x, 112);
    EXPECT_EQ(uninstall.y, 21);
    EXPECT_EQ(uninstall.cx, 50);
    EXPECT_EQ(uninstall.cy, 14);
}

TEST_F(TemplateTest, HiddenControlsLoseOnlyTheirVisibleBit) {
    const auto t = lv::dialog::template_from_resource("CHOICES");
    ASSERT_TRUE(t);
    const auto hidden = std::find_if(t->items.begin(), t->items.end(),
                                     [](const auto& item) { return item.id == 322; });
    ASSERT_NE(hidden, t->items.end());
    EXPECT_EQ(hidden->style, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON);
}

TEST_F(TemplateTest, CutTemplatesAreRefused) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(102), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* bytes =
        static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    for (DWORD cut = 0; cut < size; cut += 3)
        EXPECT_FALSE(lv::dialog::parse_dialog_template({bytes, cut})) << cut;
    EXPECT_TRUE(lv::dialog::parse_dialog_template({bytes, size}));
}

TEST_F(TemplateTest, DialogUnitsFollowTheDialogFont) {
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCE(102), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    const SIZE base = lv::dialog::font_base_units(font);

    // The platform's definition, measured independently.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    SIZE alphabet{};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    DeleteDC(dc);
    EXPECT_EQ(base.cx, (alphabet.cx + 26) / 52);
    EXPECT_EQ(base.cy, metrics.tmHeight);

    struct Case {
        RECT units;
    };
    const Case cases[] = {{{0, 0, 4, 8}}, {{112, 21, 162, 35}}, {{7, 7, 212, 21}}, {{1, 3, 5, 7}}};
    for (const Case& c : cases) {
        RECT r = c.units;
        ASSERT_TRUE(MapDialogRect(dialog, &r));
        EXPECT_EQ(r.left, MulDiv(c.units.left, base.cx, 4));
        EXPECT_EQ(r.top, MulDiv(c.units.top, base.cy, 8));
        EXPECT_EQ(r.right, MulDiv(c.units.right, base.cx, 4));
        EXPECT_EQ(r.bottom, MulDiv(c.units.bottom, base.cy, 8));
    }

    // Controls sit where their template says, the client area is the template's size.
    RECT expected{112, 21, 162, 35};
    MapDialogRect(dialog, &expected);
    RECT placed{};
    GetWindowRect(GetDlgItem(dialog, 1004), &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    EXPECT_EQ(placed.right, expected.right);
    EXPECT_EQ(placed.bottom, expected.bottom);
    RECT size{0, 0, 219, 42};
    MapDialogRect(dialog, &size);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    EXPECT_FALSE(MapDialogRect(GetDlgItem(dialog, 1004), &size)); // not a dialog
    DestroyWindow(dialog);
}

TEST_F(TemplateTest, MissingTemplatesAndBadMemoryFail) {
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCE(999), nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(DialogBoxParamA(nullptr, "NOSUCH", nullptr, nullptr, 0), -1);
    // An extended template, which the layer does not read.
    std::uint8_t junk[64] = {0x01, 0x00, 0xFF, 0xFF};
    EXPECT_EQ(CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(junk), nullptr,
                                         nullptr, 0),
              nullptr);
}

} // namespace
