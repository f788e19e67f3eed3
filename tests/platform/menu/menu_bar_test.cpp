// A window's menu bar: the non-client row it takes, rows for a narrow window, what it shows, and
// the ways in: a click on a title, Alt or F10 alone, Alt with a mnemonic, Alt+Space for the
// system menu, and the walk between the drop-downs.
#include "menu_test_support.h"

#include "menu/popup_window.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lt = lv::testing;
using menutest::centre;
using menutest::item_on_screen;
using menutest::open_popups;
using menutest::title_on_screen;

namespace {

// File (Open 100, Save 101, Exit 102), Edit (Undo 200), View (grayed; Status 300), Help! 400.
HMENU sample_bar() {
    return menutest::build_menu({">", "&File", "&Open|100", "&Save|101", "-", "E&xit|102", "<", ">",
                                 "&Edit", "&Undo|200", "<", ">", "&View|0|1", "&Status|300", "<",
                                 "&Help!|400"},
                                false);
}

HMENU menu_of_popup(HWND popup) {
    auto* view = reinterpret_cast<lv::menu::PopupView*>(GetWindowLongPtrA(popup, GWLP_USERDATA));
    return view ? view->menu : nullptr;
}

int client_height(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r.bottom;
}

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        bar = sample_bar();
        ASSERT_TRUE(SetMenu(owner.hwnd(), bar));
        SetFocus(owner.hwnd());
        menutest::pump();
        owner.clear();
    }

    void click_title(int index) {
        POINT p = centre(title_on_screen(owner.hwnd(), index));
        lt::click(p.x, p.y);
        menutest::pump();
    }

    menutest::Owner owner;
    HMENU bar = nullptr;
};

TEST_F(MenuBar, TakesARowOfTheNonClientArea) {
    HWND hwnd = owner.hwnd();
    int with_bar = client_height(hwnd);
    EXPECT_EQ(GetMenu(hwnd), bar);
    ASSERT_TRUE(SetMenu(hwnd, nullptr));
    int without = client_height(hwnd);
    EXPECT_EQ(without - with_bar, GetSystemMetrics(SM_CYMENU));
    ASSERT_TRUE(SetMenu(hwnd, bar));
    EXPECT_EQ(client_height(hwnd), with_bar);

    RECT title = title_on_screen(hwnd, 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(title.left + 2, title.top + 2)),
              HTMENU);
    // The bar lies between the caption and the client area.
    POINT client_origin{0, 0};
    ClientToScreen(hwnd, &client_origin);
    EXPECT_EQ(title.bottom, client_origin.y);

    HWND child =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, hwnd, nullptr, nullptr, nullptr);
    SetLastError(0);
    EXPECT_FALSE(SetMenu(child, bar));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CHILD_WINDOW_MENU));
    EXPECT_EQ(GetMenu(child), nullptr);
    EXPECT_FALSE(SetMenu(hwnd, reinterpret_cast<HMENU>(static_cast<LONG_PTR>(0x4321))));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST_F(MenuBar, ANarrowWindowWrapsTitlesIntoMoreRows) {
    HWND hwnd = owner.hwnd();
    int one_row = client_height(hwnd);
    RECT r{};
    GetWindowRect(hwnd, &r);
    int width = title_on_screen(hwnd, 2).right - r.left + 8; // File, Edit and View fit
    MoveWindow(hwnd, r.left, r.top, width, r.bottom - r.top, TRUE);
    EXPECT_EQ(one_row - client_height(hwnd), GetSystemMetrics(SM_CYMENU));
    RECT first = title_on_screen(hwnd, 0);
    RECT wrapped = title_on_screen(hwnd, 3);
    EXPECT_EQ(wrapped.left, first.left);
    EXPECT_EQ(wrapped.top, first.bottom);
    // DrawMenuBar makes the frame follow a changed menu.
    DeleteMenu(bar, 3, MF_BYPOSITION);
    DrawMenuBar(hwnd);
    EXPECT_EQ(client_height(hwnd), one_row);
}

