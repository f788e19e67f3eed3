// Skinned frame windows: the window's menu taken into a skinned menu bar below the top edge,
// its rows, hot tracking, drop-downs by click, by hover and by Alt with a mnemonic, Left and
// Right between them, a click outside replayed on the frame; MDI children whose maximising puts
// their buttons on the bar; and the maximised caption's double click.
#include "menu_skin_fixture.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_frame_wnd.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"
#include "tools/skinbuilder/default_skin_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

namespace {

namespace lt = lv::testing;
using menutest::Centre;
using menutest::OpenPopups;
using menutest::Recorder;

HWND g_client = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_LBUTTONDOWN)
        Recorder::Instance().seen.push_back(menutest::Seen{message, wParam, lParam});
    return DefFrameProcA(hwnd, g_client, message, wParam, lParam);
}

// Children are sizable tool windows, which the toolkit skins as frames.
LRESULT CALLBACK ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses() {
    static const bool registered = [] {
        WNDCLASSA frame{};
        frame.style = CS_DBLCLKS;
        frame.lpfnWndProc = &FrameProc;
        frame.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
        frame.lpszClassName = "SkinFrameTest";
        WNDCLASSA child = frame;
        child.lpfnWndProc = &ChildProc;
        child.lpszClassName = "SkinFrameTestChild";
        return RegisterClassA(&frame) && RegisterClassA(&child);
    }();
    (void)registered;
}

// File (Open 100, Save 101, Exit 102), Edit (Undo 200), View (grayed; Status 300), Help! 400.
HMENU SampleBar() {
    return menutest::BuildMenu({">", "&File", "&Open|100", "&Save|101", "-", "E&xit|102", "<", ">",
                                "&Edit", "&Undo|200", "<", ">", "&View||1", "&Status|300", "<",
                                "&Help!|400"},
                               false);
}

class SkinnedFrame : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses();
        ASSERT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
        ASSERT_EQ(SkinManager::Instance().SetSkin(menutest::LoadDefaultSkin()), 1);
        GlazeworkSetWindowSkinName("MainFrame");
        Recorder::Instance().Clear();
    }
    void TearDown() override {
        if (IsWindow(frame))
            DestroyWindow(frame);
        g_client = nullptr;
        GlazeworkShutdown();
    }
    void Open(bool mdi = false, int width = 520) {
        bar = SampleBar();
        frame = CreateWindowExA(WS_EX_TOOLWINDOW, "SkinFrameTest", "Gallery",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, width, 360, nullptr, bar,
                                nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        if (mdi) {
            CLIENTCREATESTRUCT create{nullptr, 5000};
            g_client = CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                       frame, nullptr, nullptr, &create);
            RECT client{};
            GetClientRect(frame, &client);
            MoveWindow(g_client, 0, 0, client.right, client.bottom, TRUE);
        }
        skinner = dynamic_cast<SkinFrameWnd*>(SkinManager::Instance().Find(frame));
        ASSERT_NE(skinner, nullptr);
        SetActiveWindow(frame);
        RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        lt::mouse_move(1000, 760);
        menutest::Pump();
        Recorder::Instance().Clear();
    }
    RECT TitleOnScreen(int index) const {
        skinner->MenuBar().RecalcLayout();
        RECT r = skinner->MenuBar().Item(static_cast<std::size_t>(index)).Rect();
        RECT window{};
        GetWindowRect(frame, &window);
        OffsetRect(&r, window.left, window.top);
        return r;
    }
    RECT ButtonOnScreen(int which) const {
        skinner->MenuBar().RecalcLayout();
        RECT r = skinner->MenuBar().ButtonAt(which).rect;
        RECT window{};
        GetWindowRect(frame, &window);
        OffsetRect(&r, window.left, window.top);
        return r;
    }
    void ClickTitle(int index) {
        const POINT p = Centre(TitleOnScreen(index));
        lt::click(p.x, p.y);
        menutest::Pump();
    }
    int ClientTop() const {
        POINT origin{0, 0};
        ClientToScreen(frame, &origin);
        RECT window{};
        GetWindowRect(frame, &window);
        return origin.y - window.top;
    }
    HWND NewChild(const char* title) {
        MDICREATESTRUCTA create{
            "SkinFrameTestChild", title, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 220, 150, 0, 0};
        HWND child = reinterpret_cast<HWND>(
            SendMessageA(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
        menutest::Pump();
        return child;
    }

    lt::VirtualClockScope clock;
    HWND frame = nullptr;
    HMENU bar = nullptr;
    SkinFrameWnd* skinner = nullptr;
};

TEST_F(SkinnedFrame, TheMenuMovesIntoTheSkinnedBarBelowTheTopEdge) {
    Open();
    EXPECT_EQ(GetMenu(frame), nullptr);
    EXPECT_EQ(skinner->GetMenu(), bar);
    EXPECT_EQ(skinner->MenuBar().ItemCount(), 4u);
    const auto* object = dynamic_cast<const FrameSkin*>(skinner->Object());
    ASSERT_NE(object, nullptr);
    const RECT barRect = skinner->MenuBar().GetRect();
    EXPECT_EQ(barRect.top, skinner->PartRects()[1].bottom);
    EXPECT_EQ(ClientTop(), object->GetPartRect(0).bottom - object->GetPartRect(0).top +
                               (barRect.bottom - barRect.top));
    const POINT title = Centre(TitleOnScreen(0));
    EXPECT_EQ(SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(title.x, title.y)), HTMENU);
    // The window gets its menu back before it goes, and takes it down with itself.
    DestroyWindow(frame);
    EXPECT_FALSE(IsMenu(bar));
}

