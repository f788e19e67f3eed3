// Operations that put an image on a device context or build one from GDI objects. They wait
// for the drawing layer; until then they refuse, as they do for a missing device context.
// Their pixel work (visible area, blending over the captured background, tiles, painting
// rendered text) is ready in px_draw_compose.h.
#include "imagelib/px_image.h"

bool PxImage::CreateFromHBITMAP(HBITMAP, HPALETTE) {
    return false;
}

bool PxImage::Draw(HDC, LONG, LONG, LONG, LONG, const RECT*, bool) {
    return false;
}

bool PxImage::DrawInRect(HDC dc, const RECT& rect, const RECT* clip, bool smooth) {
    return Draw(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, clip,
                smooth);
}

bool PxImage::DrawStretched(HDC, LONG, LONG, LONG, LONG) {
    return false;
}

bool PxImage::Stretch(HDC, LONG, LONG, LONG, LONG, DWORD) {
    return false;
}

bool PxImage::Tile(HDC, const RECT*) {
    return false;
}

HBITMAP PxImage::MakeBitmap(HDC) {
    return nullptr;
}

void PxImage::DrawString(HDC, LONG, LONG, const char*, PxRgbQuad, const char*, LONG, LONG, BYTE,
                         BYTE, bool) {}

SIZE PxImage::DrawStringEx(HDC, LONG, LONG, const char*, PxRgbQuad, const char*, LONG, LONG, BYTE,
                           BYTE, bool, bool) {
    return SIZE{0, 0};
}

SIZE PxImage::MeasureString(HDC, const char*, const char*, LONG, LONG, BYTE, BYTE) {
    return SIZE{0, 0};
}
