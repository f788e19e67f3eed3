// List boxes and drop-down combo boxes: items, selection by clicks and keys, owner drawing,
// scrolling.
#include "controls_fixture.h"
#include "testing/window_input.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class ListBoxTest : public ctltest::ControlsTest {
protected:
    HWND make(DWORD style, int height = 88) {
        return create("ListBox", "", style | WS_BORDER, 10, 10, 150, height, 1020);
    }
    void fill(HWND list, int n) {
        for (int i = 0; i < n; ++i)
            SendMessageA(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(("Item " + std::to_string(i)).c_str()));
    }
    void click_item(HWND list, int index) {
        RECT r{};
        ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)), 0);
        const POINT p = screen_point(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    }
    int count(int id, int code) const {
        int n = 0;
        for (const Event& e : events(WM_COMMAND))
            n += e.id == id && e.code == code;
        return n;
    }
    static std::string text_of(HWND list, int index) {
        char buffer[64] = {};
        SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
};

TEST_F(ListBoxTest, ItemsAreAddedInsertedAndRemoved) {
    HWND list = make(LBS_NOTIFY);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Wipe Right")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Dissolve")), 1);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Blinds")), 0);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, -1, reinterpret_cast<LPARAM>("Fade")), 3);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("x")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(text_of(list, 1), "Wipe Right");
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 1, 0), 10);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 4, 0), LB_ERR);
    EXPECT_TRUE(SendMessageA(list, LB_SETITEMDATA, 2, 77));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 77);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("dissolve")), 2);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, -1, reinterpret_cast<LPARAM>("Wi")), 1);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1); // the selection moves with its item
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(SendMessageA(list, LB_RESETCONTENT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(events(WM_COMMAND).empty()); // nothing of this was the user's
}

TEST_F(ListBoxTest, SortedListsKeepTheirOrder) {
    HWND list = make(LBS_SORT);
    for (const char* name : {"Slide Up", "blinds", "Dissolve"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(text_of(list, 0), "blinds");
    EXPECT_EQ(text_of(list, 1), "Dissolve");
    EXPECT_EQ(text_of(list, 2), "Slide Up");
}

TEST_F(ListBoxTest, ClicksAndKeysSelectAndNotify) {
    HWND list = make(LBS_NOTIFY);
    fill(list, 4);
    click_item(list, 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(count(1020, LBN_SELCHANGE), 1);
    click_item(list, 2); // the second click of a double click
    EXPECT_EQ(count(1020, LBN_SELCHANGE), 1);
    EXPECT_EQ(count(1020, LBN_DBLCLK), 1);
    input::key_press(VK_DOWN);
    input::key_press(VK_DOWN); // already at the end
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(count(1020, LBN_SELCHANGE), 2);
    input::key_press(VK_HOME);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(ListBoxTest, ExtendedSelectionTakesCtrlAndShift) {
    HWND list = make(LBS_NOTIFY | LBS_EXTENDEDSEL);
    fill(list, 6);
    const auto selected = [&] {
        int indexes[8] = {};
        const auto n = SendMessageA(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(indexes));
        EXPECT_EQ(n, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
        return std::vector<int>(indexes, indexes + std::max<LRESULT>(n, 0));
    };
    click_item(list, 1);
    input::key_down(VK_CONTROL);
    click_item(list, 3);
    input::key_up(VK_CONTROL);
    EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3); // the item with the focus
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 1, 0), TRUE);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), FALSE);
    input::key_down(VK_SHIFT);
    click_item(list, 5); // from the last Ctrl click on
    EXPECT_EQ(selected(), (std::vector<int>{3, 4, 5}));
    input::key_press(VK_UP);
    input::key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(selected(), (std::vector<int>{3, 4}));
    input::key_press(VK_HOME);
    pump();
    EXPECT_EQ(selected(), (std::vector<int>{0})); // a plain key selects one again
    EXPECT_EQ(count(1020, LBN_SELCHANGE), 5);
    // Set by the program: an item in or out, or all of them; indexes follow a removal.
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, -1), 0);
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, FALSE, 2), 0);
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, 6), LB_ERR);
    SendMessageA(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(selected(), (std::vector<int>{0, 2, 3, 4}));
    int one = -1;
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&one)), 1);
    EXPECT_EQ(one, 0);
    // A single-selection list has no such set.
    HWND single = make(LBS_NOTIFY);
    EXPECT_EQ(SendMessageA(single, LB_GETSELCOUNT, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(single, LB_SETSEL, TRUE, 0), LB_ERR);
}

