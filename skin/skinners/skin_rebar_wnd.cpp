#include "skin/skinners/skin_rebar_wnd.h"

#include "skin/core/skin_draw.h"
#include "win32/rebar.h"

namespace {

constexpr int kTextBuffer = 200;
constexpr std::size_t kBandColorOffset = 4;

} // namespace

COLORREF SkinReBarWnd::BandTextColor(const ReBarSkin& skin) {
    const auto& block = skin.bandBlock;
    return RGB(block[kBandColorOffset], block[kBandColorOffset + 1], block[kBandColorOffset + 2]);
}

void SkinReBarWnd::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const ReBarSkin*>(Object());
    if (!skin)
        return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    GlazeworkDrawNineGrid(dc, ClientRect(), skin->background, face, TRUE);
    const TextScope scope(*this, dc, BandTextColor(*skin));
    const int count = static_cast<int>(SendMessage(RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT band{};
        if (!SendMessage(RB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)))
            continue;
        char text[kTextBuffer] = {};
        REBARBANDINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = RBBIM_TEXT;
        info.lpText = text;
        info.cch = kTextBuffer;
        SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        GlazeworkDrawNineGrid(dc, band, skin->bandImage, face, TRUE);
        if (text[0] == '\0')
            continue;
        band.left += skin->bandImage.leftMargin;
        band.top += skin->bandImage.topMargin;
        band.bottom -= skin->bandImage.bottomMargin;
        DrawTextA(dc, text, -1, &band, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    }
}
