// The tab, header, rebar, status bar, link and control bar skinners: their items painted from
// the full skin in each state, tabs turned to their side, the tab as the background of the
// controls on its page.
#include "skin/core/skin_mem_dc.h"
#include "skin/core/static_skin.h"
#include "skin/skinners/skin_control_bar_wnd.h"
#include "skin/skinners/skin_header_wnd.h"
#include "skin/skinners/skin_link_wnd.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_rebar_wnd.h"
#include "skin/skinners/skin_status_bar_wnd.h"
#include "skin/skinners/skin_tab_wnd.h"
#include "testing/window_input.h"
#include "tests/platform/controls/item_pixels.h"
#include "tests/skin/item_skinners/item_skinners_fixture.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"
#include "win32/header_control.h"
#include "win32/link_control.h"
#include "win32/rebar.h"
#include "win32/status_bar.h"
#include "win32/tab_control.h"

#include <string>

namespace {

using namespace lvtest;
using namespace full_skin::layout;
using full_skin::kControlsImage;
using full_skin::kItemsImage;
namespace input = lv::testing;

RECT ItemRect(HWND control, UINT message, int index) {
    RECT r{};
    SendMessageA(control, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

int MiddleY(const RECT& r) {
    return (r.top + r.bottom) / 2;
}

class ItemSkinners : public ItemDialog {
protected:
    HWND MakeTab(DWORD style, const RECT& place) {
        HWND tab = Make(WC_TABCONTROLA, style, place);
        for (const char* label : {"One", "Two", "Three"}) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(label);
            SendMessageA(tab, TCM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&item));
        }
        PumpItems();
        return tab;
    }
    // The colour a tab shows beside its label, and the skin's for a state.
    static COLORREF TabAt(HWND tab, int index) {
        const RECT r = ItemRect(tab, TCM_GETITEMRECT, index);
        return At(tab, r.left + 3, MiddleY(r));
    }
    static COLORREF TabLook(int state) {
        const RECT cell = TabCell(state);
        return ItemSkinPixel(kItemsImage, cell.left + 3, MiddleY(cell));
    }
};

TEST_F(ItemSkinners, TabsShowTheImageOfTheirState) {
    HWND tab = MakeTab(0, RECT{10, 10, 330, 150});
    ASSERT_NE(Skinner<SkinTabWnd>(tab), nullptr);
    ASSERT_NE(TabLook(TabSkin::Normal), TabLook(TabSkin::Pressed));
    ASSERT_NE(TabLook(TabSkin::Normal), TabLook(TabSkin::Hovered));

    EXPECT_EQ(TabAt(tab, 0), TabLook(TabSkin::Pressed)) << "the selected tab";
    EXPECT_EQ(TabAt(tab, 1), TabLook(TabSkin::Normal));
    SendMessageA(tab, TCM_HIGHLIGHTITEM, 2, TRUE);
    EXPECT_EQ(TabAt(tab, 2), TabLook(TabSkin::Hovered));

    // A click selects: the clicked tab goes down and the old one comes up.
    const RECT second = ItemRect(tab, TCM_GETITEMRECT, 1);
    POINT at{(second.left + second.right) / 2, MiddleY(second)};
    ClientToScreen(tab, &at);
    input::click(at.x, at.y);
    PumpItems();
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TabAt(tab, 1), TabLook(TabSkin::Pressed));
    EXPECT_EQ(TabAt(tab, 0), TabLook(TabSkin::Normal));
    // Selected and highlighted: still the pressed image.
    SendMessageA(tab, TCM_HIGHLIGHTITEM, 1, TRUE);
    EXPECT_EQ(TabAt(tab, 1), TabLook(TabSkin::Pressed));

    // The page is framed by the FRAME grid.
    RECT client{};
    GetClientRect(tab, &client);
    EXPECT_EQ(At(tab, client.right / 2, client.bottom - 10),
              ItemSkinCentre(kItemsImage, kTabFrame));

    EnableWindow(tab, FALSE);
    PumpItems();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(TabAt(tab, i), TabLook(TabSkin::Disabled)) << i;
}

