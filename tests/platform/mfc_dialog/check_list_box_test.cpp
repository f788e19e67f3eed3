// The check list box driven by injected clicks and keys: what a click in the box, on the text
// and the space bar do for each check style, the notification, and what an item shows.
#include "mfc/mfc.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

namespace input = lv::testing;

constexpr int kListId = 1020;
constexpr int kBoxSize = 13;

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct Command {
    int id;
    int code;
    bool operator==(const Command&) const = default;
};

// A parent that records the commands its controls send.
class Host : public CWnd {
public:
    std::vector<Command> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

POINT to_screen(const CWnd& list, int x, int y) {
    POINT p{x, y};
    list.ClientToScreen(&p);
    return p;
}

COLORREF client_pixel(const CWnd& list, int x, int y) {
    const POINT p = to_screen(list, x, y);
    RECT window{};
    list.GetWindowRect(&window);
    return input::window_pixel(list.GetSafeHwnd(), p.x - window.left, p.y - window.top);
}

RECT item_rect(const CCheckListBox& list, int index) {
    RECT r{};
    EXPECT_NE(list.GetItemRect(index, &r), LB_ERR);
    return r;
}

// Where the list drew an item's check box: found by its shadowed top and left edges.
RECT find_box(const CCheckListBox& list, const RECT& item) {
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const int middle = (item.top + item.bottom) / 2;
    RECT box{-1, -1, -1, -1};
    for (int x = item.left; x < item.right && box.left < 0; ++x)
        if (client_pixel(list, x, middle) == shadow)
            box.left = x;
    for (int y = item.top; y < item.bottom && box.top < 0; ++y)
        if (client_pixel(list, box.left + kBoxSize / 2, y) == shadow)
            box.top = y;
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    return box;
}

int count_pixels(const CCheckListBox& list, const RECT& area, COLORREF colour) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += client_pixel(list, x, y) == colour;
    return n;
}

RECT inside(const RECT& box) {
    return RECT{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
}

class CheckListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr));
        input::mouse_move(290, 190);
        pump();
    }
    void TearDown() override { host.DestroyWindow(); }

    // Without LBS_NOTIFY the list's own notifications stay away: what the parent hears is the
    // check list's.
    void make(DWORD extraStyle = 0) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                            LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | extraStyle;
        ASSERT_TRUE(list.Create(style, CRect(10, 10, 210, 130), &host, kListId));
        for (const char* name : {"Blinds Vertical", "Wipe Right", "Dissolve", "Fade In/Out"})
            list.AddString(name);
        host.UpdateWindow();
        pump();
    }

    void click_box(int index) {
        const RECT r = item_rect(list, index);
        const POINT p = to_screen(list, r.left + 1 + kBoxSize / 2, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    }
    void click_text(int index) {
        const RECT r = item_rect(list, index);
        const POINT p = to_screen(list, r.left + 60, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    }
    int check_changes() const {
        int n = 0;
        for (const Command& c : host.commands)
            n += c == Command{kListId, CLBN_CHKCHANGE};
        return n;
    }
    void repaint() {
        list.Invalidate();
        host.UpdateWindow();
        list.UpdateWindow();
        pump();
    }

    Host host;
    CCheckListBox list;
};

TEST_F(CheckListBoxTest, EachItemShowsItsBoxLeftOfTheTextCheckedOrNot) {
    make();
    list.SetCheck(1, 1);
    list.SetCheck(2, 2);
    list.SetCurSel(3);
    repaint();
    const COLORREF mark = GetSysColor(COLOR_BTNTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const RECT item = item_rect(list, index);
        const RECT box = find_box(list, item);
        ASSERT_GE(box.left, item.left);
        EXPECT_LE(box.left - item.left, 2);
        EXPECT_LE(std::abs((box.top + box.bottom) - (item.top + item.bottom)), 1); // centred
        const int marks = count_pixels(list, inside(box), mark);
        if (index == 1 || index == 2)
            EXPECT_GT(marks, 3);
        else
            EXPECT_EQ(marks, 0);
        // Nothing of the item is drawn left of the box; its text lies right of it.
        EXPECT_EQ(count_pixels(list, RECT{item.left, item.top, box.left, item.bottom}, window),
                  (box.left - item.left) * (item.bottom - item.top));
        const RECT text{box.right + 1, item.top, item.left + 120, item.bottom};
        const COLORREF ink = index == 3 ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 0);
        EXPECT_GT(count_pixels(list, text, ink), 10);
    }
    // The selection highlights the text, not the box.
    const RECT selected = item_rect(list, 3);
    const RECT box = find_box(list, selected);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(client_pixel(list, box.right + 2, selected.top), highlight);
    EXPECT_EQ(client_pixel(list, selected.right - 2, selected.bottom - 1), highlight);
    EXPECT_EQ(count_pixels(list, inside(box), highlight), 0);
}

