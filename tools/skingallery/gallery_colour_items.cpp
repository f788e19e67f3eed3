#include "tools/skingallery/gallery_colour_items.h"

#include "skin/core/popup_menu_skin.h"
#include "skin/core/skin_manager.h"
#include "tools/skingallery/gallery_frame_ids.h"

#include <algorithm>
#include <array>
#include <string>

namespace gallery {
namespace {

struct ColourItem {
    COLORREF colour;
    std::string name;
};

constexpr int kInset = 2;
constexpr int kSwatch = 12;
constexpr int kGap = 6;

std::array<ColourItem, kColourLast - kColourFirst + 1>& Items() {
    static std::array<ColourItem, kColourLast - kColourFirst + 1> items{{
        {RGB(96, 160, 224), ""},
        {RGB(104, 144, 72), ""},
        {RGB(216, 184, 120), ""},
    }};
    return items;
}

ColourItem* ItemOf(UINT command, ULONG_PTR data) {
    if (!IsColourCommand(static_cast<int>(command)))
        return nullptr;
    auto* item = reinterpret_cast<ColourItem*>(data);
    return item == &Items()[command - kColourFirst] ? item : nullptr;
}

} // namespace

bool IsColourCommand(int command) {
    return command >= kColourFirst && command <= kColourLast;
}

COLORREF ColourOfCommand(int command) {
    return IsColourCommand(command)
               ? Items()[static_cast<std::size_t>(command - kColourFirst)].colour
               : RGB(255, 255, 255);
}

std::string ColourNameOfCommand(int command) {
    return IsColourCommand(command) ? Items()[static_cast<std::size_t>(command - kColourFirst)].name
                                    : std::string();
}

void MakeColourItemsOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            MakeColourItemsOwnerDrawn(sub);
            continue;
        }
        const UINT command = GetMenuItemID(menu, i);
        if (!IsColourCommand(static_cast<int>(command)) ||
            (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_OWNERDRAW))
            continue;
        ColourItem& item = Items()[command - kColourFirst];
        char name[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), name, sizeof name, MF_BYPOSITION);
        item.name = name;
        ModifyMenuA(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_OWNERDRAW, command,
                    reinterpret_cast<LPCSTR>(&item));
    }
}

RECT ColourItemTextRect(const RECT& item) {
    return RECT{item.left + kInset + kSwatch + kGap, item.top, item.right, item.bottom};
}

HFONT CreateColourItemFont() {
    SkinData* skin = SkinManager::Instance().GetSkin();
    if (const auto* popup = skin ? dynamic_cast<const PopupMenuSkin*>(
                                       skin->FindElementByType(PopupMenuSkin::kTypeId))
                                 : nullptr)
        return CreateFontIndirectA(&popup->font.font);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

bool MeasureColourItem(MEASUREITEMSTRUCT& measure) {
    const ColourItem* item =
        measure.CtlType == ODT_MENU ? ItemOf(measure.itemID, measure.itemData) : nullptr;
    if (!item)
        return false;
    // Measured as it is drawn: in the menu's font, with the name as DrawText lays it out.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateColourItemFont();
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT text{0, 0, 0, 0};
    DrawTextA(dc, item->name.c_str(), static_cast<int>(item->name.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, previous);
    if (font)
        DeleteObject(font);
    DeleteDC(dc);
    const RECT room = ColourItemTextRect(RECT{0, 0, 0, 0});
    measure.itemWidth = static_cast<UINT>(room.left + text.right);
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(text.bottom + 4, kSwatch + 4));
    return true;
}

bool DrawColourItem(const DRAWITEMSTRUCT& draw) {
    const ColourItem* item =
        draw.CtlType == ODT_MENU ? ItemOf(draw.itemID, draw.itemData) : nullptr;
    if (!item)
        return false;
    const RECT& r = draw.rcItem;
    const int top = (r.top + r.bottom - kSwatch) / 2;
    RECT swatch{r.left + kInset, top, r.left + kInset + kSwatch, top + kSwatch};
    HBRUSH fill = CreateSolidBrush(item->colour);
    FillRect(draw.hDC, &swatch, fill);
    DeleteObject(fill);
    HBRUSH edge = CreateSolidBrush(GetTextColor(draw.hDC));
    FrameRect(draw.hDC, &swatch, edge);
    DeleteObject(edge);
    RECT text = ColourItemTextRect(r);
    const int mode = SetBkMode(draw.hDC, TRANSPARENT);
    DrawTextA(draw.hDC, item->name.c_str(), static_cast<int>(item->name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(draw.hDC, mode);
    return true;
}

} // namespace gallery
