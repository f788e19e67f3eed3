// The dialog manager driven by injected keys and clicks on a modeless dialog.
#include "dialog_test_support.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

namespace {

using dlgtest::Command;
using dlgtest::id_of_focus;
using dlgtest::pump;
namespace input = lv::testing;

class DialogManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlgtest::reset_commands();
        dialog = CreateDialogParamA(nullptr, "CHOICES", nullptr, dlgtest::recording_proc, TRUE);
        ASSERT_NE(dialog, nullptr);
        pump(dialog);
    }
    void TearDown() override {
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        pump(nullptr);
    }
    void press(int key) {
        input::key_press(key);
        pump(dialog);
    }
    void press_shifted(int key) {
        input::key_down(VK_SHIFT);
        press(key);
        input::key_up(VK_SHIFT);
        pump(dialog);
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }

    HWND dialog = nullptr;
};

TEST_F(DialogManagerTest, TabVisitsTheTabStopsInOrderSkippingDisabledAndHiddenOnes) {
    EXPECT_TRUE(IsWindowVisible(dialog)); // WS_VISIBLE in the template
    EXPECT_EQ(id_of_focus(), 301);        // WM_INITDIALOG returned TRUE: the first tab stop
    const int forward[] = {311, 321, IDOK, IDCANCEL, 301, 311};
    for (int expected : forward) {
        press(VK_TAB);
        EXPECT_EQ(id_of_focus(), expected);
    }
    const int backward[] = {301, IDCANCEL, IDOK, 321};
    for (int expected : backward) {
        press_shifted(VK_TAB);
        EXPECT_EQ(id_of_focus(), expected);
    }
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), item(301));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDCANCEL), FALSE), item(301));
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(301), TRUE), item(IDCANCEL));
}

TEST_F(DialogManagerTest, ArrowsMoveWithinTheRadioGroupAndCheckTheButton) {
    press(VK_TAB);
    ASSERT_EQ(id_of_focus(), 311);
    press(VK_RIGHT);
    EXPECT_EQ(id_of_focus(), 312);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 312), BST_CHECKED);
    press(VK_DOWN);
    EXPECT_EQ(id_of_focus(), 313);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 313), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 312), BST_UNCHECKED);
    press(VK_RIGHT); // the group wraps round
    EXPECT_EQ(id_of_focus(), 311);
    press(VK_LEFT);
    EXPECT_EQ(id_of_focus(), 313);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 311), BST_UNCHECKED);

    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(312), FALSE), item(313));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(311), TRUE), item(313));
    // The disabled and the hidden buttons of the next group are skipped.
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(321), FALSE), item(321));
}

// The check goes with the focus and the parent hears of it, also from a control that draws
// itself and answers as a radio button; a button that is checked already is not clicked again.
TEST_F(DialogManagerTest, AnArrowClicksTheRadioButtonItReaches) {
    press(VK_TAB);
    ASSERT_EQ(id_of_focus(), 311);
    press(VK_RIGHT);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{312, BN_CLICKED}}));
    press(VK_LEFT);
    press(VK_RIGHT);
    EXPECT_EQ(dlgtest::commands(),
              (std::vector<Command>{{312, BN_CLICKED}, {311, BN_CLICKED}, {312, BN_CLICKED}}));

    static WNDPROC button_proc = nullptr;
    static int clicks = 0;
    clicks = 0;
    const WNDPROC as_radio = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == WM_GETDLGCODE)
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (msg == BM_CLICK)
            ++clicks;
        return CallWindowProcA(button_proc, hwnd, msg, wParam, lParam);
    };
    HWND drawn[2] = {};
    for (int i = 0; i < 2; ++i) {
        const DWORD group = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
        drawn[i] = CreateWindowExA(
            0, "Button", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | group, 10 + 50 * i, 80, 40, 14,
            dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(341 + i)), nullptr, nullptr);
        button_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(drawn[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(as_radio)));
    }
    SetFocus(drawn[0]);
    dlgtest::reset_commands();
    press(VK_RIGHT);
    EXPECT_EQ(id_of_focus(), 342);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{342, BN_CLICKED}}));
}

