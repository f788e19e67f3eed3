// Subclassing existing windows by id, self-deleting objects, and the thread's message loop
// ending when the main window goes.
#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK plain_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER)
        return 42;
    if (message == WM_USER + 1)
        return 43;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* plain_class() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain_proc;
        wc.lpszClassName = "MfcPlainControl";
        return RegisterClassA(&wc) != 0;
    }();
    return registered ? "MfcPlainControl" : nullptr;
}

class SubclassProbe : public CWnd {
public:
    std::vector<std::string> log;

protected:
    void PreSubclassWindow() override {
        log.push_back("pre-subclass " + std::to_string(GetDlgCtrlID()));
    }
    afx_msg LRESULT OnOne(WPARAM, LPARAM) { return 100; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SubclassProbe, CWnd)
ON_MESSAGE(WM_USER + 1, OnOne)
END_MESSAGE_MAP()

TEST(Subclassing, ByIdRoutesThroughTheMapAndDefaultsToTheOldProcedure) {
    ASSERT_NE(plain_class(), nullptr);
    HWND parent = CreateWindowExA(0, plain_class(), "parent", WS_POPUP, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND control = CreateWindowExA(0, plain_class(), "control", WS_CHILD, 0, 0, 10, 10, parent,
                                   reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_TRUE(parent && control);

    SubclassProbe probe;
    EXPECT_FALSE(probe.SubclassDlgItem(8, CWnd::FromHandle(parent)));
    ASSERT_TRUE(probe.SubclassDlgItem(7, CWnd::FromHandle(parent)));
    EXPECT_EQ(probe.log, (std::vector<std::string>{"pre-subclass 7"}));
    EXPECT_EQ(probe.GetSafeHwnd(), control);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), &probe);
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 100);
    EXPECT_EQ(SendMessageA(control, WM_USER, 0, 0), 42);

    EXPECT_EQ(probe.UnsubclassWindow(), control);
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 43);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
    EXPECT_TRUE(DestroyWindow(parent));
}

WNDPROC g_laterSaved = nullptr;
int g_laterSeen = 0;

LRESULT CALLBACK later_subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1)
        ++g_laterSeen;
    return CallWindowProcA(g_laterSaved, hwnd, message, wParam, lParam);
}

// The class library lets a window go while another procedure subclassed it later: every
// procedure left in the chain keeps working, and a new object takes the old one's place.
TEST(Subclassing, UnsubclassingUnderALaterSubclassKeepsTheChainWhole) {
    HWND control = CreateWindowExA(0, plain_class(), "control", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_TRUE(control);
    SubclassProbe first;
    ASSERT_TRUE(first.SubclassWindow(control));
    g_laterSeen = 0;
    g_laterSaved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&later_subclass)));
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 100);

    EXPECT_EQ(first.UnsubclassWindow(), control);
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&later_subclass));
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 43);
    EXPECT_EQ(g_laterSeen, 2);

    SubclassProbe second;
    ASSERT_TRUE(second.SubclassWindow(control));
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&later_subclass));
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 100);
    EXPECT_EQ(SendMessageA(control, WM_USER, 0, 0), 42);
    EXPECT_EQ(g_laterSeen, 3);

    // The later procedure leaves in turn: the class library is on top again.
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_laterSaved));
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 100);
    EXPECT_EQ(second.UnsubclassWindow(), control);
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), 43);
    EXPECT_TRUE(DestroyWindow(control));
}

TEST(Subclassing, ASubclassedChildLetsGoWhenItsParentIsDestroyed) {
    HWND parent = CreateWindowExA(0, plain_class(), "parent", WS_POPUP, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    CreateWindowExA(0, plain_class(), "control", WS_CHILD, 0, 0, 10, 10, parent,
                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
    SubclassProbe probe;
    ASSERT_TRUE(probe.SubclassDlgItem(7, CWnd::FromHandle(parent)));
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(probe.GetSafeHwnd(), nullptr);
}

class SelfDeleting : public CWnd {
public:
    explicit SelfDeleting(bool& deleted) : m_deleted(deleted) {}
    ~SelfDeleting() override { m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool& m_deleted;
};

// Handles WM_NCDESTROY itself and never calls the base.
class SelfDeletingKeepsNcDestroy : public SelfDeleting {
public:
    using SelfDeleting::SelfDeleting;
    int nc_destroys = 0;

protected:
    afx_msg void OnNcDestroy() { ++nc_destroys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfDeletingKeepsNcDestroy, SelfDeleting)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST(PostNcDestroy, ObjectsThatAskForItAreDeletedWithTheirWindow) {
    for (bool own_handler : {false, true}) {
        bool deleted = false;
        CWnd* wnd =
            own_handler ? new SelfDeletingKeepsNcDestroy(deleted) : new SelfDeleting(deleted);
        ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        HWND hwnd = wnd->GetSafeHwnd();
        EXPECT_TRUE(DestroyWindow(hwnd));
        EXPECT_TRUE(deleted) << own_handler;
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    }
}

class MainWindow : public CWnd {
public:
    std::vector<std::string> log;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_USER + 2) {
            log.push_back("pretranslate swallowed");
            return TRUE;
        }
        return FALSE;
    }

protected:
    afx_msg LRESULT OnCloseNow(WPARAM, LPARAM) {
        log.push_back("close");
        DestroyWindow();
        return 0;
    }
    afx_msg LRESULT OnSwallowed(WPARAM, LPARAM) {
        log.push_back("dispatched");
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainWindow, CWnd)
ON_MESSAGE(WM_USER + 1, OnCloseNow)
ON_MESSAGE(WM_USER + 2, OnSwallowed)
END_MESSAGE_MAP()

class LoopApp : public CWinApp {
public:
    int ExitInstance() override { return 5; }
};

TEST(MessageLoop, EndsWhenTheMainWindowIsDestroyedAndReturnsExitInstance) {
    LoopApp app;
    MainWindow main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &main;
    main.PostMessage(WM_USER + 2);
    main.PostMessage(WM_USER + 1);
    EXPECT_EQ(app.Run(), 5);
    EXPECT_EQ(main.log, (std::vector<std::string>{"pretranslate swallowed", "close"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(main.GetSafeHwnd(), nullptr);
}

} // namespace
