#include "skin/skinners/skin_tab_wnd.h"

#include "imagelib/px_image.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/skinners/skin_messages.h"
#include "win32/tab_control.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kIconGap = 4;
constexpr int kTextBuffer = 256;

struct TabItemInfo {
    char text[kTextBuffer] = {};
    int image = -1;
    DWORD state = 0;
};

SIZE TextExtent(HDC dc, const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

// A picture drawn on an item-sized (or lying) bitmap, turned and put over the item, its key
// colour left out.
void PutTurned(HDC dc, HBITMAP drawn, SkinTabWnd::Side side, const RECT& item, COLORREF key) {
    PxImage picture;
    const bool made = picture.CreateFromHBITMAP(drawn);
    DeleteObject(drawn);
    if (!made)
        return;
    bool turned = true;
    if (side == SkinTabWnd::Side::Bottom)
        turned = picture.Rotate180();
    else if (side == SkinTabWnd::Side::Left)
        turned = picture.RotateLeft();
    else if (side == SkinTabWnd::Side::Right)
        turned = picture.RotateRight();
    if (turned)
        GlazeworkDrawImageKeyed(dc, picture, item, key);
}

} // namespace

SkinTabWnd::Side SkinTabWnd::SideOf(DWORD style) {
    if ((style & (TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE)) ==
        (TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE))
        return Side::Right;
    if (style & TCS_VERTICAL)
        return Side::Left;
    if (style & TCS_BOTTOM)
        return Side::Bottom;
    return Side::Top;
}

TabSkin::State SkinTabWnd::ItemState(bool windowEnabled, DWORD style, DWORD itemState,
                                     bool selected) {
    if (!windowEnabled)
        return TabSkin::Disabled;
    if (((style & TCS_BUTTONS) && (itemState & TCIS_BUTTONPRESSED)) || selected)
        return TabSkin::Pressed;
    if (itemState & TCIS_HIGHLIGHTED)
        return TabSkin::Hovered;
    return TabSkin::Normal;
}

SkinTabWnd::ItemLayout SkinTabWnd::LayoutItem(const RECT& item, SIZE icon, SIZE text) {
    const int gap = icon.cx > 0 ? kIconGap : 0;
    const int width = item.right - item.left;
    const int together = icon.cx + gap + text.cx;
    const int left = together > width ? item.left : item.left + (width - together) / 2;
    const int iconTop = item.top + (item.bottom - item.top - icon.cy) / 2;
    ItemLayout layout{};
    layout.icon = RECT{left, iconTop, left + icon.cx, iconTop + icon.cy};
    const int textLeft = left + icon.cx + gap;
    layout.text =
        RECT{textLeft, item.top, std::min<int>(item.right, textLeft + text.cx), item.bottom};
    return layout;
}

RECT SkinTabWnd::PageRect(const RECT& client, Side side, const RECT* items, int count) {
    RECT page = client;
    for (int i = 0; i < count; ++i) {
        const RECT& r = items[i];
        switch (side) {
        case Side::Top:
            page.top = std::max<LONG>(page.top, r.bottom - 1);
            break;
        case Side::Left:
            page.left = std::max<LONG>(page.left, r.right - 1);
            break;
        case Side::Right:
            page.right = std::min<LONG>(page.right, r.left + 1);
            break;
        case Side::Bottom:
            page.bottom = std::min<LONG>(page.bottom, r.top + 1);
            break;
        }
    }
    return page;
}

LONG_PTR SkinTabWnd::Attach(HWND hwnd) {
    // Owner-drawn tabs are their owner's to paint.
    if (GetWindowLongA(hwnd, GWL_STYLE) & TCS_OWNERDRAWFIXED)
        return 0;
    return SkinControlWnd::Attach(hwnd);
}

void SkinTabWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const TabSkin*>(Object());
    if (!skin)
        return;
    const RECT client = ClientRect();
    if (skin->transparent)
        PaintParentBackground(dc);
    else
        GlazeworkDrawNineGrid(dc, client, skin->background, GetSysColor(COLOR_BTNFACE), TRUE);
    const int count = static_cast<int>(SendMessage(TCM_GETITEMCOUNT, 0, 0));
    std::vector<RECT> items(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(i),
                    reinterpret_cast<LPARAM>(&items[static_cast<std::size_t>(i)]));
    const Side side = SideOf(static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE)));
    const RECT page = PageRect(client, side, items.data(), count);
    GlazeworkDrawNineGrid(dc, page, skin->frame, GetSysColor(COLOR_BTNFACE), TRUE);
    const TextScope scope(*this, dc, skin->font.color);
    for (int i = 0; i < count; ++i)
        DrawItem(dc, *skin, i, side);
}