TEST_F(DialogManagerTest, EnterPressesTheDefaultOrTheFocusedPushButton) {
    press(VK_RETURN); // focus on the check box: the default button
    ASSERT_EQ(dlgtest::commands().size(), 1u);
    EXPECT_EQ(dlgtest::commands()[0], (Command{IDOK, BN_CLICKED}));
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));

    dlgtest::reset_commands();
    ShowWindow(dialog, SW_SHOW); // the recording procedure ended (hid) it
    SetFocus(item(301));
    SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL);
    EXPECT_EQ(SendMessageA(item(IDCANCEL), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON,
              DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(item(IDOK), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
    press(VK_RETURN);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
}

TEST_F(DialogManagerTest, EnterOnAFocusedPushButtonPressesIt) {
    press(VK_TAB);
    press(VK_TAB);
    ASSERT_EQ(id_of_focus(), 321);
    // The focused push button looks like the default one meanwhile.
    EXPECT_TRUE(SendMessageA(item(321), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_FALSE(SendMessageA(item(IDOK), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    press(VK_RETURN);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{321, BN_CLICKED}}));
}

// It becomes the default as a push button would, and goes on drawing itself.
TEST_F(DialogManagerTest, AnOwnerDrawnButtonStaysOwnerDrawnWhenItTakesTheFocus) {
    HWND drawn =
        CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0,
                        40, 20, dialog, reinterpret_cast<HMENU>(331), nullptr, nullptr);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(drawn), TRUE);
    pump(dialog);
    ASSERT_EQ(id_of_focus(), 331);
    EXPECT_EQ(GetWindowLongA(drawn, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(SendMessageA(drawn, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    EXPECT_FALSE(SendMessageA(item(IDOK), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    press(VK_RETURN);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{331, BN_CLICKED}}));
    press(VK_TAB);
    EXPECT_EQ(GetWindowLongA(drawn, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(SendMessageA(drawn, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
}

TEST_F(DialogManagerTest, EscapeSendsCancel) {
    press(VK_ESCAPE);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
}

TEST_F(DialogManagerTest, SpaceAndAClickToggleACheckBoxOnce) {
    ASSERT_EQ(id_of_focus(), 301);
    press(VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 301), BST_CHECKED);
    ASSERT_TRUE(input::click_window(item(301)));
    pump(dialog);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 301), BST_UNCHECKED);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{301, BN_CLICKED}, {301, BN_CLICKED}}));
}

TEST_F(DialogManagerTest, AClickOnADisabledButtonDoesNothing) {
    ASSERT_TRUE(input::click_window(item(320)));
    pump(dialog);
    EXPECT_TRUE(dlgtest::commands().empty());
    EXPECT_EQ(id_of_focus(), 301);
}

TEST_F(DialogManagerTest, MnemonicsPressTheirButtonOrFocusPastTheirLabel) {
    press(VK_TAB);
    input::type_text("m");
    pump(dialog);
    EXPECT_EQ(id_of_focus(), 301);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 301), BST_CHECKED);
    input::type_text("o"); // the label "&Options" gives the focus to the control after it
    pump(dialog);
    EXPECT_EQ(id_of_focus(), 301);
    input::type_text("a");
    pump(dialog);
    EXPECT_EQ(dlgtest::commands().back(), (Command{321, BN_CLICKED}));
}

