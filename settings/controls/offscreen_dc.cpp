#include "settings/controls/offscreen_dc.h"

COffscreenDC::COffscreenDC(HDC target, const RECT& rect) : m_target(target), m_rect(rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    m_memory = CreateCompatibleDC(target);
    m_bitmap = m_memory ? CreateCompatibleBitmap(target, width, height) : nullptr;
    if (!m_bitmap) {
        if (m_memory)
            DeleteDC(m_memory);
        m_memory = nullptr; // draw directly rather than not at all
        return;
    }
    m_old_bitmap = SelectObject(m_memory, m_bitmap);
    SetWindowOrgEx(m_memory, rect.left, rect.top, nullptr);
}

COffscreenDC::~COffscreenDC() {
    if (!m_memory)
        return;
    BitBlt(m_target, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
           m_rect.bottom - m_rect.top, m_memory, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_memory, m_old_bitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_memory);
}
