// The entry points and the two thread hooks: start-up and shut-down on one and two threads,
// dialogs seen at their creation, skins loaded from resources, and menu keys.
#include "skin/core/glazework.h"
#include "skin/core/glazework_state.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_messages.h"
#include "testing/window_input.h"
#include "tests/support/frame_test_skin.h"
#include "win32/scroll_dispatch.h"

#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using glazework::State;

void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

HWND FramedDialog() {
    return CreateDialogParamA(nullptr, "FRAMED", nullptr, QuietDialogProc, 0);
}

class Toolkit : public ::testing::Test {
protected:
    void TearDown() override {
        for (HWND w : windows)
            if (IsWindow(w))
                DestroyWindow(w);
        while (!State().callWndProcHooks.empty())
            GlazeworkShutdown();
        SkinManager::Instance().RemoveAll();
    }
    HWND Keep(HWND hwnd) { return windows.emplace_back(hwnd); }

    std::vector<HWND> windows;
};

TEST_F(Toolkit, StartingTwiceHooksOnceAndOneShutDownEndsIt) {
    EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    EXPECT_EQ(State().callWndProcHooks.size(), 1u);
    EXPECT_EQ(State().keyboardHooks.size(), 1u);
    ASSERT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "GLAZE_WORK"), 1);
    GlazeworkSetDialogSkinName("Dialog");
    HWND dialog = Keep(FramedDialog());
    EXPECT_NE(SkinManager::Instance().Find(dialog), nullptr);

    GlazeworkShutdown();
    EXPECT_TRUE(State().callWndProcHooks.empty());
    EXPECT_TRUE(State().keyboardHooks.empty());
    EXPECT_EQ(SkinManager::Instance().RegisteredCount(), 0u);
    EXPECT_EQ(glazework::DialogSkinName(), "");
    EXPECT_TRUE(SkinManager::Instance().GetSkin()->Objects().empty());
    EXPECT_EQ(GetPropA(dialog, SkinWnd::kObjectProperty), nullptr);
    // No hook sees new dialogs any more.
    GlazeworkSetDialogSkinName("Dialog");
    EXPECT_EQ(SkinManager::Instance().Find(Keep(FramedDialog())), nullptr);
}

TEST_F(Toolkit, ShuttingDownWithoutStartingOrTwiceDoesNothing) {
    ASSERT_EQ(SkinManager::Instance().SetSkin(lvtest::LoadFrameTestSkin()), 1);
    HWND dialog = Keep(FramedDialog());
    ASSERT_EQ(SkinManager::Instance().SkinDialog(dialog, "Dialog"), 1);
    GlazeworkShutdown();
    EXPECT_NE(SkinManager::Instance().Find(dialog), nullptr);

    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    GlazeworkShutdown();
    EXPECT_EQ(SkinManager::Instance().Find(dialog), nullptr);
    GlazeworkShutdown();
    EXPECT_TRUE(State().callWndProcHooks.empty());
}

TEST_F(Toolkit, AnotherThreadsShutDownLeavesThisThreadsSkinners) {
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    ASSERT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "GLAZE_WORK"), 1);
    GlazeworkSetDialogSkinName("Dialog");
    HWND mine = Keep(FramedDialog());
    bool otherSkinned = false;
    std::size_t hooksWhileBothRan = 0;
    std::atomic<bool> done{false};
    std::thread other([&] {
        EXPECT_EQ(GlazeworkStartup(nullptr, "Other", 0, 0), 1);
        hooksWhileBothRan = State().callWndProcHooks.size();
        HWND theirs = FramedDialog();
        otherSkinned = SkinManager::Instance().Find(theirs) != nullptr;
        GlazeworkShutdown();
        DestroyWindow(theirs);
        done = true;
    });
    // The other thread's dialog takes the activation from this thread's: this thread answers.
    while (!done) {
        Pump();
        Sleep(1);
    }
    other.join();
    EXPECT_EQ(hooksWhileBothRan, 2u);
    EXPECT_TRUE(otherSkinned);
    EXPECT_EQ(State().callWndProcHooks.size(), 1u);
    EXPECT_NE(SkinManager::Instance().Find(mine), nullptr);
    EXPECT_FALSE(SkinManager::Instance().GetSkin()->Objects().empty());
    EXPECT_NE(SkinManager::Instance().Find(Keep(FramedDialog())), nullptr);
}

// How many of the eight scroll functions' entries are not the layer's own.
int intercepted() {
    int ours = 0;
    for (UINT api = 0; api < SCROLLAPI_COUNT; ++api)
        ours += GetScrollApiEntry(api) != GetDefaultScrollApiEntry(api);
    return ours;
}