TEST_F(ItemSkinners, TabsAtTheBottomAreTurnedUpsideDown) {
    HWND top = MakeTab(0, RECT{10, 10, 320, 80});
    HWND bottom = MakeTab(TCS_BOTTOM, RECT{10, 90, 320, 160});
    const COLORREF background = ItemSkinCentre(kItemsImage, kTabBackground);
    // The tab image's rounded corners are on its top: they let the background through.
    const RECT up = ItemRect(top, TCM_GETITEMRECT, 1);
    EXPECT_EQ(At(top, up.left, up.top), background);
    EXPECT_NE(At(top, up.left, up.bottom - 1), background);
    const RECT down = ItemRect(bottom, TCM_GETITEMRECT, 1);
    EXPECT_GT(down.top, 30) << "the tabs sit at the bottom";
    EXPECT_EQ(At(bottom, down.left, down.bottom - 1), background);
    EXPECT_NE(At(bottom, down.left, down.top), background);
    EXPECT_EQ(At(bottom, down.left + 3, MiddleY(down)), TabLook(TabSkin::Normal));
    // The text stays in the tab, drawn in the state's colour.
    EXPECT_GT(ctltest::count_text(bottom, down), 0);
    // Owner-drawn tabs are their owner's.
    HWND drawn = MakeTab(TCS_OWNERDRAWFIXED, RECT{10, 170, 320, 220});
    EXPECT_EQ(SkinManager::Instance().Find(drawn), nullptr);
}

TEST_F(ItemSkinners, ItemLayoutAndSidesFollowTheStyle) {
    EXPECT_EQ(SkinTabWnd::SideOf(0), SkinTabWnd::Side::Top);
    EXPECT_EQ(SkinTabWnd::SideOf(TCS_BOTTOM), SkinTabWnd::Side::Bottom);
    EXPECT_EQ(SkinTabWnd::SideOf(TCS_VERTICAL), SkinTabWnd::Side::Left);
    EXPECT_EQ(SkinTabWnd::SideOf(TCS_VERTICAL | TCS_RIGHT), SkinTabWnd::Side::Left);
    EXPECT_EQ(SkinTabWnd::SideOf(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE),
              SkinTabWnd::Side::Right);
    // Wide enough: icon and text centred together; too narrow: from the left.
    const auto wide = SkinTabWnd::LayoutItem(RECT{0, 0, 100, 20}, SIZE{16, 16}, SIZE{40, 12});
    EXPECT_EQ(wide.icon.left, 20);
    EXPECT_EQ(wide.icon.top, 2);
    EXPECT_EQ(wide.text.left, 40);
    EXPECT_EQ(wide.text.right, 80);
    const auto narrow = SkinTabWnd::LayoutItem(RECT{10, 0, 50, 20}, SIZE{16, 16}, SIZE{40, 12});
    EXPECT_EQ(narrow.icon.left, 10);
    EXPECT_EQ(narrow.text.left, 30);
    EXPECT_EQ(narrow.text.right, 50);
    const auto plain = SkinTabWnd::LayoutItem(RECT{0, 0, 100, 20}, SIZE{}, SIZE{40, 12});
    EXPECT_EQ(plain.text.left, 30);
    // The page gives way to the tabs on their side only.
    const RECT items[] = {{2, 2, 40, 22}, {40, 2, 90, 22}};
    const RECT page = SkinTabWnd::PageRect(RECT{0, 0, 200, 100}, SkinTabWnd::Side::Top, items, 2);
    EXPECT_EQ(page.top, 21);
    EXPECT_EQ(page.bottom, 100);
    using State = TabSkin::State;
    EXPECT_EQ(SkinTabWnd::ItemState(false, 0, TCIS_HIGHLIGHTED, true), State::Disabled);
    EXPECT_EQ(SkinTabWnd::ItemState(true, TCS_BUTTONS, TCIS_BUTTONPRESSED, false), State::Pressed);
    EXPECT_EQ(SkinTabWnd::ItemState(true, 0, TCIS_BUTTONPRESSED, false), State::Normal);
}