TEST_F(CheckListBoxTest, ItemHeightFitsTheFontAndTheBox) {
    make();
    LOGFONTA face{};
    face.lfHeight = -27;
    std::strcpy(face.lfFaceName, "Tahoma");
    CFont large;
    ASSERT_TRUE(large.CreateFontIndirect(&face));
    EXPECT_GE(list.GetItemHeight(0), kBoxSize + 2);
    list.SetFont(&large);
    HDC dc = ::GetDC(list.GetSafeHwnd());
    HGDIOBJ old = SelectObject(dc, large.GetSafeHandle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ::ReleaseDC(list.GetSafeHwnd(), dc);
    EXPECT_GE(list.GetItemHeight(0), metrics.tmHeight);
}

TEST_F(CheckListBoxTest, AClickInTheBoxTogglesOnceNotifiesOnceAndSelects) {
    make();
    click_box(1);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(check_changes(), 1);
    EXPECT_EQ(list.GetCurSel(), 1); // then the list's own click
    EXPECT_GT(
        count_pixels(list, inside(find_box(list, item_rect(list, 1))), GetSysColor(COLOR_BTNTEXT)),
        0);
    click_box(1);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(check_changes(), 2);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(2), 0);
}

TEST_F(CheckListBoxTest, AClickOnTheTextSelectsWithoutToggling) {
    make();
    click_text(2);
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(host.commands.empty());
}

TEST_F(CheckListBoxTest, ClicksInTheBoxFollowTheCheckStyle) {
    struct Case {
        UINT style;
        std::vector<int> checks; // after each of three clicks
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, {1, 0, 1}},
        {BS_AUTO3STATE, {1, 2, 0}},
        {BS_CHECKBOX, {0, 0, 0}},
        {BS_3STATE, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        make();
        list.SetCheckStyle(c.style);
        EXPECT_EQ(list.GetCheckStyle(), c.style);
        std::vector<int> seen;
        for (int i = 0; i < 3; ++i) {
            click_box(0);
            seen.push_back(list.GetCheck(0));
        }
        EXPECT_EQ(seen, c.checks);
        const bool automatic = c.style == BS_AUTOCHECKBOX || c.style == BS_AUTO3STATE;
        EXPECT_EQ(check_changes(), automatic ? 3 : 0);
        list.DestroyWindow();
        host.commands.clear();
    }
}

TEST_F(CheckListBoxTest, SpaceBarTogglesTheSelectedItem) {
    make();
    list.SetFocus();
    input::key_press(VK_SPACE);
    pump();
    EXPECT_EQ(check_changes(), 0); // nothing selected yet
    list.SetCurSel(2);
    input::key_press(VK_SPACE);
    pump();
    EXPECT_EQ(list.GetCheck(2), 1);
    EXPECT_EQ(check_changes(), 1);
    input::key_press(VK_SPACE);
    pump();
    EXPECT_EQ(list.GetCheck(2), 0);
    EXPECT_EQ(check_changes(), 2);
}

TEST_F(CheckListBoxTest, ChecksOutsideTheListOrRangeAreRefused) {
    make();
    EXPECT_EQ(list.GetCheck(-1), -1);
    EXPECT_EQ(list.GetCheck(4), -1);
    list.SetCheck(0, 3);
    list.SetCheck(7, 1);
    EXPECT_EQ(list.GetCheck(0), 0);
    list.SetCheck(0, 2);
    EXPECT_EQ(list.GetCheck(0), 2);
    list.SetCheckStyle(BS_PUSHBUTTON);
    EXPECT_EQ(list.GetCheckStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));

    BOOL inCheck = TRUE;
    const RECT last = item_rect(list, 3);
    EXPECT_EQ(list.CheckFromPoint(CPoint(40, last.bottom + 5), inCheck), -1);
    EXPECT_FALSE(inCheck);
    EXPECT_EQ(list.CheckFromPoint(CPoint(3, (last.top + last.bottom) / 2), inCheck), 3);
    EXPECT_TRUE(inCheck);
    EXPECT_EQ(list.CheckFromPoint(CPoint(60, last.top), inCheck), 3);
    EXPECT_FALSE(inCheck);
}

// The transition list: made by a dialog template with LBS_NOSEL, taken over by data exchange.
class EffectsDlg : public CDialog {
public:
    EffectsDlg() : CDialog(202u) {}
    CCheckListBox list;
    std::vector<Command> commands;

    int count(WORD code) const {
        int n = 0;
        for (const Command& c : commands)
            n += c == Command{kListId, code};
        return n;
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kListId, list);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (const char* name : {"Blinds Vertical", "Blinds Horizontal", "Wipe Right"})
            list.AddString(name);
        list.SetCheck(2, 1);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CDialog::OnCommand(wParam, lParam);
    }
};

TEST(CheckListBoxInDialog, ListWithoutSelectionTogglesOnlyInTheBox) {
    EffectsDlg dialog;
    ASSERT_TRUE(dialog.Create(202u));
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    pump();
    CCheckListBox& list = dialog.list;
    EXPECT_GE(list.GetItemHeight(0), kBoxSize + 2);

    auto click = [&](int index, int x) {
        const RECT r = item_rect(list, index);
        const POINT p = to_screen(list, x, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    };
    click(0, 1 + kBoxSize / 2);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(dialog.count(CLBN_CHKCHANGE), 1);
    EXPECT_EQ(dialog.count(LBN_SELCHANGE), 0); // a list without selection never changes it
    click(2, 1 + kBoxSize / 2);
    EXPECT_EQ(list.GetCheck(2), 0);
    click(1, 80);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    input::key_press(VK_SPACE);
    pump();
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(dialog.count(CLBN_CHKCHANGE), 2);
    EXPECT_EQ(dialog.count(LBN_SELCHANGE), 0);
    dialog.DestroyWindow();
}

} // namespace