// The eight entries of the scroll functions are the toolkit's exactly while a thread is started.
TEST_F(Toolkit, TheScrollInterceptionLivesWhileAThreadIsStarted) {
    ASSERT_EQ(intercepted(), 0);
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    EXPECT_EQ(intercepted(), static_cast<int>(SCROLLAPI_COUNT));
    std::thread other([] {
        EXPECT_EQ(GlazeworkStartup(nullptr, "Other", 0, 0), 1);
        GlazeworkShutdown();
    });
    other.join();
    EXPECT_EQ(intercepted(), static_cast<int>(SCROLLAPI_COUNT)) << "this thread is still started";
    GlazeworkShutdown();
    EXPECT_EQ(intercepted(), 0);
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    EXPECT_EQ(intercepted(), static_cast<int>(SCROLLAPI_COUNT));
    GlazeworkShutdown();
    EXPECT_EQ(intercepted(), 0);
}

TEST_F(Toolkit, TheDialogSkinNameDecidesWhichDialogsAreFramed) {
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    ASSERT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "GLAZE_WORK"), 1);
    EXPECT_EQ(GlazeworkClearDialogSkinName(), 1);
    EXPECT_EQ(SkinManager::Instance().Find(Keep(FramedDialog())), nullptr);
    EXPECT_EQ(GlazeworkSetDialogSkinName("Nothing of that name"), 1);
    EXPECT_EQ(SkinManager::Instance().Find(Keep(FramedDialog())), nullptr);
    GlazeworkSetDialogSkinName("Dialog");
    SkinWnd* skinner = SkinManager::Instance().Find(Keep(FramedDialog()));
    EXPECT_NE(dynamic_cast<SkinDialogWnd*>(skinner), nullptr);

    const std::string sixty(60, 'n');
    EXPECT_EQ(GlazeworkSetDialogSkinName(sixty.c_str()), 1);
    EXPECT_EQ(glazework::DialogSkinName(), sixty.substr(0, 49));
    EXPECT_EQ(GlazeworkSetDialogSkinName(nullptr), 1);
    EXPECT_EQ(glazework::DialogSkinName(), "");
}

TEST_F(Toolkit, AFailedLoadKeepsTheCurrentSkin) {
    ASSERT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "GLAZE_WORK"), 1);
    SkinData* current = SkinManager::Instance().GetSkin();
    EXPECT_EQ(GlazeworkLoadSkinResource(nullptr, "BROKEN_SKIN", "GLAZE_WORK"), 0);
    EXPECT_EQ(GlazeworkLoadSkinResource(nullptr, "MISSING", "GLAZE_WORK"), 0);
    EXPECT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "NO_SUCH_TYPE"), 0);
    EXPECT_EQ(SkinManager::Instance().GetSkin(), current);
    EXPECT_NE(current->FindElement("Dialog"), nullptr);
}

// The XP probe finds the system's button procedure; other systems leave it unset.
TEST_F(Toolkit, OnXpTheProbeTakesTheButtonProcedure) {
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    HWND parent = Keep(CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr));
    HWND button =
        CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(glazework::SystemButtonProc()),
              GetClassLongPtrA(button, GCLP_WNDPROC));
    EXPECT_EQ(glazework::OsClass(), 7);
    // A second start-up after a shut-down finds the probe class there already.
    GlazeworkShutdown();
    EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
}

// Refuses the creation of the XP probe's window, so that the first start-up fails.
LRESULT CALLBACK RefuseProbeWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        const char* name = create->lpcs->lpszClass;
        if (reinterpret_cast<UINT_PTR>(name) > 0xFFFF &&
            lstrcmpiA(name, "Glazework_XP_Compatible") == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A start-up that fails leaves nothing of the process set-up behind: no thread is started, so
// neither the scroll interception nor the popup-menu class is there.
TEST_F(Toolkit, AFailedStartUpLeavesNoInterceptionBehind) {
    ASSERT_EQ(intercepted(), 0);
    HHOOK refuse = SetWindowsHookExA(WH_CBT, &RefuseProbeWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(refuse, nullptr);
    EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 0);
    UnhookWindowsHookEx(refuse);
    EXPECT_TRUE(State().callWndProcHooks.empty());
    EXPECT_EQ(intercepted(), 0);
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetClassInfoExA(nullptr, kGlazeworkPopupMenuClass, &info));

    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    EXPECT_EQ(intercepted(), static_cast<int>(SCROLLAPI_COUNT));
    EXPECT_TRUE(GetClassInfoExA(nullptr, kGlazeworkPopupMenuClass, &info));
    GlazeworkShutdown();
    EXPECT_EQ(intercepted(), 0);
}