TEST_F(SkinnedFrame, ANarrowFrameWrapsTitlesIntoMoreRowsAndItsClientShrinks) {
    Open();
    HMENU eight = menutest::BuildMenu(
        {"&One|1", "&Two|2", "T&hree|3", "&Four|4", "F&ive|5", "&Six|6", "S&even|7", "&Eight|8"},
        false);
    ASSERT_EQ(skinner->SetMenu(eight), 1);
    SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    menutest::Pump();
    const int oneRow = ClientTop();
    EXPECT_EQ(TitleOnScreen(7).top, TitleOnScreen(0).top);
    RECT window{};
    GetWindowRect(frame, &window);
    MoveWindow(frame, window.left, window.top, 200, 360, TRUE);
    menutest::Pump();
    const RECT first = TitleOnScreen(0);
    int wrapped = -1;
    for (int i = 1; i < 8 && wrapped < 0; ++i)
        if (TitleOnScreen(i).top > first.top)
            wrapped = i;
    ASSERT_GT(wrapped, 0);
    // A new row starts at the bar's left, one row lower.
    EXPECT_EQ(TitleOnScreen(wrapped).top, first.bottom);
    EXPECT_LT(TitleOnScreen(wrapped).left, first.left);
    EXPECT_EQ(ClientTop() - oneRow, TitleOnScreen(7).top - first.top);
}

TEST_F(SkinnedFrame, AClickDropsTheMenuBelowItsTitleAndAClickOnAnItemRunsIt) {
    using namespace default_skin::layout;
    Open();
    const RECT title = TitleOnScreen(0);
    ClickTitle(0);
    auto popups = OpenPopups();
    ASSERT_EQ(popups.size(), 1u);
    RECT dropped{};
    GetWindowRect(popups[0]->GetHwnd(), &dropped);
    EXPECT_EQ(dropped.left, title.left);
    EXPECT_EQ(dropped.top, title.bottom);
    EXPECT_EQ(popups[0]->Menu(), GetSubMenu(bar, 0));
    EXPECT_EQ(lt::screen_pixel(title.left + 2, title.top + 2), kAccent);
    const POINT item = Centre(menutest::ItemOnScreen(*popups[0], 1));
    lt::click(item.x, item.y);
    menutest::Pump();
    EXPECT_EQ(Recorder::Instance().Commands(), std::vector<UINT>{101});
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_FALSE(skinner->MenuBar().IsTracking());
}

TEST_F(SkinnedFrame, MovingToAnotherTitleSwitchesTheDropDownAndGrayedTitlesStayShut) {
    Open();
    ClickTitle(0);
    POINT p = Centre(TitleOnScreen(1));
    lt::mouse_move(p.x, p.y);
    menutest::Pump();
    auto popups = OpenPopups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0]->Menu(), GetSubMenu(bar, 1));
    p = Centre(TitleOnScreen(2));
    lt::mouse_move(p.x, p.y);
    menutest::Pump();
    popups = OpenPopups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0]->Menu(), GetSubMenu(bar, 1));
    lt::key_press(VK_ESCAPE);
    menutest::Pump();
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_TRUE(Recorder::Instance().Commands().empty());
}