void SkinTabWnd::DrawItem(HDC dc, const TabSkin& skin, int index, Side side) {
    HWND hwnd = GetHwnd();
    TabItemInfo info;
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.dwStateMask = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;
    item.pszText = info.text;
    item.cchTextMax = kTextBuffer;
    if (!SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return;
    info.image = item.iImage;
    info.state = item.dwState;
    RECT r{};
    SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const bool selected = SendMessage(TCM_GETCURSEL, 0, 0) == index;
    const TabSkin::State state =
        ItemState(IsWindowEnabled(hwnd) != FALSE,
                  static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), info.state, selected);
    const SkinStateImage& look = skin.states[state];
    const SkinNineGridRef& image =
        !GlazeworkIsNineGridEmpty(look.image) ? look.image : skin.states[TabSkin::Normal].image;

    auto images = reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST, 0, 0));
    const bool hasIcon = images && info.image >= 0 && info.image < ImageList_GetImageCount(images);
    SIZE icon{};
    if (hasIcon) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        icon = SIZE{cx, cy};
    }
    const SIZE text = TextExtent(dc, info.text);
    SetTextColor(dc, look.effect.TextColor());
    if (side == Side::Top || side == Side::Bottom) {
        if (side == Side::Top) {
            GlazeworkDrawTransparent(dc, r, image, KeyColor());
        } else {
            const int w = r.right - r.left, h = r.bottom - r.top;
            SkinMemDC upright(dc, w, h);
            GlazeworkFillRectColor(upright.GetDC(), RECT{0, 0, w, h}, KeyColor());
            GlazeworkDrawNineGrid(upright.GetDC(), RECT{0, 0, w, h}, image, KeyColor(), FALSE);
            PutTurned(dc, upright.Detach(), side, r, KeyColor());
        }
        const ItemLayout layout = LayoutItem(r, icon, text);
        if (hasIcon)
            ImageList_Draw(images, info.image, dc, layout.icon.left, layout.icon.top,
                           ILD_TRANSPARENT);
        RECT textRect = layout.text;
        DrawTextA(dc, info.text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
        return;
    }
    // Sideways: the tab is drawn lying as a top tab and turned to its side.
    const int length = r.bottom - r.top, depth = r.right - r.left;
    SkinMemDC lying(dc, length, depth);
    const RECT lyingRect{0, 0, length, depth};
    GlazeworkFillRectColor(lying.GetDC(), lyingRect, KeyColor());
    GlazeworkDrawNineGrid(lying.GetDC(), lyingRect, image, KeyColor(), FALSE);
    if (hasIcon) {
        const ItemLayout layout = LayoutItem(lyingRect, icon, text);
        ImageList_Draw(images, info.image, lying.GetDC(), layout.icon.left, layout.icon.top,
                       ILD_TRANSPARENT);
    }
    PutTurned(dc, lying.Detach(), side, r, KeyColor());
    // Sideways text relies on the tab's own font being a turned one.
    if (side == Side::Left)
        TextOutA(dc, r.left, r.bottom - icon.cx - kIconGap, info.text,
                 static_cast<int>(std::strlen(info.text)));
    else
        TextOutA(dc, r.right, r.top + icon.cx + kIconGap, info.text,
                 static_cast<int>(std::strlen(info.text)));
}

LRESULT SkinTabWnd::PaintChildBackgroundFor(HDC childDc, HWND child) {
    const RECT client = ClientRect();
    SkinMemDC whole(childDc, client.right, client.bottom);
    Draw(whole.GetDC());
    PaintChildBackground(childDc, child, whole.GetDC());
    return 1;
}

LRESULT SkinTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == GWM_PAINTBACKGROUND && Object())
        return PaintChildBackgroundFor(reinterpret_cast<HDC>(wParam),
                                       reinterpret_cast<HWND>(lParam));
    return SkinControlWnd::WindowProc(message, wParam, lParam);
}
