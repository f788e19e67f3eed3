// Context and system menus shown as skinned popups: the keyboard and mouse walks with the
// command each ends in, submenus opening on hover after their delay and beside the screen's
// edge, a click outside cancelling, the system menu's states, and what the popup shows.
#include "menu_skin_fixture.h"

#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"
#include "tools/skinbuilder/default_skin_layout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

namespace lt = lv::testing;
using menutest::Centre;
using menutest::ItemOnScreen;
using menutest::OpenPopups;
using menutest::Recorder;

// 0 Open, 1 Save (grayed), 2 separator, 3 Recent > (One, Two), 4 Wrap (checked), 5 Exit.
HMENU SampleMenu() {
    return menutest::BuildMenu({"&Open|100", "&Save|101|1", "-", ">", "&Recent", "&One|200",
                                "&Two|201", "<", "&Wrap|103|8", "E&xit\tAlt+F4|102"});
}

class SkinnedPopup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
        ASSERT_EQ(SkinManager::Instance().SetSkin(menutest::LoadDefaultSkin()), 1);
        owner = CreateWindowExA(0, menutest::RecordingClass(), "Owner",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
        menu = SampleMenu();
        Recorder::Instance().Clear();
    }
    void TearDown() override {
        menutest::StopScript(owner);
        DestroyWindow(owner);
        DestroyMenu(menu);
        GlazeworkShutdown();
    }
    // Tracks the menu at (x, y) while the script runs; pumps what the menu posted.
    void Track(int x = 150, int y = 150) {
        menutest::RunScriptOn(owner);
        EXPECT_EQ(GlazeworkTrackPopupMenu(menu, 0, x, y, owner, FALSE), 0);
        menutest::StopScript(owner);
        menutest::Pump();
    }
    void Script(std::function<void()> step) { Recorder::Instance().script.push_back(step); }
    void Wait(int ticks) {
        for (int i = 0; i < ticks; ++i)
            Script([] {});
    }

    lt::VirtualClockScope clock;
    HWND owner = nullptr;
    HMENU menu = nullptr;
};

struct KeyWalk {
    const char* name;
    std::vector<int> keys;
    std::vector<UINT> commands;
};

void PrintTo(const KeyWalk& walk, std::ostream* os) {
    *os << walk.name;
}

class PopupKeys : public SkinnedPopup, public ::testing::WithParamInterface<KeyWalk> {};

