// The tab control: items with texts and images laid out along the chosen side, the selection
// changed by clicks and arrow keys with TCN_SELCHANGING/TCN_SELCHANGE, and what it paints.
#include "controls_fixture.h"
#include "item_pixels.h"
#include "testing/window_input.h"

namespace {

using ctltest::count_colour;
using ctltest::count_text;

class TabControlTest : public ctltest::ControlsTest {
protected:
    HWND make(DWORD style = 0, int cx = 300, int cy = 160) {
        HWND tab = create(WC_TABCONTROLA, "", style, 10, 10, cx, cy, 40);
        for (const char* text : {"General", "Advanced settings", "About"})
            add(tab, text);
        pump();
        return tab;
    }
    static int add(HWND tab, const char* text, int image = -1) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(text);
        item.iImage = image;
        const auto count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
        return static_cast<int>(
            SendMessageA(tab, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item)));
    }
    static RECT item_rect(HWND tab, int index) {
        RECT r{};
        EXPECT_TRUE(SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
        return r;
    }
    std::vector<int> notifications() {
        std::vector<int> codes;
        for (const auto& e : events(WM_NOTIFY))
            codes.push_back(e.code);
        return codes;
    }
};

TEST_F(TabControlTest, KeepsItsItemsAndLaysThemOutAlongTheTop) {
    HWND tab = make();
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0) << "the first item is selected";
    const RECT a = item_rect(tab, 0), b = item_rect(tab, 1), c = item_rect(tab, 2);
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(b.right, c.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_LT(a.top, 10);
    EXPECT_GT(b.right - b.left, a.right - a.left) << "the longer label takes more room";

    char text[4] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Adv") << "cut to the caller's buffer";

    EXPECT_TRUE(SendMessageA(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(item_rect(tab, 0).left, a.left) << "the others move up";
    EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(TabControlTest, EachSideHasItsRowOfTabs) {
    const struct {
        const char* what;
        DWORD style;
        bool (*where)(const RECT& item, const RECT& client);
    } cases[] = {
        {"top", 0, [](const RECT& i, const RECT&) { return i.top < 5 && i.bottom < 40; }},
        {"bottom", TCS_BOTTOM,
         [](const RECT& i, const RECT& c) { return i.bottom > c.bottom - 5 && i.top > 100; }},
        {"left", TCS_VERTICAL,
         [](const RECT& i, const RECT&) { return i.left < 5 && i.right < 40; }},
        {"right", TCS_VERTICAL | TCS_RIGHT,
         [](const RECT& i, const RECT& c) { return i.right > c.right - 5 && i.left > 200; }},
    };
    for (const auto& c : cases) {
        HWND tab = make(c.style, 300, 200);
        RECT client{};
        GetClientRect(tab, &client);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(c.where(item_rect(tab, i), client)) << c.what << " item " << i;
        DestroyWindow(tab);
    }
}

TEST_F(TabControlTest, MultilineTabsWrapIntoRows) {
    HWND tab = make(TCS_MULTILINE, 150, 160);
    EXPECT_GE(SendMessageA(tab, TCM_GETROWCOUNT, 0, 0), 2);
    EXPECT_GT(item_rect(tab, 2).top, item_rect(tab, 0).top);
    RECT page{0, 0, 150, 160};
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    EXPECT_GT(page.top, item_rect(tab, 2).bottom) << "the display area lies below every row";
    SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.top, 0) << "and back";
    EXPECT_EQ(page.right, 150);
}

TEST_F(TabControlTest, ClicksAndArrowKeysChangeTheSelectionUnlessTheParentRefuses) {
    HWND tab = make();
    const RECT third = item_rect(tab, 2);
    lv::testing::click_window(tab); // focus
    clear_events();
    const POINT at =
        screen_point(tab, (third.left + third.right) / 2, (third.top + third.bottom) / 2);
    lv::testing::click(at.x, at.y);
    pump();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(notifications(), (std::vector<int>{static_cast<int>(TCN_SELCHANGING),
                                                 static_cast<int>(TCN_SELCHANGE)}));

    clear_events();
    lv::testing::key_press(VK_LEFT);
    pump();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);

    on_notify = [](NMHDR* h) -> LRESULT { return h->code == TCN_SELCHANGING ? 1 : 0; };
    lv::testing::key_press(VK_LEFT);
    pump();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1) << "refused";
    on_notify = nullptr;

    clear_events();
    EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 0, 0), 1);
    EXPECT_TRUE(notifications().empty()) << "a program's change is not notified";
}

TEST_F(TabControlTest, PaintsTheSelectedTabJoinedToThePageAndHighlightedItems) {
    HWND tab = make();
    HIMAGELIST images = ctltest::solid_images({RGB(220, 30, 30)});
    SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    item.iImage = 0;
    SendMessageA(tab, TCM_SETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    SendMessageA(tab, TCM_HIGHLIGHTITEM, 1, MAKELPARAM(TRUE, 0));
    pump();
    const RECT general = item_rect(tab, 0), advanced = item_rect(tab, 1), about = item_rect(tab, 2);
    EXPECT_GT(count_text(tab, general), 10) << "the label";
    EXPECT_GT(count_colour(tab, advanced, GetSysColor(COLOR_HIGHLIGHT)), 50) << "highlighted";
    EXPECT_GT(count_colour(tab, about, RGB(220, 30, 30)), 100) << "the item's image";
    // The page's top edge runs under the other tabs but not under the selected one.
    const int edge_y = general.bottom + 1; // the edge's inner, lit line
    const COLORREF under_selected =
        lv::testing::window_pixel(tab, (general.left + general.right) / 2, edge_y);
    const COLORREF under_other =
        lv::testing::window_pixel(tab, (about.left + about.right) / 2, edge_y);
    EXPECT_EQ(under_selected, GetSysColor(COLOR_3DFACE));
    EXPECT_NE(under_other, GetSysColor(COLOR_3DFACE));
    DestroyWindow(tab);
    ImageList_Destroy(images);
}

} // namespace