TEST_F(SkinnedFrame, ASecondClickOnTheOpenTitleClosesItAndACommandTitleRunsOnItsClick) {
    Open();
    ClickTitle(0);
    ClickTitle(0);
    EXPECT_TRUE(OpenPopups().empty());
    EXPECT_EQ(skinner->MenuBar().HotItem(), &skinner->MenuBar().Item(0));
    ClickTitle(3);
    EXPECT_EQ(Recorder::Instance().Commands(), std::vector<UINT>{400});
}

TEST_F(SkinnedFrame, AClickOutsideTheDropDownIsReplayedOnTheFrame) {
    Open();
    ClickTitle(0);
    RECT client{};
    GetClientRect(frame, &client);
    POINT p{client.right - 20, client.bottom - 20};
    ClientToScreen(frame, &p);
    lt::click(p.x, p.y);
    menutest::Pump();
    EXPECT_TRUE(OpenPopups().empty());
    const auto presses = Recorder::Instance().Of(WM_LBUTTONDOWN);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].lParam, MAKELPARAM(client.right - 20, client.bottom - 20));
}

struct BarWalk {
    const char* name;
    int mnemonic;
    std::vector<int> keys;
    std::vector<UINT> commands;
};

void PrintTo(const BarWalk& walk, std::ostream* os) {
    *os << walk.name;
}

class BarKeys : public SkinnedFrame, public ::testing::WithParamInterface<BarWalk> {};