TEST_F(ItemSkinners, ControlsOnATabPageStandOnTheTab) {
    // Statics that let their background through show what lies under them: here the tab.
    auto* statics = dynamic_cast<StaticSkin*>(
        SkinManager::Instance().GetSkin()->FindElementByType(StaticSkin::kTypeId));
    ASSERT_NE(statics, nullptr);
    statics->transparent = 1;
    HWND tab = MakeTab(0, RECT{10, 10, 330, 150});
    HWND label = Make("Static", SS_LEFT, RECT{30, 60, 200, 80}, "On the page");
    SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    InvalidateRect(label, nullptr, TRUE);
    PumpItems();
    const COLORREF page = ItemSkinCentre(kItemsImage, kTabFrame);
    EXPECT_EQ(At(label, 165, 15), page);
    EXPECT_GT(ctltest::count_text(label, RECT{0, 0, 170, 20}), 0);

    // Asked directly, the tab copies what lies under the child into the child's DC.
    HDC screen = GetDC(nullptr);
    SkinMemDC under(screen, 170, 20);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(SendMessageA(tab, GWM_PAINTBACKGROUND, reinterpret_cast<WPARAM>(under.GetDC()),
                           reinterpret_cast<LPARAM>(label)),
              1);
    EXPECT_EQ(GetPixel(under.GetDC(), 160, 10), page);
}

TEST_F(ItemSkinners, HeaderTitlesSitOnTheirItemImageAligned) {
    HWND header = Make(WC_HEADERA, 0, RECT{10, 10, 330, 32});
    ASSERT_NE(Skinner<SkinHeaderWnd>(header), nullptr);
    const struct {
        const char* text;
        int width;
        int format;
    } titles[] = {{"Name", 120, HDF_LEFT}, {"Size", 120, HDF_RIGHT}};
    for (const auto& title : titles) {
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(title.text);
        item.cxy = title.width;
        item.fmt = title.format | HDF_STRING;
        SendMessageA(header, HDM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
    }
    PumpItems();
    const RECT left = ItemRect(header, HDM_GETITEMRECT, 0);
    const RECT right = ItemRect(header, HDM_GETITEMRECT, 1);
    EXPECT_EQ(At(header, left.left + 2, MiddleY(left)),
              ItemSkinPixel(kItemsImage, kHeaderItem.left + 2, MiddleY(kHeaderItem)));
    EXPECT_EQ(At(header, 315, MiddleY(left)), ItemSkinCentre(kItemsImage, kHeaderBackground));
    const auto halves = [&](const RECT& r) {
        const int middle = (r.left + r.right) / 2;
        return std::pair{ctltest::count_text(header, RECT{r.left, r.top, middle, r.bottom}),
                         ctltest::count_text(header, RECT{middle, r.top, r.right, r.bottom})};
    };
    EXPECT_GT(halves(left).first, 0);
    EXPECT_EQ(halves(left).second, 0);
    EXPECT_EQ(halves(right).first, 0) << "HDF_RIGHT";
    EXPECT_GT(halves(right).second, 0);
    EXPECT_EQ(SkinHeaderWnd::TextFormat(HDF_CENTER) & (DT_CENTER | DT_RIGHT),
              static_cast<UINT>(DT_CENTER));
}

TEST_F(ItemSkinners, RebarBandsSitOnTheBandImageWithTheirText) {
    HWND rebar = Make(REBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE, RECT{10, 10, 330, 40});
    ASSERT_NE(Skinner<SkinReBarWnd>(rebar), nullptr);
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_SIZE | RBBIM_STYLE;
    band.lpText = const_cast<char*>("Band");
    band.cx = 200;
    SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    PumpItems();
    const RECT r = ItemRect(rebar, RB_GETRECT, 0);
    ASSERT_FALSE(IsRectEmpty(&r));
    EXPECT_EQ(At(rebar, r.right - 3, MiddleY(r)),
              ItemSkinPixel(kItemsImage, kReBarBand.right - 3, MiddleY(kReBarBand)));
    EXPECT_GT(ctltest::count_text(rebar, RECT{r.left, r.top, r.left + 60, r.bottom}), 0);
    const auto* skin = dynamic_cast<const ReBarSkin*>(Skinner<SkinReBarWnd>(rebar)->Object());
    EXPECT_EQ(SkinReBarWnd::BandTextColor(*skin), kText);
}

TEST_F(ItemSkinners, StatusBarPartsSitOnTheItemImageWithTheirText) {
    HWND status = Make(STATUSCLASSNAMEA, 0, RECT{0, 0, 0, 0});
    ASSERT_NE(Skinner<SkinStatusBarWnd>(status), nullptr);
    EXPECT_TRUE(GetWindowLongA(status, GWL_STYLE) & WS_CLIPCHILDREN);
    const int rights[] = {200, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rights));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Page 1"));
    InvalidateRect(status, nullptr, TRUE);
    PumpItems();
    const RECT first = ItemRect(status, SB_GETRECT, 0);
    const RECT second = ItemRect(status, SB_GETRECT, 1);
    const COLORREF item = ItemSkinCentre(kItemsImage, kStatusItem);
    EXPECT_EQ(At(status, first.right - 20, MiddleY(first)), item);
    EXPECT_EQ(At(status, second.right - 20, MiddleY(second)), item);
    EXPECT_GT(
        ctltest::count_text(status, RECT{first.left, first.top, first.left + 60, first.bottom}), 0);
    EXPECT_GT(
        ctltest::count_text(status, RECT{second.left, second.top, second.left + 60, second.bottom}),
        0);
}

