// The colour dialog: answers that keep or drop the colour it starts from, a person clicking a
// basic or custom cell or typing the colour, where nobody can answer, and what it refuses.
#include "dialog_test_support.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

namespace input = lv::testing;

class ColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        custom.fill(RGB(255, 255, 255));
        custom[3] = RGB(12, 34, 56);
        choose.lStructSize = sizeof choose;
        choose.lpCustColors = custom.data();
        choose.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
        choose.rgbResult = RGB(1, 2, 3);
    }
    void TearDown() override {
        lv::testing::clear_answers();
        dlgtest::pump(nullptr);
    }
    // The colour a cell shows in its middle.
    static COLORREF CellColour(HWND dialog, int id) {
        HWND cell = GetDlgItem(dialog, id);
        RECT r{};
        GetWindowRect(cell, &r);
        UpdateWindow(cell);
        return input::window_pixel(cell, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
    }
    static void Type(HWND dialog, int id, const char* text) {
        HWND edit = GetDlgItem(dialog, id);
        input::click_window(edit);
        dlgtest::pump(dialog);
        input::key_press(VK_END);
        for (int i = 0; i < 3; ++i)
            input::key_press(VK_BACK);
        input::type_text(text);
        dlgtest::pump(dialog);
    }

    std::array<COLORREF, 16> custom{};
    CHOOSECOLORA choose{};
};

TEST_F(ColorDialogTest, PlainAnswersKeepTheStartingColourOrCancel) {
    lv::testing::push_modal_answer({IDOK, {}});
    EXPECT_TRUE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(1, 2, 3));
    lv::testing::push_modal_answer({IDCANCEL, {}});
    choose.rgbResult = RGB(9, 9, 9);
    EXPECT_FALSE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(9, 9, 9));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    // Nobody to answer (headless, nothing queued): cancelled.
    EXPECT_FALSE(ChooseColorA(&choose));
}

TEST_F(ColorDialogTest, APersonPicksACellOrTypesTheColour) {
    COLORREF shown = 0;
    lv::testing::push_modal_answer(
        {0, [&](HWND dialog) {
             dlgtest::pump(dialog);
             EXPECT_EQ(GetDlgItemInt(dialog, kColorDialogGreen, nullptr, FALSE), 2u);
             shown = CellColour(dialog, kColorDialogBasicFirst + 13);
             input::click_window(GetDlgItem(dialog, kColorDialogBasicFirst + 13));
             dlgtest::pump(dialog);
             input::click_window(GetDlgItem(dialog, IDOK));
         }});
    ASSERT_TRUE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, shown);

    lv::testing::push_modal_answer(
        {0, [&](HWND dialog) {
             dlgtest::pump(dialog);
             EXPECT_EQ(CellColour(dialog, kColorDialogCustomFirst + 3), RGB(12, 34, 56));
             input::click_window(GetDlgItem(dialog, kColorDialogCustomFirst + 3));
             dlgtest::pump(dialog);
             EXPECT_EQ(GetDlgItemInt(dialog, kColorDialogBlue, nullptr, FALSE), 56u);
             input::click_window(GetDlgItem(dialog, IDOK));
         }});
    ASSERT_TRUE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(12, 34, 56));

    lv::testing::push_modal_answer(
        {0, [&](HWND dialog) {
             dlgtest::pump(dialog);
             Type(dialog, kColorDialogRed, "200");
             Type(dialog, kColorDialogGreen, "999"); // kept to 255
             Type(dialog, kColorDialogBlue, "7");
             EXPECT_EQ(CellColour(dialog, kColorDialogSample), RGB(200, 255, 7));
             EXPECT_TRUE(
                 input::save_window_png(dialog, lvtest::ScreenshotPath("color_dialog.png")));
             input::click_window(GetDlgItem(dialog, IDOK));
         }});
    ASSERT_TRUE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(200, 255, 7));
}

// The texts of the window and of its labels and buttons, in z-order.
std::vector<std::string> TextsOf(HWND dialog) {
    std::vector<std::string> texts;
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof text);
    texts.push_back(text);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof kind);
        GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0' && std::string(kind) != "Edit")
            texts.push_back(text);
    }
    return texts;
}

TEST_F(ColorDialogTest, SpeaksTheUsersLanguageAndItsLabelsFit) {
    struct Case {
        const char* locale;
        std::vector<std::string> texts; // caption, labels, OK, Cancel
    };
    const Case cases[] = {
        {"C",
         {"Color", "&Basic colors:", "&Custom colors:", "&Red:", "&Green:", "Bl&ue:", "OK",
          "Cancel"}},
        {"ja_JP.UTF-8",
         {"色の設定", "基本色(&B):", "作成した色(&C):", "赤(&R):", "緑(&G):", "青(&U):", "OK",
          "キャンセル"}},
        {"ko_KR.UTF-8",
         {"색", "기본 색(&B):", "사용자 지정 색(&C):", "빨강(&R):", "녹색(&G):", "파랑(&U):",
          "확인", "취소"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        lv::testing::push_modal_answer(
            {0, [&](HWND dialog) {
                 dlgtest::pump(dialog);
                 EXPECT_EQ(TextsOf(dialog), c.texts);
                 for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(dialog))
                     ADD_FAILURE() << label;
                 const std::string shot =
                     "color_dialog_" + std::string(c.locale).substr(0, 2) + ".png";
                 EXPECT_TRUE(input::save_window_png(dialog, lvtest::ScreenshotPath(shot)));
                 input::click_window(GetDlgItem(dialog, IDCANCEL));
             }});
        EXPECT_FALSE(ChooseColorA(&choose));
    }
}

TEST_F(ColorDialogTest, WhatItCannotServeFailsWithTheReason) {
    CHOOSECOLORA small = choose;
    small.lStructSize = 12;
    EXPECT_FALSE(ChooseColorA(&small));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    choose.Flags |= CC_ENABLEHOOK;
    EXPECT_FALSE(ChooseColorA(&choose));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
    EXPECT_FALSE(ChooseColorA(nullptr));
}

} // namespace