TEST_P(BarKeys, ReachTheirCommand) {
    Open();
    lt::key_down(VK_MENU);
    lt::key_press(GetParam().mnemonic);
    lt::key_up(VK_MENU);
    menutest::Pump();
    for (int key : GetParam().keys) {
        if (key == VK_MENU) {
            lt::key_down(VK_MENU);
            lt::key_up(VK_MENU);
        } else {
            lt::key_press(key);
        }
        menutest::Pump();
    }
    EXPECT_EQ(Recorder::Instance().Commands(), GetParam().commands);
    for (int i = 0; i < 3 && !OpenPopups().empty(); ++i) {
        lt::key_press(VK_ESCAPE);
        menutest::Pump();
    }
    EXPECT_TRUE(OpenPopups().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Walks, BarKeys,
    ::testing::Values(
        BarWalk{"alt_with_a_mnemonic_opens_its_title", 'F', {VK_DOWN, VK_RETURN}, {100}},
        BarWalk{"right_moves_to_the_next_title", 'F', {VK_RIGHT, VK_DOWN, VK_RETURN}, {200}},
        BarWalk{"left_on_the_first_title_wraps_to_the_last", 'F', {VK_LEFT}, {400}},
        BarWalk{"escape_closes_the_drop_down", 'F', {VK_ESCAPE, VK_RETURN}, {}},
        BarWalk{"alt_closes_an_open_drop_down", 'F', {VK_MENU, VK_DOWN, VK_RETURN}, {}},
        BarWalk{"a_grayed_title_does_not_open", 'V', {VK_DOWN, VK_RETURN}, {}},
        BarWalk{"alt_with_a_command_title_runs_it", 'H', {}, {400}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// Alt alone or F10 highlights the first title; keys then walk the bar. kAlt is Alt pressed
// and released alone.
constexpr int kAlt = -1;

struct KeyboardWalk {
    const char* name;
    std::vector<int> keys;
    int hot; // the highlighted title afterwards, -1 none
    std::vector<UINT> commands;
};

void PrintTo(const KeyboardWalk& walk, std::ostream* os) {
    *os << walk.name;
}

class BarKeyboardMode : public SkinnedFrame, public ::testing::WithParamInterface<KeyboardWalk> {};

TEST_P(BarKeyboardMode, HighlightsWalksAndOpens) {
    Open();
    auto cornerOf = [&](std::size_t i) {
        skinner->MenuBar().RecalcLayout();
        const RECT title = skinner->MenuBar().Item(i).Rect();
        return lt::window_pixel(frame, title.left + 2, title.top + 2);
    };
    std::vector<COLORREF> unlit;
    for (std::size_t i = 0; i < skinner->MenuBar().ItemCount(); ++i)
        unlit.push_back(cornerOf(i));
    for (int key : GetParam().keys) {
        if (key == kAlt) {
            lt::key_down(VK_MENU);
            lt::key_up(VK_MENU);
        } else {
            lt::key_press(key);
        }
        menutest::Pump();
    }
    SkinMenuBarItem* hot = skinner->MenuBar().HotItem();
    int hotIndex = -1;
    for (std::size_t i = 0; i < skinner->MenuBar().ItemCount(); ++i)
        if (&skinner->MenuBar().Item(i) == hot)
            hotIndex = static_cast<int>(i);
    EXPECT_EQ(hotIndex, GetParam().hot);
    EXPECT_EQ(Recorder::Instance().Commands(), GetParam().commands);
    // The highlighted title is drawn hot, from the skin.
    if (hotIndex >= 0) {
        EXPECT_NE(cornerOf(static_cast<std::size_t>(hotIndex)),
                  unlit[static_cast<std::size_t>(hotIndex)]);
    }
    for (int i = 0; i < 3 && !OpenPopups().empty(); ++i) {
        lt::key_press(VK_ESCAPE);
        menutest::Pump();
    }
    skinner->MenuBar().LeaveKeyboardMode();
}

INSTANTIATE_TEST_SUITE_P(
    Walks, BarKeyboardMode,
    ::testing::Values(
        KeyboardWalk{"f10_highlights_the_first_title", {VK_F10}, 0, {}},
        KeyboardWalk{"alt_alone_highlights_the_first_title", {kAlt}, 0, {}},
        KeyboardWalk{
            "down_opens_the_highlighted_title", {VK_F10, VK_DOWN, VK_DOWN, VK_RETURN}, -1, {100}},
        KeyboardWalk{"right_moves_and_enter_opens",
                     {kAlt, VK_RIGHT, VK_RETURN, VK_DOWN, VK_RETURN},
                     -1,
                     {200}},
        KeyboardWalk{"right_skips_a_grayed_title", {VK_F10, VK_RIGHT, VK_RIGHT}, 3, {}},
        KeyboardWalk{"left_wraps_to_the_last_title", {kAlt, VK_LEFT}, 3, {}},
        KeyboardWalk{"enter_on_a_command_title_runs_it", {kAlt, VK_LEFT, VK_RETURN}, -1, {400}},
        KeyboardWalk{"a_mnemonic_opens_its_title", {VK_F10, 'E', VK_DOWN, VK_RETURN}, -1, {200}},
        KeyboardWalk{"escape_leaves", {VK_F10, VK_ESCAPE, VK_RETURN}, -1, {}},
        KeyboardWalk{"alt_again_leaves", {kAlt, kAlt}, -1, {}},
        KeyboardWalk{"f10_again_leaves", {VK_F10, VK_F10}, -1, {}},
        KeyboardWalk{"another_key_leaves_and_goes_on", {VK_F10, VK_TAB, VK_RIGHT}, -1, {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SkinnedFrame, AltHeldForAnotherKeyDoesNotHighlightTheBar) {
    Open();
    lt::key_down(VK_MENU);
    lt::key_press(VK_F2);
    lt::key_up(VK_MENU);
    menutest::Pump();
    EXPECT_FALSE(skinner->MenuBar().InKeyboardMode());
    EXPECT_EQ(skinner->MenuBar().HotItem(), nullptr);
}

TEST_F(SkinnedFrame, AMaximisedMdiChildPutsItsButtonsOnTheBarAndRestoreTakesThemAway) {
    Open(true);
    ASSERT_NE(g_client, nullptr);
    EXPECT_NE(dynamic_cast<SkinMdiClientWnd*>(SkinManager::Instance().Find(g_client)), nullptr);
    HWND first = NewChild("First");
    HWND second = NewChild("Second");
    ASSERT_NE(dynamic_cast<SkinFrameWnd*>(SkinManager::Instance().Find(second)), nullptr);
    EXPECT_FALSE(skinner->MenuBar().HasMdiButtons());
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    menutest::Pump();
    ASSERT_TRUE(IsZoomed(second));
    EXPECT_TRUE(skinner->MenuBar().HasMdiButtons());
    // The maximised child's frame lies outside the client's area.
    RECT childRect{}, clientRect{};
    GetWindowRect(second, &childRect);
    GetWindowRect(g_client, &clientRect);
    EXPECT_LT(childRect.left, clientRect.left);
    EXPECT_LT(childRect.top, clientRect.top);
    const RECT restore = ButtonOnScreen(SkinMenuBar::RestoreButton);
    EXPECT_FALSE(IsRectEmpty(&restore));
    EXPECT_TRUE(lt::save_screen_png(lvtest::ScreenshotPath("skinned_frame_mdi_maximised.png")));
    const POINT p = Centre(restore);
    lt::click(p.x, p.y);
    menutest::Pump();
    EXPECT_FALSE(IsZoomed(second));
    EXPECT_FALSE(skinner->MenuBar().HasMdiButtons());
    // A new child while one is maximised restores that one first.
    SendMessageA(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(first), 0);
    menutest::Pump();
    EXPECT_TRUE(IsZoomed(first));
    NewChild("Third");
    EXPECT_FALSE(IsZoomed(first));
    // The close button closes the maximised child.
    SendMessageA(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    SendMessageA(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(second), 0);
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    menutest::Pump();
    const POINT close = Centre(ButtonOnScreen(SkinMenuBar::CloseButton));
    lt::click(close.x, close.y);
    menutest::Pump();
    EXPECT_FALSE(IsWindow(second));
}

TEST_F(SkinnedFrame, TwoQuickReleasesOnAMaximisedCaptionRestoreItSlowOnesDoNot) {
    Open();
    ShowWindow(frame, SW_MAXIMIZE);
    menutest::Pump();
    ASSERT_TRUE(IsZoomed(frame));
    RECT window{};
    GetWindowRect(frame, &window);
    const RECT caption = skinner->PartRects()[1];
    const POINT at{window.left + (caption.left + caption.right) / 2,
                   window.top + (caption.top + caption.bottom) / 2};
    const LPARAM screen = MAKELPARAM(at.x, at.y);
    SendMessageA(frame, WM_NCLBUTTONUP, HTCAPTION, screen);
    lt::advance(GetDoubleClickTime() + 200);
    SendMessageA(frame, WM_NCLBUTTONUP, HTCAPTION, screen);
    menutest::Pump();
    EXPECT_TRUE(IsZoomed(frame));
    lt::advance(100);
    SendMessageA(frame, WM_NCLBUTTONUP, HTCAPTION, screen);
    menutest::Pump();
    EXPECT_FALSE(IsZoomed(frame));
}

// A system-menu button on the frame opens the skinned system menu on a left and on a right
// press, from the frame's queue once the press has been handled.
TEST_F(SkinnedFrame, ASystemMenuButtonOpensTheMenuOnceItsPressIsHandled) {
    auto skin = menutest::LoadDefaultSkin();
    ASSERT_NE(skin, nullptr);
    SkinObject* mainFrame = skin->FindElement("MainFrame");
    ASSERT_NE(mainFrame, nullptr);
    auto sysMenu = std::make_unique<CaptionButtonSkin>();
    sysMenu->SetName("SysMenu");
    sysMenu->rect = {40, 4, 56, 20};
    sysMenu->buttonKind = CaptionButtonSkin::SystemMenu;
    mainFrame->AddChild(std::move(sysMenu));
    ASSERT_EQ(SkinManager::Instance().SetSkin(std::move(skin)), 1);
    Open();
    RECT button{};
    for (const auto& element : skinner->Elements())
        if (element->Object() && element->Object()->GetName() == "SysMenu")
            button = element->Rect();
    ASSERT_FALSE(IsRectEmpty(&button));
    RECT window{};
    GetWindowRect(frame, &window);
    const LPARAM screen = MAKELPARAM(window.left + (button.left + button.right) / 2,
                                     window.top + (button.top + button.bottom) / 2);

    for (const UINT press : {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN}) {
        SCOPED_TRACE(press == WM_NCLBUTTONDOWN ? "left" : "right");
        bool pressing = false;
        bool openedWhilePressing = false;
        std::vector<UINT> commands;
        Recorder::Instance().script.push_back([&] {
            const auto popups = OpenPopups();
            if (popups.empty())
                return;
            openedWhilePressing = pressing;
            const MenuItemList* items = popups[0]->Items();
            for (std::size_t i = 0; i < items->Count(); ++i)
                commands.push_back((*items)[i].commandId);
            lt::key_press(VK_ESCAPE);
        });
        menutest::RunScriptOn(frame);
        pressing = true;
        SendMessageA(frame, press, HTSYSMENU, screen);
        pressing = false;
        EXPECT_TRUE(OpenPopups().empty());
        menutest::Pump();
        menutest::StopScript(frame);
        EXPECT_FALSE(openedWhilePressing);
        EXPECT_NE(std::find(commands.begin(), commands.end(), SC_CLOSE), commands.end())
            << "the system menu opened";
    }
    EXPECT_TRUE(IsWindow(frame));
}

} // namespace