TEST_F(ItemSkinners, LinksArePrintedOverTheStaticBackground) {
    HWND link = Make(WC_LINKA, 0, RECT{10, 10, 250, 34}, "Go <a href=\"https://x\">there</a>");
    ASSERT_NE(Skinner<SkinLinkWnd>(link), nullptr);
    const RECT all{0, 0, 240, 24};
    EXPECT_EQ(At(link, 230, 20), ItemSkinCentre(kControlsImage, kStaticBack));
    EXPECT_EQ(ctltest::count_colour(link, all, GetSysColor(COLOR_WINDOW)), 0)
        << "the window colour it was printed on is keyed out";
    EXPECT_GT(ctltest::count_colour(link, all, GetSysColor(COLOR_HOTLIGHT)), 0);
    EXPECT_GT(ctltest::count_text(link, RECT{0, 0, 20, 24}), 0);
}

TEST_F(ItemSkinners, ControlBarsDockedOnASideLieTurned) {
    WNDCLASSA bar{};
    bar.lpfnWndProc = DefWindowProcA;
    bar.lpszClassName = "AfxControlBar70";
    RegisterClassA(&bar);
    HWND across = Make("AfxControlBar70", 0, RECT{10, 10, 200, 40});
    HWND side = Make("AfxControlBar70", 0x1000 /* CBRS_ALIGN_LEFT */, RECT{250, 10, 280, 200});
    ASSERT_NE(Skinner<SkinControlBarWnd>(across), nullptr);
    ASSERT_NE(Skinner<SkinControlBarWnd>(side), nullptr);
    // Control bars take the toolbar's object; its grid runs from light at the top to the
    // rest colour at the bottom.
    const int x = (kReBarBack.left + kReBarBack.right) / 2;
    const COLORREF first = ItemSkinPixel(kItemsImage, x, kReBarBack.top);
    const COLORREF last = ItemSkinPixel(kItemsImage, x, kReBarBack.bottom - 1);
    ASSERT_NE(first, last);
    EXPECT_EQ(At(across, 95, 0), first);
    EXPECT_EQ(At(across, 95, 29), last);
    EXPECT_EQ(At(side, 0, 95), first);
    EXPECT_EQ(At(side, 29, 95), last);
    EXPECT_TRUE(IsDockedSideways(0x4000));
    EXPECT_FALSE(IsDockedSideways(0x2000));
    DestroyWindow(across);
    DestroyWindow(side);
    UnregisterClassA("AfxControlBar70", nullptr);
}

} // namespace