// An MFC dialog is attached by the class library's creation hook and then skinned by the
// toolkit's: its message map and its skin both work.
class MapDialog : public CDialog {
public:
    MapDialog() : CDialog("FRAMED") {}
    BOOL OnInitDialog() override {
        initialised = true;
        return CDialog::OnInitDialog();
    }
    afx_msg LRESULT OnProbe(WPARAM, LPARAM) { return 77; }
    bool initialised = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MapDialog, CDialog)
ON_MESSAGE(WM_APP + 5, OnProbe)
END_MESSAGE_MAP()

TEST_F(Toolkit, ClassLibraryDialogsAreSeenThroughBothHooks) {
    CWinApp app("Hooks");
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    ASSERT_EQ(GlazeworkLoadSkinResource(nullptr, "FRAME_SKIN", "GLAZE_WORK"), 1);
    GlazeworkSetDialogSkinName("Dialog");
    MapDialog dialog;
    ASSERT_TRUE(dialog.Create("FRAMED", nullptr));
    HWND hwnd = dialog.GetSafeHwnd();
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SkinWnd::SkinWndProc));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP + 5, 0, 0), 77);
    EXPECT_NE(SkinManager::Instance().Find(hwnd), nullptr);
    dialog.DestroyWindow();
    EXPECT_EQ(SkinManager::Instance().Find(hwnd), nullptr);
}

// A skinned window that records the menu keys it is offered and takes them or not.
class KeySkinner : public SkinWnd {
public:
    LRESULT OnMenuKey(WPARAM key, LPARAM) override {
        offered.push_back(static_cast<int>(key));
        return take ? 1 : 0;
    }
    std::vector<int> offered;
    bool take = false;
};

std::vector<std::pair<UINT, int>> g_keys;

LRESULT CALLBACK KeyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_KEYDOWN && message <= WM_SYSKEYUP && message != WM_CHAR &&
        message != WM_SYSCHAR)
        g_keys.emplace_back(message, static_cast<int>(wParam));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(Toolkit, MenuKeysAreOfferedToTheActiveSkinnedWindow) {
    ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
    WNDCLASSA wc{};
    wc.lpfnWndProc = KeyWindowProc;
    wc.lpszClassName = "KeyProbe";
    RegisterClassA(&wc);
    HWND window = Keep(CreateWindowExA(0, "KeyProbe", "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr));
    SetActiveWindow(window);
    SetFocus(window);
    auto* skinner = static_cast<KeySkinner*>(
        SkinManager::Instance().Register(std::make_unique<KeySkinner>(), window));
    skinner->Attach(window);
    using namespace lv::testing;
    const int kReleasedAlt = -1;
    struct Case {
        const char* name;
        bool take;
        std::vector<int> offered;
        std::vector<std::pair<UINT, int>> delivered;
    };
    auto run = [&](const Case& c, auto keys) {
        SCOPED_TRACE(c.name);
        skinner->take = c.take;
        skinner->offered.clear();
        g_keys.clear();
        keys();
        Pump();
        EXPECT_EQ(skinner->offered, c.offered);
        EXPECT_EQ(g_keys, c.delivered);
    };
    run({"F10 down and up, taken", true, {VK_F10, VK_F10}, {}}, [] { key_press(VK_F10); });
    run({"F10 left alone",
         false,
         {VK_F10, VK_F10},
         {{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}}},
        [] { key_press(VK_F10); });
    run({"Alt+X taken: X and the Alt release",
         true,
         {'X', kReleasedAlt},
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, 'X'}}},
        [] {
            key_down(VK_MENU);
            key_press('X');
            key_up(VK_MENU);
        });
    run({"Alt alone left alone reaches the window",
         false,
         {kReleasedAlt},
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}},
        [] {
            key_down(VK_MENU);
            key_up(VK_MENU);
        });
    // A menu bar that Alt alone or F10 highlighted takes plain keys: they are offered going
    // down, and reach the window when nobody takes them.
    run({"plain keys left alone reach the window",
         false,
         {'X'},
         {{WM_KEYDOWN, 'X'}, {WM_KEYUP, 'X'}}},
        [] { key_press('X'); });
    run({"a plain key taken", true, {'X'}, {{WM_KEYUP, 'X'}}}, [] { key_press('X'); });
}

} // namespace
