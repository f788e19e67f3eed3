// Drawing through a memory bitmap of the paint rectangle, copied to the target in one blit when
// the object ends, so that a control never shows a half-drawn state.
#pragma once

#include "mfc/mfc.h"

class COffscreenDC {
public:
    COffscreenDC(HDC target, const RECT& rect);
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;
    ~COffscreenDC();

    // Logical coordinates are the target's: the rectangle's corner is the window origin.
    HDC dc() const { return m_memory ? m_memory : m_target; }

private:
    HDC m_target;
    RECT m_rect;
    HDC m_memory = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old_bitmap = nullptr;
};
