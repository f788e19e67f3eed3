// The real display and a window manager agreeing on which window is active, in process (each
// test in a child under a private virtual X server): an activation is asked of the manager, the
// show is full screen above every window with the keyboard, a click on a window its modal dialog
// disables brings the dialog forward, and each kind of menu tells the manager what it is.
#include "on_a_desktop.h"
#include "tests/support/screenshots.h"
#include "win32/menu.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using desktop_test::kHeight;
using desktop_test::kWidth;
using wintest::pump_until;
using wintest::x_rgb;

class ActivationOnADesktop : public desktop_test::OnADesktop {
protected:
    bool Managed() const { return GetParam() != lvtest::WindowManager::none; }
    std::string Shot(const std::string& what) const {
        return lvtest::ScreenshotPath(what + "-" + lvtest::NameOf(GetParam()) + ".png");
    }
    // The native window of a shown top-level window, found by its title.
    std::string Native(HWND hwnd, const std::string& title) {
        SetWindowTextA(hwnd, title.c_str());
        return lvtest::CurrentScreen().WindowNamed(getpid(), title);
    }
};

bool HasTheKeyboard(const std::string& window) {
    return xfacts::focused_window() == xfacts::id_of(window);
}

// The layer's activation reaches the screen: the manager is asked (as by an application) and
// carries it out; with no manager the window is raised itself. Either way the window has the
// keyboard, shows above the other and below the topmost window the layer keeps above both.
TEST_P(ActivationOnADesktop, AnActivatedWindowComesForwardThroughTheManager) {
    if (Skipped())
        return;
    StartDesktop();
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND first = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 350,
                                        RGB(255, 0, 0));
    HWND second = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 500, 350,
                                         RGB(0, 0, 255));
    HWND topmost = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 350, 250, 100, 60, RGB(0, 200, 0),
                                          nullptr, WS_EX_TOPMOST);
    const std::string first_id = Native(first, "first");
    const std::string second_id = Native(second, "second");
    ASSERT_FALSE(first_id.empty());
    ASSERT_FALSE(second_id.empty());
    ASSERT_FALSE(Native(topmost, "topmost").empty());

    xfacts::ActivationRequests requests;
    struct Step {
        HWND hwnd;
        std::string id;
        COLORREF colour;
    };
    for (const Step& step :
         {Step{first, first_id, RGB(255, 0, 0)}, Step{second, second_id, RGB(0, 0, 255)},
          Step{first, first_id, RGB(255, 0, 0)}}) {
        SCOPED_TRACE(step.id);
        SetActiveWindow(step.hwnd);
        if (Managed()) {
            EXPECT_EQ(requests.wait_for(xfacts::id_of(step.id)), 1);
            EXPECT_TRUE(
                pump_until([&] { return xfacts::active_window() == xfacts::id_of(step.id); }));
        }
        EXPECT_TRUE(pump_until([&] { return HasTheKeyboard(step.id); }));
        EXPECT_TRUE(pump_until([&] { return x.Pixel(550, 400) == x_rgb(step.colour); }));
        EXPECT_TRUE(pump_until([&] { return x.Pixel(400, 280) == x_rgb(RGB(0, 200, 0)); }));
    }
    x.Screenshot(Shot("activation"));
    DestroyWindow(topmost);
    DestroyWindow(second);
    DestroyWindow(first);
}

// The show (a topmost popup over the whole screen) is full screen and above every window for
// the manager, covers the screen with nothing of a frame, and has the keyboard; a window
// activated behind it stays behind it.
TEST_P(ActivationOnADesktop, TheShowIsFullScreenAboveEveryWindowWithTheKeyboard) {
    if (Skipped())
        return;
    StartDesktop();
    lvtest::XScreen x = lvtest::CurrentScreen();
    HWND desk = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                       RGB(0, 0, 255));
    const std::string desk_id = Native(desk, "desk");
    HWND show = wintest::make_coloured(WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, RGB(255, 0, 0),
                                       nullptr, WS_EX_TOPMOST);
    const std::string show_id = Native(show, "show");
    ASSERT_FALSE(show_id.empty());
    ASSERT_FALSE(desk_id.empty());

    // xfwm4 keeps a full-screen window in a layer of its own and drops "above" from it (asked
    // before the window is mapped or after): it is tried for the states it keeps.
    const bool above_kept = GetParam() != lvtest::WindowManager::xfwm4;
    EXPECT_TRUE(pump_until([&] {
        xfacts::WindowFacts f = xfacts::facts_of(show_id);
        return f.has_state("FULLSCREEN") && (f.has_state("ABOVE") || !above_kept);
    })) << "states: "
        << testing::PrintToString(xfacts::facts_of(show_id).states);
    EXPECT_TRUE(pump_until([&] { return HasTheKeyboard(show_id); }));
    const RECT r = x.Geometry(show_id);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, kWidth);
    EXPECT_EQ(r.bottom, kHeight);
    EXPECT_TRUE(x.OnTop(show_id));
    for (POINT p : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1},
                    POINT{kWidth - 1, kHeight - 1}, POINT{300, 250}})
        EXPECT_TRUE(pump_until([&] { return x.Pixel(p.x, p.y) == x_rgb(RGB(255, 0, 0)); }))
            << p.x << "," << p.y;
    x.Screenshot(Shot("show-states"));

    if (above_kept) {
        SetActiveWindow(desk);
        EXPECT_TRUE(pump_until([&] { return HasTheKeyboard(desk_id); }));
        EXPECT_TRUE(x.OnTop(show_id));
        EXPECT_EQ(x.Pixel(300, 250), x_rgb(RGB(255, 0, 0)));
    }
    DestroyWindow(show);
    DestroyWindow(desk);
}

