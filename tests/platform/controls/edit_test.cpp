// The edit control typed into with injected keys.
#include "controls_fixture.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class EditTest : public ctltest::ControlsTest {
protected:
    HWND make(DWORD style, const char* text = "") {
        HWND edit = create("Edit", text, style | WS_BORDER, 10, 10, 120, 22, 61);
        SetFocus(edit);
        pump();
        clear_events();
        return edit;
    }
    void type(const std::string& text) {
        input::type_text(text);
        pump();
    }
    void press(int key) {
        input::key_press(key);
        pump();
    }
    static std::string text(HWND edit) {
        char buffer[256] = {};
        GetWindowTextA(edit, buffer, sizeof(buffer));
        return buffer;
    }
    int count(int code) const {
        int n = 0;
        for (const Event& e : events(WM_COMMAND))
            n += e.id == 61 && e.code == code;
        return n;
    }
};

TEST_F(EditTest, DigitsOnlyRefusesOtherCharactersWithABeep) {
    lv::testing::clear_answers();
    HWND edit = make(ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL);
    type("12a3");
    EXPECT_EQ(text(edit), "123");
    EXPECT_EQ(count(EN_UPDATE), 3);
    EXPECT_EQ(count(EN_CHANGE), 3);
    EXPECT_EQ(lv::testing::message_beep_log().size(), 1u);
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(EditTest, TheLimitCutsTypingAndSaysSo) {
    HWND edit = make(ES_AUTOHSCROLL);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 3);
    type("12345");
    EXPECT_EQ(text(edit), "123");
    EXPECT_EQ(count(EN_MAXTEXT), 2);
}

TEST_F(EditTest, SelectionsAreReplacedAndReported) {
    HWND edit = make(ES_AUTOHSCROLL, "hello world");
    SendMessageA(edit, EM_SETSEL, 0, 5);
    DWORD start = 9, end = 9;
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end)),
              MAKELRESULT(0, 5));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("HELLO"));
    EXPECT_EQ(text(edit), "HELLO world");
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(5, 5));
    SendMessageA(edit, EM_SETSEL, 0, -1); // everything
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 11));
    SendMessageA(edit, EM_SETSEL, 3, 100); // clamped
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(3, 11));
    type("!");
    EXPECT_EQ(text(edit), "HEL!");
}

TEST_F(EditTest, KeysMoveSelectAndDelete) {
    HWND edit = make(ES_AUTOHSCROLL, "abcdef");
    press(VK_END);
    press(VK_LEFT);
    press(VK_BACK);
    EXPECT_EQ(text(edit), "abcdf");
    press(VK_HOME);
    press(VK_DELETE);
    EXPECT_EQ(text(edit), "bcdf");
    input::key_down(VK_SHIFT);
    press(VK_END);
    input::key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 4));
    press(VK_BACK);
    EXPECT_EQ(text(edit), "");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(EditTest, BackspaceRemovesAWholeCharacter) {
    HWND edit = make(ES_AUTOHSCROLL, "a\xC3\xB1\xE3\x81\x82"); // a, n-tilde, hiragana a
    press(VK_END);
    press(VK_BACK);
    EXPECT_EQ(text(edit), "a\xC3\xB1");
    press(VK_LEFT);
    press(VK_BACK);
    EXPECT_EQ(text(edit), "\xC3\xB1");
    SendMessageA(edit, EM_SETSEL, 1, 1); // inside a character: moved to its start
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 0));
}

TEST_F(EditTest, ReadOnlyRefusesTypingUntilAllowed) {
    HWND edit = make(ES_READONLY, "fixed");
    type("x");
    EXPECT_EQ(text(edit), "fixed");
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY, 0);
    press(VK_END);
    type("x");
    EXPECT_EQ(text(edit), "fixedx");
}

TEST_F(EditTest, FocusAndTextChangesAreNotified) {
    HWND edit = make(ES_AUTOHSCROLL);
    HWND other = create("Button", "b", BS_PUSHBUTTON, 200, 10, 40, 20, 62);
    SetFocus(other);
    SetFocus(edit);
    SetWindowTextA(edit, "25");
    EXPECT_EQ(count(EN_KILLFOCUS), 1);
    EXPECT_EQ(count(EN_SETFOCUS), 1);
    EXPECT_EQ(count(EN_CHANGE), 1);
    EXPECT_EQ(text(edit), "25");
    EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditTest, AClickPutsTheCaretWhereItLands) {
    HWND edit = make(ES_AUTOHSCROLL, "abc");
    const POINT right = screen_point(edit, 110, 10);
    input::click(right.x, right.y);
    pump();
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(3, 3));
    const POINT left = screen_point(edit, 0, 10);
    input::click(left.x, left.y);
    pump();
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(0, 0));
}

TEST_F(EditTest, PasswordsShowStarsButKeepTheText) {
    HWND edit = make(ES_PASSWORD | ES_AUTOHSCROLL);
    type("secret");
    EXPECT_EQ(text(edit), "secret");
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
}

// The border all round, read at the middle of each side of the window rectangle.
bool border_shown(HWND edit) {
    RECT window{};
    GetWindowRect(edit, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    return lv::testing::window_pixel(edit, 0, h / 2) == frame &&
           lv::testing::window_pixel(edit, w - 1, h / 2) == frame &&
           lv::testing::window_pixel(edit, w / 2, 0) == frame &&
           lv::testing::window_pixel(edit, w / 2, h - 1) == frame;
}

TEST_F(EditTest, KeepsItsBorderWhileTypedInto) {
    HWND edit = make(ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL);
    UpdateWindow(parent);
    pump();
    EXPECT_TRUE(border_shown(edit));
    type("12");
    EXPECT_TRUE(border_shown(edit));
    press(VK_BACK);
    SetWindowTextA(edit, "7");
    pump();
    EXPECT_TRUE(border_shown(edit));
}

} // namespace
