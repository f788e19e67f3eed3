#include "skin/skinners/skin_control_bar_wnd.h"

#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_turn.h"

namespace {

constexpr DWORD kAlignLeft = 0x1000;  // CBRS_ALIGN_LEFT
constexpr DWORD kAlignRight = 0x4000; // CBRS_ALIGN_RIGHT

} // namespace

bool IsDockedSideways(DWORD barStyle) {
    return (barStyle & (kAlignLeft | kAlignRight)) != 0;
}

void DrawBarFrame(HDC dc, SIZE size, const ControlSkin& skin, bool sideways) {
    if (!sideways) {
        GlazeworkDrawNineGrid(dc, RECT{0, 0, size.cx, size.cy}, skin.background, skin.color1, TRUE);
        return;
    }
    SkinMemDC lying(dc, size.cy, size.cx);
    GlazeworkDrawNineGrid(lying.GetDC(), RECT{0, 0, size.cy, size.cx}, skin.background, skin.color1,
                          TRUE);
    DrawTurned(dc, lying.Detach(), Turn::CounterClockwise);
}

void SkinControlBarWnd::Draw(HDC dc) {
    const ControlSkin* skin = Control();
    if (!skin)
        return;
    const RECT client = ClientRect();
    const auto style = static_cast<DWORD>(GetWindowLongA(GetHwnd(), GWL_STYLE));
    DrawBarFrame(dc, SIZE{client.right, client.bottom}, *skin, IsDockedSideways(style));
}
