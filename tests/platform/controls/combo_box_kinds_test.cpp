// The three kinds of combo box: the list's class, and the edit field of the drop-down and the
// simple combo box.
#include "controls_fixture.h"
#include "testing/window_input.h"

#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class ComboKindsTest : public ctltest::ControlsTest {
protected:
    HWND make(DWORD kind, int height = 120) {
        HWND combo =
            create("ComboBox", "", kind | WS_VSCROLL | WS_TABSTOP, 10, 10, 150, height, 1090);
        for (const char* name : {"Amber", "Bronze", "Copper"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        pump();
        clear_events();
        return combo;
    }
    int count(WORD code) const {
        int n = 0;
        for (const Event& e : events(WM_COMMAND))
            n += e.id == 1090 && e.code == code;
        return n;
    }
    static std::string class_of(HWND hwnd) {
        char name[32] = {};
        GetClassNameA(hwnd, name, sizeof name);
        return name;
    }
    static std::string text_of(HWND hwnd) {
        char text[64] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
};

TEST_F(ComboKindsTest, TheDroppedListIsAComboListBox) {
    HWND combo = make(CBS_DROPDOWNLIST);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    pump();
    RECT box{};
    GetWindowRect(combo, &box);
    HWND list = WindowFromPoint(POINT{box.left + 20, box.bottom + 5});
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(class_of(list), "ComboLBox");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboKindsTest, ADropDownShowsTheSelectionInItsEditFieldAndTakesTyping) {
    HWND combo = make(CBS_DROPDOWN);
    HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(class_of(edit), "Edit");
    EXPECT_EQ(GetDlgCtrlID(edit), 1001);

    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(text_of(combo), "Bronze");
    EXPECT_EQ(text_of(edit), "Bronze");
    EXPECT_EQ(count(CBN_EDITCHANGE), 0); // the program's choice is no edit

    SetFocus(combo);
    pump();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(count(CBN_SETFOCUS), 1);
    input::key_press(VK_DOWN);
    pump();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text_of(combo), "Copper");
    EXPECT_EQ(count(CBN_SELCHANGE), 1);

    input::key_press(VK_END);
    ASSERT_TRUE(input::type_text("y"));
    pump();
    EXPECT_EQ(text_of(combo), "Coppery");
    EXPECT_EQ(count(CBN_EDITUPDATE), 1);
    EXPECT_EQ(count(CBN_EDITCHANGE), 1);
    SetWindowTextA(combo, "Zinc");
    EXPECT_EQ(text_of(edit), "Zinc");
    EXPECT_EQ(SendMessageA(combo, CB_LIMITTEXT, 3, 0), TRUE);

    // F4 in the field drops the list; the list shows below the box.
    input::key_press(VK_F4);
    pump();
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    input::key_press(VK_ESCAPE);
    pump();
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SetFocus(parent);
    pump();
    EXPECT_EQ(count(CBN_KILLFOCUS), 1);
}

TEST_F(ComboKindsTest, ASimpleComboBoxKeepsItsListUnderTheField) {
    HWND combo = make(CBS_SIMPLE, 120);
    RECT box{};
    GetWindowRect(combo, &box);
    EXPECT_EQ(box.bottom - box.top, 120); // its height is its own
    HWND list = WindowFromPoint(POINT{box.left + 20, box.bottom - 20});
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(class_of(list), "ComboLBox");
    EXPECT_EQ(GetParent(list), combo);
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));

    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT p{item.left + 10, (item.top + item.bottom) / 2};
    ClientToScreen(list, &p);
    input::click(p.x, p.y);
    pump();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(text_of(combo), "Copper");
    EXPECT_EQ(count(CBN_SELCHANGE), 1);

    EnableWindow(combo, FALSE);
    EXPECT_FALSE(IsWindowEnabled(list));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(combo, 1001)));
}

} // namespace