// A click on an owner behind its modal dialog brings the dialog forward and gives it the
// keyboard, whether the dialog or another window was active; a manager that hands the
// keyboard to the owner it framed gets it taken back.
TEST_P(ActivationOnADesktop, AClickOnAnOwnerBringsItsModalDialogForward) {
    if (Skipped())
        return;
    StartDesktop();
    lvtest::XScreen x = lvtest::CurrentScreen();
    struct Case {
        const char* name;
        bool other_active;
    };
    for (const Case& c : {Case{"the dialog active", false}, Case{"another window active", true}}) {
        SCOPED_TRACE(c.name);
        HWND owner = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 650, 450,
                                            RGB(0, 0, 255));
        HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, WC_DIALOG, "dialog",
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200, 300, 200, owner,
                                      nullptr, nullptr, nullptr);
        ASSERT_NE(dialog, nullptr);
        EnableWindow(owner, FALSE);
        ShowWindow(dialog, SW_SHOW);
        HWND other = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 850, 100, 300, 200,
                                            RGB(0, 200, 0));
        const std::string owner_id = Native(owner, "owner");
        const std::string dialog_id = Native(dialog, "dialog");
        const std::string other_id = Native(other, "other");
        ASSERT_FALSE(owner_id.empty());
        ASSERT_FALSE(dialog_id.empty());
        ASSERT_FALSE(other_id.empty());
        SetActiveWindow(c.other_active ? other : dialog);
        ASSERT_TRUE(pump_until([&] {
            return HasTheKeyboard(c.other_active ? other_id : dialog_id);
        })) << "the keyboard is with "
            << x.Focused() << " (" << xfacts::focused_window() << "), not "
            << (c.other_active ? other_id : dialog_id) << "; owner " << owner_id << ", other "
            << other_id;

        x.MoveTo(160, 450); // the owner's client area, clear of the dialog
        x.Click();
        EXPECT_TRUE(pump_until([&] {
            return GetActiveWindow() == dialog && HasTheKeyboard(dialog_id) && x.OnTop(dialog_id);
        })) << "active "
            << GetActiveWindow() << ", the keyboard with " << x.Focused();
        x.Screenshot(Shot(std::string("modal-click-") + (c.other_active ? "other" : "dialog")));

        DestroyWindow(other);
        EnableWindow(owner, TRUE);
        DestroyWindow(dialog);
        DestroyWindow(owner);
        wintest::pump();
    }
}

// What a menu's window says it is, read while the menu runs: `open` runs the menu's loop on
// this thread; another thread reads the first new window of the process and, once the type
// has been read, `more` may open a deeper level; then the loop is ended.
struct MenuLevels {
    std::vector<std::string> types;
};
MenuLevels RunMenu(HWND owner, const std::vector<std::string>& known, int levels,
                   const std::function<void()>& open) {
    MenuLevels seen;
    std::thread reader([&] {
        lvtest::XScreen x = lvtest::CurrentScreen();
        std::vector<std::string> shown = known;
        for (int level = 0; level < levels; ++level) {
            const std::string window = x.NewWindowOf(getpid(), shown);
            if (window.empty())
                break;
            shown.push_back(window);
            xfacts::WindowFacts f = xfacts::facts_of(window);
            seen.types.push_back(f.type + (f.override_redirect ? "" : " (managed)"));
            if (level + 1 < levels) // the first item opens the next level
                PostMessageA(owner, WM_KEYDOWN, VK_RIGHT, 0);
        }
        PostMessageA(owner, WM_KEYDOWN, VK_MENU, 0); // ends the loop at once
    });
    open();
    reader.join();
    return seen;
}

