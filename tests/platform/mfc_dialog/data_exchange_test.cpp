// UpdateData through DoDataExchange: members to controls and back, and a failed validation
// that says why, keeps the focus in the control and changes nothing after it.
#include "mfc/mfc.h"
#include "testing/answers.h"
#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class OptionsDlg : public CDialog {
public:
    OptionsDlg() : CDialog(200u) {}
    int interval = 6;
    int mute = 1;
    int order = 2;
    CString caption = "Evening";
    CEdit captionEdit;
    std::function<void(OptionsDlg&)> onShown;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 1006, captionEdit);
        DDX_Text(dx, 1001, interval);
        DDV_MinMaxInt(dx, interval, 1, 30);
        DDX_Check(dx, 1002, mute);
        DDX_Radio(dx, 1003, order);
        DDX_Text(dx, 1006, caption);
    }
};

std::string item_text(HWND dialog, int id) {
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class DataExchange : public ::testing::Test {
protected:
    void SetUp() override { lv::testing::clear_answers(); }
    void TearDown() override { lv::testing::clear_answers(); }

    // Runs the dialog; `drive` sees it once shown, then OK is pressed.
    INT_PTR run(OptionsDlg& dialog, std::function<void(HWND)> drive) {
        lv::testing::push_modal_answer({IDOK, [drive](HWND hwnd) {
                                            drive(hwnd);
                                            PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                                        }});
        return dialog.DoModal();
    }
};

TEST_F(DataExchange, InitialisationFillsTheControlsFromTheMembers) {
    OptionsDlg dialog;
    EXPECT_EQ(run(dialog,
                  [&](HWND hwnd) {
                      EXPECT_EQ(item_text(hwnd, 1001), "6");
                      EXPECT_EQ(IsDlgButtonChecked(hwnd, 1002), BST_CHECKED);
                      EXPECT_EQ(IsDlgButtonChecked(hwnd, 1003), BST_UNCHECKED);
                      EXPECT_EQ(IsDlgButtonChecked(hwnd, 1005), BST_CHECKED);
                      EXPECT_EQ(item_text(hwnd, 1006), "Evening");
                      EXPECT_EQ(dialog.captionEdit.GetSafeHwnd(), GetDlgItem(hwnd, 1006));
                  }),
              IDOK);
}

TEST_F(DataExchange, SavingReadsTheControlsBack) {
    OptionsDlg dialog;
    run(dialog, [&](HWND hwnd) {
        SetDlgItemTextA(hwnd, 1001, " 12 ");
        CheckDlgButton(hwnd, 1002, BST_UNCHECKED);
        CheckRadioButton(hwnd, 1003, 1005, 1004);
        SetDlgItemTextA(hwnd, 1006, "Night");
    });
    EXPECT_EQ(dialog.interval, 12);
    EXPECT_EQ(dialog.mute, 0);
    EXPECT_EQ(dialog.order, 1);
    EXPECT_EQ(dialog.caption, "Night");
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

TEST_F(DataExchange, FailedValidationTellsKeepsTheFocusAndFailsTheExchange) {
    struct Case {
        const char* text;
        const char* message;
        const char* locale = "C";
    };
    const Case cases[] = {
        {"45", "Please enter an integer between 1 and 30."},
        {"0", "Please enter an integer between 1 and 30."},
        {"seven", "Please enter an integer."},
        {"", "Please enter an integer."},
        {"99999999999", "Please enter an integer."},
        {"45", "1 から 30 までの整数を入力してください。", "ja_JP.UTF-8"},
        {"seven", "整数を入力してください。", "ja_JP.UTF-8"},
        {"0", "1에서 30 사이의 정수를 입력하십시오.", "ko_KR.UTF-8"},
        {"", "정수를 입력하십시오.", "ko_KR.UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        lv::testing::clear_answers();
        OptionsDlg dialog;
        run(dialog, [&](HWND hwnd) {
            CheckDlgButton(hwnd, 1002, BST_UNCHECKED);
            SetDlgItemTextA(hwnd, 1001, c.text);
            lv::testing::push_message_box_answer(IDOK);
            EXPECT_FALSE(dialog.UpdateData(TRUE)) << c.text;
            HWND edit = GetDlgItem(hwnd, 1001);
            EXPECT_EQ(GetFocus(), edit) << c.text;
            DWORD start = 1, end = 0;
            SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u) << c.text;
            EXPECT_EQ(end, std::string(c.text).size()) << c.text;
            SetDlgItemTextA(hwnd, 1001, "30");
        });
        const auto log = lv::testing::message_box_log();
        ASSERT_FALSE(log.empty()) << c.text;
        EXPECT_EQ(log.front().text, c.message);
        EXPECT_EQ(log.front().type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(dialog.interval, 30);
        EXPECT_EQ(dialog.mute, 0);
    }
}

TEST_F(DataExchange, OkWithInvalidDataKeepsTheDialogOpen) {
    OptionsDlg dialog;
    int oks = 0;
    lv::testing::push_modal_answer({IDOK, [&](HWND hwnd) {
                                        SetDlgItemTextA(hwnd, 1001, "31");
                                        lv::testing::push_message_box_answer(IDOK);
                                        SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
                                        oks += IsWindow(hwnd) && IsWindowVisible(hwnd) ? 1 : 0;
                                        SetDlgItemTextA(hwnd, 1001, "3");
                                        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
                                    }});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(dialog.interval, 3);
}

// A radio group counts its radio buttons only, whatever else stands between them, and ends where
// the next group begins.
TEST_F(DataExchange, RadioGroupsPassOverOtherControlsInThem) {
    struct Choices : CDialog {
        int mode = 1;
        int kind = 0;
        void DoDataExchange(CDataExchange* dx) override {
            DDX_Radio(dx, 1030, mode);
            DDX_Radio(dx, 1070, kind);
        }
    };
    CWnd host;
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    Choices page;
    ASSERT_TRUE(page.Create(204u, &host));
    HWND hwnd = page.GetSafeHwnd();
    EXPECT_EQ(IsDlgButtonChecked(hwnd, 1031), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, 1030), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, 1070), BST_CHECKED);
    CheckDlgButton(hwnd, 1031, BST_UNCHECKED);
    CheckDlgButton(hwnd, 1071, BST_CHECKED);
    CheckDlgButton(hwnd, 1070, BST_UNCHECKED);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.mode, -1);
    EXPECT_EQ(page.kind, 1);
    host.DestroyWindow();
}

} // namespace
