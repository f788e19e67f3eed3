// The list view: columns and items, selection with its notifications, the mouse and the
// keyboard, the colours it is given, and scrolling.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class ListViewTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        list = create("SysListView32", "",
                      LVS_REPORT | LVS_SORTASCENDING | LVS_SHOWSELALWAYS | WS_VSCROLL | WS_TABSTOP,
                      10, 10, 300, 150, 1070, WS_EX_CLIENTEDGE);
        column(0, "Name", 120);
        column(1, "Size", 80, LVCFMT_RIGHT);
        column(2, "Kind", 80);
        for (const char* name : {"Pear", "Apple", "Fig", "Date", "Cherry"})
            item(name);
        pump();
        clear_events();
    }
    void column(int index, const char* text, int width, int format = LVCFMT_LEFT) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        c.pszText = const_cast<char*>(text);
        c.cx = width;
        c.fmt = format;
        SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&c));
    }
    int item(const char* name) {
        LVITEMA i{};
        i.mask = LVIF_TEXT | LVIF_PARAM;
        i.iItem = 1000;
        i.pszText = const_cast<char*>(name);
        i.lParam = static_cast<LPARAM>(name[0]);
        const int at =
            static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&i)));
        LVITEMA sub{};
        sub.iSubItem = 1;
        const std::string size = std::to_string(std::string(name).size());
        sub.pszText = const_cast<char*>(size.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
        return at;
    }
    std::string text(int index, int sub_item = 0) const {
        char buffer[64] = {};
        LVITEMA i{};
        i.iSubItem = sub_item;
        i.pszText = buffer;
        i.cchTextMax = sizeof buffer;
        SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&i));
        return buffer;
    }
    int selected() const {
        return static_cast<int>(
            SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    RECT bounds(int index, int code = LVIR_BOUNDS) const {
        RECT r{};
        r.left = code;
        SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void click_row(int index, int x = 20) {
        const RECT r = bounds(index);
        const POINT p = screen_point(list, x, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    }

    HWND list = nullptr;
};

TEST_F(ListViewTest, ItemsAreSortedAndKeepTheirSubItems) {
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
    const char* order[] = {"Apple", "Cherry", "Date", "Fig", "Pear"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(text(i), order[i]);
    EXPECT_EQ(text(1, 1), "6");
    EXPECT_EQ(text(1, 2), "");

    LVITEMA get{};
    get.mask = LVIF_PARAM;
    get.iItem = 3;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(get.lParam, 'F');
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "date";
    EXPECT_EQ(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
        2);
    find.flags = LVFI_PARAM;
    find.lParam = 'P';
    EXPECT_EQ(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)),
        4);

    LVCOLUMNA c{};
    char name[16] = {};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = name;
    c.cchTextMax = sizeof name;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&c)));
    EXPECT_STREQ(name, "Size");
    EXPECT_EQ(c.cx, 80);
    EXPECT_EQ(c.fmt, LVCFMT_RIGHT);
    EXPECT_EQ(SendMessageA(list, LVM_GETHEADER, 0, 0), 0); // the view draws its own header

    EXPECT_TRUE(SendMessageA(list, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(text(0), "Cherry");
    EXPECT_FALSE(SendMessageA(list, LVM_DELETEITEM, 9, 0));
    LVITEMA bad{};
    bad.iSubItem = 1;
    EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&bad)), -1);
}

TEST_F(ListViewTest, AClickSelectsOneItemAndTheParentHearsOfIt) {
    std::vector<std::pair<int, UINT>> changes;
    on_notify = [&](NMHDR* note) -> LRESULT {
        if (note->code == LVN_ITEMCHANGED) {
            auto* change = reinterpret_cast<NMLISTVIEW*>(note);
            changes.emplace_back(change->iItem, change->uNewState);
        }
        return 0;
    };
    click_row(2);
    EXPECT_EQ(selected(), 2);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(changes, (std::vector<std::pair<int, UINT>>{{2, LVIS_SELECTED | LVIS_FOCUSED}}));
    click_row(4);
    EXPECT_EQ(selected(), 4);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 2, LVIS_SELECTED | LVIS_FOCUSED), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0), 4);

    // The parent may refuse a change.
    on_notify = [](NMHDR* note) -> LRESULT { return note->code == LVN_ITEMCHANGING ? 1 : 0; };
    click_row(0);
    EXPECT_EQ(selected(), 4);

    // A click on the header is a column click; below the items it clears the selection.
    on_notify = nullptr;
    clear_events();
    const POINT header = screen_point(list, 150, 5);
    input::click(header.x, header.y);
    pump();
    const auto notes = events(WM_NOTIFY);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front().code, static_cast<int>(LVN_COLUMNCLICK));
    const POINT below = screen_point(list, 50, 140);
    input::click(below.x, below.y);
    pump();
    EXPECT_EQ(selected(), -1);
}