TEST_F(DialogManagerTest, ItemHelpersWorkByControlId) {
    EXPECT_TRUE(SetDlgItemTextA(dialog, 321, "Apply now"));
    char text[32] = {};
    EXPECT_EQ(GetDlgItemTextA(dialog, 321, text, sizeof(text)), 9u);
    EXPECT_STREQ(text, "Apply now");
    EXPECT_FALSE(SetDlgItemTextA(dialog, 999, "x"));

    struct IntCase {
        const char* text;
        BOOL is_signed;
        UINT value;
        BOOL translated;
    };
    const IntCase ints[] = {
        {"42", FALSE, 42, TRUE},         {" -17 ", TRUE, static_cast<UINT>(-17), TRUE},
        {"-17", FALSE, 0, FALSE},        {"4294967295", FALSE, 4294967295u, TRUE},
        {"4294967296", FALSE, 0, FALSE}, {"2147483648", TRUE, 0, FALSE},
        {"12a", FALSE, 0, FALSE},        {"", FALSE, 0, FALSE},
    };
    for (const IntCase& c : ints) {
        SetDlgItemTextA(dialog, 321, c.text);
        BOOL translated = 2;
        EXPECT_EQ(GetDlgItemInt(dialog, 321, &translated, c.is_signed), c.value) << c.text;
        EXPECT_EQ(translated, c.translated) << c.text;
    }
    SetDlgItemInt(dialog, 321, static_cast<UINT>(-5), TRUE);
    GetDlgItemTextA(dialog, 321, text, sizeof(text));
    EXPECT_STREQ(text, "-5");

    EXPECT_TRUE(CheckDlgButton(dialog, 301, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 301), BST_CHECKED);
    EXPECT_TRUE(CheckRadioButton(dialog, 311, 313, 312));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 311), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 312), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 313, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetDlgCtrlID(item(313)), 313);
}

TEST_F(DialogManagerTest, TheDialogClassKeepsItsResultsAndProcedure) {
    char name[16] = {};
    GetClassNameA(dialog, name, sizeof(name));
    EXPECT_STREQ(name, WC_DIALOG);
    EXPECT_EQ(reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC)),
              &dlgtest::recording_proc);
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(nullptr, WC_DIALOG, &wc));
    EXPECT_EQ(wc.lpfnWndProc, &DefDlgProcA);
    EXPECT_GE(wc.cbWndExtra, DLGWINDOWEXTRA);
    // WM_CLOSE becomes Cancel.
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(dlgtest::commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
}

TEST(DialogMessageFilter, TheMessageFilterHookSeesDialogMessagesFirst) {
    static int seen = 0;
    seen = 0;
    dlgtest::reset_commands();
    HWND dialog = CreateDialogParamA(nullptr, "CHOICES", nullptr, dlgtest::recording_proc, TRUE);
    ASSERT_NE(dialog, nullptr);
    HHOOK hook = SetWindowsHookExA(
        WH_MSGFILTER,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* msg = reinterpret_cast<MSG*>(lParam);
            if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
                ++seen;
                return TRUE; // swallowed
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetWindowThreadProcessId(dialog, nullptr));
    ASSERT_NE(hook, nullptr);
    pump(dialog);
    lv::testing::key_press(VK_ESCAPE);
    pump(dialog);
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(dlgtest::commands().empty());
    UnhookWindowsHookEx(hook);
    DestroyWindow(dialog);
    pump(nullptr);
}

} // namespace

namespace {

TEST_F(DialogManagerTest, APageOfControlsJoinsItsParentsTabOrder) {
    HWND page = CreateDialogParamA(nullptr, "PAGE", dialog, dlgtest::recording_proc, FALSE);
    ASSERT_NE(page, nullptr);
    pump(dialog);
    EXPECT_EQ(GetParent(page), dialog);
    EXPECT_TRUE(GetWindowLongA(page, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(GetWindowLongA(page, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDCANCEL), FALSE), GetDlgItem(page, 401));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(page, 402), FALSE), item(301));
    // A hidden page is passed over.
    ShowWindow(page, SW_HIDE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDCANCEL), FALSE), item(301));
    // The page sits at its template position inside the parent's client area.
    RECT expected{0, 70, 0, 0};
    MapDialogRect(dialog, &expected);
    RECT placed{};
    GetWindowRect(page, &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.top, expected.top);
}

} // namespace
