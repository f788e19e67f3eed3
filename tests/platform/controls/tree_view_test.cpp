// The tree view: its items and their order, expansion and selection with their notifications,
// the mouse and the keyboard, colours, and scrolling.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <cstring>
#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class TreeViewTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        tree = create("SysTreeView32", "",
                      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                          WS_VSCROLL | WS_TABSTOP,
                      10, 10, 200, 120, 1060, WS_EX_CLIENTEDGE);
        a = add(TVI_ROOT, "Apples");
        a1 = add(a, "Cox");
        a2 = add(a, "Gala");
        a2x = add(a2, "Royal Gala");
        b = add(TVI_ROOT, "Berries");
        pump();
        clear_events();
    }
    HTREEITEM add(HTREEITEM parent, const char* text, HTREEITEM after = TVI_LAST) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text);
        insert.item.lParam = ++made;
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    HTREEITEM next(WPARAM which, HTREEITEM from = nullptr) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
    }
    std::string text(HTREEITEM item) const {
        char buffer[64] = {};
        TVITEMA get{};
        get.mask = TVIF_TEXT;
        get.hItem = item;
        get.pszText = buffer;
        get.cchTextMax = sizeof buffer;
        return SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)) ? buffer : "?";
    }
    RECT label(HTREEITEM item) const {
        RECT r{};
        std::memcpy(&r, &item, sizeof item); // the item's handle goes where the rectangle comes
        SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    std::vector<int> codes() const {
        std::vector<int> out;
        for (const Event& e : events(WM_NOTIFY))
            out.push_back(e.code);
        return out;
    }
    void click(HTREEITEM item, int dx = 4) {
        const RECT r = label(item);
        const POINT p = screen_point(tree, r.left + dx, (r.top + r.bottom) / 2);
        input::click(p.x, p.y);
        pump();
    }

    HWND tree = nullptr;
    HTREEITEM a = nullptr, a1 = nullptr, a2 = nullptr, a2x = nullptr, b = nullptr;
    int made = 0;
};

TEST_F(TreeViewTest, ItemsKeepTheirPlacesAndAnswerTheNavigationQuestions) {
    HTREEITEM sorted = add(TVI_ROOT, "Avocados", TVI_SORT);
    HTREEITEM first = add(a, "Braeburn", TVI_FIRST);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(next(TVGN_ROOT), a);
    EXPECT_EQ(next(TVGN_NEXT, a), sorted);
    EXPECT_EQ(next(TVGN_NEXT, sorted), b);
    EXPECT_EQ(next(TVGN_NEXT, b), nullptr);
    EXPECT_EQ(next(TVGN_CHILD, a), first);
    EXPECT_EQ(next(TVGN_PREVIOUS, a2), a1);
    EXPECT_EQ(next(TVGN_PARENT, a2x), a2);
    EXPECT_EQ(next(TVGN_PARENT, a), nullptr);
    // Collapsed branches hide their items.
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a), sorted);
    EXPECT_EQ(next(TVGN_LASTVISIBLE), b);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a), first);
    EXPECT_EQ(next(TVGN_PREVIOUSVISIBLE, sorted), a2);
    EXPECT_EQ(text(next(TVGN_FIRSTVISIBLE)), "Apples");

    TVITEMA get{};
    get.mask = TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE;
    get.stateMask = TVIS_EXPANDED;
    get.hItem = a2;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(get.lParam, 3);
    EXPECT_EQ(get.cChildren, 1);
    EXPECT_EQ(get.state, 0u);
    get.mask = TVIF_TEXT;
    get.pszText = const_cast<char*>("Golden");
    EXPECT_TRUE(SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(text(a2), "Golden");

    // Unknown handles fail cleanly.
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(sorted));
    EXPECT_EQ(text(sorted), "?");
    EXPECT_EQ(add(TVI_ROOT, "x", sorted), nullptr);
    EXPECT_EQ(add(sorted, "x"), nullptr);
    EXPECT_FALSE(SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(sorted)));
}

TEST_F(TreeViewTest, ExpandingAsksTheParentAndCollapsingTakesTheSelectionUp) {
    on_notify = [](NMHDR* note) -> LRESULT { return note->code == TVN_ITEMEXPANDINGA ? 1 : 0; };
    EXPECT_FALSE(SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a)));
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a), b);
    on_notify = nullptr;
    clear_events();
    EXPECT_TRUE(SendMessageA(tree, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(a)));
    EXPECT_EQ(codes(), (std::vector<int>{static_cast<int>(TVN_ITEMEXPANDINGA),
                                         static_cast<int>(TVN_ITEMEXPANDEDA)}));
    EXPECT_FALSE(SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a)));
    EXPECT_FALSE(SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a1)));

    EXPECT_TRUE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a1)));
    SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(next(TVGN_CARET), a);

    // A refused selection stays where it was.
    on_notify = [](NMHDR* note) -> LRESULT { return note->code == TVN_SELCHANGINGA ? 1 : 0; };
    EXPECT_FALSE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b)));
    EXPECT_EQ(next(TVGN_CARET), a);
}

