#include "skin/skinners/skin_header_wnd.h"

#include "skin/core/skin_draw.h"
#include "win32/header_control.h"

namespace {

constexpr int kTextBuffer = 100;

} // namespace

UINT SkinHeaderWnd::TextFormat(int itemFormat) {
    UINT format = DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS;
    if ((itemFormat & HDF_JUSTIFYMASK) == HDF_CENTER)
        format |= DT_CENTER;
    else if ((itemFormat & HDF_JUSTIFYMASK) == HDF_RIGHT)
        format |= DT_RIGHT;
    return format;
}

void SkinHeaderWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const HeaderSkin*>(Object());
    if (!skin)
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    GlazeworkDrawNineGrid(dc, ClientRect(), skin->background, face, TRUE);
    const TextScope scope(*this, dc, skin->effect.TextColor());
    const int count = static_cast<int>(SendMessage(HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[kTextBuffer] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = kTextBuffer;
        RECT r{};
        if (!SendMessage(HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) ||
            !SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        GlazeworkDrawNineGrid(dc, r, skin->itemImage, face, TRUE);
        r.left += skin->background.leftMargin;
        r.right -= skin->background.rightMargin;
        DrawTextA(dc, text, -1, &r, TextFormat(item.fmt));
    }
}
