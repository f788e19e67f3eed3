#include "saver/dialog_brush.h"

namespace {

HBRUSH g_dialogBrush = nullptr;

} // namespace

HBRUSH SaverDialogBrush() {
    if (g_dialogBrush == nullptr)
        g_dialogBrush = CreateSolidBrush(kDialogBackground);
    return g_dialogBrush;
}

void DeleteSaverDialogBrush() {
    if (g_dialogBrush == nullptr)
        return;
    DeleteObject(g_dialogBrush);
    g_dialogBrush = nullptr;
}

HBRUSH SaverDialogColor(CDC* dc, UINT ctlColor, HBRUSH base) {
    if (ctlColor != CTLCOLOR_DLG && ctlColor != CTLCOLOR_STATIC)
        return base;
    dc->SetBkMode(TRANSPARENT);
    return SaverDialogBrush();
}
