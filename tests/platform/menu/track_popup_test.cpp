// TrackPopupMenu driven by injected keys and mouse: walks through items and submenus, the
// command that results, the notifications on the way, and what the popup shows.
#include "menu_test_support.h"

#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lt = lv::testing;
using menutest::centre;
using menutest::item_on_screen;
using menutest::open_popups;

namespace {

// Open 10, Save 11 (grayed), separator, More > (First 20, Second 21), Exit 12.
HMENU sample_menu() {
    return menutest::build_menu({"&Open\tCtrl+O|10", "&Save|11|1", "-", ">", "&More", "&First|20",
                                 "&Second|21", "<", "E&xit|12"});
}

class TrackPopup : public ::testing::Test {
protected:
    void SetUp() override {
        menu = sample_menu();
        SetFocus(owner.hwnd());
        owner.clear();
    }
    void TearDown() override { DestroyMenu(menu); }

    UINT track(UINT flags = TPM_RETURNCMD, int x = 150, int y = 150) {
        return static_cast<UINT>(TrackPopupMenuEx(menu, flags, x, y, owner.hwnd(), nullptr));
    }

    menutest::Owner owner;
    HMENU menu = nullptr;
};

struct KeyWalk {
    const char* name;
    std::vector<int> keys;
    UINT chosen;
};

void PrintTo(const KeyWalk& c, std::ostream* os) {
    *os << c.name;
}

class KeyWalks : public TrackPopup, public ::testing::WithParamInterface<KeyWalk> {};

TEST_P(KeyWalks, EndWithTheItemTheKeysReach) {
    for (int key : GetParam().keys)
        lt::key_press(key);
    EXPECT_EQ(track(), GetParam().chosen);
    EXPECT_TRUE(open_popups().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyWalks,
    ::testing::Values(
        KeyWalk{"down_skips_the_separator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 12},
        KeyWalk{"up_from_nothing_wraps_to_the_last", {VK_UP, VK_RETURN}, 12},
        KeyWalk{"down_wraps_to_the_first", {VK_END, VK_DOWN, VK_RETURN}, 10},
        KeyWalk{"home_and_end", {VK_END, VK_HOME, VK_RETURN}, 10},
        KeyWalk{"enter_on_a_grayed_item_does_nothing", {VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE}, 0},
        KeyWalk{"mnemonic_runs_its_item", {'X'}, 12},
        KeyWalk{"mnemonic_of_a_grayed_item_only_selects_it", {'S', VK_UP, VK_RETURN}, 10},
        KeyWalk{
            "right_opens_the_submenu_on_its_first_item", {VK_UP, VK_UP, VK_RIGHT, VK_RETURN}, 20},
        KeyWalk{"enter_opens_the_submenu", {'M', VK_DOWN, VK_RETURN}, 21},
        KeyWalk{"mnemonic_inside_the_submenu", {'M', 'S'}, 21},
        KeyWalk{"left_closes_the_submenu_only", {'M', VK_LEFT, VK_DOWN, VK_RETURN}, 12},
        KeyWalk{"escape_closes_the_submenu_only", {'M', VK_ESCAPE, VK_UP, VK_UP, VK_RETURN}, 10},
        KeyWalk{"escape_in_the_top_menu_cancels", {VK_DOWN, VK_ESCAPE}, 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(TrackPopup, SeveralItemsOfOneMnemonicAreVisitedInTurn) {
    DestroyMenu(menu);
    menu = menutest::build_menu({"&Alpha|1", "&Beta|2", "&Another|3"});
    lt::key_press('A');
    lt::key_press('A');
    lt::key_press(VK_RETURN);
    EXPECT_EQ(track(), 3u);
}

TEST_F(TrackPopup, WithoutReturnCmdTheCommandIsPostedToTheOwner) {
    lt::key_press(VK_DOWN);
    lt::key_press(VK_RETURN);
    EXPECT_EQ(track(0), static_cast<UINT>(TRUE));
    EXPECT_EQ(owner.commands(), std::vector<UINT>{10});

    owner.clear();
    lt::key_press(VK_ESCAPE);
    EXPECT_EQ(track(0), static_cast<UINT>(TRUE)); // cancelled, yet the call succeeded
    EXPECT_TRUE(owner.commands().empty());
}

TEST_F(TrackPopup, NotificationsComeInTheirOrder) {
    owner.script.push_back([] {
        lt::key_press(VK_DOWN);
        lt::key_press(VK_RETURN);
    });
    ASSERT_EQ(track(), 10u);
    std::vector<UINT> expected{WM_ENTERMENULOOP,   WM_INITMENU,   WM_INITMENUPOPUP, WM_MENUSELECT,
                               WM_UNINITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP};
    EXPECT_EQ(owner.menu_messages(), expected);
    auto selects = owner.seen(WM_MENUSELECT);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(selects[0].wParam, MAKEWPARAM(10, MF_HILITE));
    EXPECT_EQ(selects[0].lParam, reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(selects[1].wParam, MAKEWPARAM(0, 0xFFFF));
    EXPECT_EQ(selects[1].lParam, 0);
    auto init = owner.seen(WM_INITMENUPOPUP);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(menu));
    EXPECT_EQ(init[0].lParam, MAKELPARAM(0, FALSE));
    // The loop went idle once, before the keys came; the popup names itself.
    auto idle = owner.seen(WM_ENTERIDLE);
    ASSERT_EQ(idle.size(), 1u);
    EXPECT_EQ(idle[0].wParam, static_cast<WPARAM>(MSGF_MENU));
    EXPECT_NE(idle[0].lParam, 0);

    owner.clear();
    lt::key_press(VK_DOWN);
    lt::key_press(VK_RETURN);
    ASSERT_EQ(track(TPM_RETURNCMD | TPM_NONOTIFY), 10u);
    EXPECT_TRUE(owner.menu_messages().empty());
}

TEST_F(TrackPopup, SubmenuNotificationsNameTheItemByPosition) {
    lt::key_press('M');
    lt::key_press(VK_RETURN);
    ASSERT_EQ(track(), 20u);
    auto init = owner.seen(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 2u);
    EXPECT_EQ(init[1].wParam, reinterpret_cast<WPARAM>(GetSubMenu(menu, 3)));
    EXPECT_EQ(init[1].lParam, MAKELPARAM(3, FALSE));
    auto selects = owner.seen(WM_MENUSELECT);
    ASSERT_GE(selects.size(), 2u);
    // The item that opens a submenu is named by its position, with MF_POPUP.
    EXPECT_EQ(selects[0].wParam, MAKEWPARAM(3, MF_POPUP | MF_HILITE));
}

TEST_F(TrackPopup, AnUnknownCharacterAsksTheOwner) {
    std::vector<WPARAM> asked;
    owner.menu_char = [&](WPARAM wParam, LPARAM) {
        asked.push_back(wParam);
        return MAKELRESULT(4, MNC_EXECUTE);
    };
    lt::key_press('Q');
    EXPECT_EQ(track(), 12u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], MAKEWPARAM('q', MF_POPUP));

    owner.menu_char = [](WPARAM, LPARAM) { return MAKELRESULT(0, MNC_CLOSE); };
    lt::key_press('Q');
    EXPECT_EQ(track(), 0u);
}

TEST_F(TrackPopup, ClickOnAnItemRunsIt) {
    owner.script.push_back([] {
        lt::click(centre(item_on_screen(open_popups().at(0), 4)).x,
                  centre(item_on_screen(open_popups().at(0), 4)).y);
    });
    EXPECT_EQ(track(0), static_cast<UINT>(TRUE));
    EXPECT_EQ(owner.commands(), std::vector<UINT>{12});
}

TEST_F(TrackPopup, ClicksOnGrayedItemsAndSeparatorsKeepTheMenuOpen) {
    bool still_open = false;
    owner.script.push_back([] {
        POINT p = centre(item_on_screen(open_popups().at(0), 1));
        lt::click(p.x, p.y);
    });
    owner.script.push_back([] {
        POINT p = centre(item_on_screen(open_popups().at(0), 2));
        lt::click(p.x, p.y);
    });
    owner.script.push_back([&] {
        still_open = open_popups().size() == 1;
        lt::key_press(VK_ESCAPE);
    });
    EXPECT_EQ(track(), 0u);
    EXPECT_TRUE(still_open);
}

TEST_F(TrackPopup, ClickOutsideCancels) {
    owner.script.push_back([] { lt::click(5, 5); });
    EXPECT_EQ(track(), 0u);
    EXPECT_TRUE(open_popups().empty());
    EXPECT_TRUE(owner.commands().empty());
}

TEST_F(TrackPopup, HoveringASubmenuItemOpensItAfterTheDelay) {
    lt::VirtualClockScope clock;
    DWORD hovered_at = 0;
    size_t open_right_after = 0;
    RECT parent{}, sub{};
    owner.script.push_back([&] {
        hovered_at = GetTickCount();
        POINT p = centre(item_on_screen(open_popups().at(0), 3));
        lt::mouse_move(p.x, p.y);
    });
    owner.script.push_back([&] { open_right_after = open_popups().size(); });
    DWORD opened_at = 0;
    RECT item{};
    owner.script.push_back([&] {
        opened_at = GetTickCount();
        auto popups = open_popups();
        ASSERT_EQ(popups.size(), 2u);
        GetWindowRect(popups[0], &parent);
        GetWindowRect(popups[1], &sub);
        item = item_on_screen(popups[0], 3);
        // Moving to another item of the parent closes the submenu at once.
        POINT p = centre(item_on_screen(popups[0], 0));
        lt::mouse_move(p.x, p.y);
    });
    size_t open_after_leaving = 0;
    owner.script.push_back([&] {
        open_after_leaving = open_popups().size();
        lt::key_press(VK_ESCAPE);
    });
    EXPECT_EQ(track(), 0u);
    EXPECT_EQ(open_right_after, 1u);
    EXPECT_GE(opened_at - hovered_at, 400u);
    EXPECT_LT(opened_at - hovered_at, 1000u);
    // The submenu opens beside its item, its first item level with it.
    EXPECT_EQ(sub.left, parent.right - 3);
    EXPECT_EQ(sub.top, item.top - 3);
    EXPECT_EQ(open_after_leaving, 1u);
}

TEST_F(TrackPopup, ClickingASubmenuItemOpensItAtOnceAndItsItemsRun) {
    owner.script.push_back([] {
        POINT p = centre(item_on_screen(open_popups().at(0), 3));
        lt::click(p.x, p.y);
    });
    owner.script.push_back([] {
        POINT p = centre(item_on_screen(open_popups().at(1), 1));
        lt::click(p.x, p.y);
    });
    EXPECT_EQ(track(), 21u);
}

TEST_F(TrackPopup, APopupAtTheScreenEdgeStaysOnTheScreenAndItsSubmenuOpensToTheLeft) {
    int screen_w = GetSystemMetrics(SM_CXSCREEN);
    int screen_h = GetSystemMetrics(SM_CYSCREEN);
    RECT parent{}, sub{};
    owner.script.push_back([] { lt::key_press('M'); });
    owner.script.push_back([&] {
        auto popups = open_popups();
        ASSERT_EQ(popups.size(), 2u);
        GetWindowRect(popups[0], &parent);
        GetWindowRect(popups[1], &sub);
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    EXPECT_EQ(track(TPM_RETURNCMD, screen_w - 20, screen_h - 10), 0u);
    // Flipped to the other side of the point.
    EXPECT_EQ(parent.right, screen_w - 20);
    EXPECT_EQ(parent.bottom, screen_h - 10);
    EXPECT_EQ(sub.right, parent.left + 3);
}

TEST_F(TrackPopup, AlignmentFlagsPlaceThePopupAtThePoint) {
    RECT placed{};
    owner.script.push_back([&] {
        GetWindowRect(open_popups().at(0), &placed);
        lt::key_press(VK_ESCAPE);
    });
    track(TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300);
    EXPECT_EQ(placed.right, 400);
    EXPECT_EQ(placed.bottom, 300);
}

TEST_F(TrackPopup, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
    DestroyMenu(menu);
    menu = CreatePopupMenu();
    AppendMenuA(menu, MF_OWNERDRAW, 31, reinterpret_cast<LPCSTR>(static_cast<LONG_PTR>(0x77)));
    AppendMenuA(menu, MF_STRING, 32, "Plain");
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    owner.measure = [&](MEASUREITEMSTRUCT* m) {
        measured.push_back(*m);
        m->itemWidth = 120;
        m->itemHeight = 30;
    };
    owner.draw = [&](DRAWITEMSTRUCT* d) {
        drawn.push_back(*d);
        HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
        FillRect(d->hDC, &d->rcItem, brush);
        DeleteObject(brush);
    };
    COLORREF drawn_colour = CLR_INVALID;
    RECT item{};
    owner.script.push_back([&] {
        item = item_on_screen(open_popups().at(0), 0);
        drawn_colour = lt::screen_pixel(item.left + 5, item.top + 5);
        lt::key_press(VK_DOWN);
    });
    owner.script.push_back([] { lt::key_press(VK_RETURN); });
    EXPECT_EQ(track(), 31u);
    ASSERT_EQ(measured.size(), 1u);
    EXPECT_EQ(measured[0].CtlType, ODT_MENU);
    EXPECT_EQ(measured[0].itemID, 31u);
    EXPECT_EQ(measured[0].itemData, 0x77u);
    EXPECT_EQ(item.bottom - item.top, 30);
    EXPECT_GE(item.right - item.left, 120);
    EXPECT_EQ(drawn_colour, RGB(0, 160, 0));
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].hwndItem, reinterpret_cast<HWND>(menu));
    EXPECT_EQ(drawn[0].itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(drawn.back().itemState & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
}

TEST_F(TrackPopup, AnotherLoopCannotStartInsideOneWithoutRecurse) {
    BOOL nested = TRUE;
    DWORD error = 0;
    owner.script.push_back([&] {
        nested = TrackPopupMenuEx(menu, TPM_RETURNCMD, 10, 10, owner.hwnd(), nullptr);
        error = GetLastError();
        lt::key_press(VK_ESCAPE);
    });
    track();
    EXPECT_FALSE(nested);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenuEx(reinterpret_cast<HMENU>(static_cast<LONG_PTR>(0x99)), 0, 0, 0,
                                  owner.hwnd(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

} // namespace
