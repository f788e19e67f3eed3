// The message box as a window: answered by clicks and keys, and what it shows.
#include "dialog_test_support.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace input = lv::testing;

class MessageBoxWindowTest : public ::testing::Test {
protected:
    void SetUp() override { lv::testing::clear_answers(); }
    void TearDown() override {
        lv::testing::clear_answers();
        dlgtest::pump(nullptr);
    }
};

TEST_F(MessageBoxWindowTest, ADriverClicksTheNoButton) {
    static bool found_no = false;
    lv::testing::push_modal_answer({0, [](HWND box) {
                                        HWND no = GetDlgItem(box, IDNO);
                                        found_no = no != nullptr;
                                        input::click_window(no);
                                    }});
    EXPECT_EQ(MessageBoxA(nullptr, "Overwrite the file?", "Confirm", MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_TRUE(found_no);
    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].result, IDNO);
}

TEST_F(MessageBoxWindowTest, KeysAnswerTheBox) {
    struct Case {
        UINT type;
        std::vector<int> keys;
        int result;
    };
    const Case cases[] = {
        {MB_YESNO, {VK_RETURN}, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
        {MB_YESNO, {VK_TAB, VK_RETURN}, IDNO},
        {MB_YESNOCANCEL, {VK_RIGHT, VK_RIGHT, VK_SPACE}, IDCANCEL},
        {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
        {MB_OK, {VK_ESCAPE}, IDOK},
        {MB_YESNO, {VK_ESCAPE, 'N'}, IDNO}, // no Cancel: Escape does nothing; N is "&No"
        {MB_RETRYCANCEL, {'R'}, IDRETRY},
    };
    for (const Case& c : cases) {
        static std::vector<int> keys;
        keys = c.keys;
        lv::testing::push_modal_answer({0, [](HWND) {
                                            for (int key : keys)
                                                input::key_press(key);
                                        }});
        EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", c.type), c.result) << std::hex << c.type;
    }
}

TEST_F(MessageBoxWindowTest, TheOwnerIsDisabledWhileTheBoxShows) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "BoxOwner";
    RegisterClassA(&wc);
    static HWND owner;
    static BOOL enabled = TRUE;
    owner = CreateWindowExA(0, "BoxOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                            200, nullptr, nullptr, nullptr, nullptr);
    lv::testing::push_modal_answer({0, [](HWND box) {
                                        enabled = IsWindowEnabled(owner);
                                        input::key_press(VK_RETURN);
                                    }});
    EXPECT_EQ(MessageBoxA(owner, "text", "caption", MB_OK), IDOK);
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

struct Shot {
    COLORREF caption = CLR_INVALID;
    COLORREF button_face = CLR_INVALID;
    COLORREF default_frame = CLR_INVALID;
    COLORREF other_frame = CLR_INVALID;
    COLORREF icon = CLR_INVALID;
    bool dark_text = false;
    bool text_inside_box = false;
};

Shot g_shot;

POINT top_left_in_window(HWND box, HWND control) {
    RECT r{}, frame{};
    GetWindowRect(control, &r);
    GetWindowRect(box, &frame);
    return POINT{r.left - frame.left, r.top - frame.top};
}

void look_at(HWND box) {
    UpdateWindow(box);
    RECT frame{}, client{};
    GetWindowRect(box, &frame);
    GetClientRect(box, &client);
    POINT client_origin{0, 0};
    ClientToScreen(box, &client_origin);
    const int border = client_origin.x - frame.left;
    // The caption bar: left of the caption text's end, above the client area.
    g_shot.caption = input::window_pixel(box, frame.right - frame.left - border - 60,
                                         (client_origin.y - frame.top) / 2 + 1);
    HWND yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    const POINT yes_at = top_left_in_window(box, yes), no_at = top_left_in_window(box, no);
    RECT button{};
    GetClientRect(no, &button);
    g_shot.button_face = input::window_pixel(box, no_at.x + 4, no_at.y + button.bottom - 4);
    g_shot.default_frame = input::window_pixel(box, yes_at.x, yes_at.y);
    g_shot.other_frame = input::window_pixel(box, no_at.x, no_at.y);
    HWND icon = GetDlgItem(box, 0x14);
    RECT icon_rect{};
    GetClientRect(icon, &icon_rect);
    const POINT icon_at = top_left_in_window(box, icon);
    // Inside the warning triangle, beside its mark.
    g_shot.icon = input::window_pixel(box, icon_at.x + icon_rect.right * 3 / 10,
                                      icon_at.y + icon_rect.bottom - 3);
    HWND text = GetDlgItem(box, 0xFFFF);
    RECT text_rect{};
    GetClientRect(text, &text_rect);
    const POINT text_at = top_left_in_window(box, text);
    for (int y = 0; y < text_rect.bottom && !g_shot.dark_text; ++y) {
        for (int x = 0; x < text_rect.right; ++x) {
            const COLORREF c = input::window_pixel(box, text_at.x + x, text_at.y + y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
                g_shot.dark_text = true;
                break;
            }
        }
    }
    g_shot.text_inside_box = text_at.x + text_rect.right <= frame.right - frame.left;
    input::click_window(yes);
}

TEST_F(MessageBoxWindowTest, AScreenshotShowsCaptionTextIconAndButtons) {
    lv::testing::push_modal_answer({0, look_at});
    EXPECT_EQ(MessageBoxA(nullptr,
                          "The theme data file could not be written. The disk may be full or "
                          "write-protected; free some space and try again.",
                          "Warning", MB_YESNO | MB_ICONEXCLAMATION),
              IDYES);
    EXPECT_EQ(g_shot.caption, GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(g_shot.button_face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(g_shot.default_frame, GetSysColor(COLOR_WINDOWFRAME)); // the default's black frame
    EXPECT_NE(g_shot.other_frame, GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(g_shot.icon, RGB(255, 210, 0));
    EXPECT_TRUE(g_shot.dark_text);
    EXPECT_TRUE(g_shot.text_inside_box);
}

// Every button of every type and a box given no caption speak the user's language, and each
// label fits its button.
TEST_F(MessageBoxWindowTest, SpeaksTheUsersLanguageAndItsButtonsFit) {
    struct Case {
        const char* locale;
        const char* caption; // of a box given none
        std::vector<std::string> buttons;
    };
    const Case cases[] = {
        {"C",
         "Error",
         {"OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&Yes", "&No", "&Try Again", "&Continue"}},
        {"ja_JP.UTF-8",
         "エラー",
         {"OK", "キャンセル", "中止(&A)", "再試行(&R)", "無視(&I)", "はい(&Y)", "いいえ(&N)",
          "再実行(&T)", "続行(&C)"}},
        {"ko_KR.UTF-8",
         "오류",
         {"확인", "취소", "중단(&A)", "다시 시도(&R)", "무시(&I)", "예(&Y)", "아니요(&N)",
          "다시 시도(&T)", "계속(&C)"}},
    };
    // Each type with the button that answers it.
    const std::pair<UINT, int> types[] = {{MB_OKCANCEL, IDOK},
                                          {MB_ABORTRETRYIGNORE, IDABORT},
                                          {MB_YESNOCANCEL, IDYES},
                                          {MB_CANCELTRYCONTINUE, IDCANCEL}};
    const int ids[] = {IDOK,  IDCANCEL, IDABORT,    IDRETRY,   IDIGNORE,
                       IDYES, IDNO,     IDTRYAGAIN, IDCONTINUE};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        lv::testing::clear_answers();
        std::vector<std::string> shown(std::size(ids));
        for (const auto& [type, answer] : types) {
            lv::testing::push_modal_answer(
                {0, [&](HWND box) {
                     dlgtest::pump(box);
                     for (std::size_t i = 0; i < std::size(ids); ++i) {
                         char text[64] = {};
                         if (GetDlgItemTextA(box, ids[i], text, sizeof text))
                             shown[i] = text;
                     }
                     for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(box))
                         ADD_FAILURE() << label;
                     PostMessageA(box, WM_COMMAND, answer, 0);
                 }});
            MessageBoxA(nullptr, "A question.", nullptr, type | MB_ICONQUESTION);
        }
        EXPECT_EQ(shown, c.buttons);
        const auto log = lv::testing::message_box_log();
        ASSERT_EQ(log.size(), std::size(types));
        EXPECT_EQ(log[0].caption, c.caption);
    }
}

} // namespace