TEST_P(PopupKeys, EndInTheirCommand) {
    for (int key : GetParam().keys)
        Script([key] { lt::key_press(key); });
    Track();
    EXPECT_EQ(Recorder::Instance().Commands(), GetParam().commands);
    EXPECT_TRUE(OpenPopups().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Walks, PopupKeys,
    ::testing::Values(
        KeyWalk{"down_enter_runs_the_first", {VK_DOWN, VK_RETURN}, {100}},
        KeyWalk{"up_from_nothing_starts_at_the_last", {VK_UP, VK_RETURN}, {102}},
        KeyWalk{"down_skips_the_separator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {103}},
        KeyWalk{"down_wraps_to_the_first", {VK_UP, VK_DOWN, VK_RETURN}, {100}},
        KeyWalk{
            "enter_on_a_grayed_item_does_nothing", {VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, {}},
        KeyWalk{"mnemonic_runs_its_item", {'X'}, {102}},
        KeyWalk{"mnemonic_of_a_grayed_item_does_nothing", {'S', VK_ESCAPE}, {}},
        KeyWalk{"right_opens_the_submenu",
                {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
                {200}},
        KeyWalk{"mnemonic_inside_the_submenu", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, 'T'}, {201}},
        KeyWalk{"escape_closes_the_submenu_only",
                {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN},
                {103}},
        KeyWalk{"left_closes_the_submenu_only",
                {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_UP, VK_UP, VK_RETURN},
                {100}},
        KeyWalk{"escape_in_the_top_menu_cancels", {VK_DOWN, VK_ESCAPE}, {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SkinnedPopup, HoverOpensTheSubmenuAfterItsDelayAndAClickRunsItsItem) {
    int openBeforeDelay = -1, openAfterDelay = -1, openAfterLeaving = -1;
    RECT parent{}, child{};
    Script([&] {
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(0), 3));
        lt::mouse_move(p.x, p.y);
    });
    Script([&] { openBeforeDelay = static_cast<int>(OpenPopups().size()); });
    Wait(5);
    Script([&] {
        auto popups = OpenPopups();
        openAfterDelay = static_cast<int>(popups.size());
        GetWindowRect(popups.at(0)->GetHwnd(), &parent);
        GetWindowRect(popups.at(1)->GetHwnd(), &child);
        // Another item of the top menu closes the submenu at once.
        const POINT p = Centre(ItemOnScreen(*popups.at(0), 4));
        lt::mouse_move(p.x, p.y);
    });
    Script([&] {
        openAfterLeaving = static_cast<int>(OpenPopups().size());
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(0), 3));
        lt::mouse_move(p.x, p.y);
    });
    Wait(6);
    Script([&] {
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(1), 1));
        lt::click(p.x, p.y);
    });
    Track();
    EXPECT_EQ(openBeforeDelay, 1);
    EXPECT_EQ(openAfterDelay, 2);
    EXPECT_EQ(openAfterLeaving, 1);
    EXPECT_GE(child.left, parent.right - 8);
    EXPECT_EQ(Recorder::Instance().Commands(), std::vector<UINT>{201});
    const auto selects = Recorder::Instance().Of(WM_MENUSELECT);
    ASSERT_FALSE(selects.empty());
    EXPECT_EQ(selects.back().wParam, MAKEWPARAM(0, 0xFFFF));
}

TEST_F(SkinnedPopup, ASubmenuThatWouldLeaveTheScreenOpensToTheLeft) {
    RECT parent{}, child{};
    Script([&] {
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(0), 3));
        lt::mouse_move(p.x, p.y);
    });
    Wait(6);
    Script([&] {
        auto popups = OpenPopups();
        GetWindowRect(popups.at(0)->GetHwnd(), &parent);
        if (popups.size() > 1)
            GetWindowRect(popups.at(1)->GetHwnd(), &child);
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    Track(GetSystemMetrics(SM_CXSCREEN) - 10, 200);
    EXPECT_LE(parent.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(child.right, parent.left);
}

TEST_F(SkinnedPopup, AClickOutsideCancelsAndDisabledItemsTakeNoClick) {
    bool openAfterGrayedClick = false;
    Script([&] {
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(0), 1));
        lt::click(p.x, p.y);
    });
    Script([&] {
        openAfterGrayedClick = !OpenPopups().empty();
        lt::click(600, 600);
    });
    Track();
    EXPECT_TRUE(openAfterGrayedClick);
    EXPECT_TRUE(Recorder::Instance().Commands().empty());
    EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(SkinnedPopup, PlacementFollowsTheAlignmentFlagsAndTheOwnerHearsOfTheMenu) {
    RECT shown{};
    Script([&] {
        GetWindowRect(OpenPopups().at(0)->GetHwnd(), &shown);
        lt::key_press(VK_ESCAPE);
    });
    menutest::RunScriptOn(owner);
    GlazeworkTrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 400, owner, FALSE);
    menutest::Pump();
    EXPECT_EQ(shown.right, 300);
    EXPECT_EQ(shown.bottom, 400);
    const auto init = Recorder::Instance().Of(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(menu));
}