TEST_F(ListViewTest, KeysMoveTheSelection) {
    SetFocus(list);
    click_row(1);
    const std::pair<int, int> steps[] = {
        {VK_DOWN, 2}, {VK_END, 4}, {VK_DOWN, 4}, {VK_HOME, 0}, {VK_UP, 0}};
    for (const auto& [key, expected] : steps) {
        input::key_press(key);
        pump();
        EXPECT_EQ(selected(), expected) << key;
    }
    LVITEMA all{};
    all.stateMask = LVIS_SELECTED;
    all.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 5);
}

TEST_F(ListViewTest, RectanglesAndHitTestsFollowTheColumns) {
    const RECT whole = bounds(1);
    const RECT label = bounds(1, LVIR_LABEL);
    EXPECT_EQ(whole.left, 0);
    EXPECT_EQ(whole.right, 280);
    EXPECT_EQ(label.right, 120);
    EXPECT_GT(whole.top, 0); // under the header
    RECT sub{};
    sub.top = 2;
    sub.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&sub)));
    EXPECT_EQ(sub.left, 200);
    EXPECT_EQ(sub.right, 280);
    LVHITTESTINFO hit{};
    hit.pt = POINT{210, (whole.top + whole.bottom) / 2};
    EXPECT_EQ(SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.iSubItem, 2);
    EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);
    hit.pt = POINT{10, 140};
    EXPECT_EQ(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, LVHT_NOWHERE);

    EXPECT_TRUE(SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_GT(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 20);
    EXPECT_LT(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 120);
}

TEST_F(ListViewTest, PaintsInTheColoursItIsGiven) {
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOWTEXT));
    constexpr COLORREF kBack = RGB(255, 0, 255), kCell = RGB(200, 230, 255);
    EXPECT_TRUE(SendMessageA(list, LVM_SETBKCOLOR, 0, kBack));
    EXPECT_TRUE(SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, kCell));
    pump();
    const RECT row = bounds(0);
    POINT empty{275, 140}, cell{row.right - 3, row.top + 1};
    MapWindowPoints(list, nullptr, &empty, 1);
    MapWindowPoints(list, nullptr, &cell, 1);
    EXPECT_EQ(input::screen_pixel(empty.x, empty.y), kBack);
    EXPECT_EQ(input::screen_pixel(cell.x, cell.y), kCell);
    // The header is drawn in the face colour.
    POINT header{60, 2};
    MapWindowPoints(list, nullptr, &header, 1);
    EXPECT_EQ(input::screen_pixel(header.x + 4, header.y + 2), GetSysColor(COLOR_3DFACE));
}

TEST_F(ListViewTest, ALongListScrollsAndPublishesItsBar) {
    for (int i = 0; i < 40; ++i)
        item(("Item " + std::to_string(100 + i)).c_str());
    pump();
    const int page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 44);
    EXPECT_EQ(info.nPage, static_cast<UINT>(page));
    EXPECT_TRUE(SendMessageA(list, LVM_ENSUREVISIBLE, 44, FALSE));
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 45 - page);
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 45 - page);
    SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);

    int deletes = 0;
    on_notify = [&](NMHDR* note) -> LRESULT {
        deletes += note->code == LVN_DELETEITEM;
        return 0;
    };
    EXPECT_TRUE(SendMessageA(list, LVM_DELETEALLITEMS, 0, 0));
    on_notify = nullptr; // it counts into this test's frame, which the teardown outlives
    EXPECT_EQ(deletes, 45);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, AListViewWithoutReportShowsOneColumnOfLabels) {
    HWND simple = create("SysListView32", "", LVS_LIST, 320, 10, 150, 100, 1071);
    LVITEMA i{};
    i.mask = LVIF_TEXT;
    i.pszText = const_cast<char*>("Only");
    SendMessageA(simple, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&i));
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(simple, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 150);
}

} // namespace
