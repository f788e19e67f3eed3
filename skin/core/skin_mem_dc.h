// A memory device context with a compatible bitmap selected, for double-buffered painting.
#pragma once

#include "win32/win32.h"

class SkinMemDC {
public:
    SkinMemDC(HDC reference, int width, int height);
    virtual ~SkinMemDC();
    SkinMemDC(const SkinMemDC&) = delete;
    SkinMemDC& operator=(const SkinMemDC&) = delete;

    HDC GetDC() const { return m_dc; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    // Hands the bitmap to the caller, who then owns it; the memory DC is gone.
    HBITMAP Detach();

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};
