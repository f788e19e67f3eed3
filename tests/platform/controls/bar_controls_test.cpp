// The status bar and the header: their items (parts, titles) as state, where they lie, what
// the user's clicks and drags tell the parent, and what they paint.
#include "controls_fixture.h"
#include "item_pixels.h"
#include "testing/window_input.h"

#include <cstring>

namespace {

using ctltest::count_text;

class BarControlsTest : public ctltest::ControlsTest {
protected:
    std::vector<int> notifications() {
        std::vector<int> codes;
        for (const auto& e : events(WM_NOTIFY))
            codes.push_back(e.code);
        return codes;
    }
    void drag(HWND control, POINT from, POINT to) {
        const POINT a = screen_point(control, from.x, from.y),
                    b = screen_point(control, to.x, to.y);
        lv::testing::mouse_move(a.x, a.y);
        lv::testing::mouse_down();
        pump();
        lv::testing::mouse_move(b.x, b.y);
        pump();
        lv::testing::mouse_up();
        pump();
    }
};

TEST_F(BarControlsTest, TheStatusBarSitsAlongTheParentsBottomWithItsParts) {
    HWND bar = create(STATUSCLASSNAMEA, "Ready", 0, 0, 0, 0, 0, 50);
    RECT parent_client{}, bar_rect{};
    GetClientRect(parent, &parent_client);
    GetWindowRect(bar, &bar_rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bar_rect), 2);
    EXPECT_EQ(bar_rect.bottom, parent_client.bottom);
    EXPECT_EQ(bar_rect.right - bar_rect.left, parent_client.right);
    EXPECT_GT(bar_rect.bottom - bar_rect.top, 10);

    char text[16] = {};
    EXPECT_EQ(LOWORD(SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text))), 5);
    EXPECT_STREQ(text, "Ready") << "the window text is part 0";

    const int rights[3] = {120, 300, -1};
    ASSERT_TRUE(SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights)));
    int back[3] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(back)), 3);
    EXPECT_EQ(back[1], 300);
    EXPECT_EQ(back[2], -1);
    RECT parts[3];
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&parts[i])));
    EXPECT_EQ(parts[0].left, 0);
    EXPECT_EQ(parts[0].right, 120);
    EXPECT_GT(parts[1].left, 120);
    EXPECT_EQ(parts[2].right, parent_client.right) << "-1 reaches the bar's end";
    EXPECT_FALSE(SendMessageA(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&parts[0])));
    std::vector<int> too_many(257, -1);
    EXPECT_FALSE(SendMessageA(bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(too_many.data())));

    ASSERT_TRUE(
        SendMessageA(bar, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("\tMiddle")));
    const LRESULT length = SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0);
    EXPECT_EQ(LOWORD(length), 7);
    EXPECT_EQ(HIWORD(length), SBT_POPOUT);
    pump();
    EXPECT_GT(count_text(bar, parts[0]), 10) << "part 0's text";
    const RECT middle = parts[1];
    const int third = (middle.right - middle.left) / 3;
    EXPECT_EQ(count_text(bar, RECT{middle.left + 3, middle.top + 2, middle.left + third,
                                   middle.bottom - 2}),
              0);
    EXPECT_GT(
        count_text(bar, RECT{middle.left + third, middle.top, middle.right - third, middle.bottom}),
        10)
        << "a text after one tab is centred";
    EXPECT_EQ(count_text(bar, parts[2]), 0) << "an empty part";
}

TEST_F(BarControlsTest, TheStatusBarFollowsItsParentsSize) {
    HWND bar = create(STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0, 50);
    SetWindowPos(parent, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(parent, &client);
    SendMessageA(bar, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    RECT r{};
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);
}

class HeaderTest : public BarControlsTest {
protected:
    HWND make(DWORD style = HDS_BUTTONS) {
        HWND header = create(WC_HEADERA, "", style, 10, 10, 400, 24, 60);
        add(header, "Name", 150, HDF_LEFT);
        add(header, "Size", 90, HDF_RIGHT);
        add(header, "A title much too long for its column", 80, HDF_RIGHT);
        pump();
        return header;
    }
    static void add(HWND header, const char* text, int width, int format) {
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(text);
        item.cxy = width;
        item.fmt = format | HDF_STRING;
        SendMessageA(header, HDM_INSERTITEMA, SendMessageA(header, HDM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
    }
    static RECT rect(HWND header, int index) {
        RECT r{};
        EXPECT_TRUE(SendMessageA(header, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)));
        return r;
    }
    static int width(HWND header, int index) {
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return item.cxy;
    }
};

TEST_F(HeaderTest, TitlesLieSideBySideByTheirWidthsAndAlignTheirTexts) {
    HWND header = make();
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(rect(header, 0).right, 150);
    EXPECT_EQ(rect(header, 1).left, 150);
    EXPECT_EQ(rect(header, 1).right, 240);
    char text[3] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Na");
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_LEFT);

    const RECT size = rect(header, 1);
    const int half = (size.left + size.right) / 2;
    EXPECT_EQ(count_text(header, RECT{size.left + 2, size.top + 2, half, size.bottom - 2}), 0);
    EXPECT_GT(count_text(header, RECT{half, size.top, size.right, size.bottom}), 10) << "HDF_RIGHT";
    const RECT name = rect(header, 0);
    EXPECT_GT(count_text(header, RECT{name.left, name.top, name.left + 40, name.bottom}), 10);
    const RECT longer = rect(header, 2);
    EXPECT_GT(count_text(header, longer), 10) << "cut with an ellipsis, still shown";

    HDLAYOUT layout{};
    RECT area{0, 0, 400, 300};
    WINDOWPOS pos{};
    layout.prc = &area;
    layout.pwpos = &pos;
    ASSERT_TRUE(SendMessageA(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(pos.cx, 400);
    EXPECT_EQ(area.top, pos.cy) << "the rest lies below the header";
}

TEST_F(HeaderTest, AClickAndADividerDragReachTheParent) {
    HWND header = make();
    clear_events();
    const RECT name = rect(header, 0);
    const POINT middle = screen_point(header, 60, 10);
    lv::testing::click(middle.x, middle.y);
    pump();
    EXPECT_EQ(notifications(), std::vector<int>{static_cast<int>(HDN_ITEMCLICKA)});

    clear_events();
    drag(header, POINT{name.right - 1, 10}, POINT{name.right + 29, 10});
    EXPECT_EQ(width(header, 0), 180);
    EXPECT_EQ(rect(header, 1).left, 180);
    const auto codes = notifications();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(codes.front(), static_cast<int>(HDN_BEGINTRACKA));
    EXPECT_EQ(codes[1], static_cast<int>(HDN_ITEMCHANGINGA));
    EXPECT_EQ(codes[2], static_cast<int>(HDN_ITEMCHANGEDA));
    EXPECT_EQ(codes.back(), static_cast<int>(HDN_ENDTRACKA));

    on_notify = [](NMHDR* h) -> LRESULT { return h->code == HDN_ITEMCHANGINGA ? 1 : 0; };
    drag(header, POINT{179, 10}, POINT{100, 10});
    EXPECT_EQ(width(header, 0), 180) << "the parent refused";
    on_notify = nullptr;
}

} // namespace