// A menu dropped from a menu bar (and its submenu) is a drop-down menu, a menu opened at a
// point a popup menu, a combo box's list a combo list: all unframed.
TEST_P(ActivationOnADesktop, EachMenuTellsTheManagerWhereItDropsFrom) {
    if (Skipped())
        return;
    StartDesktop();
    HMENU deeper = CreatePopupMenu();
    AppendMenuA(deeper, MF_STRING, 11, "Deeper");
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(deeper), "&More");
    AppendMenuA(file, MF_STRING, 10, "&Open");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HMENU context = CreatePopupMenu();
    AppendMenuA(context, MF_STRING, 20, "Copy");

    HWND owner = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                                        RGB(0, 0, 255));
    SetMenu(owner, bar);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 20,
                                 20, 150, 200, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* item : {"one", "two", "three"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const std::string owner_id = Native(owner, "owner");
    ASSERT_FALSE(owner_id.empty());
    ASSERT_TRUE(pump_until([&] { return HasTheKeyboard(owner_id); }));
    const std::vector<std::string> known{owner_id};

    MenuLevels dropped =
        RunMenu(owner, known, 2, [&] { SendMessageA(owner, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
    EXPECT_EQ(dropped.types, (std::vector<std::string>{"DROPDOWN_MENU", "DROPDOWN_MENU"}));

    MenuLevels popped = RunMenu(owner, known, 1, [&] {
        TrackPopupMenu(context, TPM_RETURNCMD, 300, 300, 0, owner, nullptr);
    });
    EXPECT_EQ(popped.types, (std::vector<std::string>{"POPUP_MENU"}));

    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    const std::string list = lvtest::CurrentScreen().NewWindowOf(getpid(), known);
    ASSERT_FALSE(list.empty());
    xfacts::WindowFacts l = xfacts::facts_of(list);
    EXPECT_EQ(l.type, "COMBO");
    EXPECT_TRUE(l.override_redirect);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

    DestroyWindow(owner);
    DestroyMenu(context);
}

// A popup that has the keyboard closes and the one beneath it is activated (Escape in a
// submenu): the keyboard goes straight from one to the other. When the native window went
// first, the server had nobody to give a key typed meanwhile and dropped it. With nothing left
// to activate, the keyboard stays with one of the program's windows all the same.
TEST_P(ActivationOnADesktop, TheKeyboardNeverGoesNowhereAsAPopupThatHasItCloses) {
    if (Skipped())
        return;
    StartDesktop();
    HWND owner = wintest::make_coloured(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                                        RGB(0, 0, 255));
    HWND list = wintest::make_coloured(WS_POPUP | WS_BORDER | WS_VISIBLE, 150, 150, 200, 200,
                                       RGB(0, 200, 0), owner);
    const std::string owner_id = Native(owner, "owner");
    const std::string list_id = Native(list, "list");
    ASSERT_FALSE(list_id.empty());
    struct Case {
        const char* name;
        bool another_to_activate;
    };
    for (const Case& c : {Case{"the popup beneath is activated", true},
                          Case{"nothing is left to activate", false}}) {
        SCOPED_TRACE(c.name);
        HWND sub = wintest::make_coloured(WS_POPUP | WS_BORDER | WS_VISIBLE, 350, 200, 150, 120,
                                          RGB(200, 0, 0), owner);
        const std::string sub_id = Native(sub, "sub");
        ASSERT_FALSE(sub_id.empty());
        SetActiveWindow(sub);
        ASSERT_TRUE(pump_until([&] { return HasTheKeyboard(sub_id); }));
        xfacts::KeyboardGoneNowhere nowhere;
        if (c.another_to_activate) {
            DestroyWindow(sub);
            SetActiveWindow(list);
            EXPECT_TRUE(pump_until([&] { return HasTheKeyboard(list_id); }));
        } else {
            EnableWindow(owner, FALSE);
            EnableWindow(list, FALSE);
            DestroyWindow(sub);
            EXPECT_EQ(GetActiveWindow(), nullptr);
            EXPECT_TRUE(
                pump_until([&] { return HasTheKeyboard(list_id) || HasTheKeyboard(owner_id); }));
            EnableWindow(owner, TRUE);
            EnableWindow(list, TRUE);
        }
        EXPECT_FALSE(nowhere.happened());
    }
    DestroyWindow(owner);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ActivationOnADesktop,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

} // namespace