TEST_F(TreeViewTest, TheMouseOpensBranchesAndSelectsLabels) {
    std::vector<std::pair<UINT, UINT>> changes; // code, action
    on_notify = [&](NMHDR* note) -> LRESULT {
        if (note->code == TVN_SELCHANGEDA)
            changes.emplace_back(note->code, reinterpret_cast<NMTREEVIEWA*>(note)->action);
        return 0;
    };
    const RECT r = label(a);
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    const POINT button = screen_point(tree, r.left - 2 - indent / 2, (r.top + r.bottom) / 2);
    input::click(button.x, button.y);
    pump();
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a), a1);
    EXPECT_EQ(next(TVGN_CARET), nullptr); // the button does not select

    click(a2);
    EXPECT_EQ(next(TVGN_CARET), a2);
    EXPECT_EQ(GetFocus(), tree);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].second, TVC_BYMOUSE);

    TVHITTESTINFO hit{};
    const RECT l = label(a2);
    hit.pt = POINT{l.left + 2, l.top + 2};
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(
                  SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))),
              a2);
    EXPECT_EQ(hit.flags, TVHT_ONITEMLABEL);
    hit.pt = POINT{150, 110};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, TVHT_NOWHERE);

    // A double click on a label opens its branch.
    // Away from the earlier click, which would otherwise make the first one a double click.
    const POINT twice = screen_point(tree, l.left + 12, (l.top + l.bottom) / 2);
    input::click(twice.x, twice.y);
    input::click(twice.x, twice.y);
    pump();
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a2), a2x);
}

TEST_F(TreeViewTest, KeysWalkTheVisibleItemsAndOpenAndCloseBranches) {
    SetFocus(tree);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a));
    pump();
    const std::pair<int, HTREEITEM*> steps[] = {
        {VK_RIGHT, &a},  // opens Apples
        {VK_RIGHT, &a1}, // into it
        {VK_DOWN, &a2},  {VK_RIGHT, &a2}, {VK_DOWN, &a2x},
        {VK_LEFT, &a2},  {VK_LEFT, &a2}, // closes Gala
        {VK_END, &b},    {VK_HOME, &a},   {VK_UP, &a},
    };
    for (const auto& [key, expected] : steps) {
        input::key_press(key);
        pump();
        EXPECT_EQ(text(next(TVGN_CARET)), text(*expected)) << key;
    }
    EXPECT_EQ(next(TVGN_NEXTVISIBLE, a2), b);
}

TEST_F(TreeViewTest, DeletingABranchTellsTheParentOfEachItemChildrenFirst) {
    std::vector<LPARAM> gone;
    on_notify = [&](NMHDR* note) -> LRESULT {
        if (note->code == TVN_DELETEITEMA)
            gone.push_back(reinterpret_cast<NMTREEVIEWA*>(note)->itemOld.lParam);
        return 0;
    };
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a2x));
    EXPECT_TRUE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
    EXPECT_EQ(gone, (std::vector<LPARAM>{2, 4, 3, 1}));
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(next(TVGN_CARET), nullptr);
    EXPECT_EQ(next(TVGN_ROOT), b);
    EXPECT_FALSE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(TreeViewTest, PaintsItsBackgroundColourAndTheSelection) {
    constexpr COLORREF kKey = RGB(255, 0, 255);
    EXPECT_EQ(static_cast<LONG>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0)), -1);
    EXPECT_EQ(static_cast<LONG>(SendMessageA(tree, TVM_SETBKCOLOR, 0, kKey)), -1);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0)), kKey);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b));
    pump();
    RECT client{};
    GetClientRect(tree, &client);
    POINT corner{client.right - 3, client.bottom - 3};
    MapWindowPoints(tree, nullptr, &corner, 1);
    EXPECT_EQ(input::screen_pixel(corner.x, corner.y), kKey);
    // Kept selected without the focus; highlighted with it.
    const RECT r = label(b);
    POINT inside{r.right - 2, r.top + 1};
    MapWindowPoints(tree, nullptr, &inside, 1);
    EXPECT_EQ(input::screen_pixel(inside.x, inside.y), GetSysColor(COLOR_3DFACE));
    SetFocus(tree);
    pump();
    EXPECT_EQ(input::screen_pixel(inside.x, inside.y), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(TreeViewTest, ALongTreeScrollsAndPublishesItsBar) {
    for (int i = 0; i < 30; ++i)
        add(TVI_ROOT, ("Item " + std::to_string(i)).c_str());
    pump();
    const int page = static_cast<int>(SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0));
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 31);
    EXPECT_EQ(info.nPage, static_cast<UINT>(page));
    EXPECT_EQ(info.nPos, 0);
    SendMessageA(tree, WM_VSCROLL, SB_PAGEDOWN, 0);
    GetScrollInfo(tree, SB_VERT, &info);
    EXPECT_EQ(info.nPos, page);
    HTREEITEM expected = next(TVGN_ROOT);
    for (int i = 0; i < page; ++i)
        expected = next(TVGN_NEXTVISIBLE, expected);
    EXPECT_EQ(next(TVGN_FIRSTVISIBLE), expected);

    // The bar's lower arrow, and the wheel, move it on.
    RECT window{};
    GetWindowRect(tree, &window);
    input::click(window.right - 10, window.bottom - 10);
    pump();
    GetScrollInfo(tree, SB_VERT, &info);
    EXPECT_EQ(info.nPos, page + 1);
    SetFocus(tree);
    input::wheel(120);
    pump();
    GetScrollInfo(tree, SB_VERT, &info);
    EXPECT_EQ(info.nPos, page - 2);
}

} // namespace
