// CDialog on the dialog manager: modal runs disable the owner, answers press the dialog's own
// buttons, and modeless pages live inside another window.
#include "mfc/mfc.h"
#include "testing/answers.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class OptionsDlg : public CDialog {
public:
    explicit OptionsDlg(CWnd* parent = nullptr) : CDialog(200u, parent) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        g_log.push_back("init " + std::to_string(CWnd::FromHandlePermanent(m_hWnd) == this));
        return TRUE;
    }
    void OnOK() override {
        g_log.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        g_log.push_back("cancel");
        CDialog::OnCancel();
    }
    afx_msg void OnMute() { g_log.push_back("mute clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OptionsDlg, CDialog)
ON_BN_CLICKED(1002, OnMute)
END_MESSAGE_MAP()

// Takes F5 before the dialog manager sees it.
class RefreshingDlg : public OptionsDlg {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F5) {
            g_log.push_back("refresh");
            return TRUE;
        }
        return OptionsDlg::PreTranslateMessage(msg);
    }
};

class Page : public CDialog {
protected:
    BOOL OnInitDialog() override {
        g_log.push_back("page init");
        return CDialog::OnInitDialog();
    }
    afx_msg void OnPress() { g_log.push_back("page press"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Page, CDialog)
ON_BN_CLICKED(1010, OnPress)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        lv::testing::clear_answers();
    }
    void TearDown() override { lv::testing::clear_answers(); }
};

TEST_F(DialogTest, ModalDisablesTheOwnerWhileItRuns) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    OptionsDlg dialog(&owner);
    bool owner_enabled_meanwhile = true;
    lv::testing::push_modal_answer({0, [&](HWND hwnd) {
                                        owner_enabled_meanwhile = IsWindowEnabled(owner) != FALSE;
                                        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &dialog);
                                        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
                                    }});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(owner_enabled_meanwhile);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"init 1", "cancel"}));
    owner.DestroyWindow();
}

TEST_F(DialogTest, APlainAnswerPressesTheControlWithThatId) {
    struct Case {
        int answer;
        INT_PTR result;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {IDOK, IDOK, {"init 1", "ok"}},
        {IDCANCEL, IDCANCEL, {"init 1", "cancel"}},
        // A check box does not end the dialog; nobody answers after it, so it is cancelled.
        {1002, IDCANCEL, {"init 1", "mute clicked"}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        lv::testing::push_modal_answer({c.answer, nullptr});
        OptionsDlg dialog;
        EXPECT_EQ(dialog.DoModal(), c.result) << c.answer;
        EXPECT_EQ(g_log, c.log) << c.answer;
    }
}

TEST_F(DialogTest, KeysPassPreTranslateMessageInsideTheModalLoop) {
    RefreshingDlg dialog;
    lv::testing::push_modal_answer({0, [](HWND hwnd) {
                                        lv::testing::key_press(VK_F5);
                                        lv::testing::key_press(VK_ESCAPE);
                                    }});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(g_log, (std::vector<std::string>{"init 1", "refresh", "cancel"}));
}

TEST_F(DialogTest, MissingTemplateFailsTheModalAndLeavesTheAnswer) {
    lv::testing::push_modal_answer({IDNO, nullptr});
    CDialog dialog(999u);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(MessageBoxA(nullptr, "Keep?", "Question", MB_YESNO), IDNO);
}

TEST_F(DialogTest, ModelessPageLivesInsideItsParent) {
    CWnd host;
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    Page page;
    ASSERT_TRUE(page.Create(201u, &host));
    EXPECT_EQ(::GetParent(page.GetSafeHwnd()), host.GetSafeHwnd());
    EXPECT_EQ(CWnd::FromHandlePermanent(page.GetSafeHwnd()), &page);
    SendMessageA(page.GetSafeHwnd(), WM_COMMAND, MAKELONG(1010, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page.GetSafeHwnd(), 1010)));
    EXPECT_EQ(g_log, (std::vector<std::string>{"page init", "page press"}));
    host.DestroyWindow();
    EXPECT_EQ(page.GetSafeHwnd(), nullptr);
}

// The template's initialisation data fills its boxes before the first data exchange.
TEST_F(DialogTest, ListsStartWithTheTemplatesStrings) {
    CWnd host;
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    CDialog page;
    ASSERT_TRUE(page.Create(203u, &host));
    HWND combo = GetDlgItem(page.GetSafeHwnd(), 1048);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    const char* expected[] = {"Sequential", "Backward", "Random"};
    for (int i = 0; i < 3; ++i) {
        char text[32] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[i]);
    }
    HWND list = GetDlgItem(page.GetSafeHwnd(), 1049);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    char text[32] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "順番");
    // A dialog without such data is left as it is.
    EXPECT_TRUE(page.ExecuteDlgInit(MAKEINTRESOURCE(201)));
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    host.DestroyWindow();
}

} // namespace