TEST_F(SkinnedPopup, TheSystemMenuOfAMaximisedWindowOffersRestoreAndClose) {
    ShowWindow(owner, SW_MAXIMIZE);
    std::vector<std::pair<UINT, bool>> items; // command, enabled
    Script([&] {
        const MenuItemList* list = OpenPopups().at(0)->Items();
        for (std::size_t i = 0; i < list->Count(); ++i)
            if (!(*list)[i].IsSeparator())
                items.emplace_back((*list)[i].commandId, !(*list)[i].IsDisabled());
        // Close is the last item; its mnemonic may differ, so the walk goes there.
        lt::key_press(VK_UP);
        lt::key_press(VK_RETURN);
    });
    menutest::RunScriptOn(owner);
    GlazeworkShowSystemMenu(owner);
    menutest::Pump();
    const std::vector<std::pair<UINT, bool>> expected{{SC_RESTORE, true},   {SC_SIZE, false},
                                                      {SC_MOVE, false},     {SC_MINIMIZE, true},
                                                      {SC_MAXIMIZE, false}, {SC_CLOSE, true}};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(Recorder::Instance().Commands(WM_SYSCOMMAND), std::vector<UINT>{SC_CLOSE});
    owner = nullptr;
}

struct PopupLanguage {
    const char* name;
    std::vector<std::string> entries;
};

void PrintTo(const PopupLanguage& language, std::ostream* os) {
    *os << language.name;
}

class PopupLooks : public SkinnedPopup, public ::testing::WithParamInterface<PopupLanguage> {};

TEST_P(PopupLooks, FrameItemsAndTheHotItemComeFromTheSkin) {
    using namespace default_skin::layout;
    DestroyMenu(menu);
    menu = menutest::BuildMenu(GetParam().entries);
    COLORREF hot = 0, plain = 0, edge = 0;
    int text = 0;
    Script([&] { lt::key_press(VK_DOWN); });
    Script([&] {
        const POINT p = Centre(ItemOnScreen(*OpenPopups().at(0), 3));
        lt::mouse_move(p.x, p.y);
    });
    Wait(6);
    Script([&] {
        auto popups = OpenPopups();
        SkinPopupMenuWnd& top = *popups.at(0);
        const RECT first = ItemOnScreen(top, 0);
        const RECT fifth = ItemOnScreen(top, 4);
        RECT window{};
        GetWindowRect(top.GetHwnd(), &window);
        hot = lt::screen_pixel(ItemOnScreen(top, 3).right - 30, Centre(ItemOnScreen(top, 3)).y);
        plain = lt::screen_pixel(fifth.right - 30, Centre(fifth).y);
        edge = lt::screen_pixel(window.left, (window.top + window.bottom) / 2);
        text = lt::count_screen_pixels(first, kText);
        EXPECT_TRUE(lt::save_screen_png(
            lvtest::ScreenshotPath(std::string("skinned_popup_") + GetParam().name + ".png")));
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    Track();
    EXPECT_EQ(hot, kAccentSoft);
    EXPECT_EQ(plain, kWhite);
    EXPECT_EQ(edge, kBorder);
    EXPECT_GT(text, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, PopupLooks,
    ::testing::Values(
        PopupLanguage{"en",
                      {"&New\tCtrl+N|100", "&Open...\tCtrl+O|101", "-", ">", "&Recent files",
                       "&1 Holiday.jpg|200", "&2 Garden.png|201", "<", "&Wrap around|103|8",
                       "&Save|102|1", "E&xit|104"}},
        PopupLanguage{"ja",
                      {"新規作成(&N)\tCtrl+N|100", "開く(&O)...\tCtrl+O|101", "-", ">",
                       "最近使ったファイル(&R)", "&1 Holiday.jpg|200", "&2 Garden.png|201", "<",
                       "折り返す(&W)|103|8", "上書き保存(&S)|102|1", "終了(&X)|104"}},
        PopupLanguage{"ko",
                      {"새로 만들기(&N)\tCtrl+N|100", "열기(&O)...\tCtrl+O|101", "-", ">",
                       "최근 파일(&R)", "&1 Holiday.jpg|200", "&2 Garden.png|201", "<",
                       "줄 바꿈(&W)|103|8", "저장(&S)|102|1", "끝내기(&X)|104"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

} // namespace