TEST_F(ListBoxTest, WithoutSelectionClicksSelectNothing) {
    HWND list = make(LBS_NOTIFY | LBS_NOSEL);
    fill(list, 3);
    click_item(list, 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), LB_ERR);
    EXPECT_EQ(count(1020, LBN_SELCHANGE), 0);
}

TEST_F(ListBoxTest, OwnerDrawnFixedItemsAreMeasuredOnceAndDrawnByTheParent) {
    static std::vector<std::pair<UINT, ULONG_PTR>> drawn;
    static std::vector<ULONG_PTR> removed;
    drawn.clear();
    removed.clear();
    on_item = [](UINT msg, LPARAM lParam) {
        if (msg == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
        if (msg == WM_DRAWITEM) {
            const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            EXPECT_EQ(d->CtlType, ODT_LISTBOX);
            drawn.push_back({d->itemID, d->itemData});
        }
        if (msg == WM_DELETEITEM)
            removed.push_back(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->itemData);
    };
    HWND list = make(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL);
    EXPECT_EQ(events(WM_MEASUREITEM).size(), 1u);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 20);
    fill(list, 21);
    for (int i = 0; i < 21; ++i)
        SendMessageA(list, LB_SETITEMDATA, i, 100 + i);
    EXPECT_EQ(text_of(list, 20), "Item 20"); // has strings
    UpdateWindow(list);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), (std::pair<UINT, ULONG_PTR>{0, 100}));
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.bottom, 80);
    SendMessageA(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(removed, (std::vector<ULONG_PTR>{100}));
    DestroyWindow(list);
    EXPECT_EQ(removed.size(), 21u); // the rest go with the window
}

TEST_F(ListBoxTest, VariableItemsAreMeasuredOneByOne) {
    on_item = [](UINT msg, LPARAM lParam) {
        if (msg == WM_MEASUREITEM) {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            m->itemHeight = 10 + 5 * m->itemID;
        }
    };
    HWND list = make(LBS_OWNERDRAWVARIABLE);
    for (int i = 0; i < 3; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, 1000 + i); // no strings: the value is the data
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 1001);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 2, 0), 20);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 25);
    EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 12)), MAKELRESULT(1, 0));
    EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 80)), MAKELRESULT(2, 1));
}

// The parent measures an item from its text, which the list already holds when it asks.
TEST_F(ListBoxTest, AVariableItemIsMeasuredOnceTheListHoldsIt) {
    HWND list = nullptr;
    std::vector<std::string> seen;
    on_item = [&](UINT msg, LPARAM lParam) {
        if (msg != WM_MEASUREITEM)
            return;
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        seen.push_back(text_of(list, static_cast<int>(m->itemID)));
        m->itemHeight = 12 + 4 * static_cast<UINT>(seen.back().size());
    };
    list = make(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ab"));
    SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("abcd"));
    EXPECT_EQ(seen, (std::vector<std::string>{"ab", "abcd"}));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 28);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 1, 0), 20);
}

