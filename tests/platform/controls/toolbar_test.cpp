// The toolbar and the rebar that carries it: buttons with images, texts and states, what a
// click tells the parent, the hot item of a flat toolbar, bands with their children, and what
// each paints.
#include "controls_fixture.h"
#include "item_pixels.h"
#include "testing/window_input.h"

namespace {

using ctltest::count_colour;
using ctltest::count_text;

constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kGreen = RGB(30, 180, 30);
constexpr COLORREF kHotBlue = RGB(30, 30, 220);

class ToolbarTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ctltest::ControlsTest::SetUp();
        images = ctltest::solid_images({kRed, kGreen, kRed});
        hot_images = ctltest::solid_images({kHotBlue, kHotBlue, kHotBlue});
    }
    void TearDown() override {
        ctltest::ControlsTest::TearDown();
        ImageList_Destroy(images);
        ImageList_Destroy(hot_images);
    }
    HWND make(DWORD style = TBSTYLE_FLAT) {
        HWND bar = create(TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, 70);
        SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        SendMessageA(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot_images));
        const LRESULT first =
            SendMessageA(bar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Open\0Save\0"));
        EXPECT_EQ(first, 0);
        TBBUTTON buttons[] = {
            {0, 101, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
            {1, 102, TBSTATE_ENABLED, TBSTYLE_CHECK, {}, 0, 1},
            {0, 0, 0, TBSTYLE_SEP, {}, 0, -1},
            {2, 103, 0, TBSTYLE_BUTTON, {}, 0, reinterpret_cast<INT_PTR>("Print")},
            {0, 104, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP, {}, 0, -1},
            {1, 105, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECKGROUP, {}, 0, -1},
        };
        EXPECT_TRUE(SendMessageA(bar, TB_ADDBUTTONSA, std::size(buttons),
                                 reinterpret_cast<LPARAM>(buttons)));
        pump();
        return bar;
    }
    static RECT rect(HWND bar, int command) {
        RECT r{};
        EXPECT_TRUE(SendMessageA(bar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r)));
        return r;
    }
    void click(HWND bar, int command) {
        const RECT r = rect(bar, command);
        const POINT p = screen_point(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        lv::testing::click(p.x, p.y);
        pump();
    }
    std::vector<int> commands() {
        std::vector<int> ids;
        for (const auto& e : events(WM_COMMAND))
            ids.push_back(e.id);
        return ids;
    }
    HIMAGELIST images = nullptr;
    HIMAGELIST hot_images = nullptr;
};

TEST_F(ToolbarTest, KeepsItsButtonsAndTheirTexts) {
    HWND bar = make();
    EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 6);
    TBBUTTON b{};
    ASSERT_TRUE(SendMessageA(bar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&b)));
    EXPECT_EQ(b.idCommand, 103);
    EXPECT_EQ(b.iBitmap, 2);
    EXPECT_EQ(SendMessageA(bar, TB_COMMANDTOINDEX, 105, 0), 5);
    EXPECT_EQ(SendMessageA(bar, TB_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(hot_images));

    // The length first, then a buffer of that size: the message itself knows no buffer size.
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 103, 0), 5);
    char text[6] = {};
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 103, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "Print");
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 102, 0), 4) << "from the string pool";
    EXPECT_EQ(SendMessageA(bar, TB_GETBUTTONTEXTA, 999, 0), -1);

    const RECT open = rect(bar, 101), save = rect(bar, 102), print = rect(bar, 103);
    EXPECT_EQ(open.right, save.left);
    RECT separator{};
    SendMessageA(bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&separator));
    EXPECT_EQ(separator.left, save.right);
    EXPECT_EQ(print.left, separator.right);
    EXPECT_LT(separator.right - separator.left, open.right - open.left);
    POINT on_separator{(separator.left + separator.right) / 2, separator.top + 2};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&on_separator)), -3);
    POINT on_save{save.left + 2, save.top + 2};
    EXPECT_EQ(SendMessageA(bar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&on_save)), 1);

    RECT bar_rect{}, client{};
    GetWindowRect(bar, &bar_rect);
    GetClientRect(parent, &client);
    EXPECT_EQ(bar_rect.right - bar_rect.left, client.right) << "as wide as its parent";
    EXPECT_GE(bar_rect.bottom - bar_rect.top, open.bottom);
}

TEST_F(ToolbarTest, ClicksSendCommandsAndToggleCheckButtons) {
    HWND bar = make();
    click(bar, 101);
    click(bar, 103); // disabled
    click(bar, 102);
    EXPECT_EQ(commands(), (std::vector<int>{101, 102}));
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 102, 0));
    click(bar, 102);
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 102, 0));

    click(bar, 104);
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 104, 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONCHECKED, 105, 0)) << "one of a group";
    click(bar, 104);
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, 104, 0)) << "stays checked";

    EXPECT_TRUE(SendMessageA(bar, TB_ENABLEBUTTON, 103, TRUE));
    clear_events();
    click(bar, 103);
    EXPECT_EQ(commands(), std::vector<int>{103});
    EXPECT_EQ(SendMessageA(bar, TB_GETSTATE, 999, 0), -1);
}

