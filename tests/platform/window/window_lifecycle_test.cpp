// Creation and destruction: the order of messages and hooks, refusals, stale handles.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

using wintest::Event;
using wintest::Recorder;

namespace {

std::vector<std::string> g_hook_log;
HHOOK g_cbt = nullptr;
HHOOK g_callwnd = nullptr;
bool g_refuse_create = false;

LRESULT CALLBACK cbt_hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* cbt = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        g_hook_log.push_back(std::string("cbt-create:") + cbt->lpcs->lpszName);
        if (g_refuse_create)
            return 1;
    }
    if (code == HCBT_DESTROYWND)
        g_hook_log.push_back("cbt-destroy");
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

LRESULT CALLBACK callwnd_hook(int code, WPARAM wParam, LPARAM lParam) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (cwp->message == WM_CREATE)
        g_hook_log.push_back("callwndproc:WM_CREATE");
    return CallNextHookEx(g_callwnd, code, wParam, lParam);
}

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD thread = current_thread();
        g_hook_log.clear();
        g_refuse_create = false;
        g_cbt = SetWindowsHookExA(WH_CBT, cbt_hook, nullptr, thread);
        g_callwnd = SetWindowsHookExA(WH_CALLWNDPROC, callwnd_hook, nullptr, thread);
        recorder.handler = [this](HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
            if (msg == WM_CREATE) {
                g_hook_log.push_back("proc:WM_CREATE");
                if (fail_create) {
                    result = -1;
                    return true;
                }
            }
            if (msg == WM_NCCREATE && fail_nccreate) {
                result = FALSE;
                return true;
            }
            return false;
        };
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_cbt);
        UnhookWindowsHookEx(g_callwnd);
    }
    static DWORD current_thread() { return wintest::current_thread(); }
    Recorder recorder;
    bool fail_create = false;
    bool fail_nccreate = false;
};

TEST_F(Lifecycle, CreationSendsMessagesInPlatformOrderThroughHooks) {
    HWND w = recorder.create("top", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    ASSERT_TRUE(w);
    std::vector<UINT> expected = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE,
                                  WM_CREATE,        WM_SIZE,     WM_MOVE};
    EXPECT_EQ(recorder.messages_of("top"), expected);
    std::vector<std::string> hooks = {"cbt-create:top", "callwndproc:WM_CREATE", "proc:WM_CREATE"};
    EXPECT_EQ(g_hook_log, hooks);
    DestroyWindow(w);
}

TEST_F(Lifecycle, VisibleChildIsShownAfterCreation) {
    HWND parent = recorder.create("parent", WS_POPUP, 0, 0, 200, 200);
    recorder.clear();
    HWND child = recorder.create("child", WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, parent);
    ASSERT_TRUE(child);
    auto child_messages = recorder.messages_of("child");
    std::vector<UINT> start(child_messages.begin(), child_messages.begin() + 5);
    std::vector<UINT> expected = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE};
    EXPECT_EQ(start, expected);
    EXPECT_NE(std::find(child_messages.begin(), child_messages.end(), WM_SHOWWINDOW),
              child_messages.end());
    EXPECT_EQ(recorder.messages_of("parent"), std::vector<UINT>{WM_PARENTNOTIFY});
    EXPECT_TRUE(IsWindowVisible(child) == FALSE); // the parent is hidden
    DestroyWindow(parent);
}