TEST_F(ListBoxTest, TheScrollBarMovesTheTopItem) {
    on_item = [](UINT msg, LPARAM lParam) {
        if (msg == WM_MEASUREITEM)
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
    };
    HWND list = make(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 84);
    fill(list, 21);
    RECT client{};
    GetClientRect(list, &client);
    const int visible = client.bottom / 16;
    SendMessageA(list, LB_SETTOPINDEX, 30, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0); // no such item
    SendMessageA(list, LB_SETTOPINDEX, 20, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 21 - visible); // the box stays full
    SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);

    // A click on the lower arrow, then in the track below the thumb.
    RECT window{};
    GetWindowRect(list, &window);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    const int bar_x = origin.x + client.right + GetSystemMetrics(SM_CXVSCROLL) / 2;
    input::click(bar_x, origin.y + client.bottom - 3);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
    input::click(bar_x, origin.y + client.bottom - GetSystemMetrics(SM_CXVSCROLL) - 3);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1 + visible);
    // Selecting an item out of view brings it into view.
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    SendMessageA(list, LB_SETCURSEL, 20, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 21 - visible);

    // The thumb, dragged from the top of the track past the bar's end, shows the last items.
    SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    input::mouse_move(bar_x, origin.y + GetSystemMetrics(SM_CXVSCROLL) + 2);
    input::mouse_down();
    pump();
    input::mouse_move(bar_x, origin.y + client.bottom + 40);
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 21 - visible);
    input::mouse_up();
    pump();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 21 - visible);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListBoxTest, WholeItemsOnlyUnlessAskedOtherwise) {
    HWND list = create("ListBox", "", 0, 10, 10, 100, 50, 1021);
    RECT client{};
    GetClientRect(list, &client);
    const auto height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(height, 0);
    EXPECT_EQ(client.bottom % height, 0);
}

// No horizontal extent is ever set, so a horizontal bar only keeps its room (disabled) when the
// list asks for bars that stay.
TEST_F(ListBoxTest, AHorizontalBarItHasNoUseForIsHidden) {
    const struct {
        DWORD style;
        bool kept;
    } cases[] = {{WS_VSCROLL | WS_HSCROLL, false},
                 {WS_VSCROLL | WS_HSCROLL | LBS_DISABLENOSCROLL, true}};
    for (const auto& c : cases) {
        HWND list = make(c.style | LBS_NOINTEGRALHEIGHT);
        const auto style = static_cast<DWORD>(GetWindowLongA(list, GWL_STYLE));
        EXPECT_EQ((style & WS_HSCROLL) != 0, c.kept) << std::hex << c.style;
        EXPECT_NE(style & WS_VSCROLL, 0u);
        RECT client{}, window{};
        GetClientRect(list, &client);
        GetWindowRect(list, &window);
        const int bar = GetSystemMetrics(SM_CYHSCROLL);
        EXPECT_EQ(window.bottom - window.top - client.bottom, 2 + (c.kept ? bar : 0));
        DestroyWindow(list);
    }
}

class ComboBoxTest : public ListBoxTest {};

TEST_F(ComboBoxTest, TheDropListPicksAnItem) {
    HWND combo = create("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 150, 120, 1048);
    for (const char* name : {"Sequential", "Backward", "Random"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 0, 0), 0);
    char text[32] = {};
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 6);
    EXPECT_STREQ(text, "Random");
    RECT box{};
    GetWindowRect(combo, &box);
    EXPECT_LT(box.bottom - box.top, 40); // the created height is the list's
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 120);

    input::click_window(combo);
    pump();
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(count(1048, CBN_DROPDOWN), 1);
    // The list lies just below the box; its third item is picked.
    HWND list = WindowFromPoint(POINT{box.left + 20, box.bottom + 5});
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list, combo);
    click_item(list, 2);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(count(1048, CBN_SELCHANGE), 1);
    EXPECT_EQ(count(1048, CBN_SELENDOK), 1);
    EXPECT_EQ(count(1048, CBN_CLOSEUP), 1);

    input::key_press(VK_UP);
    pump();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(count(1048, CBN_SELCHANGE), 2);
    EXPECT_TRUE(SendMessageA(combo, CB_SETITEMDATA, 1, 42) != CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 42);
}

TEST_F(ComboBoxTest, ADisabledComboStaysClosed) {
    HWND combo = create("ComboBox", "", CBS_DROPDOWNLIST, 10, 10, 150, 100, 1048);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Sequential"));
    EnableWindow(combo, FALSE);
    input::click_window(combo);
    pump();
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(events(WM_COMMAND).empty());
    EnableWindow(combo, TRUE);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(count(1048, CBN_SELENDCANCEL), 1);
}

} // namespace