TEST_F(ToolbarTest, AFlatToolbarTracksTheHotButtonAndPaintsItFromTheHotList) {
    HWND bar = make();
    const RECT open = rect(bar, 101);
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), -1);
    EXPECT_GT(count_colour(bar, open, kRed), 100) << "the normal image";
    const POINT p = screen_point(bar, (open.left + open.right) / 2, (open.top + open.bottom) / 2);
    lv::testing::mouse_move(p.x, p.y);
    pump();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), 0);
    EXPECT_GT(count_colour(bar, open, kHotBlue), 100) << "the hot image";
    const POINT away = screen_point(parent, 300, 300);
    lv::testing::mouse_move(away.x, away.y);
    pump();
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), -1) << "the pointer left";
}

TEST_F(ToolbarTest, PaintsImagesTextsAndGreysDisabledButtons) {
    HWND bar = make();
    const RECT save = rect(bar, 102), print = rect(bar, 103);
    EXPECT_GT(count_colour(bar, save, kGreen), 100);
    EXPECT_GT(count_text(bar, RECT{save.left, save.top + 20, save.right, save.bottom}), 5)
        << "the text under the image";
    EXPECT_EQ(count_colour(bar, print, kRed), 0) << "a disabled image is greyed";
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    EXPECT_GT(ctltest::count_pixels(bar, print, [&](COLORREF c) { return c != face; }), 20)
        << "but drawn";
}

TEST_F(ToolbarTest, ARebarPlacesItsBandsChildrenAndTakesTheHeightOfItsRows) {
    HWND rebar = create(REBARCLASSNAMEA, "", RBS_BANDBORDERS, 0, 0, 0, 0, 80);
    HWND tools = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN |
                                     CCS_NODIVIDER | TBSTYLE_FLAT,
                                 0, 0, 100, 24, rebar, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, WC_EDITA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 80, 20,
                                rebar, nullptr, nullptr, nullptr);
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE;
    band.lpText = const_cast<char*>("Tools");
    band.hwndChild = tools;
    band.cxMinChild = 100;
    band.cyMinChild = 24;
    band.wID = 1;
    ASSERT_TRUE(SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(&band)));
    band.lpText = const_cast<char*>("Address");
    band.hwndChild = edit;
    band.cyMinChild = 20;
    band.wID = 2;
    band.fStyle = RBBS_BREAK;
    ASSERT_TRUE(SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(&band)));
    pump();
    EXPECT_EQ(SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(rebar, RB_GETROWCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(rebar, RB_IDTOINDEX, 2, 0), 1);
    RECT first{}, second{};
    ASSERT_TRUE(SendMessageA(rebar, RB_GETRECT, 0, reinterpret_cast<LPARAM>(&first)));
    ASSERT_TRUE(SendMessageA(rebar, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&second)));
    EXPECT_EQ(second.top, first.bottom) << "the break starts a row";
    RECT client{}, own{};
    GetClientRect(parent, &client);
    GetWindowRect(rebar, &own);
    EXPECT_EQ(first.right, client.right) << "the last band of a row fills it";
    EXPECT_EQ(own.bottom - own.top, second.bottom) << "as high as its rows";

    RECT child{};
    GetWindowRect(tools, &child);
    MapWindowPoints(nullptr, rebar, reinterpret_cast<POINT*>(&child), 2);
    EXPECT_GT(child.left, first.left + 20) << "after the gripper and the label";
    EXPECT_GE(child.top, first.top);
    EXPECT_LE(child.bottom, first.bottom);
    EXPECT_EQ(GetParent(edit), rebar);

    char text[4] = {};
    REBARBANDINFOA out{};
    out.cbSize = sizeof out;
    out.fMask = RBBIM_TEXT | RBBIM_CHILD;
    out.lpText = text;
    out.cch = sizeof text;
    ASSERT_TRUE(SendMessageA(rebar, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&out)));
    EXPECT_STREQ(text, "Add");
    EXPECT_EQ(out.hwndChild, edit);
    out.cbSize = 8;
    EXPECT_FALSE(SendMessageA(rebar, RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&out)))
        << "a record too short for any version";
    EXPECT_GT(count_text(rebar, RECT{first.left + 8, first.top, child.left, first.bottom}), 10)
        << "the band's label";
}

TEST_F(ToolbarTest, ALinkShowsItsLinksAndReportsAClickOnOne) {
    HWND link = create(WC_LINKA,
                       "See <a href=\"https://example.invalid/help\" id=\"help\">the help</a> now",
                       0, 10, 10, 300, 20, 90);
    pump();
    EXPECT_GT(count_colour(link, RECT{0, 0, 300, 20}, GetSysColor(COLOR_HOTLIGHT)), 10);
    int index = -1;
    std::u16string id, url;
    on_notify = [&](NMHDR* h) -> LRESULT {
        if (h->code == NM_CLICK) {
            auto* click = reinterpret_cast<NMLINK*>(h);
            index = click->item.iLink;
            id = click->item.szID;
            url = click->item.szUrl;
        }
        return 0;
    };
    // The link's text starts after "See ": click inside the coloured run.
    int x = 0;
    while (x < 300 && lv::testing::window_pixel(link, x, 8) != GetSysColor(COLOR_HOTLIGHT) &&
           lv::testing::window_pixel(link, x, 10) != GetSysColor(COLOR_HOTLIGHT))
        ++x;
    ASSERT_LT(x, 300);
    const POINT p = screen_point(link, x + 3, 9);
    lv::testing::click(p.x, p.y);
    pump();
    EXPECT_EQ(index, 0);
    EXPECT_EQ(id, u"help");
    EXPECT_EQ(url, u"https://example.invalid/help");
    on_notify = nullptr;
}

} // namespace
