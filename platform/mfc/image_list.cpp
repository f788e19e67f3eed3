#include "mfc/image_list.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (m_hImageList)
        return FALSE;
    m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList)
        return FALSE;
    const BOOL destroyed = ::ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return destroyed;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    return ::ImageList_Add(m_hImageList, image ? static_cast<HBITMAP>(*image) : nullptr,
                           mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
    return ::ImageList_Replace(m_hImageList, index, image ? static_cast<HBITMAP>(*image) : nullptr,
                               mask ? static_cast<HBITMAP>(*mask) : nullptr);
}
