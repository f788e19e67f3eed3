// Bitmap resources: the packed DIB that rescomp stores under RT_BITMAP, checked against the
// resource's size before any pixel is read.
#include "gdi/packed_dib.h"

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    HRSRC found = FindResourceA(instance, name, RT_BITMAP);
    if (!found) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return lv::gdi::bitmap_from_packed_dib(lv::gdi::resource_bytes(instance, found));
}