TEST_F(MenuBar, ShowsItsTitles) {
    menutest::pump();
    RECT file = title_on_screen(owner.hwnd(), 0);
    RECT view = title_on_screen(owner.hwnd(), 2);
    RECT help = title_on_screen(owner.hwnd(), 3);
    const int text = lt::count_screen_pixels(file, GetSysColor(COLOR_MENUTEXT));
    const int embossed = lt::count_screen_pixels(view, GetSysColor(COLOR_3DSHADOW));
    const int background = lt::count_screen_pixels(
        RECT{help.right + 2, help.top + 3, help.right + 40, help.top + 4}, GetSysColor(COLOR_MENU));
    EXPECT_GT(text, 10);
    EXPECT_GT(embossed, 10);
    EXPECT_EQ(background, 38);
}

TEST_F(MenuBar, AClickOnATitleDropsItsMenuBelowItAndAClickOnAnItemRunsIt) {
    RECT title = title_on_screen(owner.hwnd(), 0);
    RECT dropped{};
    HMENU shown = nullptr;
    owner.script.push_back([&] {
        HWND popup = open_popups().at(0);
        GetWindowRect(popup, &dropped);
        shown = menu_of_popup(popup);
        POINT p = centre(item_on_screen(popup, 1));
        lt::click(p.x, p.y);
    });
    click_title(0);
    EXPECT_EQ(shown, GetSubMenu(bar, 0));
    EXPECT_EQ(dropped.left, title.left);
    EXPECT_EQ(dropped.top, title.bottom);
    EXPECT_EQ(owner.commands(), std::vector<UINT>{101});
    auto init = owner.seen(WM_INITMENU);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(bar));
    auto loop = owner.seen(WM_ENTERMENULOOP);
    ASSERT_EQ(loop.size(), 1u);
    EXPECT_EQ(loop[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_TRUE(open_popups().empty());
}

TEST_F(MenuBar, MovingToAnotherTitleSwitchesTheOpenMenu) {
    HMENU first = nullptr, second = nullptr;
    owner.script.push_back([&] {
        first = menu_of_popup(open_popups().at(0));
        POINT p = centre(title_on_screen(owner.hwnd(), 1));
        lt::mouse_move(p.x, p.y);
    });
    owner.script.push_back([&] {
        auto popups = open_popups();
        ASSERT_EQ(popups.size(), 1u);
        second = menu_of_popup(popups[0]);
        // Over the grayed title the open menu closes; nothing opens.
        POINT p = centre(title_on_screen(owner.hwnd(), 2));
        lt::mouse_move(p.x, p.y);
    });
    size_t over_grayed = 9;
    owner.script.push_back([&] {
        over_grayed = open_popups().size();
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    click_title(0);
    EXPECT_EQ(first, GetSubMenu(bar, 0));
    EXPECT_EQ(second, GetSubMenu(bar, 1));
    EXPECT_EQ(over_grayed, 0u);
    EXPECT_TRUE(owner.commands().empty());
}

TEST_F(MenuBar, ASecondClickOnTheOpenTitleClosesTheMenu) {
    owner.script.push_back([&] {
        POINT p = centre(title_on_screen(owner.hwnd(), 0));
        lt::click(p.x, p.y);
    });
    click_title(0);
    EXPECT_TRUE(open_popups().empty());
    EXPECT_TRUE(owner.commands().empty());
    EXPECT_EQ(owner.seen(WM_EXITMENULOOP).size(), 1u);
}

TEST_F(MenuBar, ACommandTitleRunsOnItsClick) {
    click_title(3);
    EXPECT_EQ(owner.commands(), std::vector<UINT>{400});
}

struct BarWalk {
    const char* name;
    std::vector<std::pair<int, bool>> keys; // key, down
    std::vector<UINT> commands;
};

void PrintTo(const BarWalk& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::pair<int, bool>> press(std::initializer_list<int> keys) {
    std::vector<std::pair<int, bool>> out;
    for (int k : keys) {
        out.emplace_back(k, true);
        out.emplace_back(k, false);
    }
    return out;
}

std::vector<std::pair<int, bool>> operator+(std::vector<std::pair<int, bool>> a,
                                            const std::vector<std::pair<int, bool>>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Alt held while `letter` is pressed.
std::vector<std::pair<int, bool>> alt(int letter) {
    return {{VK_MENU, true}, {letter, true}, {letter, false}, {VK_MENU, false}};
}

class BarKeys : public MenuBar, public ::testing::WithParamInterface<BarWalk> {};

TEST_P(BarKeys, ReachTheCommand) {
    for (auto [key, down] : GetParam().keys)
        down ? lt::key_down(key) : lt::key_up(key);
    menutest::pump();
    EXPECT_EQ(owner.commands(), GetParam().commands);
    EXPECT_TRUE(open_popups().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Walks, BarKeys,
    ::testing::Values(
        BarWalk{"alt_alone_then_down_opens_the_first_title",
                press({VK_MENU, VK_DOWN, VK_RETURN}),
                {100}},
        BarWalk{"f10_then_right_moves_along_the_titles",
                press({VK_F10, VK_RIGHT, VK_RETURN, VK_RETURN}),
                {200}},
        BarWalk{
            "alt_with_a_mnemonic_opens_its_title", alt('F') + press({VK_DOWN, VK_RETURN}), {101}},
        BarWalk{"alt_with_the_mnemonic_of_a_command_title_runs_it", alt('H'), {400}},
        BarWalk{"right_passes_grayed_and_command_titles_and_wraps",
                alt('E') + press({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}),
                {100}},
        BarWalk{"left_from_the_first_title_wraps_to_the_last",
                alt('F') + press({VK_LEFT, VK_RETURN}),
                {400}},
        BarWalk{"escape_closes_the_drop_down_and_keeps_the_bar",
                alt('F') + press({VK_ESCAPE, VK_RIGHT, VK_DOWN, VK_RETURN}),
                {200}},
        BarWalk{
            "escape_twice_leaves_the_bar", alt('F') + press({VK_ESCAPE, VK_ESCAPE, VK_RETURN}), {}},
        BarWalk{"alt_closes_an_open_drop_down", alt('F') + press({VK_MENU, VK_RETURN}), {}},
        BarWalk{"a_letter_without_a_title_does_nothing", alt('Q') + press({VK_RETURN}), {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(MenuBar, AltSpaceOpensTheSystemMenu) {
    HMENU system = GetSystemMenu(owner.hwnd(), FALSE);
    HMENU shown = nullptr;
    owner.script.push_back([&] {
        shown = menu_of_popup(open_popups().at(0));
        lt::key_press('C');
    });
    for (auto [key, down] : alt(VK_SPACE))
        down ? lt::key_down(key) : lt::key_up(key);
    menutest::pump();
    EXPECT_EQ(shown, system);
    // Close posted as WM_SYSCOMMAND, which closed the window.
    EXPECT_FALSE(IsWindow(owner.hwnd()));
}

TEST_F(MenuBar, AClickOnTheWindowIconOpensTheSystemMenuBelowIt) {
    RECT window{};
    GetWindowRect(owner.hwnd(), &window);
    RECT dropped{};
    owner.script.push_back([&] {
        GetWindowRect(open_popups().at(0), &dropped);
        lt::key_press(VK_ESCAPE);
    });
    lt::click(window.left + 10, window.top + 10);
    menutest::pump();
    EXPECT_EQ(dropped.left, window.left + GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(dropped.top,
              window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
    auto init = owner.seen(WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].lParam, MAKELPARAM(0, TRUE));
}

struct BarLanguage {
    const char* name;
    std::vector<std::string> entries;
};

void PrintTo(const BarLanguage& l, std::ostream* os) {
    *os << l.name;
}

class BarScreenshots : public ::testing::TestWithParam<BarLanguage> {};

TEST_P(BarScreenshots, FrameWithAnOpenDropDown) {
    menutest::Owner owner(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 520, 300);
    HMENU bar = menutest::build_menu(GetParam().entries, false);
    SetMenu(owner.hwnd(), bar);
    SetWindowTextA(owner.hwnd(), "Gallery");
    SetFocus(owner.hwnd());
    bool fits = true;
    owner.script.push_back([&] {
        // Every title's text fits its rectangle on the bar.
        auto geometry = title_on_screen(owner.hwnd(), 0);
        fits = geometry.right - geometry.left > 12;
        lt::key_press(VK_DOWN);
        lt::key_press(VK_DOWN);
    });
    owner.script.push_back([&] {
        EXPECT_TRUE(lt::save_screen_png(
            lvtest::ScreenshotPath(std::string("menu_bar_") + GetParam().name + ".png")));
        lt::key_press(VK_ESCAPE);
        lt::key_press(VK_ESCAPE);
    });
    for (auto [key, down] : alt('F'))
        down ? lt::key_down(key) : lt::key_up(key);
    menutest::pump();
    EXPECT_TRUE(fits);
}

INSTANTIATE_TEST_SUITE_P(Languages, BarScreenshots,
                         ::testing::Values(BarLanguage{"en",
                                                       {">",
                                                        "&File",
                                                        "&New\tCtrl+N|100",
                                                        "&Open...\tCtrl+O|101",
                                                        "&Save|102|1",
                                                        "-",
                                                        "E&xit|103",
                                                        "<",
                                                        ">",
                                                        "&Edit",
                                                        "&Undo|200",
                                                        "<",
                                                        ">",
                                                        "&View|0|1",
                                                        "&Status|300",
                                                        "<",
                                                        ">",
                                                        "&Window",
                                                        "&Cascade|400",
                                                        "&Tile|401",
                                                        "<",
                                                        ">",
                                                        "&Help",
                                                        "&About|500",
                                                        "<"}},
                                           BarLanguage{"ja",
                                                       {">",
                                                        "ファイル(&F)",
                                                        "新規作成(&N)\tCtrl+N|100",
                                                        "開く(&O)...\tCtrl+O|101",
                                                        "上書き保存(&S)|102|1",
                                                        "-",
                                                        "終了(&X)|103",
                                                        "<",
                                                        ">",
                                                        "編集(&E)",
                                                        "元に戻す(&U)|200",
                                                        "<",
                                                        ">",
                                                        "表示(&V)|0|1",
                                                        "ステータス バー(&S)|300",
                                                        "<",
                                                        ">",
                                                        "ウィンドウ(&W)",
                                                        "重ねて表示(&C)|400",
                                                        "並べて表示(&T)|401",
                                                        "<",
                                                        ">",
                                                        "ヘルプ(&H)",
                                                        "バージョン情報(&A)|500",
                                                        "<"}},
                                           BarLanguage{"ko",
                                                       {">",
                                                        "파일(&F)",
                                                        "새로 만들기(&N)\tCtrl+N|100",
                                                        "열기(&O)...\tCtrl+O|101",
                                                        "저장(&S)|102|1",
                                                        "-",
                                                        "끝내기(&X)|103",
                                                        "<",
                                                        ">",
                                                        "편집(&E)",
                                                        "실행 취소(&U)|200",
                                                        "<",
                                                        ">",
                                                        "보기(&V)|0|1",
                                                        "상태 표시줄(&S)|300",
                                                        "<",
                                                        ">",
                                                        "창(&W)",
                                                        "계단식 배열(&C)|400",
                                                        "바둑판식 배열(&T)|401",
                                                        "<",
                                                        ">",
                                                        "도움말(&H)",
                                                        "정보(&A)|500",
                                                        "<"}}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

} // namespace
