#include "skin/core/skin_mem_dc.h"

SkinMemDC::SkinMemDC(HDC reference, int width, int height)
    : m_dc(CreateCompatibleDC(reference)),
      m_bitmap(CreateCompatibleBitmap(reference, width, height)) {
    if (m_dc && m_bitmap)
        m_previous = SelectObject(m_dc, m_bitmap);
}

SkinMemDC::~SkinMemDC() {
    if (m_dc && m_previous)
        SelectObject(m_dc, m_previous);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dc)
        DeleteDC(m_dc);
}

HBITMAP SkinMemDC::Detach() {
    if (m_dc && m_previous)
        SelectObject(m_dc, m_previous);
    if (m_dc)
        DeleteDC(m_dc);
    HBITMAP bitmap = m_bitmap;
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_previous = nullptr;
    return bitmap;
}