TEST_F(Lifecycle, DestructionNotifiesParentFirstAndFinishesChildrenFirst) {
    HWND parent = recorder.create("P", WS_POPUP, 0, 0, 200, 200);
    HWND a = recorder.create("A", WS_CHILD, 0, 0, 10, 10, parent);
    recorder.create("A1", WS_CHILD, 0, 0, 5, 5, a);
    recorder.create("B", WS_CHILD, 20, 0, 10, 10, parent);
    recorder.clear();
    g_hook_log.clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<Event> destroys;
    for (const Event& e : recorder.events())
        if (e.message == WM_DESTROY || e.message == WM_NCDESTROY)
            destroys.push_back(e);
    std::vector<Event> expected = {
        {"P", WM_DESTROY},   {"A", WM_DESTROY}, {"A1", WM_DESTROY},  {"A1", WM_NCDESTROY},
        {"A", WM_NCDESTROY}, {"B", WM_DESTROY}, {"B", WM_NCDESTROY}, {"P", WM_NCDESTROY},
    };
    EXPECT_EQ(destroys, expected);
    EXPECT_EQ(g_hook_log, std::vector<std::string>{"cbt-destroy"});
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(Lifecycle, StaleHandleFailsCleanly) {
    HWND w = recorder.create("gone", WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(w);
    SetLastError(0);
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(w, WM_USER, 0, 0));
    EXPECT_FALSE(SetWindowTextA(w, "x"));
    EXPECT_EQ(GetWindowLongPtrA(w, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(DestroyWindow(w));
}

struct Refusal {
    const char* name;
    bool cbt;
    bool nccreate;
    bool create;
    std::vector<UINT> messages;
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class CreationRefused : public Lifecycle, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CreationRefused, ReturnsNullAndLeavesNoWindow) {
    const Refusal& r = GetParam();
    g_refuse_create = r.cbt;
    fail_nccreate = r.nccreate;
    fail_create = r.create;
    HWND w = recorder.create("refused", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(recorder.messages_of("refused"), r.messages);
    EXPECT_EQ(FindWindowA(recorder.class_name(), "refused"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CreationRefused,
    ::testing::Values(Refusal{"cbt", true, false, false, {}},
                      Refusal{"nccreate", false, true, false, {WM_NCCREATE, WM_NCDESTROY}},
                      Refusal{"create",
                              false,
                              false,
                              true,
                              {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Classes, RegistrationLookupAndLongs) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_CLASSDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbClsExtra = 8;
    wc.cbWndExtra = 16;
    wc.lpszClassName = "LongsClass";
    wc.hIconSm = reinterpret_cast<HICON>(0x1234);
    ATOM atom = RegisterClassExA(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "longsclass", &info));
    EXPECT_EQ(info.style, wc.style);
    EXPECT_EQ(info.cbWndExtra, 16);

    HWND w = CreateWindowExA(0, MAKEINTRESOURCE(atom), "t", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    char name[64];
    EXPECT_EQ(GetClassNameA(w, name, sizeof(name)), 10);
    EXPECT_STREQ(name, "LongsClass");
    EXPECT_EQ(GetClassNameA(w, name, 5), 4);
    EXPECT_STREQ(name, "Long");
    EXPECT_EQ(GetClassLongPtrA(w, GCL_WNDPROC), reinterpret_cast<ULONG_PTR>(&DefWindowProcA));
    EXPECT_EQ(GetClassLongPtrA(w, GCL_HICONSM), 0x1234u);
    EXPECT_EQ(GetClassLongPtrA(w, GCL_STYLE), wc.style);

    EXPECT_EQ(SetWindowLongPtrA(w, 8, 0x1122334455667788LL), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, 8), 0x1122334455667788LL);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(w, 9), 0); // past the extra bytes
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    SetWindowLongPtrA(w, GWLP_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 77);
    SetWindowLongPtrA(w, GWLP_ID, 1004);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_ID), 1004);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), 0); // a pointer does not fit in 32 bits
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    EXPECT_FALSE(UnregisterClassA("LongsClass", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("LongsClass", nullptr));
}

TEST(WindowData, PropertiesTextAndStyles) {
    Recorder recorder;
    HWND w = recorder.create("title", WS_POPUP, 0, 0, 10, 10);
    EXPECT_TRUE(SetPropA(w, "OBJECT", reinterpret_cast<HANDLE>(0x42)));
    EXPECT_EQ(GetPropA(w, "object"), reinterpret_cast<HANDLE>(0x42));
    EXPECT_EQ(RemovePropA(w, "OBJECT"), reinterpret_cast<HANDLE>(0x42));
    EXPECT_EQ(GetPropA(w, "OBJECT"), nullptr);

    char text[16];
    EXPECT_EQ(GetWindowTextLengthA(w), 5);
    EXPECT_EQ(GetWindowTextA(w, text, 4), 3);
    EXPECT_STREQ(text, "tit");
    recorder.clear();
    ASSERT_TRUE(SetWindowTextA(w, "renamed"));
    EXPECT_EQ(recorder.messages_of("title"), std::vector<UINT>{WM_SETTEXT});
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "renamed");

    recorder.clear();
    SetWindowLongPtrA(w, GWL_STYLE, WS_POPUP | WS_BORDER);
    EXPECT_EQ(recorder.messages_of("title"),
              (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE)), WS_POPUP | WS_BORDER);
    DestroyWindow(w);
}

TEST(WindowTree, ParentsOwnersSiblingsAndSearch) {
    Recorder recorder;
    HWND owner = recorder.create("owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300);
    HWND popup = recorder.create("popup", WS_POPUP, 0, 0, 50, 50, owner);
    HWND first = recorder.create("first", WS_CHILD, 0, 0, 10, 10, owner, 0, 1);
    HWND second = recorder.create("second", WS_CHILD, 0, 0, 10, 10, owner, 0, 2);
    HWND grand = recorder.create("grand", WS_CHILD, 0, 0, 5, 5, first, 0, 3);

    EXPECT_EQ(GetParent(first), owner);
    EXPECT_EQ(GetParent(popup), owner); // a popup's parent is its owner
    EXPECT_EQ(GetParent(owner), nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetAncestor(grand, GA_ROOT), owner);
    EXPECT_EQ(GetAncestor(grand, GA_PARENT), first);
    EXPECT_EQ(GetAncestor(owner, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindow(owner, GW_CHILD), first); // creation order is tab order
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), first);
    EXPECT_TRUE(IsChild(owner, grand));
    EXPECT_FALSE(IsChild(owner, popup));
    EXPECT_EQ(GetDlgItem(owner, 2), second);
    EXPECT_EQ(GetDlgCtrlID(second), 2);
    EXPECT_EQ(FindWindowA(recorder.class_name(), "owner"), owner);
    EXPECT_EQ(FindWindowA(nullptr, "popup"), popup);

    std::vector<HWND> all;
    EnumChildWindows(
        owner,
        [](HWND h, LPARAM p) {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(all, (std::vector<HWND>{first, grand, second}));

    EXPECT_EQ(SetParent(second, first), owner);
    EXPECT_EQ(GetParent(second), first);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup)); // owned windows go with their owner
}

} // namespace

namespace {

TEST(Geometry, HugeOrNegativeSizesStayInRange) {
    wintest::Recorder recorder;
    HWND w = recorder.create("huge", WS_POPUP, 0x7FFFFFF0, -0x7FFFFFF0, 0x7FFFFFFF, -5);
    ASSERT_TRUE(w);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_GE(r.right, r.left);
    EXPECT_EQ(r.bottom, r.top); // a negative height is none
    EXPECT_TRUE(SetWindowPos(w, nullptr, -0x7FFFFFFF, 0, 0x7FFFFFFF, 0x7FFFFFFF, SWP_NOZORDER));
    GetWindowRect(w, &r);
    EXPECT_GE(r.right, r.left);
    ShowWindow(w, SW_SHOWNA);
    wintest::pump();
    DestroyWindow(w);
}

} // namespace
