// What an open popup menu shows: the selected item highlighted, grayed text embossed, check
// marks, separators, submenu arrows; and screenshots of a menu with its submenu in English,
// Japanese and Korean.
#include "menu_test_support.h"

#include "menu/menu_metrics.h"
#include "menu/popup_window.h"

#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lt = lv::testing;
using menutest::item_on_screen;
using menutest::open_popups;

namespace {

int count_colour(const RECT& r, COLORREF colour) {
    return lt::count_screen_pixels(r, colour);
}

RECT column(const RECT& item, int left, int right) {
    return RECT{item.left + left, item.top, item.left + right, item.bottom};
}

class PopupPaint : public ::testing::Test {
protected:
    void SetUp() override {
        // Open 10, Save 11 (grayed), Wrap 13 (checked), separator, More >, Exit 12.
        menu = menutest::build_menu({"&Open\tCtrl+O|10", "&Save|11|1", "&Wrap|13|8", "-", ">",
                                     "&More", "&First|20", "<", "E&xit|12"});
        SetFocus(owner.hwnd());
    }
    void TearDown() override { DestroyMenu(menu); }

    menutest::Owner owner;
    HMENU menu = nullptr;
};

TEST_F(PopupPaint, ItemsShowTheirStates) {
    COLORREF menu_colour = GetSysColor(COLOR_MENU);
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF text = GetSysColor(COLOR_MENUTEXT);
    COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    COLORREF light = GetSysColor(COLOR_3DHILIGHT);
    owner.script.push_back([] { lt::key_press(VK_DOWN); });
    owner.script.push_back([&] {
        HWND popup = open_popups().at(0);
        RECT open = item_on_screen(popup, 0);
        RECT save = item_on_screen(popup, 1);
        RECT wrap = item_on_screen(popup, 2);
        RECT line = item_on_screen(popup, 3);
        RECT more = item_on_screen(popup, 4);
        int check_width = GetSystemMetrics(SM_CXMENUCHECK) + 6;
        int arrow_width = GetSystemMetrics(SM_CXMENUCHECK) + 4;
        // The selected item is filled with the highlight, the others keep the menu colour.
        EXPECT_EQ(lt::screen_pixel(open.right - 2, (open.top + open.bottom) / 2), highlight);
        EXPECT_EQ(lt::screen_pixel(more.left + 1, more.top + 1), menu_colour);
        EXPECT_GT(count_colour(open, GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
        // A grayed text is embossed: light and shadow, no black.
        RECT save_text = column(save, check_width, save.right - save.left - arrow_width);
        EXPECT_GT(count_colour(save_text, shadow), 5);
        EXPECT_GT(count_colour(save_text, light), 5);
        EXPECT_EQ(count_colour(save_text, text), 0);
        // A check mark in the check column, an arrow in the arrow column.
        EXPECT_GT(count_colour(column(wrap, 0, check_width), text), 8);
        EXPECT_EQ(count_colour(column(open, 0, check_width), text), 0);
        RECT arrow = column(more, more.right - more.left - arrow_width, more.right - more.left);
        EXPECT_GT(count_colour(arrow, text), 8);
        // The separator is an etched line across the middle.
        int middle = (line.top + line.bottom) / 2 - 1;
        EXPECT_EQ(lt::screen_pixel(line.left + 10, middle), shadow);
        EXPECT_EQ(lt::screen_pixel(line.left + 10, middle + 1), light);
        EXPECT_EQ(lt::screen_pixel(line.left + 10, middle - 2), menu_colour);
        // The popup's raised edge.
        RECT window{};
        GetWindowRect(popup, &window);
        EXPECT_EQ(lt::screen_pixel(window.left + 1, window.top + 1), light);
        EXPECT_EQ(lt::screen_pixel(window.right - 1, window.bottom - 1),
                  GetSysColor(COLOR_3DDKSHADOW));
        lt::key_press(VK_ESCAPE);
    });
    EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 120, 120, owner.hwnd(), nullptr), 0);
}

struct Language {
    const char* name;
    std::vector<std::string> entries;
};

void PrintTo(const Language& l, std::ostream* os) {
    *os << l.name;
}

class PopupScreenshots : public ::testing::TestWithParam<Language> {};

TEST_P(PopupScreenshots, MenuWithItsSubmenu) {
    menutest::Owner owner;
    SetFocus(owner.hwnd());
    HMENU menu = menutest::build_menu(GetParam().entries);
    bool fits = true;
    owner.script.push_back([] {
        lt::key_press(VK_DOWN);
        lt::key_press(VK_DOWN);
        lt::key_press(VK_DOWN);
        lt::key_press(VK_DOWN);
        lt::key_press(VK_RIGHT);
    });
    owner.script.push_back([&] {
        auto popups = open_popups();
        ASSERT_EQ(popups.size(), 2u);
        // Every label and shortcut fits its item between the check and the arrow columns.
        int columns = GetSystemMetrics(SM_CXMENUCHECK) * 2 + 10;
        for (HWND popup : popups) {
            auto* view =
                reinterpret_cast<lv::menu::PopupView*>(GetWindowLongPtrA(popup, GWLP_USERDATA));
            for (size_t i = 0; i < view->items.size(); ++i) {
                auto parts = lv::menu::split_item_text(view->items[i].text);
                int needed = lv::menu::text_size(nullptr, parts.label).cx +
                             lv::menu::text_size(nullptr, parts.shortcut).cx + columns;
                const RECT& r = view->layout.items[i];
                fits = fits && needed <= r.right - r.left;
            }
        }
        EXPECT_TRUE(lt::save_screen_png(
            lvtest::ScreenshotPath(std::string("menu_popup_") + GetParam().name + ".png")));
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    TrackPopupMenuEx(menu, TPM_RETURNCMD, 150, 120, owner.hwnd(), nullptr);
    EXPECT_TRUE(fits);
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PopupScreenshots,
    ::testing::Values(
        Language{"en",
                 {"&Open...\tCtrl+O|10", "&Save|11|1", "&Word Wrap|13|8", "-", ">", "&Recent Files",
                  "&1 Quiet Horizons.dat|20", "&2 Amber Tides.dat|21|8", "<", "E&xit\tAlt+F4|12"}},
        Language{"ja",
                 {"開く(&O)...\tCtrl+O|10", "上書き保存(&S)|11|1", "折り返し(&W)|13|8", "-", ">",
                  "最近使ったファイル(&R)", "&1 静かな地平線.dat|20", "&2 琥珀の潮.dat|21|8", "<",
                  "終了(&X)\tAlt+F4|12"}},
        Language{"ko",
                 {"열기(&O)...\tCtrl+O|10", "저장(&S)|11|1", "자동 줄 바꿈(&W)|13|8", "-", ">",
                  "최근 파일(&R)", "&1 고요한 지평선.dat|20", "&2 호박빛 물결.dat|21|8", "<",
                  "끝내기(&X)\tAlt+F4|12"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

} // namespace
