#include "skin/core/popup_placement.h"

namespace {

constexpr int kScreenMargin = 2;

} // namespace

void GlazeworkPlacePopupMenu(RECT& out, int x, int y, SIZE popup, UINT flags) {
    const int w = popup.cx;
    const int h = popup.cy;
    if (flags & TPM_CENTERALIGN)
        out.left = x - w / 2, out.right = x + w / 2;
    else if (flags & TPM_RIGHTALIGN)
        out.left = x - w, out.right = x;
    else
        out.left = x, out.right = x + w;
    if (flags & TPM_BOTTOMALIGN)
        out.top = y - h, out.bottom = y;
    else if (flags & TPM_VCENTERALIGN)
        out.top = y - h / 2, out.bottom = y + h / 2;
    else
        out.top = y, out.bottom = y + h;

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (out.right > screenWidth)
        OffsetRect(&out, -(out.right - screenWidth + kScreenMargin), 0);
    if (out.bottom > screenHeight)
        OffsetRect(&out, 0, -(out.bottom - screenHeight + kScreenMargin));
    // The whole popup moves, so that it keeps its size.
    if (out.left < 0)
        OffsetRect(&out, kScreenMargin - out.left, 0);
    if (out.top < 0)
        OffsetRect(&out, 0, kScreenMargin - out.top);
}
